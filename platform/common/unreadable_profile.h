#pragma once

// What the file systems say about a profile file they refuse to read.

#include <cstdint>
#include <string>

namespace plinth::platform {

// Why a file of `size` bytes is not read as a layout.
std::string TooLargeReason(std::uint64_t size);
// Why a file of `size` bytes is not read when at most `limit` may be: as
// TooLargeReason for the layouts' bound, else naming the bound.
std::string TooLargeReason(std::uint64_t size, std::uint64_t limit);

// Says on standard error that the profile at `path` cannot be read and why,
// then throws UnreadableProfile.
[[noreturn]] void RefuseProfile(const std::string& path, const std::string& reason);

}  // namespace plinth::platform
