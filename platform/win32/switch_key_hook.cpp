#include "platform/win32/switch_key_hook.h"

#include <array>

namespace plinth::platform::win32 {
namespace {

// A hook's procedure gets no pointer of ours: the one hook of the program
// keeps its keys and target here.
std::array<bool, 256> switch_keys{};
HWND target_window = nullptr;
UINT target_message = 0;

LRESULT CALLBACK KeyboardHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
    if (key->vkCode < switch_keys.size() && switch_keys[key->vkCode]) {
      const bool down = wparam == WM_KEYDOWN || wparam == WM_SYSKEYDOWN;
      PostMessageA(target_window, target_message, key->vkCode, down ? 1 : 0);
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

SwitchKeyHook::SwitchKeyHook(HWND target, UINT message) {
  target_window = target;
  target_message = message;
}

SwitchKeyHook::~SwitchKeyHook() { Set({}); }

bool SwitchKeyHook::Set(const std::vector<std::uint16_t>& codes) {
  switch_keys.fill(false);
  for (const std::uint16_t code : codes) {
    if (code < switch_keys.size()) switch_keys[code] = true;
  }
  if (codes.empty()) {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    return true;
  }
  if (hook_ == nullptr) {
    hook_ = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, GetModuleHandleA(nullptr), 0);
  }
  return hook_ != nullptr;
}

}  // namespace plinth::platform::win32
