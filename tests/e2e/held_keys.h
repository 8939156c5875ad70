#pragma once

// Which keys the X server holds down at this moment.

#include <string>
#include <vector>

// Xlib's display, declared here to keep its macros out of our headers.
using Display = struct _XDisplay;

namespace plinth::e2e {

// The keysym names (or "keycode N") of every key the server counts as
// pressed, by XQueryKeymap.
std::vector<std::string> HeldKeys(Display* display);

}  // namespace plinth::e2e
