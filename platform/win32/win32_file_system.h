#pragma once

// Files on Windows: the executable's path, whether a file exists, and
// profile files read once into the portable reader (ProfileFile), which
// answers as GetPrivateProfileStringA does without reading the file again
// for every key.

#include <memory>
#include <string>

#include "platform/platform.h"

namespace plinth::platform::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  // GetModuleFileNameA of the running program.
  std::string ExecutablePath() override;
  // The A functions take Windows-1252 names as they are.
  std::string NativeFileName(const std::string& cp1252_name) override { return cp1252_name; }
  // GetFileAttributesA finds the path and it is not a directory.
  bool FileExists(const std::string& path) override;
  // Reads a disk file of at most kMaxProfileFileSize bytes.
  std::unique_ptr<Profile> OpenProfile(const std::string& path) override;
  // Reads a disk file of at most `limit` bytes.
  DataFileRead ReadDataFile(const std::string& path, std::uint64_t limit) override;
  // %APPDATA%\Plinth\.
  std::string UserDataFolder() override;
  // A temporary file in the same folder, flushed, then moved over the old
  // one with MoveFileExA (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
  std::optional<std::string> WriteFileAtomically(const std::string& path,
                                                 std::string_view bytes) override;
};

}  // namespace plinth::platform::win32
