// Word suggestions in the keyboard: WORD buttons' captions and clicks
// through the real key path, learning, and the files.

#include <string>
#include <vector>

#include "src/keyboard/program.h"
#include "src/words/word_files.h"
#include "tests/core/keyboard_test.h"

namespace plinth {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

// Cells of the layout below.
constexpr int kT = 1, kH = 2, kA = 3, kSpace = 4, kStop = 5, kBack = 6, kEnter = 7;
constexpr int kWord1 = 8, kWord2 = 9, kWord8 = 10, kWord3 = 17;
constexpr int kTab = 11, kLeft = 12, kCtrlC = 13, kCapitalT = 15, kCapitalH = 16;

constexpr const char* kWordKeys = R"(
[Button1]
Caption=t
[Button2]
Caption=h
[Button3]
Caption=a
[Button4]
Caption=" "
[Button5]
Caption=.
[Button6]
Type=VIRTUALKEY
KeyString=BACKSPACE
[Button7]
Type=VIRTUALKEY
KeyString=ENTER
[Button11]
Type=VIRTUALKEY
KeyString=TAB
[Button12]
Type=CURSORKEY
KeyString=LEFT
[Button13]
Caption=c
Action=CTRL
[Button15]
Caption=T
Shifted=1
[Button16]
Caption=H
Shifted=1
)";

constexpr const char* kWordButtons = R"(
[Button8]
Type=ACTION
Handler=DEFAULT
Action=WORD
Param1=1
[Button9]
Type=ACTION
Handler=DEFAULT
Action=word
Param1=2
[Button10]
Type=ACTION
Handler=DEFAULT
Action=WORD
Param1=8
[Button17]
Type=ACTION
Handler=DEFAULT
Action=WORD
Param1=3
)";

constexpr const char* kWordList =
    "the\t1000\nthat\t500\nthis\t400\nto\t300\nhello\t100\nhelp\t50\nh\xC3\xA9ros\t5\n";

const std::string kLearnedPath =
    std::string(test_platform::MemoryFileSystem::kDefaultDataFolder) + words::kLearnedWordsFileName;

class WordsTest : public KeyboardTest {
 protected:
  // The keyboard with the test word list beside it; `configuration` adds
  // lines to [Configuration].
  void StartWords(const std::string& configuration = "Words=Test.words",
                  const std::string& buttons = kWordButtons) {
    files.WriteBesideExecutable("Test.words", kWordList);
    Start("[Configuration]\n" + configuration + "\n" + kWordKeys + buttons);
  }
  void ClickAll(const std::vector<int>& cells) {
    for (const int cell : cells) Click(cell);
  }
  std::vector<std::string> TextsWritten() {
    std::vector<std::string> texts;
    for (const std::string& path : files.written()) texts.push_back(*files.FileBytes(path));
    return texts;
  }
};

TEST_F(WordsTest, CaptionsFollowTheKeysSent) {
  struct Case {
    const char* what;
    std::vector<int> clicks;
    std::string first;
  };
  const Case cases[] = {
      {"a prefix", {kT}, "the"},
      {"a longer prefix", {kT, kH, kA}, "that"},
      {"Backspace", {kT, kH, kA, kBack}, "the"},
      {"a capital", {kCapitalT, kH}, "The"},
      {"capitals", {kCapitalT, kCapitalH}, "THE"},
      {"Enter", {kT, kEnter, kH}, "hello"},
      {"a new line, where a sentence starts", {kT, kEnter}, "The"},
      {"Tab", {kT, kTab, kH}, "hello"},
      {"an arrow key", {kT, kLeft, kH}, "hello"},
      {"a key with Ctrl", {kT, kCtrlC, kH}, "hello"},
  };
  for (const Case& c : cases) {
    TestKeyboard kb;
    kb.files.WriteBesideExecutable("Test.words", kWordList);
    kb.PutLayout("Default",
                 std::string("[Configuration]\nWords=Test.words\n") + kWordKeys + kWordButtons);
    kb.PutLayout("Extend", "");
    kb.Create();
    for (const int cell : c.clicks) kb.Click(cell);
    EXPECT_EQ(kb.Label(kWord1), c.first) << c.what;
    EXPECT_THAT(kb.Warnings(), IsEmpty()) << c.what;
  }
}

