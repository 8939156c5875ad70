#pragma once

// The command line of plinth-layout.

#include <ostream>
#include <span>
#include <string>

namespace plinth::layout_tool {

inline constexpr int kExitClean = 0;
inline constexpr int kExitFindings = 1;
inline constexpr int kExitUnreadable = 2;  // also a wrong command line

// Runs the tool with `args` (without the program name); returns the exit
// status.
int RunLayoutTool(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace plinth::layout_tool
