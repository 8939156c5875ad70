#pragma once

// What the checks know about the file besides its text.

#include <string>
#include <vector>

namespace plinth::layout_tool {

struct CheckContext {
  std::string path;                   // the file, as named on the command line
  bool is_default_layout = false;     // the file is Default.ini itself
  bool default_layout_found = false;  // Default.ini in the folders can be read
  // Where the keyboard looks up the layouts the file names, in order.
  std::vector<std::string> layout_folders;
};

}  // namespace plinth::layout_tool
