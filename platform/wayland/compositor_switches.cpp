#include "platform/wayland/compositor_switches.h"

namespace plinth::platform::wayland {

SessionAnswer CompositorSwitches::Press(Switch which, WindowEvents& events) const {
  if (codes_.empty()) return SessionAnswer::NotScanning;
  const std::size_t index = which == Switch::Choose ? 0 : 1;
  if (index >= codes_.size()) return SessionAnswer::NoStepSwitch;
  const std::uint16_t code = codes_[index];
  // The release at once: a press left down would make the next one a
  // repeat of a held switch.
  events.SwitchKeyPressed(code);
  events.SwitchKeyReleased(code);
  return SessionAnswer::Switched;
}

}  // namespace plinth::platform::wayland