TEST_F(WordsTest, ANewFocusStartsAFreshContext) {
  StartWords();
  Click(kT);
  form().FocusMoved();
  Click(kH);
  EXPECT_EQ(Label(kWord1), "hello");
  EXPECT_EQ(Label(kWord2), "help");
}

TEST_F(WordsTest, AWordButtonTypesTheRestOfItsWordAndASpace) {
  StartWords();
  ClickAll({kT, kH});
  EXPECT_EQ(Label(kWord1), "the");
  EXPECT_EQ(Label(kWord2), "that");
  TakeKeys();
  Click(kWord2);
  std::vector<KeyEvent> expected = Stroke('A');
  for (const auto& stroke : {Stroke('T'), Stroke(' ')}) {
    expected.insert(expected.end(), stroke.begin(), stroke.end());
  }
  EXPECT_EQ(TakeKeys(), expected);
  // The next word is predicted.
  EXPECT_EQ(Label(kWord1), "the");

  // Capitals are typed with Shift, other characters by the keyboard
  // layout's key for them.
  ClickAll({kCapitalT, kCapitalH});
  TakeKeys();
  Click(kWord1);
  expected = Stroke('E', {kVkShift});
  const auto space = Stroke(' ');
  expected.insert(expected.end(), space.begin(), space.end());
  EXPECT_EQ(TakeKeys(), expected);

  keys.SetCharacterKey(0xE9, platform::CharacterKey{.code = 0x1E9});
  Click(kH);
  EXPECT_EQ(Label(kWord3), "h\xE9ros");
  TakeKeys();
  Click(kWord3);
  const std::vector<KeyEvent> typed = TakeKeys();
  ASSERT_THAT(typed, SizeIs(10));
  EXPECT_EQ(typed[0], Down(0x1E9));
  EXPECT_THAT(Warnings(), IsEmpty());
}

TEST_F(WordsTest, DwellingOnAWordButtonTypesItsWord) {
  StartWords("Words=Test.words\nDwellTime=400");
  ClickAll({kT, kH});
  TakeKeys();
  MovePointer(pointer.moves().back());  // the return reaches the window
  MovePointer(CellCentre(kWord1));
  Wait(std::chrono::milliseconds{400});
  std::vector<KeyEvent> expected = Stroke('E');
  const auto space = Stroke(' ');
  expected.insert(expected.end(), space.begin(), space.end());
  EXPECT_EQ(TakeKeys(), expected);
}

TEST_F(WordsTest, TheSpaceAfterAWordIsTakenBackBeforePunctuation) {
  StartWords();
  ClickAll({kT, kH, kWord1});
  TakeKeys();
  Click(kStop);
  std::vector<KeyEvent> expected = Stroke(kVkBackSpace);
  const auto stop = Stroke(0xBE);
  expected.insert(expected.end(), stop.begin(), stop.end());
  EXPECT_EQ(TakeKeys(), expected);
  // Only right after the word.
  Click(kStop);
  EXPECT_EQ(TakeKeys(), stop);
}

TEST_F(WordsTest, WithoutSuchASuggestionAClickOnlyReturnsThePointer) {
  StartWords();
  ClickAll({kT, kH});
  EXPECT_EQ(Label(kWord8), "");
  TakeKeys();
  const std::size_t moves = pointer.moves().size();
  Click(kWord8);
  EXPECT_THAT(TakeKeys(), IsEmpty());
  EXPECT_EQ(pointer.moves().size(), moves + 1);
}

TEST_F(WordsTest, AvailableShowsWordButtonsAsTakenAndShowAllNumbersThem) {
  StartWords();
  ClickAll({kT, kH});
  ChooseMenuItem(MenuItemId::Available);
  EXPECT_EQ(Label(kWord1), "the");
  EXPECT_EQ(Label(kWord8), "");
  EXPECT_EQ(Label(20), "20");
  ChooseMenuItem(MenuItemId::ShowAll);
  EXPECT_EQ(Label(kWord1), "8");
}

