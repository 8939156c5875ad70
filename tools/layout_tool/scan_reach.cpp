#include "tools/layout_tool/scan_reach.h"

#include <algorithm>
#include <optional>

#include "src/keyboard/click_kind.h"
#include "src/scan/scan_rows.h"

namespace plinth::layout_tool {
namespace {

// Steps and choices from the first row to `stop` in the rows of `layer`.
std::optional<ScanReach> ReachInLayer(const TButtonArray& table, int layer, scan::Stop stop) {
  const std::vector<scan::ScanRow> rows =
      scan::ScanRows([&](int cell) { return ClickDoesSomething(table.at(layer, cell)); });
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const auto& stops = rows[row].stops;
    const auto at = std::find(stops.begin(), stops.end(), stop);
    if (at != stops.end()) {
      return ScanReach{
          .steps = static_cast<int>(row + static_cast<std::size_t>(at - stops.begin())),
          .choices = 2};
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<ScanReach> ScanReachOf(const TButtonArray& table, int layer, int cell) {
  using platform::PanelId;
  using platform::PointerTarget;
  ScanReach total;
  int shown = 0;
  const auto add = [&](std::optional<ScanReach> part) {
    if (!part) return false;
    total.steps += part->steps;
    total.choices += part->choices;
    return true;
  };
  if ((layer & 1) != 0) {
    if (!add(ReachInLayer(table, shown, PointerTarget::Panel(PanelId::Shift)))) return std::nullopt;
    shown = 1;
  }
  if ((layer & 2) != 0) {
    if (!add(ReachInLayer(table, shown, PointerTarget::Panel(PanelId::Extend)))) {
      return std::nullopt;
    }
    shown = layer;
  }
  if (!add(ReachInLayer(table, layer, PointerTarget::Button(cell)))) return std::nullopt;
  return total;
}

}  // namespace plinth::layout_tool
