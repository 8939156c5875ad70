#pragma once

// The dwell bar drawn on a widget, by the look the keyboard gives it, in
// the widget's current rectangle so that it follows any size of the window.

#include <FL/Fl_Widget.H>

#include "platform/form_geometry.h"

namespace plinth::platform::x11 {

// Draws the bar for `permille` thousandths of the dwell time inside the
// widget's edge of `inset` pixels; nothing for 0.
void DrawDwellBar(const Fl_Widget& widget, int permille, int inset,
                  const platform::DwellBarLook& look);

}  // namespace plinth::platform::x11
