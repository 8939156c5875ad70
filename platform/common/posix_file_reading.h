#pragma once

// Reads whole regular files on POSIX systems without ever blocking on a
// pipe or a device and without reading more than a bound.

#include <cstdint>
#include <optional>
#include <string>

namespace plinth::platform {

struct FileBytes {
  std::optional<std::string> bytes;  // nothing when the file cannot be read
  std::string error;                 // why not
  bool missing = false;              // because there is no such file
};

// The content of the regular file at `path` (in the file system's own
// encoding). A file larger than `limit` bytes is refused after reading at
// most `limit` + 1 bytes of it.
FileBytes ReadRegularFile(const std::string& path, std::uint64_t limit);

}  // namespace plinth::platform
