#pragma once

// The dwell indicator: a bar that fills from the left along the bottom of
// the widget the pointer rests on, sized from the widget's current
// rectangle so it follows any size of the window.

#include <FL/Fl_Widget.H>

namespace plinth::platform::x11 {

// Draws the bar for `permille` thousandths of the dwell time inside the
// widget's edge of `inset` pixels; nothing for 0.
void DrawDwellBar(const Fl_Widget& widget, int permille, int inset);

}  // namespace plinth::platform::x11
