#pragma once

#include <filesystem>
#include <string>

namespace plinth::x11_test {

// A new, empty directory under the system's temporary directory.
std::filesystem::path MakeTempDirectory(const std::string& prefix);

// The whole of a file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

}  // namespace plinth::x11_test
