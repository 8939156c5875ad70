#include "tools/layout_tool/layout_dump.h"

namespace plinth::layout_tool {
namespace {

void AppendText(std::string& line, std::string_view key, std::string_view value) {
  if (value.empty()) return;
  line += ' ';
  line += key;
  line += '=';
  line += QuotedText(value);
}

void AppendNumber(std::string& line, std::string_view key, long long value) {
  if (value == 0) return;
  line += ' ';
  line += key;
  line += '=';
  line += std::to_string(value);
}

}  // namespace

std::string RecordText(const TButtonRec& rec) {
  std::string line = "Type=" + QuotedText(rec.Type);
  AppendText(line, "Caption", rec.Caption);
  AppendText(line, "KeyString", rec.KeyString);
  AppendText(line, "IconFile", rec.IconFile);
  AppendNumber(line, "HomeButton", rec.HomeButton);
  AppendNumber(line, "Shifted", rec.Shifted ? 1 : 0);
  AppendNumber(line, "Control", rec.Control ? 1 : 0);
  if (rec.Shift == 1) line += " Shift=SET";
  if (rec.Shift == 2) line += " Shift=CLEAR";
  AppendText(line, "Handler", rec.Handler);
  AppendText(line, "Action", rec.Action);
  for (std::size_t i = 0; i < kParamCount; ++i) {
    AppendText(line, "Param" + std::to_string(i + 1), rec.Param[i]);
  }
  for (std::size_t i = 0; i < kParamCount; ++i) {
    AppendNumber(line, "IntParam" + std::to_string(i + 1), rec.IntParam[i]);
  }
  return line;
}

void DumpLayout(const ResolvedLayout& layout, std::ostream& out) {
  const TButtonRec template_rec = MakeTemplateRec();
  const TButtonRec empty_rec;
  const TLayerSuffix layer_suffix = MakeLayerSuffix();

  out << "Configuration: ShiftOperation=" << (layout.latches.shift_latch ? "LATCH" : "TOGGLE")
      << " Shift2Operation=" << (layout.latches.extend_latch ? "LATCH" : "TOGGLE") << '\n';
  for (int layer = 0; layer < kLayerCount; ++layer) {
    for (int cell = 1; cell <= kCellCount; ++cell) {
      const TButtonRec& rec = layout.table.at(layer, cell);
      if (rec == template_rec || rec == empty_rec) continue;
      out << ButtonSectionName(layer_suffix, layer, cell) << ": " << RecordText(rec) << '\n';
    }
  }
}

}  // namespace plinth::layout_tool
