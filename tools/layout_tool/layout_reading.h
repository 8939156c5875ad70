#pragma once

// Reads a layout file the way the keyboard does: the loader's own code on
// the portable profile reader, with the "Default" cells taken from
// Default.ini beside the file.

#include <optional>
#include <string>

#include "src/layout/button_rec.h"
#include "src/layout/layout_loader.h"

namespace plinth::layout_tool {

struct FileRead {
  std::optional<std::string> bytes;  // nothing when the file cannot be read
  std::string error;                 // why not
};

// The whole content of a regular file.
FileRead ReadFileBytes(const std::string& path);

// The directory part of `path`, up to and including its last '/'; empty
// for a bare file name.
std::string DirectoryOf(const std::string& path);

// The file the keyboard would load for the layout `name` beside `path`.
std::string LayoutPathBeside(const std::string& path, const std::string& name);

struct ResolvedLayout {
  LatchSettings latches;
  TButtonArray table;
  bool default_layout_read = false;  // Default.ini beside the file was found
};

// Loads the layout file `bytes` into a fresh table, as LoadLayout does
// after Default.ini beside `path` was loaded into the default table.
ResolvedLayout ResolveLayout(const std::string& bytes, const std::string& path);

}  // namespace plinth::layout_tool
