#pragma once

// Files on Windows: the executable's path, whether a file exists, and
// profile files read with GetPrivateProfileStringA, one lookup at a time.

#include <memory>
#include <string>

#include "platform/platform.h"

namespace plinth::platform::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  // GetModuleFileNameA of the running program.
  std::string ExecutablePath() override;
  // GetFileAttributesA finds the path and it is not a directory.
  bool FileExists(const std::string& path) override;
  // The file is not read here: each lookup asks the system afresh.
  std::unique_ptr<Profile> OpenProfile(const std::string& path) override;
};

// One profile file, looked up with GetPrivateProfileStringA and a buffer of
// kMaxValueLength + 1 characters, so a longer value is cut to its first
// kMaxValueLength characters.
class Win32Profile final : public Profile {
 public:
  explicit Win32Profile(std::string path) : path_(std::move(path)) {}
  std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                      std::string_view default_value) override;

 private:
  std::string path_;
};

}  // namespace plinth::platform::win32
