#include "tools/layout_tool/field_origins.h"

#include "src/layout/layout_loader.h"

namespace plinth::layout_tool {

FieldOrigins::FieldOrigins(const ProfileLines& lines, const TLayerSuffix& layer_suffix) {
  for (int cell = 1; cell <= kCellCount; ++cell) {
    for (int layer = 0; layer < kLayerCount; ++layer) {
      RecordOrigins& origins = slot(layer, cell);
      origins = layer == 0 ? RecordOrigins{} : slot(layer == 3 ? 2 : 0, cell);
      origins.section_line = kNoLine;
      // Shifted and Control are never inherited: a section without them
      // gets false.
      origins[Field::Shifted] = kNoLine;
      origins[Field::Control] = kNoLine;

      const std::string section = ButtonSectionName(layer_suffix, layer, cell);
      if (const SectionBlock* block = lines.FindSection(section)) {
        origins.section_line = block->header_line;
      }
      const ProfileLine* type = lines.FindKey(section, "Type");
      if (type != nullptr && type->value == "Default") {
        for (int k = 0; k < kLayerCount; ++k) {
          RecordOrigins& copied = slot(k, cell);
          copied.line.fill(kFromDefaultLayout);
          copied.default_line = type->number;
        }
        continue;
      }
      for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (const ProfileLine* line = lines.FindKey(section, kFieldKeys[i])) {
          origins.line[i] = line->number;
        }
      }
    }
  }
}

}  // namespace plinth::layout_tool
