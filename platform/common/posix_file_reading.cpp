#include "platform/common/posix_file_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "platform/common/unreadable_profile.h"

namespace plinth::platform {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

FileBytes Failure(std::string error) { return {std::nullopt, std::move(error)}; }

}  // namespace

FileBytes ReadRegularFile(const std::string& path, std::uint64_t limit) {
  // Opening a FIFO without O_NONBLOCK waits for a writer; the type is
  // checked on the opened file, so nothing can be swapped in between.
  const FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0) {
    const int error = errno;
    FileBytes failure = Failure(std::strerror(error));
    failure.missing = error == ENOENT;
    return failure;
  }
  struct stat status {};
  if (fstat(file.get(), &status) != 0) return Failure(std::strerror(errno));
  if (S_ISDIR(status.st_mode)) return Failure("it is a directory");
  if (!S_ISREG(status.st_mode)) return Failure("it is no regular file (a pipe or a device)");
  if (static_cast<std::uint64_t>(status.st_size) > limit) {
    return Failure(TooLargeReason(static_cast<std::uint64_t>(status.st_size), limit));
  }

  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(status.st_size));
  std::array<char, std::size_t{64} * 1024> chunk{};
  for (;;) {
    const std::size_t wanted = std::min<std::uint64_t>(chunk.size(), limit + 1 - bytes.size());
    const ssize_t count = read(file.get(), chunk.data(), wanted);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return Failure(std::strerror(errno));
    if (count == 0) break;
    bytes.append(chunk.data(), static_cast<std::size_t>(count));
    // A file that grows while it is read is held to the same bound.
    if (bytes.size() > limit) return Failure(TooLargeReason(bytes.size(), limit));
  }
  return {std::move(bytes), ""};
}

}  // namespace plinth::platform
