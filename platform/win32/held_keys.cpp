#include "platform/win32/held_keys.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {
namespace {

// How long key-ups may take to show in the key state.
constexpr std::chrono::milliseconds kReleaseTimeout{100};

bool IsDown(int code) { return (GetAsyncKeyState(code) & 0x8000) != 0; }

bool IsMouseButton(int code) {
  return code == VK_LBUTTON || code == VK_RBUTTON || code == VK_MBUTTON || code == VK_XBUTTON1 ||
         code == VK_XBUTTON2;
}

// Shift, Ctrl and Alt for either hand: held, they are the left or right key.
bool IsEitherHandModifier(int code) {
  return code == VK_SHIFT || code == VK_CONTROL || code == VK_MENU;
}

// The scan code of `code` with the extended-key prefix in its high byte.
UINT ScanCodeOf(int code) { return MapVirtualKeyA(static_cast<UINT>(code), MAPVK_VK_TO_VSC_EX); }

bool IsExtended(UINT scan) { return (scan & 0xFF00u) == 0xE000u || (scan & 0xFF00u) == 0xE100u; }

std::string NameOf(int code) {
  switch (code) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      return "Shift";
    case VK_LCONTROL:
    case VK_RCONTROL:
      return "Ctrl";
    case VK_LMENU:
    case VK_RMENU:
      return "Alt";
    default:
      break;
  }
  const UINT scan = ScanCodeOf(code);
  std::array<char, 64> name{};
  const LONG key = static_cast<LONG>(((scan & 0xFFu) << 16) | (IsExtended(scan) ? 1u << 24 : 0u));
  if (scan != 0 && GetKeyNameTextA(key, name.data(), static_cast<int>(name.size())) > 0) {
    return name.data();
  }
  std::array<char, 24> fallback{};
  std::snprintf(fallback.data(), fallback.size(), "virtual key 0x%02X", code);
  return fallback.data();
}

}  // namespace

std::vector<HeldKey> KeysHeldDown() {
  std::vector<HeldKey> held;
  for (int code = 1; code < 0xFF; ++code) {
    if (IsMouseButton(code) || IsEitherHandModifier(code) || !IsDown(code)) continue;
    held.push_back({.id = static_cast<std::uint32_t>(code), .name = NameOf(code)});
  }
  return held;
}

void ReleaseKeys(const std::vector<HeldKey>& keys) {
  for (const HeldKey& key : keys) {
    const UINT scan = ScanCodeOf(static_cast<int>(key.id));
    keybd_event(static_cast<BYTE>(key.id), static_cast<BYTE>(scan & 0xFFu),
                KEYEVENTF_KEYUP | (IsExtended(scan) ? KEYEVENTF_EXTENDEDKEY : 0u), 0);
  }
  // The input goes through the system's input thread: wait until it shows.
  const auto deadline = std::chrono::steady_clock::now() + kReleaseTimeout;
  for (const HeldKey& key : keys) {
    while (IsDown(static_cast<int>(key.id)) && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
}

}  // namespace plinth::platform::win32
