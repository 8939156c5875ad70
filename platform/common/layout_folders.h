#pragma once

// Where layout files are looked up outside Windows: the user's own folder,
// then the folder of the program. Layouts of one's own thus need no copy of
// the program, and an upgrade of the program reaches them.

#include <string>
#include <vector>

namespace plinth::platform {

// The user's layout folder, with its trailing '/': $XDG_CONFIG_HOME/plinth/,
// or $HOME/.config/plinth/ when XDG_CONFIG_HOME is unset, empty or not an
// absolute path (such a value is to be ignored). Empty when neither
// variable gives an absolute path. Arguments are the variables' values or
// null when unset.
std::string UserLayoutFolder(const char* xdg_config_home, const char* home);

// The user's data folder (learned words), with its trailing '/':
// $XDG_DATA_HOME/plinth/, or $HOME/.local/share/plinth/ when XDG_DATA_HOME
// is unset, empty or not absolute. Empty when neither gives an absolute
// path.
std::string UserDataFolder(const char* xdg_data_home, const char* home);

// The folder part of `path`, up to and including its last separator ('/' or
// '\'); empty for a bare name.
std::string FolderOf(const std::string& path);

// The folders in lookup order: `user_folder` (when not empty), then
// `program_folder`.
std::vector<std::string> LayoutFolders(const std::string& user_folder,
                                       const std::string& program_folder);

}  // namespace plinth::platform
