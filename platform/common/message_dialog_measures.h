#pragma once

// The warning dialog's measures at the standard text size, in pixels, for
// the platforms that draw the dialog themselves: the same box on X11 and
// Wayland.

namespace plinth::platform::dialog {

inline constexpr int kMargin = 12;
inline constexpr int kIconSize = 32;
inline constexpr int kMaxTextWidth = 420;
inline constexpr int kMinTextWidth = 160;
inline constexpr int kButtonWidth = 75;
inline constexpr int kButtonHeight = 25;

}  // namespace plinth::platform::dialog
