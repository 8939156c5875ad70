#pragma once

// The keys Windows holds down, as the key injector reports and releases
// them when the keyboard starts.

#include <vector>

#include "platform/platform.h"

namespace plinth::platform::win32 {

// Every key that is down but the mouse buttons; Shift, Ctrl and Alt by
// their left and right keys (the codes for either only repeat them),
// named "Shift", "Ctrl" and "Alt", any other key by the name Windows gives
// it.
std::vector<HeldKey> KeysHeldDown();

// A key-up for each of `keys`; returns once Windows reads them all as up,
// or after a moment when one stays down.
void ReleaseKeys(const std::vector<HeldKey>& keys);

}  // namespace plinth::platform::win32
