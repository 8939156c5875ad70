#pragma once

// The keyboard's status line, above the grid: what the X11 title bar shows
// ("Plinth", the last key, "Selecting", "Moving"), as a layer surface has no
// title bar. The grid starts below it, so it is the window's frame offset.

#include "platform/form_geometry.h"

namespace plinth::platform::wayland {

constexpr int StatusLineHeight(const FormGeometry& geometry) { return geometry.window_font + 8; }

}  // namespace plinth::platform::wayland
