// Word suggestions on the real keyboard: a WORD button types the rest of
// the word it shows into the application, and what was learned is on disk
// however the keyboard ends.

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sstream>

#include "src/words/word_files.h"
#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

namespace plinth::x11_test {
namespace {

constexpr ScreenPoint kTypepadPlace{520, 250};
constexpr int kT = 1, kH = 2, kWord = 3;

std::string FirstSuggestionForTh() { return FirstSuggestionFor("th"); }

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class WordsTest : public OnDisplay {
 protected:
  void SetUp() override {
    typepad_ = std::make_unique<Typepad>(session, "Typepad", kTypepadPlace);
    ASSERT_TRUE(typepad_->WaitForWindow());
    ASSERT_TRUE(FocusTypepad(display(), *typepad_, has_window_manager()));
    keyboard_ = std::make_unique<KeyboardProgram>(
        session,
        LayoutFiles{{"Default", KeyLayout({{kT, "t"}, {kH, "h"}}) +
                                    "[Button3]\r\nType=ACTION\r\nHandler=DEFAULT\r\n"
                                    "Action=WORD\r\nParam1=1\r\n"},
                    {"Extend", ""}},
        StartOptions{.beside = {BundledWordList()}});
    ASSERT_TRUE(keyboard_->WaitForWindow());
  }

  // Clicks "t", "h" and the WORD button; returns what the typepad got.
  std::string TypeThAndAcceptTheWord() {
    for (const int cell : {kT, kH}) {
      ClickAt(display(), keyboard_->CellCentre(cell));
      // The next click only once the pointer is back home: a return after
      // the next move would take the click there.
      EXPECT_TRUE(WaitUntil([&] { return PointerPosition(display()) == keyboard_->Home(); }));
    }
    EXPECT_TRUE(WaitUntil([&] { return TypedText(typepad_->Log()) == "th"; }));
    EXPECT_TRUE(WaitUntil([&] { return keyboard_->CellShowsText(kWord); }));
    ClickAt(display(), keyboard_->CellCentre(kWord));
    const std::string expected = FirstSuggestionForTh() + " ";
    WaitUntil([&] { return TypedText(typepad_->Log()) == expected; });
    return TypedText(typepad_->Log());
  }

  std::unique_ptr<Typepad> typepad_;
  std::unique_ptr<KeyboardProgram> keyboard_;
};

TEST_P(WordsTest, AWordButtonTypesTheRestOfTheWordItShows) {
  const std::string word = FirstSuggestionForTh();
  ASSERT_GT(word.size(), 2u);
  EXPECT_EQ(word.substr(0, 2), "th");
  EXPECT_EQ(TypeThAndAcceptTheWord(), word + " ") << keyboard_->StandardError();
}

TEST_P(WordsTest, SigtermLeavesTheLearnedWordsOnDisk) {
  const std::string word = FirstSuggestionForTh();
  ASSERT_EQ(TypeThAndAcceptTheWord(), word + " ");
  kill(keyboard_->process().pid(), SIGTERM);
  ASSERT_TRUE(keyboard_->process().WaitForExit(10s).has_value());
  const std::string learned = ReadWhole(keyboard_->DataFolder() / words::kLearnedWordsFileName);
  EXPECT_NE(learned.find("\n" + word + "\t1\t"), std::string::npos) << learned;
  EXPECT_EQ(learned.back(), '\n');
}

PLINTH_ON_EVERY_DISPLAY(WordsTest);

}  // namespace
}  // namespace plinth::x11_test
