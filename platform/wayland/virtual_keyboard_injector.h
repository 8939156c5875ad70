#pragma once

// Keyboard events through a virtual keyboard of the compositor, with the
// keymap of keymap_text.h. Shift, Ctrl and Alt go out as modifier keys and
// as the modifier state the virtual keyboard announces, so applications see
// them exactly as from a real keyboard. Nothing stays pressed: the
// destructor releases every key and clears the modifiers.

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "platform/platform.h"
#include "platform/wayland/keymap_text.h"

struct zwp_virtual_keyboard_v1;

namespace plinth::platform::wayland {

class WaylandConnection;

class VirtualKeyboardInjector final : public KeyInjector {
 public:
  explicit VirtualKeyboardInjector(WaylandConnection& connection);
  ~VirtualKeyboardInjector() override;
  VirtualKeyboardInjector(const VirtualKeyboardInjector&) = delete;
  VirtualKeyboardInjector& operator=(const VirtualKeyboardInjector&) = delete;

  // The key's code on the wire; 0 for a code the keymap has no key for.
  std::uint32_t MapVirtualKey(std::uint16_t code) override;
  bool SendKeyEvent(std::uint16_t code, std::uint32_t scan, std::uint32_t flags) override;
  std::optional<CharacterKey> KeyForCharacter(unsigned char ch) override;
  bool PrepareKeyStroke(std::uint16_t code, std::uint8_t modifiers) override;
  // A virtual keyboard starts with no key down, and the compositor tells
  // no client what other keyboards hold; a keyboard that ended in the
  // middle of a stroke took its keys with its device. Nothing to release.
  std::vector<HeldKey> KeysHeldDown() override { return {}; }
  void ReleaseKeys(const std::vector<HeldKey>& /*keys*/) override {}

  // Releases every key still pressed and clears the modifier state.
  void ReleaseAll();

 private:
  std::uint32_t Now() const;
  void SendModifiers();

  WaylandConnection& connection_;
  zwp_virtual_keyboard_v1* keyboard_ = nullptr;
  VirtualKeymap keymap_;
  std::set<std::uint32_t> pressed_;  // wire codes
  std::uint32_t depressed_ = 0;      // modifier mask
};

}  // namespace plinth::platform::wayland
