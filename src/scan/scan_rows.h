#pragma once

// The rows a scan goes over: the grid's rows top to bottom, each with the
// cells in use left to right; the middle row stops at the Shift panel and
// then the Ext ring where the centre cell lies.

#include <functional>
#include <vector>

#include "src/scan/scanner.h"

namespace plinth::scan {

// `in_use` tells whether the button of a cell (1..49 but the centre) does
// anything in the layer on show. Rows without a stop are left out.
std::vector<ScanRow> ScanRows(const std::function<bool(int cell)>& in_use);

}  // namespace plinth::scan
