#pragma once

// Keys held down when the keyboard starts: left so by a keyboard killed in
// the middle of a key stroke, Shift, Ctrl and Alt above all, they would
// change every key this one sends, and a user with only a pointer has no
// key to release them with.

#include "platform/platform.h"

namespace plinth {

// Releases every key the system holds down, then asks again, and reports
// on standard error each key that went up. A key still down (one the user
// holds on a keyboard of their own) is left to them.
void ReleaseKeysLeftHeld(platform::KeyInjector& keys, platform::Application& app);

}  // namespace plinth
