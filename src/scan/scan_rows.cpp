#include "src/scan/scan_rows.h"

#include "platform/form_design.h"

namespace plinth::scan {

std::vector<ScanRow> ScanRows(const std::function<bool(int cell)>& in_use) {
  namespace design = platform::design;
  std::vector<ScanRow> rows;
  constexpr int kRows = design::kCellCount / design::kGridColumns;
  for (int row = 1; row <= kRows; ++row) {
    ScanRow scan_row{.number = row, .stops = {}};
    for (int column = 1; column <= design::kGridColumns; ++column) {
      const int cell = (row - 1) * design::kGridColumns + column;
      if (cell == design::kCentreCell) {
        scan_row.stops.push_back(Stop::Panel(platform::PanelId::Shift));
        scan_row.stops.push_back(Stop::Panel(platform::PanelId::Extend));
      } else if (in_use(cell)) {
        scan_row.stops.push_back(Stop::Button(cell));
      }
    }
    if (!scan_row.stops.empty()) rows.push_back(std::move(scan_row));
  }
  return rows;
}

}  // namespace plinth::scan
