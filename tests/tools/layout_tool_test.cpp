// The command line: its exit status, its messages, and the built program.

#include "tools/layout_tool/layout_tool.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "tests/tools/tool_test_support.h"

namespace plinth::layout_tool {
namespace {

TEST(LayoutToolTest, ExitStatusTellsCleanFindingsAndUnreadable) {
  ScratchDir dir;
  const std::string clean = dir.Write("Clean.ini", "[Button1]\nCaption=1\n");
  const std::string broken = dir.Write("Broken.ini", "[Button1]\nCaptoin=1\n");
  const std::string missing = dir.Path("Missing.ini");

  ToolRun run = RunTool({"check", clean});
  EXPECT_EQ(run.status, kExitClean);
  EXPECT_EQ(run.out, "");

  run = RunTool({"check", broken});
  EXPECT_EQ(run.status, kExitFindings);
  EXPECT_NE(run.out.find(broken + ":2: unknown key \"Captoin\""), std::string::npos) << run.out;

  run = RunTool({"check", missing});
  EXPECT_EQ(run.status, kExitUnreadable);
  EXPECT_NE(run.err.find("cannot read " + missing), std::string::npos);

  // Every file is checked; the worst status wins.
  run = RunTool({"check", missing, broken, clean});
  EXPECT_EQ(run.status, kExitUnreadable);
  EXPECT_NE(run.out.find(broken + ":2:"), std::string::npos);
  EXPECT_EQ(RunTool({"check", clean, broken}).status, kExitFindings);
}

TEST(LayoutToolTest, ADirectoryOrAMissingFileCannotBeRead) {
  ScratchDir dir;
  const std::string folder = dir.Path("Folder.ini");
  std::filesystem::create_directory(folder);
  for (const std::string command : {"check", "dump"}) {
    const ToolRun run = RunTool({command, folder});
    EXPECT_EQ(run.status, kExitUnreadable) << command;
    EXPECT_NE(run.err.find("it is a directory"), std::string::npos);
    EXPECT_EQ(RunTool({command, dir.Path("none.ini")}).status, kExitUnreadable);
  }
}

TEST(LayoutToolTest, AWrongCommandLineShowsTheUsage) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"dump"}, {"check"}, {"dump", "a", "b"}, {"lint", "a"}}) {
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.status, kExitUnreadable);
    EXPECT_NE(run.err.find("Usage: plinth-layout"), std::string::npos);
  }
  // An unknown command is named before the usage.
  EXPECT_EQ(RunTool({"lint", "a"}).err.find("plinth-layout: unknown command \"lint\"\nUsage:"), 0U);
}

TEST(LayoutToolTest, AFileLargerThanAnyLayoutIsRefusedWithItsSize) {
  ScratchDir dir;
  const std::string huge = dir.Write("Huge.ini", "[Button1]\nCaption=a\n");
  std::filesystem::resize_file(huge, std::uint64_t{3} << 30U);  // sparse: no disk, no time
  for (const std::string command : {"check", "dump"}) {
    const ToolRun run = RunTool({command, huge});
    EXPECT_EQ(run.status, kExitUnreadable) << command;
    EXPECT_NE(run.err.find("cannot read " + huge + ": it is 3221225472 bytes, more than"),
              std::string::npos)
        << run.err;
  }
}

TEST(LayoutToolTest, HelpDescribesTheCommandsAndTheDumpFormat) {
  const ToolRun run = RunTool({"--help"});
  EXPECT_EQ(run.status, kExitClean);
  for (const char* part : {"check FILE...", "dump FILE", "Exit status", "Configuration:",
                           "ShiftButton7: Type=\"KEY\" Caption=\"A\" Shifted=1"}) {
    EXPECT_NE(run.out.find(part), std::string::npos) << part;
  }
}

TEST(LayoutToolTest, NamedLayoutsAreLookedUpAsTheKeyboardLooksThemUp) {
  ScratchDir user;
  ScratchDir keyboard;
  ScratchDir drafts;
  const LayoutSearch search{.user_folder = user.Path(""), .keyboard_folder = keyboard.Path("")};
  const std::string loads =
      "[Button1]\nType=Default\n"
      "[Button2]\nType=ACTION\nHandler=EXTEND\nAction=LOADINI\nParam1=Numpad\n"
      "[Button3]\nType=ACTION\nHandler=EXTEND\nAction=LOADINI\nParam1=Draft\n";
  const std::string mine = user.Write("Mine.ini", loads);
  const std::string draft = drafts.Write("Mine.ini", loads);
  keyboard.Write("Default.ini", "[Button1]\nCaption=bundled\n");
  keyboard.Write("Numpad.ini", "");
  drafts.Write("Draft.ini", "");

  // In the user's folder: Default.ini and Numpad.ini beside the keyboard.
  ToolRun run = RunTool({"check", mine}, search);
  EXPECT_EQ(run.out, mine + ":12: LOADINI of \"Draft\": there is no \"Draft.ini\" in " +
                         user.Path("") + ", " + keyboard.Path("") +
                         ", so a click shows \"Inifile not found -Draft\"\n");
  EXPECT_EQ(RunTool({"check", draft}, search).out, "");

  // The user's Default.ini comes first.
  user.Write("Default.ini", "[Button1]\nCaption=mine\n");
  run = RunTool({"dump", draft}, search);
  EXPECT_NE(run.out.find("Button1: Type=\"KEY\" Caption=\"mine\""), std::string::npos) << run.out;
}

TEST(LayoutToolTest, TheFoldersAreTheUsersThenTheFilesThenTheKeyboardsEachOnce) {
  const LayoutSearch search{.user_folder = "/home/ana/.config/plinth/",
                            .keyboard_folder = "/usr/lib/plinth/"};
  EXPECT_EQ(LayoutFoldersFor("/tmp/My.ini", search),
            (std::vector<std::string>{"/home/ana/.config/plinth/", "/tmp/", "/usr/lib/plinth/"}));
  EXPECT_EQ(LayoutFoldersFor("/home/ana/.config/plinth/My.ini", search),
            (std::vector<std::string>{"/home/ana/.config/plinth/", "/usr/lib/plinth/"}));
  EXPECT_EQ(LayoutFoldersFor("My.ini", {}), (std::vector<std::string>{""}));
}

// Runs the built program through the shell; returns its exit status.
int RunProgram(const std::string& arguments, std::string& out) {
  const std::string command = std::string(PLINTH_LAYOUT_TOOL) + " " + arguments + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  std::array<char, 256> buffer{};
  while (fgets(buffer.data(), buffer.size(), pipe) != nullptr) out += buffer.data();
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(LayoutToolTest, TheProgramReportsTheProjectVersionAndItsStatus) {
  std::string out;
  EXPECT_EQ(RunProgram("--version", out), 0);
  EXPECT_EQ(out, std::string("plinth-layout ") + PLINTH_PROJECT_VERSION + "\n");

  ScratchDir dir;
  const std::string broken = dir.Write("Broken.ini", "[Button1]\nType=KEYS\n");
  out.clear();
  EXPECT_EQ(RunProgram("check '" + broken + "'", out), kExitFindings);
  EXPECT_EQ(RunProgram("dump '" + dir.Path("missing.ini") + "'", out), kExitUnreadable);
}

}  // namespace
}  // namespace plinth::layout_tool
