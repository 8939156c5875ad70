// A caption too wide for its button: smaller first, then shortened at its
// end, never cut on both sides; measured without fonts.

#include "platform/common/caption_fit.h"

#include <gtest/gtest.h>

namespace plinth::platform {
namespace {

// A 33-pixel button at 100%: 27 pixels inside its bevel, 12 down to 8.
constexpr CaptionRoom kButton{.width = 27, .font_size = 12, .smallest_size = 8};

FittedCaption Fit(std::string_view text, TextEncoding encoding = TextEncoding::Utf8) {
  return FitCaption(text, kButton, MonospaceWidth, "\xE2\x80\xA6", encoding);
}

TEST(CaptionFitTest, ShrinksThenShortensAtTheEnd) {
  struct Row {
    const char* text;
    FittedCaption fitted;
  };
  for (const Row& row : {
           Row{"a", {"a", 12, true}},
           Row{"Esc", {"Esc", 12, true}},
           Row{"Bksp", {"Bksp", 11, true}},
           Row{"Enter", {"Enter", 9, true}},
           Row{"Paste", {"Paste", 9, true}},
           Row{"Delete", {"Dele\xE2\x80\xA6", 8, false}},
           Row{"Caps Lock", {"Caps\xE2\x80\xA6", 8, false}},
           Row{"\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4\xC3\xB6\xC3\xBC",  // six umlauts
               {"\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4\xE2\x80\xA6", 8, false}},
           Row{"", {"", 12, true}},
       }) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(Fit(row.text), row.fitted);
  }
}

TEST(CaptionFitTest, SingleByteTextIsCutAtAnyByte) {
  const MeasureText bytes = [](std::string_view text, int size) {
    return static_cast<int>(text.size()) * size * 6 / 10;
  };
  EXPECT_EQ(
      FitCaption("\xE4\xF6\xFC\xE4\xF6\xFC", kButton, bytes, "\x85", TextEncoding::SingleByte).text,
      "\xE4\xF6\xFC\xE4\x85");
}

TEST(CaptionFitTest, ARoomTooSmallForAnyCharacterShowsTheEllipsisOnly) {
  const CaptionRoom tiny{.width = 3, .font_size = 12, .smallest_size = 8};
  EXPECT_EQ(FitCaption("Enter", tiny, MonospaceWidth, "\xE2\x80\xA6", TextEncoding::Utf8).text,
            "\xE2\x80\xA6");
}

}  // namespace
}  // namespace plinth::platform
