#include "tools/layout_tool/layout_keys.h"

#include <charconv>

#include "tools/layout_tool/profile_lines.h"

namespace plinth::layout_tool {

std::optional<Field> FieldOfKey(std::string_view key) {
  const std::string folded = FoldName(key);
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    if (FoldName(kFieldKeys[i]) == folded) return static_cast<Field>(i);
  }
  return std::nullopt;
}

bool IsIntegerField(Field field) {
  return field == Field::HomeButton || field == Field::Shifted || field == Field::Control ||
         (field >= Field::IntParam1 && field <= Field::IntParam5);
}

std::optional<ButtonSection> ButtonSectionOf(std::string_view name, const TLayerSuffix& suffix) {
  const std::string folded = FoldName(name);
  for (int layer = 0; layer < kLayerCount; ++layer) {
    const std::string prefix = FoldName(suffix[static_cast<std::size_t>(layer)] + "button");
    if (folded.size() <= prefix.size() || folded.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string_view digits = std::string_view(folded).substr(prefix.size());
    if (digits.front() == '0') continue;  // the loader writes no leading zeros
    int cell = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), cell);
    if (error == std::errc() && end == digits.data() + digits.size() && cell >= 1 &&
        cell <= kCellCount) {
      return ButtonSection{layer, cell};
    }
  }
  return std::nullopt;
}

}  // namespace plinth::layout_tool
