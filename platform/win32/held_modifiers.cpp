#include "platform/win32/held_modifiers.h"

#include <array>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

int ReleaseHeldModifiers() {
  constexpr std::array<BYTE, 6> kModifiers = {VK_LSHIFT,   VK_RSHIFT, VK_LCONTROL,
                                              VK_RCONTROL, VK_LMENU,  VK_RMENU};
  int released = 0;
  for (const BYTE key : kModifiers) {
    if ((GetAsyncKeyState(key) & 0x8000) == 0) continue;
    const bool extended = key == VK_RCONTROL || key == VK_RMENU;
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)),
                KEYEVENTF_KEYUP | (extended ? KEYEVENTF_EXTENDEDKEY : 0), 0);
    ++released;
  }
  return released;
}

}  // namespace plinth::platform::win32
