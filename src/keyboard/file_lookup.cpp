#include "src/keyboard/file_lookup.h"

namespace plinth {

std::optional<std::string> FindInLayoutFolders(platform::FileSystem& files,
                                               const std::string& cp1252_name) {
  for (const std::string& folder : files.LayoutFolders()) {
    // Only the name is Windows-1252 text; the folder is the file system's
    // own already.
    std::string path = folder;
    path += files.NativeFileName(cp1252_name);
    if (files.FileExists(path)) return path;
  }
  return std::nullopt;
}

}  // namespace plinth
