#pragma once

// Keyboard events through the XTest extension, as a US Windows keyboard
// would type them whatever keymap the X server has: each virtual key is
// sent as the keycode that carries its keysym, in the active keymap group,
// at the Shift level in use, and a keysym that no key carries is bound to a
// spare keycode. Keys are looked up in a copy of the keymap, so that no
// key waits for the server.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/platform.h"
#include "platform/x11/display_fwd.h"
#include "platform/x11/keyboard_mapping.h"
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
  // Follows the keymap and group notices that wait in the event queue,
  // then finds the keycodes of the key and its modifiers, binding a spare
  // keycode if need be. False when one of them has no keycode, or XTest
  // is missing.
  bool PrepareKeyStroke(std::uint16_t code, std::uint8_t modifiers) override;

  // Follows the changes of keymap, modifier map and group that `event`
  // announces. Every event of the display passes here before the event
  // loop handles it, so that the next click finds the keymap as it is.
  void HandleEvent(const XEvent& event);
  // Runs after each change HandleEvent has followed.
  void OnKeymapChanged(std::function<void()> changed) { keymap_changed_ = std::move(changed); }
  // The keycode that carries the key of `code` in the keymap now, with no
  // spare keycode borrowed for it; 0 when none does.
  int KeycodeOnKeymap(std::uint16_t code) const;

  // The keys the server counts as pressed, named by the modifier they set
  // (Shift, Ctrl, Alt) or else by their keysym.
  std::vector<HeldKey> KeysHeldDown() override;
  // Key-ups through XTest, handled by the server before this returns.
  void ReleaseKeys(const std::vector<HeldKey>& keys) override;

 private:
  struct Resolution {
    std::uint16_t code = 0;
    bool shift_held = false;
    int keycode = 0;
  };

  // A key stroke may start before the event loop gets to the notices
  // already come (a timer's dwell click runs before queued events): they
  // are followed now, in order, and again harmlessly when the loop hands
  // them over. Without a round trip when nothing waits.
  void FollowQueuedChanges();
  int Resolve(std::uint16_t code, bool shift);
  int ModifierKeycode(std::uint16_t code) const;
  unsigned AltMask() const;
  bool ShiftHeld() const;
  void BindKeycode(int keycode, Keysym keysym);
  void UnbindKeycode(int keycode, Keysym keysym);

  Display* display_;
  bool has_xtest_ = false;
  KeyboardMapping mapping_;
  SpareKeycodePool spares_;
  std::map<std::uint16_t, int> held_;          // virtual key -> keycode pressed
  std::optional<Resolution> last_resolution_;  // from MapVirtualKey, for the next event
  std::function<void()> keymap_changed_;
};

}  // namespace plinth::platform::x11
