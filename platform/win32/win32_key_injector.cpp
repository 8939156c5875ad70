#include "platform/win32/win32_key_injector.h"

#include "platform/win32/held_keys.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

std::uint32_t Win32KeyInjector::MapVirtualKey(std::uint16_t code) {
  return MapVirtualKeyA(code, MAPVK_VK_TO_VSC);
}

bool Win32KeyInjector::SendKeyEvent(std::uint16_t code, std::uint32_t scan, std::uint32_t flags) {
  keybd_event(static_cast<BYTE>(code & 0xFF), static_cast<BYTE>(scan & 0xFF), flags, 0);
  return true;
}

std::optional<CharacterKey> Win32KeyInjector::KeyForCharacter(unsigned char ch) {
  const auto scan = static_cast<std::uint16_t>(VkKeyScanA(static_cast<CHAR>(ch)));
  if (scan == 0xFFFF) return std::nullopt;  // no key types it
  const unsigned modifiers = scan >> 8u;
  return CharacterKey{.code = static_cast<std::uint16_t>(scan & 0xFFu),
                      .shift = (modifiers & 1u) != 0,
                      .ctrl = (modifiers & 2u) != 0,
                      .alt = (modifiers & 4u) != 0};
}

std::vector<HeldKey> Win32KeyInjector::KeysHeldDown() { return win32::KeysHeldDown(); }

void Win32KeyInjector::ReleaseKeys(const std::vector<HeldKey>& keys) { win32::ReleaseKeys(keys); }

}  // namespace plinth::platform::win32
