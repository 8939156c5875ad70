#pragma once

// The dwell bar drawn in a device context, by the look the keyboard gives
// it, in the rectangle it is drawn in so that it follows every size of the
// window.

#include "platform/form_geometry.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

// Draws the bar for `permille` thousandths of the dwell time inside `area`;
// nothing for 0. The part still to fill shows what lies beneath, or is
// painted with `rest` when one is given.
void DrawDwellBar(HDC dc, RECT area, int permille, const DwellBarLook& look, HBRUSH rest = nullptr);

}  // namespace plinth::platform::win32
