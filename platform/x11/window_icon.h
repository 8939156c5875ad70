#pragma once

// Plinth's icon on every window the program shows (_NET_WM_ICON), in each
// size painted from the packaged SVG at build time.

namespace plinth::platform::x11 {

// Call before the first window is shown.
void UsePlinthIcon();

}  // namespace plinth::platform::x11
