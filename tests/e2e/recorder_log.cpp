#include "tests/e2e/recorder_log.h"

#include <X11/X.h>

#include <cstdio>
#include <fstream>

#include "tests/e2e/x_server.h"

namespace plinth::e2e {

std::string Summary(const RecordedKey& key) {
  std::string text = (key.press ? "+" : "-") + key.keysym;
  std::string modifiers;
  const auto add = [&](unsigned mask, const char* name) {
    if ((key.state & mask) == 0) return;
    modifiers += modifiers.empty() ? " " : "+";
    modifiers += name;
  };
  add(ShiftMask, "shift");
  add(ControlMask, "ctrl");
  add(Mod1Mask, "alt");
  return text + modifiers;
}

KeyRecorder::KeyRecorder(const std::string& program,
                         const std::map<std::string, std::string>& display_env,
                         const std::string& log_path, const std::string& geometry)
    : log_path_(log_path),
      process_(std::make_unique<ChildProcess>(ChildOptions{
          .argv = {program, "--output", log_path, "--geometry", geometry}, .env = display_env})) {}

std::vector<std::string> KeyRecorder::Lines() const {
  std::vector<std::string> lines;
  std::ifstream file(log_path_);
  std::string line;
  // A line is complete once its newline is there: the recorder may be
  // writing the last one.
  while (std::getline(file, line) && !file.eof()) lines.push_back(line);
  return lines;
}

std::vector<RecordedKey> KeyRecorder::Keys() const {
  std::vector<RecordedKey> keys;
  for (const std::string& line : Lines()) {
    char direction[16] = {};
    char keysym[128] = {};
    RecordedKey key;
    if (std::sscanf(line.c_str(), "%15s %127s state=0x%x time=%lu keycode=%u", direction, keysym,
                    &key.state, &key.time, &key.keycode) != 5) {
      continue;
    }
    const std::string kind = direction;
    if (kind != "press" && kind != "release") continue;
    key.press = kind == "press";
    key.keysym = keysym;
    keys.push_back(key);
  }
  return keys;
}

std::vector<std::string> KeyRecorder::Summaries(std::size_t first) const {
  std::vector<std::string> summaries;
  const std::vector<RecordedKey> keys = Keys();
  for (std::size_t i = first; i < keys.size(); ++i) summaries.push_back(Summary(keys[i]));
  return summaries;
}

bool KeyRecorder::WaitUntilReady(std::chrono::milliseconds timeout) {
  return WaitUntil([this] { return Window() != 0; }, timeout);
}

bool KeyRecorder::WaitForKeys(std::size_t count, std::chrono::milliseconds timeout) {
  return WaitUntil([&] { return Keys().size() >= count; }, timeout);
}

bool KeyRecorder::LostFocus() const {
  for (const std::string& line : Lines()) {
    if (line.starts_with("focus-out mode=normal") || line.starts_with("focus-out mode=while")) {
      return true;
    }
  }
  return false;
}

unsigned long KeyRecorder::Window() const {
  for (const std::string& line : Lines()) {
    unsigned long window = 0;
    if (std::sscanf(line.c_str(), "ready window=0x%lx", &window) == 1) return window;
  }
  return 0;
}

}  // namespace plinth::e2e
