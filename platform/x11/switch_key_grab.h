#pragma once

// The switch keys of scanning, held for the keyboard alone: a passive grab
// on the root window for each key with every combination of the locks
// (Caps Lock, Num Lock), so that no application gets them whatever has
// the focus. Auto-repeat is made detectable, so that a key held down sends
// no releases until it comes up. The server drops the grabs when the
// connection closes, whatever ends the program.

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/x11/display_fwd.h"

namespace plinth::platform::x11 {

class SwitchKeyGrab {
 public:
  // The keycode that carries a virtual key in the keymap now; 0 for none.
  using KeycodeOf = std::function<int(std::uint16_t code)>;

  // `display` stays owned by the caller and must outlive this object.
  SwitchKeyGrab(Display* display, KeycodeOf keycode_of);
  ~SwitchKeyGrab();
  SwitchKeyGrab(const SwitchKeyGrab&) = delete;
  SwitchKeyGrab& operator=(const SwitchKeyGrab&) = delete;

  // Grabs the keys of `codes` instead of those grabbed before; an empty
  // list gives them all back. A key another program holds is reported on
  // standard error and left to it.
  void Grab(const std::vector<std::uint16_t>& codes);
  // The keymap changed: the same keys, on the keycodes they have now.
  void KeymapChanged() { Grab(std::vector<std::uint16_t>(codes_)); }

  // A press or release of a grabbed key: its virtual-key code and whether
  // it went down.
  struct KeyReport {
    std::uint16_t code = 0;
    bool pressed = false;
  };
  std::optional<KeyReport> Match(const XEvent& event) const;

 private:
  void UngrabAll();

  Display* display_;
  KeycodeOf keycode_of_;
  std::vector<std::uint16_t> codes_;
  std::vector<std::pair<int, std::uint16_t>> grabbed_;  // keycode, virtual-key code
};

}  // namespace plinth::platform::x11
