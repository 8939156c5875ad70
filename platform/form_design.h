#pragma once

// The keyboard window as designed: its place, its size and the grid of
// 7 x 7 cells. Every platform builds its widgets from these numbers, and the
// keyboard logic computes the pointer's home point from them.

#include <string>

namespace plinth::platform::design {

inline constexpr const char* kCaption = "Plinth";

inline constexpr int kWindowLeft = 194;  // outer window, screen pixels
inline constexpr int kWindowTop = 250;
inline constexpr int kClientWidth = 222;
inline constexpr int kClientHeight = 224;

inline constexpr int kGridColumns = 7;
inline constexpr int kCellCount = 49;
inline constexpr int kCentreCell = 25;  // holds the two panels, no button
inline constexpr int kButtonSize = 33;
inline constexpr int kButtonStep = 32;  // neighbours overlap by one pixel

// Client position of the grid button of `cell` (1..49).
constexpr int CellLeft(int cell) { return kButtonStep * ((cell - 1) % kGridColumns); }
constexpr int CellTop(int cell) { return kButtonStep * ((cell - 1) / kGridColumns); }

// The Extend panel fills the centre cell; the Shift panel sits inside it,
// at (8, 8) within the Extend panel's one-pixel border.
inline constexpr int kExtendPanelLeft = 96;
inline constexpr int kExtendPanelTop = 96;
inline constexpr int kExtendPanelSize = 33;
inline constexpr int kPanelBorder = 1;
inline constexpr int kShiftPanelOffset = 8;
inline constexpr int kShiftPanelSize = 15;

// Client-area offset from the outer top-left corner on the designed frame
// (border and caption bar); platforms report their own (FrameOffset).
inline constexpr int kDesignedFrameLeft = 2;
inline constexpr int kDesignedFrameTop = 20;

// Component names, as the form designer gives them.
inline std::string ButtonName(int cell) { return "SpeedButton" + std::to_string(cell); }

static_assert(CellLeft(kCentreCell) == kExtendPanelLeft);
static_assert(CellTop(kCentreCell) == kExtendPanelTop);

}  // namespace plinth::platform::design

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
