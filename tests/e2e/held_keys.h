#pragma once

// Which keys the X server holds down at this moment.

#include <string>
#include <vector>

#include "platform/x11/display_fwd.h"

namespace plinth::e2e {

// The keysym names (or "keycode N") of every key the server counts as
// pressed, by XQueryKeymap.
std::vector<std::string> HeldKeys(Display* display);

}  // namespace plinth::e2e
