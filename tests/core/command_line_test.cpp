#include "src/keyboard/command_line.h"

#include <gtest/gtest.h>

namespace plinth {
namespace {

TEST(CommandLineTest, EachArgumentAsksForOneThing) {
  using Args = std::vector<std::string>;
  const struct {
    Args args;
    StartRequest request;
  } cases[] = {
      {{}, StartRequest::Keyboard},
      {{"--new"}, StartRequest::NewKeyboard},
      {{"--help"}, StartRequest::Help},
      {{"-h"}, StartRequest::Help},
      {{"--version"}, StartRequest::Version},
      {{"--verbose"}, StartRequest::Usage},
      {{"Default.ini"}, StartRequest::Usage},
      {{""}, StartRequest::Usage},
      {{"--NEW"}, StartRequest::Usage},
      {{"--new", "--new"}, StartRequest::Usage},
      {{"--help", "--version"}, StartRequest::Usage},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseCommandLine(c.args), c.request)
        << (c.args.empty() ? "(none)" : c.args.front()) << " and " << c.args.size() - 1 << " more";
  }
}

TEST(CommandLineTest, TheUsageNamesTheFoldersInOrderAndTheAutostartFile) {
  const std::string text =
      UsageText({"/home/ana/.config/plinth/", "/usr/lib/plinth/"},
                "/usr/share/plinth/plinth-autostart.desktop", WindowSystems::One);
  EXPECT_EQ(text.rfind("Usage: plinth", 0), 0u);
  const std::size_t user = text.find("\n  /home/ana/.config/plinth/\n");
  const std::size_t program = text.find("\n  /usr/lib/plinth/\n");
  ASSERT_NE(user, std::string::npos) << text;
  ASSERT_NE(program, std::string::npos) << text;
  EXPECT_LT(user, program);
  EXPECT_NE(text.find("cp /usr/share/plinth/plinth-autostart.desktop ~/.config/autostart/"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("--new"), std::string::npos);
}

TEST(CommandLineTest, TheWindowSystemOptionsAreNamedWhereThereIsAChoice) {
  for (const WindowSystems systems : {WindowSystems::One, WindowSystems::WaylandOrX11}) {
    const std::string text = UsageText({"/usr/lib/plinth/"}, "plinth-autostart.desktop", systems);
    const bool named = systems == WindowSystems::WaylandOrX11;
    EXPECT_EQ(text.find("\n  --wayland ") != std::string::npos, named) << text;
    EXPECT_EQ(text.find("\n  --x11 ") != std::string::npos, named) << text;
    EXPECT_EQ(text.find("\n  --switch choose | step\n") != std::string::npos, named) << text;
    EXPECT_EQ(text.rfind("Usage: plinth [--new] [--wayland | --x11]\n", 0) == 0, named) << text;
  }
}

}  // namespace
}  // namespace plinth
