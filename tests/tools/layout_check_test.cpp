// `check` on broken layout files: every kind of finding, with its line, and
// nothing reported for what the loader reads as meant.

#include "tools/layout_tool/layout_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tools/tool_test_support.h"

namespace plinth::layout_tool {
namespace {

struct Expected {
  int line;
  std::string part;  // a part of the message
};

// A Default.ini beside the checked file, for the "Default" cells.
constexpr std::string_view kDefaultLayout =
    "[Button7]\nType=VIRTUALKEY\nKeyString=FOO\n"
    "[Button8]\nCaption=b\n";

class LayoutCheckTest : public ::testing::Test {
 protected:
  std::vector<Finding> Check(const std::string& text, const std::string& name = "Test.ini") {
    return CheckLayout(text, dir_.Write(name, text));
  }

  void ExpectFindings(const std::string& text, const std::vector<Expected>& expected,
                      const std::string& name = "Test.ini") {
    const std::vector<Finding> found = Check(text, name);
    std::string all;
    for (const Finding& f : found) all += std::to_string(f.line) + ": " + f.message + "\n";
    SCOPED_TRACE("findings:\n" + all);
    ASSERT_EQ(found.size(), expected.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
      EXPECT_EQ(found[i].line, expected[i].line);
      EXPECT_NE(found[i].message.find(expected[i].part), std::string::npos)
          << "expected \"" << expected[i].part << "\" in: " << found[i].message;
    }
  }

