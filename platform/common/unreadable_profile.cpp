#include "platform/common/unreadable_profile.h"

#include <iostream>

#include "platform/platform.h"

namespace plinth::platform {

std::string TooLargeReason(std::uint64_t size) {
  return "it is " + std::to_string(size) + " bytes, more than the " +
         std::to_string(FileSystem::kMaxProfileFileSize) + " a layout file may have";
}

std::string TooLargeReason(std::uint64_t size, std::uint64_t limit) {
  if (limit == FileSystem::kMaxProfileFileSize) return TooLargeReason(size);
  return "it is " + std::to_string(size) + " bytes, more than the " + std::to_string(limit) +
         " such a file may have";
}

void RefuseProfile(const std::string& path, const std::string& reason) {
  std::cerr << "plinth: cannot read " << path << ": " << reason << std::endl;
  throw UnreadableProfile(path + ": " + reason);
}

}  // namespace plinth::platform
