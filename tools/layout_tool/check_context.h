#pragma once

// What the checks know about the file besides its text.

#include <string>

namespace plinth::layout_tool {

struct CheckContext {
  std::string path;                   // the file, as named on the command line
  bool is_default_layout = false;     // the file is Default.ini itself
  bool default_layout_found = false;  // Default.ini beside the file can be read
};

}  // namespace plinth::layout_tool
