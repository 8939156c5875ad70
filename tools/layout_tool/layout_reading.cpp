#include "tools/layout_tool/layout_reading.h"

#include <algorithm>
#include <filesystem>

#include "platform/common/profile_file.h"
#include "platform/common/windows1252.h"

namespace plinth::layout_tool {

FileRead ReadFileBytes(const std::string& path) {
  return platform::ReadRegularFile(path, platform::FileSystem::kMaxProfileFileSize);
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t separator = path.find_last_of('/');
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::vector<std::string> LayoutFoldersFor(const std::string& path, const LayoutSearch& search) {
  std::vector<std::string> folders;
  const auto add = [&folders](const std::string& folder) {
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
      folders.push_back(folder);
    }
  };
  if (!search.user_folder.empty()) add(search.user_folder);
  add(DirectoryOf(path));
  if (!search.keyboard_folder.empty()) add(search.keyboard_folder);
  return folders;
}

std::optional<std::string> FindLayoutFile(const std::vector<std::string>& folders,
                                          const std::string& name) {
  // Layout names are Windows-1252 text; the file system's names UTF-8.
  const std::string file_name = platform::Cp1252ToUtf8(name) + ".ini";
  for (const std::string& folder : folders) {
    std::error_code error;
    if (std::filesystem::is_regular_file(folder + file_name, error)) return folder + file_name;
  }
  return std::nullopt;
}

std::string FolderList(const std::vector<std::string>& folders) {
  std::string list;
  for (const std::string& folder : folders) {
    if (!list.empty()) list += ", ";
    list += folder.empty() ? "./" : folder;
  }
  return list;
}

ResolvedLayout ResolveLayout(const std::string& bytes, const std::vector<std::string>& folders) {
  const TButtonRec template_rec = MakeTemplateRec();
  const TLayerSuffix layer_suffix = MakeLayerSuffix();
  platform::Cp1252TextCase text_case;

  ResolvedLayout layout;
  TButtonArray default_table;
  const std::optional<std::string> default_path = FindLayoutFile(folders, "Default");
  const FileRead default_file =
      default_path ? ReadFileBytes(*default_path) : FileRead{std::nullopt, "not found"};
  if (default_file.bytes) {
    platform::ProfileFile profile(*default_file.bytes);
    ReadLayoutButtons(profile, default_table,
                      {template_rec, layer_suffix, default_table, text_case});
    layout.default_layout_read = true;
  }

  platform::ProfileFile profile(bytes);
  layout.latches = ReadLatchSettings(profile);
  ReadLayoutButtons(profile, layout.table, {template_rec, layer_suffix, default_table, text_case});
  return layout;
}

}  // namespace plinth::layout_tool
