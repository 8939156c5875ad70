#pragma once

// What switch scanning costs to reach each button of a layout, by the
// keyboard's own scan rows: from rest the first row in use is lit; a row
// takes as many steps as rows in use lie above it and a choice, its stop
// as many steps as stops lie before it and a choice. A Shift or Ext layer
// is reached through its panel in the middle row, chosen first (both
// panels for the ExtShift layer, Shift first).

#include <optional>

#include "src/layout/button_rec.h"

namespace plinth::layout_tool {

struct ScanReach {
  int steps = 0;    // moves of the highlight
  int choices = 0;  // presses that choose
};

// How to reach the button of `cell` in `layer`; nothing when a panel on
// the way or the cell itself is out of use.
std::optional<ScanReach> ScanReachOf(const TButtonArray& table, int layer, int cell);

}  // namespace plinth::layout_tool
