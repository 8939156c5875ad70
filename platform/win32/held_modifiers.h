#pragma once

// Shift, Ctrl and Alt that the system holds down with no key held: left by
// a keyboard that was killed between a modifier's press and its release.
// A user with only a pointer has no key to release them with.

namespace plinth::platform::win32 {

// Sends a key-up for every Shift, Ctrl and Alt key (left and right) that is
// down; returns how many it released.
int ReleaseHeldModifiers();

}  // namespace plinth::platform::win32
