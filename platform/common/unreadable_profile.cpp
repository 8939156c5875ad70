#include "platform/common/unreadable_profile.h"

#include <iostream>

#include "platform/platform.h"

namespace plinth::platform {

std::string TooLargeReason(std::uint64_t size) {
  return "it is " + std::to_string(size) + " bytes, more than the " +
         std::to_string(FileSystem::kMaxProfileFileSize) + " a layout file may have";
}

void RefuseProfile(const std::string& path, const std::string& reason) {
  std::cerr << "plinth: cannot read " << path << ": " << reason << std::endl;
  throw UnreadableProfile(path + ": " + reason);
}

}  // namespace plinth::platform
