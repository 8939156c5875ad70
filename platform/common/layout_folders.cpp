#include "platform/common/layout_folders.h"

namespace plinth::platform {
namespace {

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

std::string WithSlash(std::string folder) {
  if (folder.back() != '/') folder.push_back('/');
  return folder;
}

}  // namespace

std::string UserLayoutFolder(const char* xdg_config_home, const char* home) {
  if (IsAbsolute(xdg_config_home)) return WithSlash(xdg_config_home) + "plinth/";
  if (IsAbsolute(home)) return WithSlash(home) + ".config/plinth/";
  return {};
}

std::string UserDataFolder(const char* xdg_data_home, const char* home) {
  if (IsAbsolute(xdg_data_home)) return WithSlash(xdg_data_home) + "plinth/";
  if (IsAbsolute(home)) return WithSlash(home) + ".local/share/plinth/";
  return {};
}

std::string FolderOf(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::vector<std::string> LayoutFolders(const std::string& user_folder,
                                       const std::string& program_folder) {
  std::vector<std::string> folders;
  if (!user_folder.empty()) folders.push_back(user_folder);
  folders.push_back(program_folder);
  return folders;
}

}  // namespace plinth::platform
