#pragma once

// The dwell indicator: an orange bar that fills from the left along the
// bottom of the target the pointer rests on, a sixth of its height, sized
// from the rectangle it is drawn in so it follows every size of the window.

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

// Draws the bar for `permille` thousandths of the dwell time inside `area`;
// nothing for 0. The part still to fill shows what lies beneath, or is
// painted with `rest` when one is given.
void DrawDwellBar(HDC dc, RECT area, int permille, HBRUSH rest = nullptr);

}  // namespace plinth::platform::win32
