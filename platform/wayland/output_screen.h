#pragma once

// The screen as the compositor's outputs: the output the keyboard is on
// comes first, so that docking and the keyboard's place follow it.

#include <functional>

#include "platform/platform.h"

struct wl_output;

namespace plinth::platform::wayland {

class WaylandConnection;

class OutputScreen final : public ScreenInfo {
 public:
  // `keyboard_output` tells which output the keyboard is on (null before
  // it has one).
  OutputScreen(WaylandConnection& connection, std::function<const wl_output*()> keyboard_output)
      : connection_(connection), keyboard_output_(std::move(keyboard_output)) {}

  Size PrimaryScreenSize() override;
  std::vector<Rect> Monitors() override;
  // Sizes are in logical pixels, which the compositor scales for each
  // output; the keyboard draws each buffer at its output's scale.
  int DotsPerInch() override { return 96; }

 private:
  WaylandConnection& connection_;
  std::function<const wl_output*()> keyboard_output_;
};

}  // namespace plinth::platform::wayland
