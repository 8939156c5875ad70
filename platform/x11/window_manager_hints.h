#pragma once

// Window-manager properties that FLTK does not set: the keyboard never takes
// the input focus and stays above normal windows; its dialogs stay above it.

#include <X11/Xlib.h>

class Fl_Window;

namespace plinth::platform::x11 {

enum class WindowRole {
  Keyboard,  // utility window, always on top, never focused
  Dialog,    // dialog, always on top so that the keyboard cannot hide it
};

// Writes the properties of `role` on a window that is not mapped yet.
void SetRoleProperties(Display* display, Window window, WindowRole role);

// Maps `window` with the properties of `role` already in place when the
// window manager first sees it.
void ShowWithRole(Fl_Window& window, WindowRole role);

// Gives a window that is already mapped the properties of `role`, as far as
// the window manager takes notice of changes.
void ApplyRoleToMappedWindow(Display* display, Window window, WindowRole role);

}  // namespace plinth::platform::x11
