#include "platform/wayland/output_screen.h"

#include "platform/wayland/output_choice.h"
#include "platform/wayland/wayland_connection.h"

namespace plinth::platform::wayland {

Size OutputScreen::PrimaryScreenSize() {
  const Rect first = Monitors().front();
  return {first.width, first.height};
}

std::vector<Rect> OutputScreen::Monitors() {
  return MonitorsFromKeyboard(connection_.OutputAreas(), keyboard_window_());
}

}  // namespace plinth::platform::wayland
