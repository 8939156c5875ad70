#pragma once

// The `plinth` program on a Wayland session: connects to the compositor,
// checks that it offers the three protocols a keyboard needs, and runs the
// keyboard there; and `plinth --switch`, which talks to the keyboard
// running there.

#include <optional>
#include <ostream>

#include "platform/common/backend_choice.h"
#include "src/keyboard/command_line.h"

namespace plinth::platform::wayland {

// The exit status when the keyboard ran on Wayland, or could not where it
// was told to; nothing when the program is to start on X11 instead (not a
// Wayland session, `--x11`, or a compositor without the protocols, which
// is said on `errors`).
std::optional<int> StartOnWayland(StartRequest request, BackendRequest backend,
                                  std::ostream& errors);

// `plinth --switch choose|step`: passes the press of a switch key to the
// keyboard running in this Wayland session. The exit status is 0 once it
// has answered, scanning or not; 1 when no keyboard runs there or it does
// not answer, which is said on `errors`, as is a press it ignored.
int PassSwitchPress(SwitchOption which, std::ostream& errors);

}  // namespace plinth::platform::wayland
