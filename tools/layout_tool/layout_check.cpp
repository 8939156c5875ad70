#include "tools/layout_tool/layout_check.h"

#include "platform/common/profile_text.h"
#include "tools/layout_tool/encoding_checks.h"
#include "tools/layout_tool/field_origins.h"
#include "tools/layout_tool/layout_reading.h"
#include "tools/layout_tool/line_checks.h"
#include "tools/layout_tool/profile_lines.h"
#include "tools/layout_tool/record_checks.h"

namespace plinth::layout_tool {
namespace {

std::string FileName(const std::string& path) { return path.substr(DirectoryOf(path).size()); }

}  // namespace

std::vector<Finding> CheckLayout(const std::string& bytes, const std::string& path,
                                 std::vector<std::string> folders) {
  if (folders.empty()) folders.push_back(DirectoryOf(path));
  const TLayerSuffix layer_suffix = MakeLayerSuffix();
  std::vector<platform::LostCharacter> lost;
  const std::string text = platform::DecodeProfileBytes(bytes, &lost);
  const ProfileLines lines(text);
  const ResolvedLayout layout = ResolveLayout(bytes, folders);
  const CheckContext context{
      .path = path,
      .is_default_layout = FileName(path) == "Default.ini",
      .default_layout_found = layout.default_layout_read,
      .layout_folders = std::move(folders),
  };

  Findings findings;
  CheckLines(lines, layer_suffix, context, findings);
  CheckLostCharacters(text, lost, lines, findings);
  CheckRecords(layout.table, FieldOrigins(lines, layer_suffix), layer_suffix, context, findings);
  return findings.Sorted();
}

}  // namespace plinth::layout_tool
