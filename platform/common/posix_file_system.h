#pragma once

// Files on POSIX systems (Linux and the like): where the program lies,
// whether a file exists, and profile files read with ProfileFile.
//
// Paths are the file system's bytes, which on these systems are UTF-8; a
// layout name, written in Windows-1252, is converted to UTF-8 on its own
// before it joins a path.

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
  std::string NativeFileName(const std::string& cp1252_name) override;
  bool FileExists(const std::string& path) override;
  // Only regular files up to kMaxProfileFileSize are read: a pipe or a
  // device could block the reader or never end.
  std::unique_ptr<Profile> OpenProfile(const std::string& path) override;
  DataFileRead ReadDataFile(const std::string& path, std::uint64_t limit) override;
  // $XDG_DATA_HOME/plinth/ (~/.local/share/plinth/).
  std::string UserDataFolder() override;
  // A temporary file in the same folder, flushed, renamed over the old.
  std::optional<std::string> WriteFileAtomically(const std::string& path,
                                                 std::string_view bytes) override;
};

}  // namespace plinth::platform
