#pragma once

// Keyboard events through the Windows input API: keybd_event, with scan
// codes from MapVirtualKeyA and character keys from VkKeyScanA.

#include "platform/platform.h"

namespace plinth::platform::win32 {

class Win32KeyInjector final : public KeyInjector {
 public:
  std::uint32_t MapVirtualKey(std::uint16_t code) override;
  // keybd_event reports nothing back, so every event counts as sent.
  bool SendKeyEvent(std::uint16_t code, std::uint32_t scan, std::uint32_t flags) override;
  std::optional<CharacterKey> KeyForCharacter(unsigned char ch) override;
  std::vector<HeldKey> KeysHeldDown() override;
  void ReleaseKeys(const std::vector<HeldKey>& keys) override;
};

}  // namespace plinth::platform::win32
