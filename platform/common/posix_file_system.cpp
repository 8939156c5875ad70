#include "platform/common/posix_file_system.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "platform/common/layout_folders.h"
#include "platform/common/profile_file.h"
#include "platform/common/windows1252.h"

namespace plinth::platform {
namespace {

std::string NativePath(const std::string& path) {
  return Utf8ToCp1252(path) ? path : Cp1252ToUtf8(path);
}

// The file type bits of whatever `path` names, or nothing when it names nothing.
std::optional<mode_t> FileType(const std::string& path) {
  struct stat status {};
  if (stat(NativePath(path).c_str(), &status) != 0) return std::nullopt;
  return status.st_mode & S_IFMT;
}

}  // namespace

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

bool PosixFileSystem::FileExists(const std::string& path) {
  const auto type = FileType(path);
  return type.has_value() && *type != S_IFDIR;
}

std::unique_ptr<Profile> PosixFileSystem::OpenProfile(const std::string& path) {
  if (FileType(path) != S_IFREG) return std::make_unique<ProfileFile>(std::string());
  return ProfileFile::FromFile(NativePath(path));
}

}  // namespace plinth::platform
