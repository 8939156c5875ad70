// plinth-layout: checks and shows layout files as the keyboard reads them.

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "platform/common/layout_folders.h"
#include "platform/common/posix_file_system.h"
#include "tools/layout_tool/layout_tool.h"

namespace {

// The folder of the keyboard installed beside this tool: /usr/bin/plinth
// is a link into /usr/lib/plinth/, where the bundled layouts and word lists
// lie. Without a keyboard beside it (a build without one), the tool's own
// folder, where the build copies them too.
std::string KeyboardFolder() {
  const std::filesystem::path tool(plinth::platform::PosixFileSystem().ExecutablePath());
  std::error_code error;
  const auto keyboard = std::filesystem::canonical(tool.parent_path() / "plinth", error);
  if (error) return tool.empty() ? std::string() : plinth::platform::FolderOf(tool.string());
  return plinth::platform::FolderOf(keyboard.string());
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const plinth::layout_tool::LayoutSearch search{
      .user_folder =
          plinth::platform::UserLayoutFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")),
      .keyboard_folder = KeyboardFolder(),
  };
  return plinth::layout_tool::RunLayoutTool(args, std::cout, std::cerr, search);
}
