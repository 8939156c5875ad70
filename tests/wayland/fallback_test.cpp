// On a Wayland compositor that lacks the protocols an on-screen keyboard
// needs (as GNOME's and KDE's do today), Plinth names them and starts on
// X11, where only X11 applications receive its keys; told to use Wayland
// there, it ends. Told to use X11 without an X display, it ends as the X11
// program always has.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include "tests/support/child_process.h"
#include "tests/wayland/support/wayland_keyboard.h"
#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/temp_directory.h"
#include "tests/x11/support/x_session.h"

namespace plinth::wayland_test {
namespace {

using namespace std::chrono_literals;
using test_support::ChildOptions;
using test_support::ChildProcess;

using x11_test::ReadFile;

constexpr const char* kProtocols[] = {"zwlr_layer_shell_v1", "zwp_virtual_keyboard_manager_v1",
                                      "zwlr_virtual_pointer_manager_v1"};

// A compositor offering none of the three protocols, in a runtime
// directory of its own.
class BareCompositor {
 public:
  BareCompositor() : runtime_(x11_test::MakeTempDirectory("plinth-bare-")) {
    ChildOptions options;
    options.argv = {PLINTH_BARE_COMPOSITOR};
    options.env = {{"XDG_RUNTIME_DIR", runtime_.string()}};
    options.stdout_path = (runtime_ / "socket.txt").string();
    process_ = std::make_unique<ChildProcess>(options);
    x11_test::WaitUntil([this] {
      socket_ = ReadFile(runtime_ / "socket.txt");
      if (!socket_.empty() && socket_.back() == '\n') socket_.pop_back();
      return !socket_.empty() && std::filesystem::exists(runtime_ / socket_);
    });
  }
  ~BareCompositor() {
    process_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(runtime_, ignored);
  }
  BareCompositor(const BareCompositor&) = delete;
  BareCompositor& operator=(const BareCompositor&) = delete;

  bool up() const { return !socket_.empty(); }
  std::map<std::string, std::string> Environment() const {
    return {{"XDG_RUNTIME_DIR", runtime_.string()}, {"WAYLAND_DISPLAY", socket_}};
  }

 private:
  std::filesystem::path runtime_;
  std::string socket_;
  std::unique_ptr<ChildProcess> process_;
};

TEST(WaylandFallbackTest, CompositorWithoutTheProtocolsIsNamedAndTheKeyboardStartsOnX11) {
  BareCompositor compositor;
  ASSERT_TRUE(compositor.up());
  x11_test::XSession x(x11_test::WindowManager::Absent);
  x11_test::KeyboardProgram keyboard(x,
                                     {{"Default", x11_test::KeyLayout({{1, "a"}})}, {"Extend", ""}},
                                     {.env = compositor.Environment()});
  const auto window = keyboard.WaitForWindow();
  EXPECT_TRUE(window.has_value()) << keyboard.StandardError();
  const std::string errors = keyboard.StandardError();
  for (const char* protocol : kProtocols) EXPECT_NE(errors.find(protocol), std::string::npos);
  EXPECT_NE(errors.find("falls back to X11"), std::string::npos) << errors;
  EXPECT_NE(errors.find("only X11 applications receive its keys"), std::string::npos) << errors;
}

TEST(WaylandFallbackTest, WaylandForcedOnACompositorWithoutTheProtocolsEnds) {
  BareCompositor compositor;
  ASSERT_TRUE(compositor.up());
  auto env = compositor.Environment();
  env["DISPLAY"] = "";
  int status = -1;
  const std::string errors = RunPlinth({"--wayland"}, env, &status);
  EXPECT_EQ(status, 1);
  for (const char* protocol : kProtocols) EXPECT_NE(errors.find(protocol), std::string::npos);
  EXPECT_EQ(errors.find("falls back"), std::string::npos) << errors;
}

TEST(WaylandFallbackTest, X11ForcedWithoutAnXDisplayEndsAsTheX11ProgramDoes) {
  BareCompositor compositor;
  ASSERT_TRUE(compositor.up());
  auto env = compositor.Environment();
  env["DISPLAY"] = ":1999";
  int status = -1;
  const std::string errors = RunPlinth({"--x11"}, env, &status);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(errors,
            "plinth: cannot open the X display \":1999\"; Plinth needs a running X server.\n");
}

TEST(WaylandFallbackTest, BothWindowSystemsForcedIsAUsageError) {
  int status = -1;
  const std::string errors = RunPlinth({"--wayland", "--x11"}, {{"DISPLAY", ""}}, &status);
  EXPECT_EQ(status, 2);
  EXPECT_NE(errors.find("Usage: plinth"), std::string::npos) << errors;
}

}  // namespace
}  // namespace plinth::wayland_test
