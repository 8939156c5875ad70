#include "platform/common/posix_atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/common/layout_folders.h"

namespace plinth::platform {
namespace {

std::string ErrorText(const std::string& what, int error) {
  return what + ": " + std::strerror(error);
}

// Creates `folder` and its missing parents.
std::optional<std::string> MakeFolders(const std::string& folder) {
  for (std::size_t end = folder.find('/', 1); end != std::string::npos;
       end = folder.find('/', end + 1)) {
    const std::string part = folder.substr(0, end);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      return ErrorText("cannot create " + part, errno);
    }
  }
  return std::nullopt;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      if (count == 0) errno = ENOSPC;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

}  // namespace

std::optional<std::string> ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string folder = FolderOf(path);
  if (!folder.empty()) {
    if (auto error = MakeFolders(folder)) return error;
  }
  std::string temporary = path + ".XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return ErrorText("cannot write in " + (folder.empty() ? "." : folder), errno);

  const auto fail = [&](const std::string& what) {
    const int error = errno;
    unlink(temporary.c_str());
    return ErrorText(what, error);
  };
  if (!WriteAll(fd, bytes) || fsync(fd) != 0) {
    std::string error = fail("cannot write " + path);
    close(fd);
    return error;
  }
  if (close(fd) != 0) return fail("cannot write " + path);
  if (rename(temporary.c_str(), path.c_str()) != 0) return fail("cannot replace " + path);

  // The rename itself reaches the disk with the folder.
  const int folder_fd =
      open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_fd >= 0) {
    fsync(folder_fd);
    close(folder_fd);
  }
  return std::nullopt;
}

}  // namespace plinth::platform
