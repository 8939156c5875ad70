// A caption too wide for its button: smaller first, then shortened at its
// end, never cut on both sides; measured without fonts.

#include "platform/common/caption_fit.h"

#include <gtest/gtest.h>

#include <string>

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

// A measure that counts its calls.
struct CountingMeasure {
  int calls = 0;
  MeasureText measure() {
    return [this](std::string_view text, int size) {
      ++calls;
      return MonospaceWidth(text, size);
    };
  }
};

// A caption far too long for its button is cut where a bisection finds the
// place, in about as many measurements as the text has binary digits of
// length, not one measurement per character.
TEST(CaptionFitTest, ALongCaptionIsCutInFewMeasurements) {
  for (const std::size_t length : {10u, 100u, 2047u}) {
    SCOPED_TRACE(length);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += i % 2 == 0 ? "x" : "\xC3\xA4";
    CountingMeasure counting;
    const FittedCaption fitted =
        FitCaption(text, kButton, counting.measure(), "\xE2\x80\xA6", TextEncoding::Utf8);
    EXPECT_EQ(fitted, (FittedCaption{"x\xC3\xA4x\xC3\xA4\xE2\x80\xA6", 8, false}));
    const int sizes = kButton.font_size - kButton.smallest_size + 1;
    EXPECT_LE(counting.calls, sizes + 13);
  }
}

// A button drawn again with the same caption, font and room (as while a
// dwell bar fills) measures nothing; any change of them fits anew.
TEST(CaptionFitCacheTest, MeasuresOnlyWhenTheCaptionFontOrRoomChanged) {
  CaptionFitCache cache;
  CountingMeasure counting;
  const auto fit = [&](std::string_view text, const CaptionRoom& room, int font) {
    const int before = counting.calls;
    const FittedCaption fitted =
        cache.Fit(text, room, font, counting.measure(), "\xE2\x80\xA6", TextEncoding::Utf8);
    EXPECT_EQ(fitted, FitCaption(text, room, MonospaceWidth, "\xE2\x80\xA6", TextEncoding::Utf8));
    return counting.calls - before;
  };
  const CaptionRoom wider{.width = 40, .font_size = 12, .smallest_size = 8};
  const CaptionRoom larger{.width = 27, .font_size = 14, .smallest_size = 8};
  EXPECT_GT(fit("Delete", kButton, 1), 0);
  EXPECT_EQ(fit("Delete", kButton, 1), 0);
  EXPECT_EQ(fit("Delete", kButton, 1), 0);
  EXPECT_GT(fit("Delete", kButton, 2), 0);  // another face
  EXPECT_GT(fit("Delete", wider, 2), 0);
  EXPECT_GT(fit("Delete", larger, 2), 0);
  EXPECT_GT(fit("Insert", larger, 2), 0);
  EXPECT_EQ(fit("Insert", larger, 2), 0);
  cache.Forget();
  EXPECT_GT(fit("Insert", larger, 2), 0);
}

}  // namespace
}  // namespace plinth::platform
