// plinth-layout suggest and clicks.

#include "tools/layout_tool/word_commands.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/tools/tool_test_support.h"

namespace plinth::layout_tool {
namespace {

constexpr std::string_view kList =
    "the\t1000\nthat\t300\nthis\t250\nthey\t200\nthere\t150\nof\t600\nsoftware\t60\n"
    "some\t80\nfree\t50\nfreedom\t20\nof the\t300\nfree software\t40\n";

ToolRun RunSuggest(const std::vector<std::string>& args, const std::string& input,
                   const LayoutSearch& search = {}) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = Suggest(args, in, out, err, search);
  return {status, out.str(), err.str()};
}

TEST(WordCommandsTest, LinesAreTypedAsWrittenWithFourEscapes) {
  const struct {
    std::string_view line;
    std::optional<std::string> keys;
    std::string_view error;
  } cases[] = {
      {"plain text ", "plain text ", ""},
      {"a\\nb\\tc\\bd\\\\e", "a\nb\tc\bd\\e", ""},
      {"", "", ""},
      {"\\x", std::nullopt, "unknown escape \\x (known: \\n Enter, \\t Tab, \\b Backspace, \\\\)"},
      {"ends\\", std::nullopt, "a \\ ends the line"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_EQ(KeysOfLine(c.line, error), c.keys) << c.line;
    EXPECT_EQ(error, c.error) << c.line;
  }
}

TEST(WordCommandsTest, SuggestPrintsOneLineOfSuggestionsForEachLineTyped) {
  const ScratchDir dir;
  const std::string list = dir.Write("list.words", std::string(kList));
  const struct {
    std::vector<std::string> args;
    std::string input;
    std::string out;
  } cases[] = {
      {{"--words", list}, "th\n", "the\tthat\tthis\tthey\tthere\n"},
      {{"--words", list, "-n", "2"},
       "th\ne \n\n",
       "the\tthat\nof\tthat\nof\tthat\n"},  // not "the the"
      {{"--words", list}, "free so\n", "software\tsome\n"},
      {{"--words", list}, "Th\n", "The\tThat\tThis\tThey\tThere\n"},
      {{"--words", list}, "xyz\n\\b\\b\\b\n", "\nthe\tof\tthat\tthis\tthey\n"},
      {{"--words", list}, "zebra zeb\n", "\n"},  // learns nothing by default
      {{"--words", list, "--learn"}, "zebra zeb\n", "zebra\n"},
      {{"--words", list, "--learn"}, "free zebra\\nfree \n", "zebra\tsoftware\tthe\tof\tthat\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = RunSuggest(c.args, c.input);
    EXPECT_EQ(run.status, kExitClean) << c.input << run.err;
    EXPECT_EQ(run.out, c.out) << c.input;
  }
}

TEST(WordCommandsTest, SuggestRefusesWrongArgumentsEscapesAndWordLists) {
  const ScratchDir dir;
  const std::string list = dir.Write("list.words", std::string(kList));
  const std::string corrupt = dir.Write("corrupt.words", "the\t1\nno count here\n");
  const struct {
    std::vector<std::string> args;
    std::string input;
    std::string err;
  } cases[] = {
      {{"--words", list, "-n", "9"},
       "",
       "plinth-layout: -n takes a number from 1 to 8, not \"9\"\n"},
      {{"--words", list, "-n", "x"},
       "",
       "plinth-layout: -n takes a number from 1 to 8, not \"x\"\n"},
      {{"--words", list, "--what"}, "", "plinth-layout: suggest does not take \"--what\"\n"},
      {{"--words", list},
       "ok\nbad\\q\n",
       "plinth-layout: line 2: unknown escape \\q (known: \\n Enter, \\t Tab, \\b Backspace, "
       "\\\\)\n"},
      {{"--words", corrupt},
       "",
       "plinth-layout: the word list " + corrupt +
           " is unreadable: line 2: no tab between the word and its count\n"},
      {{"--words", dir.Path("gone.words")},
       "",
       "plinth-layout: cannot read the word list " + dir.Path("gone.words") +
           ": No such file or directory\n"},
      {{}, "", "plinth-layout: no English.words in any folder: none is known\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = RunSuggest(c.args, c.input);
    EXPECT_EQ(run.status, kExitUnreadable) << c.err;
    EXPECT_EQ(run.err, c.err);
  }
}

// The installed program on standard input, with the bundled list beside it.
TEST(WordCommandsTest, TheProgramSuggestsFromTheBundledList) {
  FILE* pipe = popen("printf 'th\\nthe \\n' | " PLINTH_LAYOUT_TOOL " suggest -n 3", "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_TRUE(out.starts_with("the\tthat\tthis\n")) << out;
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2);
}

// A layout of a few letters, a capital on the Shift layer, a space and
// Enter, with two WORD buttons, one of them on the Ext layer.
constexpr std::string_view kLayout =
    "[Button1]\nType=KEY\nCaption=t\n"
    "[Button2]\nType=KEY\nCaption=h\n"
    "[Button3]\nType=KEY\nCaption=e\n"
    "[Button4]\nType=KEY\nCaption=n\n"
    "[Button5]\nType=KEY\nCaption=Spc\nKeyString=\" \"\n"
    "[Button6]\nType=VIRTUALKEY\nCaption=Enter\nKeyString=ENTER\n"
    "[Button7]\nType=ACTION\nHandler=DEFAULT\nAction=WORD\nParam1=1\n"
    "[Button8]\nType=VIRTUALKEY\nCaption=Bksp\nKeyString=BKSP\n"
    "[ShiftButton1]\nShifted=1\n"
    "[ExtButton9]\nType=ACTION\nHandler=DEFAULT\nAction=WORD\nParam1=2\n";

TEST(WordCommandsTest, ClicksCountsPanelsAndWordButtons) {
  const ScratchDir dir;
  dir.Write("English.words", "the\t100\nthen\t50\nten\t10\n");
  const std::string layout = dir.Write("Words.ini", std::string(kLayout));
  const std::string without_words =
      dir.Write("Plain.ini", std::string(kLayout.substr(0, kLayout.find("[Button7]"))) +
                                 "[ShiftButton1]\nShifted=1\n");
  const std::string text = dir.Write("text.txt", "The then\nthen the ten x\n");
  const LayoutSearch search{.user_folder = "", .keyboard_folder = dir.Path("")};

  ToolRun run = RunTool({"clicks", layout, text}, search);
  EXPECT_EQ(run.status, kExitClean) << run.err;
  // Without suggestions: 23 characters can be typed ("x" cannot), "T"
  // with a Shift click: 24 clicks. With them: "The" 1, "then" 1 and a
  // Backspace before Enter, Enter 1, "then" on the Ext layer 2, "the" 1,
  // "ten" 2, the last Enter 1: 10 clicks.
  EXPECT_EQ(run.out, text +
                         ": 24 characters, 1 of which this layout cannot type (not counted)\n"
                         "without suggestions: 1.043 clicks per character\n"
                         "with its suggestions: 0.435 clicks per character (5 words accepted)\n");
  run = RunTool({"clicks", without_words, text}, search);
  EXPECT_EQ(run.out, text +
                         ": 24 characters, 1 of which this layout cannot type (not counted)\n"
                         "without suggestions: 1.043 clicks per character\n"
                         "with its suggestions: the layout has no WORD buttons\n");
  run = RunTool({"clicks", layout}, search);
  EXPECT_EQ(run.status, kExitUnreadable);
  EXPECT_EQ(run.err, "plinth-layout: clicks takes a layout and a text file\n");
}

TEST(WordCommandsTest, ScanCountsStepsAndChoicesThroughThePanels) {
  const ScratchDir dir;
  dir.Write("English.words", "the\t100\nthen\t50\nten\t10\n");
  const std::string layout = dir.Write("Words.ini", std::string(kLayout));
  const std::string plain =
      dir.Write("Plain.ini", std::string(kLayout.substr(0, kLayout.find("[Button7]"))) +
                                 "[ShiftButton1]\nShifted=1\n");
  const std::string text = dir.Write("text.txt", "The then\nthen the ten x\n");
  const LayoutSearch search{.user_folder = "", .keyboard_folder = dir.Path("")};

  // Row 1 holds t h e n Space Enter, 0 to 5 steps; the middle row comes
  // next, its Shift panel 1 step away: "T" takes 1 step and 4 choices.
  // 50 steps and 48 choices for the 23 characters typed.
  ToolRun run = RunTool({"scan", plain, text}, search);
  EXPECT_EQ(run.status, kExitClean) << run.err;
  EXPECT_EQ(run.out, text +
                         ": 24 characters, 1 of which this layout cannot type (not counted)\n"
                         "without suggestions: 2.174 steps and 2.087 choices per character\n"
                         "with its suggestions: the layout has no WORD buttons\n");
  run = RunTool({"scan", layout, text}, search);
  EXPECT_EQ(run.status, kExitClean) << run.err;
  EXPECT_NE(run.out.find("with its suggestions: "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("words accepted)\n"), std::string::npos) << run.out;
  run = RunTool({"scan", layout}, search);
  EXPECT_EQ(run.err, "plinth-layout: scan takes a layout and a text file\n");
}

}  // namespace
}  // namespace plinth::layout_tool
