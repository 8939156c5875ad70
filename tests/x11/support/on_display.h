#pragma once

// A test on a display of its own, run once without a window manager and
// once under openbox.

#include <gtest/gtest.h>

#include <string>

#include "platform/x11/frame_extents.h"
#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/x_session.h"

namespace plinth::x11_test {

class OnDisplay : public ::testing::TestWithParam<WindowManager> {
 protected:
  OnDisplay() : session(GetParam()) {}
  Display* display() const { return session.display(); }
  bool has_window_manager() const { return GetParam() != WindowManager::Absent; }

  // The frame the window manager put around `window`, once it says so; no
  // frame without a window manager.
  platform::x11::FrameExtents Frame(Window window) const {
    if (!has_window_manager()) return {};
    platform::x11::FrameExtents frame;
    EXPECT_TRUE(WaitUntil([&] {
      const auto reported = platform::x11::ReadFrameExtents(display(), window);
      if (reported) frame = *reported;
      return reported.has_value();
    }));
    return frame;
  }

  XSession session;
};

inline std::string WindowManagerName(const ::testing::TestParamInfo<WindowManager>& info) {
  return info.param == WindowManager::Absent ? "NoWindowManager" : "Openbox";
}

#define PLINTH_ON_EVERY_DISPLAY(suite)                                                    \
  INSTANTIATE_TEST_SUITE_P(Displays, suite,                                               \
                           ::testing::Values(::plinth::x11_test::WindowManager::Absent,   \
                                             ::plinth::x11_test::WindowManager::Openbox), \
                           ::plinth::x11_test::WindowManagerName)

}  // namespace plinth::x11_test
