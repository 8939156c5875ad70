#pragma once

// Where everything of the keyboard window lies at one size, in client
// pixels. The keyboard logic works it out from the scale; the platforms
// build and move their widgets by it. The default value is the window as
// designed, at 100% on a 96 DPI screen.

#include <algorithm>

#include "platform/form_design.h"
#include "platform/platform.h"

namespace plinth::platform {

struct Square {
  int left = 0;
  int top = 0;
  int size = 0;
  friend bool operator==(const Square&, const Square&) = default;
};

// A colour by its red, green and blue parts, 0 to 255 each.
struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The dwell bar: it fills from the left along the bottom of the target the
// pointer rests on, in a dark frame. Orange and its frame show on every
// panel colour and on the button face.
struct DwellBarLook {
  int height_share = 6;  // the bar is a sixth of its target's height,
  int least_height = 3;  // but no lower than this
  int frame = 1;         // the width of its frame
  Rgb fill{255, 140, 0};
  Rgb frame_colour{96, 48, 0};

  struct Bar {
    Rect whole;   // the frame runs along its inside
    Rect filled;  // from the left end, `permille` of the whole
  };
  // The bar in `area`, the face of its target inside the target's own edge.
  Bar In(const Rect& area, int permille) const {
    const int height = std::min(area.height, std::max(least_height, area.height / height_share));
    const Rect whole{area.x, area.y + area.height - height, area.width, height};
    return {whole, {whole.x, whole.y, whole.width * std::clamp(permille, 0, 1000) / 1000, height}};
  }

  friend bool operator==(const DwellBarLook&, const DwellBarLook&) = default;
};

struct FormGeometry {
  int pitch = design::kButtonStep;  // from one cell to the next
  Size client{design::kClientWidth, design::kClientHeight};
  // Where the grid starts in the client area: the corner, unless the
  // window has a size that the keyboard did not choose, in which the grid
  // lies in the middle. The panels below include it.
  Point grid_origin{0, 0};
  int button_size = design::kButtonSize;  // one more than the pitch: neighbours overlap
  Square extend_panel{design::kExtendPanelLeft, design::kExtendPanelTop, design::kExtendPanelSize};
  // Client coordinates, inside the Extend panel's border.
  Square shift_panel{design::kExtendPanelLeft + design::kPanelBorder + design::kShiftPanelOffset,
                     design::kExtendPanelTop + design::kPanelBorder + design::kShiftPanelOffset,
                     design::kShiftPanelSize};
  int panel_border = design::kPanelBorder;
  // How a grid button or panel shows that it is on: the width of its thick
  // frame, and the side of the corner marker of a mode.
  int state_frame = 2;
  int mode_marker = 6;
  // The light frame inside an armed panel's border, so that armed differs
  // from hover by more than colour.
  int armed_panel_frame = 1;
  DwellBarLook dwell_bar;
  // The frame around what switch scanning lights: thicker than the frame of
  // a state that is on, in a blue that is neither a panel's colour nor the
  // dwell bar's orange, and shows on the button face and on black.
  int scan_frame = 4;
  Rgb scan_colour{0, 90, 255};
  // Character heights in pixels.
  int button_font = 12;          // captions of the grid buttons
  int smallest_button_font = 8;  // a caption too wide shrinks down to this
  int window_font = 11;          // the window's and the panels' font
  int text_font = 12;            // the popup menu and the dialogs

  // The grid button of `cell` (1..49).
  Square Cell(int cell) const {
    const int column = (cell - 1) % design::kGridColumns;
    const int row = (cell - 1) / design::kGridColumns;
    return {grid_origin.x + pitch * column, grid_origin.y + pitch * row, button_size};
  }

  // The grid row `row` (1..7), its buttons' outer edges, within the client
  // area.
  Rect Row(int row) const {
    const Square first = Cell((row - 1) * design::kGridColumns + 1);
    const int width =
        std::min(pitch * (design::kGridColumns - 1) + button_size, client.width - first.left);
    return {first.left, first.top, width, first.size};
  }

  friend bool operator==(const FormGeometry&, const FormGeometry&) = default;
};

}  // namespace plinth::platform
