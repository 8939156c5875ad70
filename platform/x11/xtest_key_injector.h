#pragma once

// Keyboard events through the XTest extension, as a US Windows keyboard
// would type them whatever keymap the X server has: each virtual key is
// sent as the keycode that carries its keysym at the Shift level in use,
// and a keysym that no key carries is bound for a moment to a spare
// keycode.

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>

#include "platform/platform.h"
#include "platform/x11/display_fwd.h"
#include "platform/x11/spare_keycode_pool.h"

namespace plinth::platform::x11 {

class XTestKeyInjector final : public KeyInjector {
 public:
  // `display` stays owned by the caller and must outlive the injector.
  explicit XTestKeyInjector(Display* display);
  // Releases keys still held and restores the spare keycodes.
  ~XTestKeyInjector() override;
  XTestKeyInjector(const XTestKeyInjector&) = delete;
  XTestKeyInjector& operator=(const XTestKeyInjector&) = delete;

  // The X keycode the next event of `code` uses; 0 when no key can send it.
  std::uint32_t MapVirtualKey(std::uint16_t code) override;
  // Sends a press or release (kKeyEventKeyUp) of `code`; the extended-key
  // flag means nothing on X and is ignored. False when the key cannot be
  // sent or XTest refused the event.
  bool SendKeyEvent(std::uint16_t code, std::uint32_t scan, std::uint32_t flags) override;
  std::optional<CharacterKey> KeyForCharacter(unsigned char ch) override;

  // Restores the spare keycodes whose binding is no longer needed. Keys
  // sent later do this too; an idle program calls it after the returned
  // time, if any, to leave the keymap as it found it.
  std::optional<std::chrono::milliseconds> RestoreExpiredSpares();

 private:
  struct Resolution {
    std::uint16_t code = 0;
    bool shift_held = false;
    int keycode = 0;
  };

  int Resolve(std::uint16_t code);
  int ModifierKeycode(std::uint16_t code, Keysym keysym);
  bool ShiftHeld() const;
  void BindKeycode(int keycode, Keysym keysym);
  void UnbindKeycode(int keycode, Keysym keysym);

  Display* display_;
  bool has_xtest_ = false;
  SpareKeycodePool spares_;
  std::map<std::uint16_t, int> held_;          // virtual key -> keycode pressed
  std::optional<Resolution> last_resolution_;  // from MapVirtualKey, for the next event
};

}  // namespace plinth::platform::x11
