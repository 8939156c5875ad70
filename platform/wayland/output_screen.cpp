#include "platform/wayland/output_screen.h"

#include "platform/wayland/wayland_connection.h"

namespace plinth::platform::wayland {

Size OutputScreen::PrimaryScreenSize() {
  const Rect first = Monitors().front();
  return {first.width, first.height};
}

std::vector<Rect> OutputScreen::Monitors() {
  std::vector<Rect> monitors;
  const wl_output* mine = keyboard_output_ ? keyboard_output_() : nullptr;
  for (const Output* out : connection_.Outputs()) {
    if (out->output == mine) {
      monitors.insert(monitors.begin(), out->area);
    } else {
      monitors.push_back(out->area);
    }
  }
  // Never empty: an output that is not there yet is the designed screen.
  if (monitors.empty()) monitors.push_back({0, 0, 1024, 768});
  return monitors;
}

}  // namespace plinth::platform::wayland
