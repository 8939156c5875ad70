#pragma once

// The screen as the compositor's outputs: the output the keyboard is on
// comes first (output_choice.h), so that docking and the keyboard's place
// follow it.

#include <functional>

#include "platform/platform.h"

namespace plinth::platform::wayland {

class WaylandConnection;

class OutputScreen final : public ScreenInfo {
 public:
  // `keyboard_window` tells where the keyboard's window is.
  OutputScreen(WaylandConnection& connection, std::function<Rect()> keyboard_window)
      : connection_(connection), keyboard_window_(std::move(keyboard_window)) {}

  Size PrimaryScreenSize() override;
  std::vector<Rect> Monitors() override;
  // Sizes are in logical pixels, which the compositor scales for each
  // output; the keyboard draws each buffer at its output's scale.
  int DotsPerInch() override { return 96; }

 private:
  WaylandConnection& connection_;
  std::function<Rect()> keyboard_window_;
};

}  // namespace plinth::platform::wayland
