#include "platform/common/posix_file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "platform/common/layout_folders.h"
#include "platform/common/posix_atomic_file.h"
#include "platform/common/posix_file_reading.h"
#include "platform/common/profile_file.h"
#include "platform/common/unreadable_profile.h"
#include "platform/common/windows1252.h"

namespace plinth::platform {

std::string PosixFileSystem::ExecutablePath() {
  // readlink does not say how long the target is; grow until it fits.
  for (std::size_t capacity = 256; capacity <= std::size_t{64} * 1024; capacity *= 4) {
    std::string path(capacity, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < path.size()) {
      path.resize(static_cast<std::size_t>(length));
      return path;
    }
  }
  return {};
}

std::vector<std::string> PosixFileSystem::LayoutFolders() {
  return platform::LayoutFolders(
      UserLayoutFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")),
      FolderOf(ExecutablePath()));
}

std::string PosixFileSystem::NativeFileName(const std::string& cp1252_name) {
  return Cp1252ToUtf8(cp1252_name);
}

bool PosixFileSystem::FileExists(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

std::unique_ptr<Profile> PosixFileSystem::OpenProfile(const std::string& path) {
  FileBytes file = ReadRegularFile(path, kMaxProfileFileSize);
  if (!file.bytes) RefuseProfile(path, file.error);
  return std::make_unique<ProfileFile>(std::move(*file.bytes));
}

FileSystem::DataFileRead PosixFileSystem::ReadDataFile(const std::string& path,
                                                       std::uint64_t limit) {
  FileBytes file = ReadRegularFile(path, limit);
  return {std::move(file.bytes), file.missing, std::move(file.error)};
}

std::string PosixFileSystem::UserDataFolder() {
  return platform::UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::optional<std::string> PosixFileSystem::WriteFileAtomically(const std::string& path,
                                                                std::string_view bytes) {
  return ReplaceFileAtomically(path, bytes);
}

}  // namespace plinth::platform
