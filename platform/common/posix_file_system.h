#pragma once

// Files on POSIX systems (Linux and the like): where the program lies,
// whether a file exists, and profile files read with ProfileFile.
//
// Paths: the executable's path is handed out as the file system's bytes,
// which on these systems are UTF-8. A path handed in that is valid UTF-8 is
// used as it is; any other is taken as Windows-1252 (a layout name typed in
// a layout file) and converted to UTF-8 first.

#include <memory>
#include <string>

#include "platform/platform.h"

namespace plinth::platform {

class PosixFileSystem final : public FileSystem {
 public:
  // Read from /proc/self/exe; empty when the system does not tell.
  std::string ExecutablePath() override;
  // The user's folder ($XDG_CONFIG_HOME/plinth/), then the executable's.
  std::vector<std::string> LayoutFolders() override;
  bool FileExists(const std::string& path) override;
  // Only regular files are read: a pipe or a device could block the reader
  // or never end, so such a path gives a profile without sections.
  std::unique_ptr<Profile> OpenProfile(const std::string& path) override;
};

}  // namespace plinth::platform
