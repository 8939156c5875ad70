#pragma once

// Xlib's display, declared without <X11/Xlib.h> so that its macros (None,
// Bool, Status) stay out of the headers that only pass a display along.
using Display = struct _XDisplay;  // NOLINT(bugprone-reserved-identifier): Xlib's own name
using XEvent = union _XEvent;      // NOLINT(bugprone-reserved-identifier): Xlib's own name
