#include "platform/common/backend_choice.h"

#include <gtest/gtest.h>

namespace plinth::platform {
namespace {

struct OptionCase {
  std::vector<std::string> args;
  std::optional<BackendRequest> request;
  std::vector<std::string> left;
};

TEST(BackendChoiceTest, TakesTheWindowSystemOptionAndLeavesTheOthers) {
  const std::vector<OptionCase> cases{
      {{}, BackendRequest::Automatic, {}},
      {{"--new"}, BackendRequest::Automatic, {"--new"}},
      {{"--wayland"}, BackendRequest::Wayland, {}},
      {{"--x11"}, BackendRequest::X11, {}},
      {{"--x11", "--new"}, BackendRequest::X11, {"--new"}},
      {{"--new", "--wayland"}, BackendRequest::Wayland, {"--new"}},
      {{"--help", "--x11"}, BackendRequest::X11, {"--help"}},
      {{"--wayland", "--x11"}, std::nullopt, {}},
      {{"--x11", "--x11"}, std::nullopt, {}},
      {{"--X11"}, BackendRequest::Automatic, {"--X11"}},
      {{"-wayland"}, BackendRequest::Automatic, {"-wayland"}},
  };
  for (const OptionCase& c : cases) {
    std::vector<std::string> args = c.args;
    EXPECT_EQ(TakeBackendOption(args), c.request) << ::testing::PrintToString(c.args);
    if (c.request) {
      EXPECT_EQ(args, c.left) << ::testing::PrintToString(c.args);
    }
  }
}

struct SwitchCase {
  std::vector<std::string> args;
  SwitchOption option;
  std::vector<std::string> left;
};

TEST(BackendChoiceTest, TakesTheSwitchOptionWithItsWord) {
  const std::vector<SwitchCase> cases{
      {{}, SwitchOption::NotGiven, {}},
      {{"--new"}, SwitchOption::NotGiven, {"--new"}},
      {{"--switch", "choose"}, SwitchOption::Choose, {}},
      {{"--switch", "step"}, SwitchOption::Step, {}},
      {{"--wayland", "--switch", "step"}, SwitchOption::Step, {"--wayland"}},
      {{"--switch", "step", "--new"}, SwitchOption::Step, {"--new"}},
      {{"--switch"}, SwitchOption::Invalid, {}},
      {{"--switch", "Choose"}, SwitchOption::Invalid, {}},
      {{"--switch", "--new"}, SwitchOption::Invalid, {}},
      {{"--switch", "step", "--switch", "choose"}, SwitchOption::Invalid, {"--switch", "choose"}},
      {{"choose"}, SwitchOption::NotGiven, {"choose"}},
  };
  for (const SwitchCase& c : cases) {
    std::vector<std::string> args = c.args;
    EXPECT_EQ(TakeSwitchOption(args), c.option) << ::testing::PrintToString(c.args);
    if (c.option != SwitchOption::Invalid) {
      EXPECT_EQ(args, c.left) << ::testing::PrintToString(c.args);
    }
  }
}

TEST(BackendChoiceTest, MissingProtocolsAreNamedWithWhatHappensInstead) {
  const std::string fallback =
      MissingProtocolsMessage({"zwlr_layer_shell_v1", "zwp_virtual_keyboard_manager_v1"}, true);
  EXPECT_EQ(fallback.rfind("plinth: ", 0), 0u);
  EXPECT_NE(fallback.find("does not offer zwlr_layer_shell_v1, zwp_virtual_keyboard_manager_v1,"),
            std::string::npos)
      << fallback;
  EXPECT_NE(fallback.find("falls back to X11 (Xwayland), where only X11 applications receive "
                          "its keys."),
            std::string::npos)
      << fallback;

  const std::string forced = MissingProtocolsMessage({"zwlr_virtual_pointer_manager_v1"}, false);
  EXPECT_NE(forced.find("does not offer zwlr_virtual_pointer_manager_v1,"), std::string::npos);
  EXPECT_EQ(forced.find("X11"), std::string::npos) << forced;
}

}  // namespace
}  // namespace plinth::platform
