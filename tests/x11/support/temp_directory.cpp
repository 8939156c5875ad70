#include "tests/x11/support/temp_directory.h"

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace plinth::x11_test {

std::filesystem::path MakeTempDirectory(const std::string& prefix) {
  const std::string pattern =
      (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return buffer.data();
}

}  // namespace plinth::x11_test