  ScratchDir dir_;
};

TEST_F(LayoutCheckTest, ACleanFileHasNoFindings) {
  dir_.Write("Default.ini", std::string(kDefaultLayout));
  dir_.Write("Other.ini", "");
  ExpectFindings(
      "; comment\n"
      "[Configuration]\nShiftOperation=latch\nShift2Operation=TOGGLE\n\n"
      "[Button1]\ntype=key\ncaption=a\n"
      "[ShiftButton1]\nShifted=1\n"
      "[ExtShiftButton1]\nShifted=$FF\n"
      "[Button2]\nType=VIRTUALKEY\nKeyString=enter\nControl=0x0\nHomeButton=-1\n"
      "[Button3]\nType=ACTION\nHandler=extend\nAction=loadini\nParam1=Other\n"
      "[Button4]\nType=ACTION\nHandler=DEFAULT\nAction=MOVE\nParam1=bottom\nParam2=Right\n"
      "[Button5]\nType=Default\n"
      "[Button6]\nType=\nCaption=blank\n"
      "[Button9]\nType=KEY\nCaption=Copy\nKeyString=c\nAction=CTRL\n",
      {});
}

TEST_F(LayoutCheckTest, ReportsLinesTheReaderDrops) {
  ExpectFindings(
      "orphan=1\n"
      "[Button1]\n"
      "Caption=1\n"
      "just words\n"
      "=no key\n"
      "[Button2] Caption=x\n"
      "Type=\n"
      "[Button3] ; a comment is fine\n"
      "Type=\n",
      {{1, "before the first section"},
       {4, "neither a [section]"},
       {5, "no key name"},
       {6, "text after the ']' is ignored"}});
}

TEST_F(LayoutCheckTest, NamesTheMissingBracketOfASectionName) {
  ExpectFindings(
      "[Button4]\nCaption=1\n[Button5\nCaption=2\n",
      {{3, "\"[Button5\" lacks the closing ']'"}, {4, "key \"Caption\" repeats line 2"}});
}

// The keyboard reads such a character as '?' ("??" beyond 16 bits), on its
// button and in what it types.
TEST_F(LayoutCheckTest, ReportsCharactersWindows1252CannotHold) {
  ExpectFindings(
      "[Button1]\nCaption=\xC5\x91\n[Button2]\nCaption=x\nKeyString=\xF0\x9F\x98\x80\n"
      "[Button3]\nCaption=\xC3\xA9\n",
      {{2, "\"\xC5\x91\" (U+0151) cannot be written in Windows-1252: the button shows \"?\""},
       {5, "(U+1F600) cannot be written in Windows-1252: KeyString is \"??\""},
       {5, "a KEY types only the first character of \"??\", \"?\""}});
  std::string utf16 = "\xFF\xFE";
  for (const char16_t unit : std::u16string_view(u"[Button1]\nCaption=\u6F22\n")) {
    utf16 += {static_cast<char>(unit & 0xFFU), static_cast<char>(unit >> 8U)};
  }
  ExpectFindings(utf16, {{2, "\"\xE6\xBC\xA2\" (U+6F22) cannot be written"}});
}

TEST_F(LayoutCheckTest, ReportsUnknownSectionsAndTheCentreCell) {
  ExpectFindings(
      "[Buton7]\nCaption=x\n[Button07]\n[Button50]\n[ExtShiftButton25]\n[button49]\nType=\n",
      {{1, "unknown section \"[Buton7]\""},
       {3, "unknown section"},
       {4, "unknown section"},
       {5, "cell 25 holds the two shift panels"}});
}

TEST_F(LayoutCheckTest, ReportsCaptionsTheButtonCannotShowWhole) {
  ExpectFindings(
      "[Button1]\nType=ACTION\nHandler=DEFAULT\nAction=CAPSLOCK\nCaption=Caps Lock\n"
      "[ShiftButton1]\nType=ACTION\nHandler=DEFAULT\nAction=CAPSLOCK\nCaption=Enter\n",
      {{5,
        "Button1 Caption \"Caps Lock\" cannot be shown whole at 100%: the button shows "
        "\"Caps\xE2\x80\xA6\""}});
}

TEST_F(LayoutCheckTest, ReportsRepeatsOnceEach) {
  ExpectFindings(
      "[Button1]\nCaption=1\ncaption=2\n"
      "[Button2]\nCaption=3\n"
      "[BUTTON1]\nCaption=ignored\nBogus=also ignored\n",
      {{3, "key \"caption\" repeats line 2"}, {6, "repeats the one at line 1"}});
}

TEST_F(LayoutCheckTest, ReportsUnknownKeys) {
  ExpectFindings(
      "[Configuration]\nShiftOperations=LATCH\nShift2Operation=LATCHED\nShiftOperation=\n"
      "Scale=big\n"
      "[Button1]\nType=\nCaptoin=a\nParam6=x\nIntParam0=1\n",
      {{2, "unknown key \"ShiftOperations\" in [Configuration]"},
       {3, "\"LATCHED\": only LATCH"},
       {4, "\"\": only LATCH"},
       {5, "Scale is \"big\": not a percentage"},
       {8, "unknown key \"Captoin\""},
       {9, "unknown key \"Param6\""},
       {10, "unknown key \"IntParam0\""}});
}

TEST_F(LayoutCheckTest, ReportsNumbersAndWordsTheLoaderCannotRead) {
  ExpectFindings(
      "[Button1]\nCaption=1\n"
      "HomeButton=12abc\nIntParam1=2147483648\nIntParam2=0x100000000\nShifted=yes\n"
      "Control=\nShift=on\nIntParam3= -0x10\nIntParam4=-2147483648\n",
      {{3, "\"12abc\", not a 32-bit number"},
       {4, "not a 32-bit number"},
       {5, "not a 32-bit number"},
       {6,
        "\"yes\", not a 32-bit number (decimal, or hexadecimal after $, x or 0x), so it is false"},
       {7, "\"Control\" has an empty value, so it is false"},
       {8, "only SET and CLEAR"}});
}

TEST_F(LayoutCheckTest, ReportsValuesTheReaderCuts) {
  const std::string long_value(100000, 'x');
  ExpectFindings("[Button1]\nCaption=1\nIconFile=" + long_value + "\n" +
                     std::string("Param1=a\0b\n", 11) + "Param2=" + std::string(2047, 'y') + "\n",
                 {{3, "is 100000 characters long: the loader keeps only the first 2047"},
                  {4, "ends at a NUL byte"}});
}

TEST_F(LayoutCheckTest, ReportsUnknownTypeWords) {
  ExpectFindings("[Button1]\nType=KEYS\n[Button2]\nType=default\n[Button3]\nType=\"KEY \"\n",
                 {{2, "unknown Type \"KEYS\""},
                  {4, "only \"Default\", in exactly this letter case"},
                  {6, "unknown Type \"KEY \""}});
}

TEST_F(LayoutCheckTest, ReportsWhatTheDefaultRuleIgnoresOrReplaces) {
  dir_.Write("Default.ini", std::string(kDefaultLayout));
  ExpectFindings(
      "[Button7]\nCaption=mine\n"
      "[ShiftButton7]\nType=Default\nCaption=ignored\n"
      "[Button8]\nType=Default\n",
      {{4, "also replaces [Button7] of line 1"},
       {5, "\"Caption\" is ignored"},
       {7, "ShiftButton8 shows \"B\" but types \"b\""},
       {7, "ExtShiftButton8 shows \"B\""}});
}

TEST_F(LayoutCheckTest, ReportsDefaultCellsWithoutDefaultLayout) {
  ExpectFindings("[Button1]\nType=Default\n", {{2, "no Default.ini in " + dir_.Path("")}});
  ExpectFindings("[Button1]\nType=Default\n", {{2, "in Default.ini itself"}}, "Default.ini");
}

TEST_F(LayoutCheckTest, ReportsActionsThatDoNothingOrFail) {
  ExpectFindings(
      "[Button1]\nType=ACTION\nHandler=DEFALUT\nAction=MOVE\n"
      "[Button2]\nType=ACTION\nAction=MOVE\n"
      "[Button3]\nType=ACTION\nHandler=DEFAULT\nAction=TERMINATE\n"
      "[Button4]\nType=ACTION\nHandler=EXTEND\n"
      "[Button5]\nType=ACTION\nHandler=DEFAULT\nAction=MOVE\nParam1=TOOP\nParam2=LFET\n"
      "[Button6]\nType=ACTION\nHandler=EXTEND\nAction=LOADINI\nParam1=Missing\n"
      "[Button8]\nType=ACTION\nHandler=EXTEND\nAction=LOADINI\n"
      "[Button9]\nType=ACTION\nHandler=DEFAULT\nAction=MOVE\nParam1=pointer\nParam2=anything\n"
      "[Button10]\nType=ACTION\nHandler=DEFAULT\nAction=WORD\nParam1=9\n"
      "[Button11]\nType=ACTION\nHandler=DEFAULT\nAction=word\nParam1=8\n",
      {{3, "unknown Handler \"DEFALUT\""},
       {6, "an ACTION without a Handler does nothing"},
       {11, "\"n/a default action: TERMINATE\" (TERMINATE belongs to Handler=EXTEND)"},
       {14, "\"n/a extend action: \""},
       {19, "MOVE with Param1 \"TOOP\""},
       {20, "MOVE with Param2 \"LFET\""},
       {25, "\"Inifile not found -Missing\""},
       {29, "LOADINI without Param1 does nothing"},
       {40, "WORD with Param1 \"9\", not a number from 1 to 8"}});
}

TEST_F(LayoutCheckTest, ReportsKeyNamesNotInTheKeyTable) {
  ExpectFindings(
      "[Button1]\nType=VIRTUALKEY\nKeyString=ENTR\n"
      "[Button2]\nType=CURSORKEY\nCaption=a\n"
      "[Button3]\nType=VIRTUALKEY\n"
      "[Button4]\nType=CURSORKEY\nKeyString=LEFT\nShifted=1\n"
      "[Button5]\nType=VIRTUALKEY\nCaption=Enter\nKeyString=enter\n",
      {{3, "\"ENTR\" is not a key name: a click shows \"Invalid Vkey ENTR\""},
       {6, "(a single character is a KEY button)"},
       {8, "without KeyString or Caption"},
       {12, "Shifted has no effect on a CURSORKEY"}});
}

TEST_F(LayoutCheckTest, ReportsAnInheritedProblemOnceAtItsLine) {
  // Every layer inherits the bad name; the one line that sets it is
  // reported once, and nothing is reported where a layer replaces it.
  ExpectFindings("[Button1]\nType=VIRTUALKEY\nKeyString=NOPE\n[ExtButton1]\nKeyString=F1\n",
                 {{3, "\"NOPE\" is not a key name"}});
}

TEST_F(LayoutCheckTest, ReportsCharacterKeysThatTypeSomethingElse) {
  ExpectFindings(
      "[Button1]\nCaption=Tab\n"
      "[Button2]\nType=KEY\n"
      "[Button3]\nCaption=q\n"
      "[ShiftButton3]\nShifted=1\n"
      "[Button4]\nCaption=Z\nShifted=1\n",
      {{2, "only the first character of \"Tab\", \"T\" (TAB is a key name for a VIRTUALKEY)"},
       {3, "[Button2] is a KEY without KeyString or Caption"},
       {6, "ExtShiftButton3 shows \"Q\" but types \"q\""},
       {10, "ExtShiftButton4 shows \"Z\" but types \"z\""},
       {11, "ShiftButton4 sends the same key without Shift"},
       {11, "ExtButton4 sends the same key without Shift"}});
}

// The layers above take a text over exactly, trailing blanks and all.
TEST_F(LayoutCheckTest, InheritedTextsNeedNoRepeating) {
  ExpectFindings("[Button1]\nCaption=Spc\nKeyString=\" \"\n", {});
}

TEST_F(LayoutCheckTest, LeavesProblemsOfDefaultLayoutToItsOwnCheck) {
  dir_.Write("Default.ini", std::string(kDefaultLayout));
  // Button7 of Default.ini holds a bad key name; Button8 a small letter
  // whose Shift layer, taken afresh, shows "B" but types "b" - a problem
  // this file brings in by its Type=Default line.
  ExpectFindings(
      "[Button7]\nType=Default\n[Button8]\nType=Default\n",
      {{4, "ShiftButton8 shows \"B\" but types \"b\""}, {4, "ExtShiftButton8 shows \"B\""}});
}

}  // namespace
}  // namespace plinth::layout_tool
