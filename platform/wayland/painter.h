#pragma once

// Drawing with cairo and pango in the looks of the X11 keyboard: raised and
// sunken bevels on the button face, text centred in a box, the dwell bar.

#include <cairo.h>

#include <string_view>

#include "platform/form_geometry.h"

namespace plinth::platform::wayland {

namespace look {
inline constexpr Rgb kButtonFace{192, 192, 192};
inline constexpr Rgb kWindowText{0, 0, 0};
inline constexpr Rgb kPurple{128, 0, 128};
inline constexpr Rgb kTeal{0, 128, 128};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kHighlight{0, 0, 128};  // a chosen menu item
// Grid captions in a fixed-width face; the window, menu and dialogs in a
// proportional one.
inline constexpr const char* kButtonFamily = "Monospace";
inline constexpr const char* kTextFamily = "Sans";
}  // namespace look

void SetColour(cairo_t* cairo, const Rgb& colour);
void FillRect(cairo_t* cairo, Rect area, const Rgb& colour);
// A frame of `width` pixels just inside `area`.
void FrameRect(cairo_t* cairo, Rect area, int width, const Rgb& colour);
// The two-pixel bevel of a button, raised or sunken, on the button face.
void DrawBevel(cairo_t* cairo, Rect area, bool sunken);

// The width in pixels of UTF-8 text in `family` at a character height of
// `size` pixels.
int TextWidth(cairo_t* cairo, std::string_view utf8, const char* family, int size);
enum class Align { Left, Centre };
// Draws one line of text in `area`, centred vertically.
void DrawText(cairo_t* cairo, std::string_view utf8, const char* family, int size,
              const Rgb& colour, Rect area, Align align);

// How much of the dwell time has passed, as the bar `look` gives inside
// `inset` pixels of `area`'s edge; nothing for 0.
void DrawDwellBar(cairo_t* cairo, Rect area, int permille, int inset, const DwellBarLook& look);

}  // namespace plinth::platform::wayland
