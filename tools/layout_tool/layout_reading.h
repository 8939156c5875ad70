#pragma once

// Reads a layout file the way the keyboard does: the loader's own code on
// the portable profile reader, with the "Default" cells taken from
// Default.ini as the keyboard finds it.

#include <optional>
#include <string>
#include <vector>

#include "platform/common/posix_file_reading.h"
#include "src/layout/button_rec.h"
#include "src/layout/layout_loader.h"

namespace plinth::layout_tool {

using FileRead = platform::FileBytes;

// The whole content of a regular file, refused as the keyboard refuses it
// when it is larger than any layout.
FileRead ReadFileBytes(const std::string& path);

// The directory part of `path`, up to and including its last '/'; empty
// for a bare file name.
std::string DirectoryOf(const std::string& path);

// Where the keyboard's own folders are, besides the checked file's.
struct LayoutSearch {
  std::string user_folder;      // $XDG_CONFIG_HOME/plinth/; empty: none
  std::string keyboard_folder;  // beside the installed keyboard; empty: none
};

// The folders in which the keyboard would look up the layouts that the file
// at `path` names, in order: the user's folder, the file's own folder (a
// layout being written there), the installed keyboard's folder. Each
// appears once.
std::vector<std::string> LayoutFoldersFor(const std::string& path, const LayoutSearch& search);

// The file of the layout `name` (Windows-1252, as layout files write it) in
// the first of `folders` that holds one; nothing when none does.
std::optional<std::string> FindLayoutFile(const std::vector<std::string>& folders,
                                          const std::string& name);

// The folders as a message names them: "a/, b/".
std::string FolderList(const std::vector<std::string>& folders);

struct ResolvedLayout {
  LatchSettings latches;
  TButtonArray table;
  bool default_layout_read = false;  // Default.ini was found in the folders
};

// Loads the layout file `bytes` into a fresh table, as LoadLayout does
// after Default.ini, the first one in `folders`, was loaded into the
// default table.
ResolvedLayout ResolveLayout(const std::string& bytes, const std::vector<std::string>& folders);

}  // namespace plinth::layout_tool
