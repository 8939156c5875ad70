#pragma once

// Runs the key recorder on a test's X server and reads what it wrote.

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace plinth::e2e {

using test_support::ChildOptions;
using test_support::ChildProcess;
using test_support::RunAndCapture;

// One KeyPress or KeyRelease the recorder received.
struct RecordedKey {
  bool press = false;
  std::string keysym;      // keysym name, as XLookupString gives it
  unsigned state = 0;      // modifier state before the event
  unsigned long time = 0;  // server timestamp, milliseconds
  unsigned keycode = 0;
};

// "+a", "-A shift", "+Delete ctrl+alt": direction, keysym name, and the
// Shift, Ctrl and Alt (Mod1) bits of the state.
std::string Summary(const RecordedKey& key);

class KeyRecorder {
 public:
  // Starts the recorder (path of the program) on `display_env`, writing to
  // `log_path`, with its window at x, y of the given size.
  KeyRecorder(const std::string& program, const std::map<std::string, std::string>& display_env,
              const std::string& log_path, const std::string& geometry = "0,0,400,300");

  // Waits until the recorder has its window mapped and the focus.
  bool WaitUntilReady(std::chrono::milliseconds timeout = std::chrono::seconds(10));
  // Waits until `count` key events have arrived in all.
  bool WaitForKeys(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(5));

  std::vector<std::string> Lines() const;
  std::vector<RecordedKey> Keys() const;
  // The summaries of the key events from `first` on.
  std::vector<std::string> Summaries(std::size_t first = 0) const;
  // True when the recorder lost the focus at some point (a grab aside).
  bool LostFocus() const;
  // The recorder's window id, from its "ready" line; 0 before.
  unsigned long Window() const;
  // The recorder's process, to pause it as a busy application.
  pid_t pid() const { return process_->pid(); }

 private:
  std::string log_path_;
  std::unique_ptr<ChildProcess> process_;
};

}  // namespace plinth::e2e
