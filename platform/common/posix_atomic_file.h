#pragma once

// Replacing a file on POSIX systems so that a crash or a full disk never
// leaves a part of it: the bytes go to a temporary file in the same folder,
// are flushed to the disk, and the temporary file is renamed over the old.

#include <optional>
#include <string>
#include <string_view>

namespace plinth::platform {

// Writes `bytes` as the file at `path`, readable by its owner only when new,
// creating the missing folders of the path (mode 0700). Returns why it
// failed, leaving the old file as it was; nothing on success.
std::optional<std::string> ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace plinth::platform
