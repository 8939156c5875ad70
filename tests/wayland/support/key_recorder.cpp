#include "tests/wayland/support/key_recorder.h"

#include <fstream>
#include <regex>
#include <sstream>

#include "tests/x11/support/display_tools.h"

namespace plinth::wayland_test {
namespace {

using Kind = KeyboardEvent::Kind;

}  // namespace

std::vector<KeyboardEvent> ParseWevLog(const std::string& log) {
  // "[14:     wl_keyboard] key: serial: 88; time: 1; key: 42; state: 1 (pressed)"
  // followed by "sym: a            (97), utf8: 'a'";
  // "[14:     wl_keyboard] modifiers: ..." followed by "depressed: 00000001: Shift".
  static const std::regex kKeyboardLine(R"(^\[\d+:\s+wl_keyboard\] (\w+):(.*)$)");
  static const std::regex kSym(R"(^\s+sym: (\S+)\s+\(\d+\), utf8: '(.*)'$)");
  static const std::regex kDepressed(R"(^\s+depressed: ([0-9a-fA-F]{8}))");
  std::vector<KeyboardEvent> events;
  std::uint32_t modifiers = 0;
  std::istringstream lines(log);
  std::string line;
  std::smatch match;
  Kind pending = Kind::Enter;
  bool awaiting = false;  // a key or modifiers line whose detail follows
  while (std::getline(lines, line)) {
    if (std::regex_match(line, match, kKeyboardLine)) {
      awaiting = false;
      const std::string what = match[1];
      if (what == "enter") {
        events.push_back({.kind = Kind::Enter});
      } else if (what == "leave") {
        events.push_back({.kind = Kind::Leave});
      } else if (what == "key") {
        pending =
            match[2].str().find("(pressed)") != std::string::npos ? Kind::Press : Kind::Release;
        awaiting = true;
      } else if (what == "modifiers") {
        pending = Kind::Modifiers;
        awaiting = true;
      }
      continue;
    }
    if (!awaiting) continue;
    if (pending == Kind::Modifiers && std::regex_search(line, match, kDepressed)) {
      modifiers = static_cast<std::uint32_t>(std::stoul(match[1], nullptr, 16));
      events.push_back({.kind = Kind::Modifiers, .modifiers = modifiers});
      awaiting = false;
    } else if (pending != Kind::Modifiers && std::regex_match(line, match, kSym)) {
      events.push_back({.kind = pending,
                        .keysym = match[1],
                        .text = pending == Kind::Press ? match[2].str() : std::string(),
                        .modifiers = modifiers});
      awaiting = false;
    }
  }
  return events;
}

std::string TypedText(const std::vector<KeyboardEvent>& events) {
  std::string text;
  for (const KeyboardEvent& event : events) {
    if (event.kind == Kind::Press) text += event.text;
  }
  return text;
}

std::vector<std::string> PressesWithModifiers(const std::vector<KeyboardEvent>& events) {
  std::vector<std::string> presses;
  for (const KeyboardEvent& event : events) {
    if (event.kind != Kind::Press) continue;
    std::string press = event.keysym;
    if ((event.modifiers & kShift) != 0) press += "+Shift";
    if ((event.modifiers & kControl) != 0) press += "+Control";
    if ((event.modifiers & kAlt) != 0) press += "+Alt";
    presses.push_back(press);
  }
  return presses;
}

KeyRecorder::KeyRecorder(const SwaySession& session, const std::string& name)
    : log_(session.runtime_directory() / (name + ".log")) {
  test_support::ChildOptions options;
  // Line by line: the test reads the log while wev runs.
  options.argv = {"stdbuf", "-oL", "wev"};
  options.env = session.ClientEnvironment();
  options.stdout_path = log_.string();
  process_ = std::make_unique<test_support::ChildProcess>(options);
}

// wev does not end when the compositor does: it is stopped by its PID.
KeyRecorder::~KeyRecorder() = default;

std::string KeyRecorder::Log() const {
  std::ifstream in(log_, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<KeyboardEvent> KeyRecorder::Events() const { return ParseWevLog(Log()); }

bool KeyRecorder::WaitForFocus(std::chrono::milliseconds timeout) const {
  return x11_test::WaitUntil(
      [this] {
        const auto events = Events();
        for (auto event = events.rbegin(); event != events.rend(); ++event) {
          if (event->kind == Kind::Enter) return true;
          if (event->kind == Kind::Leave) return false;
        }
        return false;
      },
      timeout);
}

std::string KeyRecorder::WaitForText(const std::string& text,
                                     std::chrono::milliseconds timeout) const {
  std::string typed;
  x11_test::WaitUntil([&] { return (typed = TypedText(Events())) == text; }, timeout);
  return typed;
}

}  // namespace plinth::wayland_test
