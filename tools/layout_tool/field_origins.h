#pragma once

// Where each field of each record of a layout came from: the line of the
// file that set it, for a value read from the record's own section or
// inherited from a lower layer. Follows the loader's inheritance and its
// "Default" rule.

#include <array>

#include "src/layout/button_rec.h"
#include "tools/layout_tool/layout_keys.h"
#include "tools/layout_tool/profile_lines.h"

namespace plinth::layout_tool {

inline constexpr int kNoLine = 0;              // the template's value
inline constexpr int kFromDefaultLayout = -1;  // copied from Default.ini

struct RecordOrigins {
  std::array<int, kFieldCount> line{};  // by Field
  int section_line = kNoLine;           // header of the record's own section
  int default_line = kNoLine;  // the Type=Default line that copied the cell from Default.ini

  int operator[](Field field) const { return line[static_cast<std::size_t>(field)]; }
  int& operator[](Field field) { return line[static_cast<std::size_t>(field)]; }
};

class FieldOrigins {
 public:
  FieldOrigins(const ProfileLines& lines, const TLayerSuffix& layer_suffix);

  const RecordOrigins& at(int layer, int cell) const {
    return origins_[static_cast<std::size_t>(layer * kCellCount + cell - 1)];
  }

 private:
  RecordOrigins& slot(int layer, int cell) {
    return origins_[static_cast<std::size_t>(layer * kCellCount + cell - 1)];
  }

  std::array<RecordOrigins, static_cast<std::size_t>(kLayerCount* kCellCount)> origins_{};
};

}  // namespace plinth::layout_tool
