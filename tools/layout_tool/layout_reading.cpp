#include "tools/layout_tool/layout_reading.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/common/profile_file.h"
#include "platform/common/windows1252.h"

namespace plinth::layout_tool {

FileRead ReadFileBytes(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error) return {std::nullopt, error.message()};
  if (std::filesystem::is_directory(status)) return {std::nullopt, "it is a directory"};
  // A pipe or a device could block or never end.
  if (!std::filesystem::is_regular_file(status)) return {std::nullopt, "not a regular file"};

  std::ifstream file(path, std::ios::binary);
  if (!file) return {std::nullopt, std::strerror(errno)};
  std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) return {std::nullopt, "read error"};
  return {std::move(bytes), ""};
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t separator = path.find_last_of('/');
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string LayoutPathBeside(const std::string& path, const std::string& name) {
  return DirectoryOf(path) + name + ".ini";
}

ResolvedLayout ResolveLayout(const std::string& bytes, const std::string& path) {
  const TButtonRec template_rec = MakeTemplateRec();
  const TLayerSuffix layer_suffix = MakeLayerSuffix();
  platform::Cp1252TextCase text_case;

  ResolvedLayout layout;
  TButtonArray default_table;
  const FileRead default_file = ReadFileBytes(LayoutPathBeside(path, "Default"));
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
