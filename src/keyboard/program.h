#pragma once

#include "platform/keyboard_window.h"
#include "platform/platform.h"

namespace plinth {

// The program: releases the keys left held down, creates Form1 on the
// platform's window, runs its creation handler, shows it and runs the
// message loop. Returns the exit status.
int RunKeyboard(platform::Services& services, platform::KeyboardWindow& window);

}  // namespace plinth