TEST_F(WordsTest, FinishedWordsAreSavedAtTheEnd) {
  StartWords();
  ClickAll({kT, kH, kA, kT, kSpace});
  EXPECT_THAT(files.written(), IsEmpty());
  form().FormClose();
  ASSERT_THAT(TextsWritten(), SizeIs(1));
  EXPECT_THAT(TextsWritten()[0], HasSubstr("that\t1\t"));
  // Nothing new, nothing written.
  form().SessionEnding();
  EXPECT_THAT(files.written(), SizeIs(1));
}

TEST_F(WordsTest, WhatWasLearnedIsSavedAtAKeyEverySoOften) {
  StartWords();
  ClickAll({kT, kH, kA, kT, kSpace});
  EXPECT_THAT(files.written(), IsEmpty());
  Wait(WordController::kSaveInterval);
  Click(kT);
  EXPECT_THAT(TextsWritten(), ElementsAre(HasSubstr("that\t1\t")));
  form().SessionEnding();
  EXPECT_THAT(files.written(), SizeIs(1));
}

// An application whose message loop is a few clicks, the last of them on
// TERMINATE.
class ClickingApplication final : public platform::Application {
 public:
  ClickingApplication(test_platform::FakeKeyboardWindow& window, std::vector<int> cells)
      : window_(window), cells_(std::move(cells)) {}
  void Terminate() override { ++terminated_; }
  int Run() override {
    for (const int cell : cells_) window_.ClickButton(cell);
    return terminated_ > 0 ? 0 : 1;
  }
  void ReportOnStandardError(const std::string& /*text*/) override {}

 private:
  test_platform::FakeKeyboardWindow& window_;
  std::vector<int> cells_;
  int terminated_ = 0;
};

TEST_F(WordsTest, TerminateSavesWhatWasLearned) {
  files.WriteBesideExecutable("Test.words", kWordList);
  PutLayout("Default", std::string("[Configuration]\nWords=Test.words\n") + kWordKeys +
                           kWordButtons +
                           "[Button14]\nType=ACTION\nHandler=EXTEND\n"
                           "Action=TERMINATE\n");
  PutLayout("Extend", "");
  ClickingApplication clicking(window, {kT, kH, kWord2, 14});
  platform::Services running{keys, pointer, screen, files, text, clicking, timer, scan_timer};
  EXPECT_EQ(RunKeyboard(running, window), 0);
  ASSERT_THAT(TextsWritten(), SizeIs(1));
  EXPECT_THAT(TextsWritten()[0], HasSubstr("that\t1\t"));
}

TEST_F(WordsTest, LearnWordsPausesLearning) {
  StartWords();
  EXPECT_TRUE(window.menu_item_checked(MenuItemId::LearnWords));
  ChooseMenuItem(MenuItemId::LearnWords);
  EXPECT_FALSE(window.menu_item_checked(MenuItemId::LearnWords));
  EXPECT_FALSE(form().menu_item_checked(MenuItemId::LearnWords));
  ClickAll({kT, kH, kA, kT, kSpace});
  form().FormClose();
  EXPECT_THAT(files.written(), IsEmpty());

  ChooseMenuItem(MenuItemId::LearnWords);
  ClickAll({kT, kH, kA, kT, kSpace});
  form().SessionEnding();
  EXPECT_THAT(TextsWritten(), ElementsAre(HasSubstr("that\t1\t")));
}

