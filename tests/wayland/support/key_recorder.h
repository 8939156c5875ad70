#pragma once

// The application being typed into: wev, a client that logs every event of
// the seat it gets, under sway as the one tiled window that has the focus;
// and what its log tells: the keys pressed with the modifiers in effect,
// the keyboard focus coming and going.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/wayland/support/sway_session.h"

namespace plinth::wayland_test {

// Modifier bits as every XKB keymap numbers its real modifiers.
inline constexpr std::uint32_t kShift = 1u << 0;
inline constexpr std::uint32_t kControl = 1u << 2;
inline constexpr std::uint32_t kAlt = 1u << 3;

struct KeyboardEvent {
  enum class Kind { Enter, Leave, Press, Release, Modifiers };
  Kind kind = Kind::Enter;
  std::string keysym{};         // Press, Release: the keysym's name
  std::string text{};           // Press: the text typed
  std::uint32_t modifiers = 0;  // Press: in effect; Modifiers: the new state
};

// The events of a wev log, in order.
std::vector<KeyboardEvent> ParseWevLog(const std::string& log);

// The text the key presses typed.
std::string TypedText(const std::vector<KeyboardEvent>& events);
// The key presses, each as its keysym name with the modifiers in effect,
// such as "A+Shift" or "v+Control".
std::vector<std::string> PressesWithModifiers(const std::vector<KeyboardEvent>& events);

class KeyRecorder {
 public:
  // Opens a window of its own, logged under `name` in the session's
  // runtime directory.
  explicit KeyRecorder(const SwaySession& session, const std::string& name = "wev");
  ~KeyRecorder();
  KeyRecorder(const KeyRecorder&) = delete;
  KeyRecorder& operator=(const KeyRecorder&) = delete;

  // Waits until the recorder has the keyboard focus.
  bool WaitForFocus(std::chrono::milliseconds timeout = std::chrono::milliseconds(10000)) const;
  // Waits until the key presses typed `text`; returns what they typed.
  std::string WaitForText(const std::string& text, std::chrono::milliseconds timeout =
                                                       std::chrono::milliseconds(5000)) const;
  std::vector<KeyboardEvent> Events() const;
  std::string Log() const;

 private:
  std::filesystem::path log_;
  std::unique_ptr<test_support::ChildProcess> process_;
};

}  // namespace plinth::wayland_test
