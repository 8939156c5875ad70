#pragma once

// Switch keys on Wayland. A client cannot take keys from the others, so the
// user binds the switch keys in the compositor, which runs `plinth --switch
// choose` or `plinth --switch step`; the running keyboard hands each such
// request here. One request is one press and release of that switch's key,
// with the code GrabSwitchKeys gave last, so that the scanner treats it as
// it treats a key: once, with bounce ignored, the choice made on release.

#include <cstdint>
#include <vector>

#include "platform/keyboard_window.h"
#include "platform/wayland/session_requests.h"

namespace plinth::platform::wayland {

class CompositorSwitches {
 public:
  enum class Switch { Choose, Step };

  // The codes of GrabSwitchKeys: the first chooses, a second steps; none
  // while scanning is off.
  void Grab(const std::vector<std::uint16_t>& codes) { codes_ = codes; }

  // Tells `events` of one press and release of `which`: Switched, or
  // NotScanning (scanning is off) or NoStepSwitch (AUTO takes no step
  // switch), the press ignored.
  SessionAnswer Press(Switch which, WindowEvents& events) const;

 private:
  std::vector<std::uint16_t> codes_;
};

}  // namespace plinth::platform::wayland
