#pragma once

// The stress tests' stage: a display of their own without a window manager,
// a recording client that holds the focus, and the keyboard beside it.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "tests/e2e/recorder_log.h"
#include "tests/e2e/x_server.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/x_session.h"

namespace plinth::stress {

template <class TestBase>
class RecordedKeyboard : public TestBase {
 protected:
  // Starts the recorder, waits until it has the focus, then starts the
  // keyboard with `default_layout` as Default.ini and waits for its window.
  void StartRecorderAndKeyboard(const char* default_layout) {
    recorder_ = std::make_unique<e2e::KeyRecorder>(
        KEY_RECORDER_PATH, std::map<std::string, std::string>{{"DISPLAY", session_.display_name()}},
        dir_.File("keys.log"), "560,60,400,300");
    ASSERT_TRUE(recorder_->WaitUntilReady()) << "the recorder did not get the focus";
    keyboard_ = std::make_unique<x11_test::KeyboardProgram>(
        session_, x11_test::LayoutFiles{{"Default", default_layout}, {"Extend", ""}});
    ASSERT_TRUE(keyboard_->WaitForWindow()) << keyboard_->StandardError();
  }

  x11_test::XSession session_{x11_test::WindowManager::Absent};
  e2e::TempDir dir_;
  std::unique_ptr<e2e::KeyRecorder> recorder_;
  std::unique_ptr<x11_test::KeyboardProgram> keyboard_;
};

}  // namespace plinth::stress
