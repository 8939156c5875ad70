#pragma once

// What the stress tests share: clicks sent through XTest as fast as the
// connection takes them, the points of the centre panels, and a process's
// resident memory.

#include <X11/Xlib.h>
#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>

#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"

namespace plinth::stress {

using x11_test::ScreenPoint;

// Moves the pointer to `point` and presses and releases the left button
// there, without waiting for anything: the requests are only flushed.
void FastClick(Display* display, ScreenPoint point);

// Points on the Shift panel and on the Extend panel's ring around it. A
// second press within a short time and a few pixels of the last one on a
// panel is a double click, which the panels ignore; successive `turn`s give
// points far enough apart.
ScreenPoint ShiftPanelPoint(const x11_test::KeyboardProgram& keyboard, std::size_t turn);
ScreenPoint ExtendPanelPoint(const x11_test::KeyboardProgram& keyboard, std::size_t turn);

// A memory figure of the process in kilobytes from /proc/PID/status, such
// as "VmRSS" (resident now) or "VmHWM" (resident at its peak); nothing when
// the process is gone.
std::optional<long> MemoryKilobytes(pid_t pid, const std::string& field);

}  // namespace plinth::stress
