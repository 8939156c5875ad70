#pragma once

// The command line of the keyboard program: no argument starts the
// keyboard, as always; a few options answer questions or open a second
// keyboard on purpose.

#include <span>
#include <string>
#include <vector>

namespace plinth {

enum class StartRequest {
  Keyboard,     // no argument: the keyboard, or the one already running
  NewKeyboard,  // --new: a keyboard of its own even when one runs
  Help,         // --help: the usage on standard output, status 0
  Version,      // --version: the version on standard output, status 0
  Usage,        // anything else: the usage on standard error, status 2
};

inline constexpr int kUsageExitStatus = 2;

// `args` without the program's name.
StartRequest ParseCommandLine(std::span<const std::string> args);

// Whether the program chooses between window systems (Wayland and X11 on
// Linux), and so takes --wayland and --x11.
enum class WindowSystems { One, WaylandOrX11 };

// What `plinth --help` prints: what the program does, the layout folders in
// lookup order, the desktop file for starting with the session, and where
// the documentation is.
std::string UsageText(const std::vector<std::string>& layout_folders,
                      const std::string& autostart_file, WindowSystems systems);

}  // namespace plinth
