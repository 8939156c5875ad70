#pragma once

// The command line of plinth-layout.

#include <ostream>
#include <span>
#include <string>

#include "tools/layout_tool/layout_reading.h"

namespace plinth::layout_tool {

inline constexpr int kExitClean = 0;
inline constexpr int kExitFindings = 1;
inline constexpr int kExitUnreadable = 2;  // also a wrong command line

// Runs the tool with `args` (without the program name); returns the exit
// status. Layouts that a file names are looked up in `search`'s folders
// besides the file's own.
int RunLayoutTool(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                  const LayoutSearch& search = {});

}  // namespace plinth::layout_tool
