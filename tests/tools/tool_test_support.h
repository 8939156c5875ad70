#pragma once

// Helpers of the plinth-layout tests: a scratch directory for layout files
// and the tool run in-process.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/layout_tool/layout_tool.h"

namespace plinth::layout_tool {

// A fresh directory, removed with everything in it at the end of the test.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "plinth-tool-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // Writes `bytes` to `name` in the directory and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string Path(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline ToolRun RunTool(const std::vector<std::string>& args, const LayoutSearch& search = {}) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunLayoutTool(args, out, err, search);
  return {status, out.str(), err.str()};
}

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace plinth::layout_tool
