// `dump`: the records exactly as the loader fills them, in a stable form.

#include "tools/layout_tool/layout_dump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/tools/tool_test_support.h"

namespace plinth::layout_tool {
namespace {

const std::string kData = PLINTH_TOOL_TEST_DATA;

TEST(LayoutDumpTest, MatchesTheGoldenOutput) {
  // Small.ini exercises inheritance, a "Default" cell from Default.ini beside
  // it, numbers, words, quoting, UTF-8 and the space bar's blank, kept in every layer.
  const ToolRun run = RunTool({"dump", kData + "/dump/Small.ini"});
  EXPECT_EQ(run.status, kExitClean);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, ReadWholeFile(kData + "/dump/Small.dump"));
}

// Every bundled and test layout fills the same tables as it did when each
// key was looked up in the file afresh with the inherited value as default
// (the dumps in data/dumps were made so), but for the blanks now kept.
TEST(LayoutDumpTest, EveryLayoutReadOnceGivesTheTablesItGaveBefore) {
  const std::string project = std::string(PLINTH_TOOL_TEST_DATA) + "/../../..";
  for (const std::string layout :
       {"layouts/Default", "layouts/Extend", "layouts/Numpad", "layouts/Words",
        "tests/tools/data/dump/Default", "tests/win32/e2e/layouts/Default",
        "tests/win32/e2e/layouts/Extend", "tests/win32/e2e/layouts/Second"}) {
    std::string golden = layout;
    std::replace(golden.begin(), golden.end(), '/', '_');
    const ToolRun run = RunTool({"dump", project + "/" + layout + ".ini"});
    EXPECT_EQ(run.status, kExitClean) << layout;
    EXPECT_EQ(run.out, ReadWholeFile(kData + "/dumps/" + golden + ".dump")) << layout;
  }
}

TEST(LayoutDumpTest, LeavesOutTemplateAndEmptyRecords) {
  ScratchDir dir;
  // No Default.ini: the "Default" cell becomes empty in every layer.
  const std::string path =
      dir.Write("Layout.ini", "[Button3]\nType=Default\n[Button4]\nType=KEY\n");
  const ToolRun run = RunTool({"dump", path});
  EXPECT_EQ(run.status, kExitClean);
  EXPECT_EQ(run.out, "Configuration: ShiftOperation=TOGGLE Shift2Operation=TOGGLE\n");
  EXPECT_NE(run.err.find("no Default.ini in "), std::string::npos);
}

TEST(LayoutDumpTest, QuotesTextUnambiguously) {
  EXPECT_EQ(QuotedText(""), "\"\"");
  EXPECT_EQ(QuotedText("a \"b\" \\c"), "\"a \\\"b\\\" \\\\c\"");
  EXPECT_EQ(QuotedText(std::string("\t\x01\x7F\0", 4)), "\"\\x09\\x01\\x7F\\x00\"");
  // Windows-1252 as UTF-8; its undefined bytes escaped.
  EXPECT_EQ(QuotedText("\xE9\x80\x81"), "\"\xC3\xA9\xE2\x82\xAC\\x81\"");
  EXPECT_EQ(ShortQuoted(std::string(50, 'x'), 3), "\"xxx\"...");
}

TEST(LayoutDumpTest, ShowsEveryFieldThatIsSet) {
  TButtonRec rec;
  rec.Type = "ACTION";
  rec.Caption = "c";
  rec.KeyString = "k";
  rec.IconFile = "i";
  rec.HomeButton = -1;
  rec.Shifted = true;
  rec.Control = true;
  rec.Shift = 2;
  rec.Handler = "h";
  rec.Action = "a";
  rec.Param[4] = "p5";
  rec.IntParam[0] = 7;
  EXPECT_EQ(RecordText(rec),
            "Type=\"ACTION\" Caption=\"c\" KeyString=\"k\" IconFile=\"i\" HomeButton=-1 "
            "Shifted=1 Control=1 Shift=CLEAR Handler=\"h\" Action=\"a\" Param5=\"p5\" "
            "IntParam1=7");
  EXPECT_EQ(RecordText(TButtonRec{}), "Type=\"\"");
}

}  // namespace
}  // namespace plinth::layout_tool
