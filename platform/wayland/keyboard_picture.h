#pragma once

// Everything the keyboard window shows, and how it is painted: the status
// line, the 48 grid buttons with their captions, font colours and on
// states, the two centre panels and the dwell bar, all placed by the
// FormGeometry the keyboard logic computed, as on X11.

#include <cairo.h>

#include <array>
#include <string>

#include "platform/common/caption_fit.h"
#include "platform/form_design.h"
#include "platform/keyboard_window.h"

namespace plinth::platform::wayland {

struct KeyboardPicture {
  FormGeometry geometry;
  std::string status = design::kCaption;                       // UTF-8
  std::array<std::string, design::kCellCount + 1> captions{};  // UTF-8, by cell
  std::array<FontColour, design::kCellCount + 1> colours{};
  std::array<ButtonState, design::kCellCount + 1> states{};
  PanelState extend = PanelState::Idle;
  PanelState shift = PanelState::Idle;
  PointerTarget dwell_target;
  int dwell_permille = 0;
  ScanHighlight scan_lit;
  // The grid button held down by the pointer, drawn sunken; 0 for none.
  int pressed_cell = 0;
  // Each button's caption as it was fitted last: a picture is painted
  // again for every step of a dwell bar.
  mutable std::array<CaptionFitCache, design::kCellCount + 1> fitted_captions{};
};

// The whole window: the status line, then the grid below it.
void PaintKeyboard(cairo_t* cairo, const KeyboardPicture& picture);

// What takes a click at a point of the grid (client coordinates, the
// status line left out).
PointerTarget TargetAt(const FormGeometry& geometry, int x, int y);

}  // namespace plinth::platform::wayland
