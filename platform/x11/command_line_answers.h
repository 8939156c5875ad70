#pragma once

// The answers of `plinth` that need no display: help, version and a wrong
// command line. The Linux program takes --wayland and --x11.

#include <optional>
#include <ostream>

#include "platform/platform.h"
#include "src/keyboard/command_line.h"

namespace plinth::platform::x11 {

// The exit status when `request` is answered here; nothing when the
// keyboard is to start.
std::optional<int> AnswerCommandLine(StartRequest request, FileSystem& files, std::ostream& out,
                                     std::ostream& err);

}  // namespace plinth::platform::x11
