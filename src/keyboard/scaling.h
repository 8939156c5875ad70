#pragma once

// The keyboard's size: one pitch (the distance from one grid cell to the
// next) from which every measure of the window follows, the user's Scale
// setting (read by src/layout/scale_setting.h), the screen's resolution,
// and the limits of a resize.

#include "platform/form_geometry.h"
#include "src/layout/scale_setting.h"

namespace plinth {

inline constexpr int kDesignedDpi = 96;

// Every measure of the window at `pitch` pixels a cell; 32 is the design.
platform::FormGeometry GeometryForPitch(int pitch);

// Every measure of the window in a client area of `client` that is not the
// grid's own size, such as one a window manager insists on: the largest
// square cells that fit, the grid in the middle of the area.
platform::FormGeometry GeometryFittedInto(platform::Size client);

// The pitch at `percent` of the designed size.
int PitchForScale(int percent);

// The largest pitch at which the grid fits in a client area: the cells stay
// square whatever shape the area has.
int PitchForClientSize(platform::Size client);

// The pitch of a border being dragged from a client area of `current`
// toward `dragged`: the nearest to the side that moved the more, so that a
// drag of one edge resizes the whole grid.
int PitchForDrag(platform::Size dragged, platform::Size current);

// The screen's resolution as a percentage of 96 DPI, in steps of 25 so that
// a screen reported at 100 DPI keeps the designed size. Never below 50.
int ScaleForDpi(int dpi);

// Pitches a window may take in `room` on the screen when its frame adds
// `frame`: from 50% up to the largest at which the whole window, frame
// included, fits in the room; 50% when not even that fits.
struct PitchLimits {
  int smallest = 0;
  int largest = 0;
  int Clamp(int pitch) const;
};
PitchLimits LimitsForScreen(platform::Size room, platform::Size frame);

}  // namespace plinth
