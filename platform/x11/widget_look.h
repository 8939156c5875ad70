#pragma once

// Colours and fonts of the keyboard's widgets. FLTK's background colour
// stands in for the system button-face colour, its foreground colour for the
// window-text colour.

#include <FL/Enumerations.H>

namespace plinth::platform::x11::look {

inline constexpr Fl_Color kButtonFace = FL_BACKGROUND_COLOR;
inline constexpr Fl_Color kWindowText = FL_FOREGROUND_COLOR;
inline Fl_Color Purple() { return fl_rgb_color(128, 0, 128); }
inline Fl_Color Teal() { return fl_rgb_color(0, 128, 128); }
inline constexpr Fl_Color kBlack = FL_BLACK;
// The flat line around each centre panel.
inline constexpr Fl_Color kPanelBorder = FL_BLACK;

// Grid buttons: a fixed-width face, 12 pixels high.
inline constexpr Fl_Font kButtonFont = FL_COURIER;
inline constexpr Fl_Fontsize kButtonFontSize = 12;
// Dialogs and the popup menu.
inline constexpr Fl_Font kTextFont = FL_HELVETICA;
inline constexpr Fl_Fontsize kTextFontSize = 12;

}  // namespace plinth::platform::x11::look
