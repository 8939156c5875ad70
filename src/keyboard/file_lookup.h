#pragma once

// Files the keyboard looks up as it looks up a layout: in each of the
// layout folders in turn (the user's first, then the program's).

#include <optional>
#include <string>

#include "platform/platform.h"

namespace plinth {

// The path of `cp1252_name` in the first layout folder that holds it;
// nothing when none does.
std::optional<std::string> FindInLayoutFolders(platform::FileSystem& files,
                                               const std::string& cp1252_name);

}  // namespace plinth
