#pragma once

#include <filesystem>
#include <string>

namespace plinth::x11_test {

// A new, empty directory under the system's temporary directory.
std::filesystem::path MakeTempDirectory(const std::string& prefix);

}  // namespace plinth::x11_test