TEST_F(WordsTest, NothingIsLearnedWhileALayoutWithoutWordButtonsIsShown) {
  const std::string to_extend = "[Button18]\nType=ACTION\nHandler=DEFAULT\nAction=BEGINEXTEND\n";
  const std::string back = "[Button18]\nType=ACTION\nHandler=DEFAULT\nAction=CANCELEXTEND\n";
  files.WriteBesideExecutable("Test.words", kWordList);
  Start(std::string("[Configuration]\nWords=Test.words\n") + kWordKeys + kWordButtons + to_extend,
        std::string(kWordKeys) + back);
  Click(18);
  ClickAll({kT, kH, kA, kT, kSpace});
  Click(18);
  form().FormClose();
  EXPECT_THAT(files.written(), IsEmpty());
  // What was typed there still counts: the next word follows it.
  ClickAll({kT, kH, kA, kT, kSpace});
  form().FormClose();
  EXPECT_THAT(TextsWritten(), ElementsAre(HasSubstr("that that\t1\t")));
}

TEST_F(WordsTest, ALayoutWithoutWordButtonsReadsLearnsAndWritesNothing) {
  StartWords("Words=Test.words", "");
  ClickAll({kT, kH, kA, kT, kSpace, kStop});
  form().FormClose();
  EXPECT_THAT(files.opened(), ElementsAre(files.ExecutableDirectory() + "Default.ini",
                                          files.ExecutableDirectory() + "Extend.ini",
                                          files.ExecutableDirectory() + "Default.ini"));
  EXPECT_THAT(files.written(), IsEmpty());
  EXPECT_THAT(Warnings(), IsEmpty());
  EXPECT_EQ(Label(kWord1), "");
}

TEST_F(WordsTest, AWordListThatCannotBeUsedIsOneErrorAndTheKeyboardGoesOn) {
  struct Case {
    const char* what;
    std::string configuration;
    std::string list;
    std::string warning;
  };
  const Case cases[] = {
      {"missing", "Words=Missing.words", "", "Error - Word list not found - Missing.words"},
      {"corrupt", "", "the\tmany\n", "Test.words is unreadable"},
      {"huge", "", std::string(words::WordList::kMaxFileSize + 1, 'a'), "more than"},
  };
  for (const Case& c : cases) {
    TestKeyboard kb;
    kb.files.WriteBesideExecutable("Test.words", c.list);
    kb.PutLayout("Default", "[Configuration]\n" +
                                (c.configuration.empty() ? "Words=Test.words" : c.configuration) +
                                "\n" + kWordKeys + kWordButtons);
    kb.PutLayout("Extend", "");
    kb.Create();
    EXPECT_THAT(kb.Warnings(), ElementsAre(HasSubstr(c.warning))) << c.what;
    kb.Click(kT);
    EXPECT_EQ(kb.TakeKeys(), Stroke('T')) << c.what;
    EXPECT_EQ(kb.Label(kWord1), "") << c.what;
    EXPECT_THAT(kb.Warnings(), SizeIs(1)) << c.what;
  }
}

TEST_F(WordsTest, ALearnedWordsFileThatCannotBeWrittenLosesNothing) {
  StartWords();
  files.FailWrites("No space left on device");
  ClickAll({kT, kH, kA, kT, kSpace});
  Wait(WordController::kSaveInterval);
  Click(kT);
  EXPECT_THAT(Warnings(), ElementsAre(HasSubstr("cannot save the learned words")));
  // Told once, not at every key.
  ClickAll({kH, kA, kT, kSpace});
  Wait(WordController::kSaveInterval);
  ClickAll({kT, kH, kA, kT, kSpace});
  EXPECT_THAT(Warnings(), SizeIs(1));

  files.FailWrites("");
  form().FormClose();
  EXPECT_THAT(*files.FileBytes(kLearnedPath), HasSubstr("that\t3\t"));
}

TEST_F(WordsTest, ALearnedWordsFileThatCannotBeReadIsNeverOverwritten) {
  files.WriteFile(kLearnedPath, "secret\t9\t1\n");
  files.MakeUnreadable(kLearnedPath);
  StartWords();
  EXPECT_THAT(Warnings(), ElementsAre(HasSubstr("cannot read the learned words")));
  ClickAll({kT, kH, kA, kT, kSpace});
  form().FormClose();
  EXPECT_THAT(files.written(), IsEmpty());
  EXPECT_EQ(*files.FileBytes(kLearnedPath), "secret\t9\t1\n");
}

}  // namespace
}  // namespace plinth
