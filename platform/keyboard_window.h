#pragma once

// The keyboard window's widgets: 48 grid buttons (cell 25 has none), the two
// nested centre panels, the popup menu of popup_menu.h, the caption and the
// dialogs. The platform builds them from form_design.h, reports user
// input to a WindowEvents sink and shows what the keyboard logic sets.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form_geometry.h"
#include "platform/platform.h"
#include "platform/popup_menu.h"

namespace plinth::platform {

enum class PanelId { Extend, Shift };  // pnlExtend, pnlShift

// A panel's state; the platform paints it as a colour: idle the system
// button-face colour, hover teal RGB(0,128,128), armed black, and an armed
// panel with a light frame inside its border as well, so that it differs
// from hover by more than colour.
enum class PanelState { Idle, Hover, Armed };

// A grid button's font colour: the system window-text colour, or purple
// RGB(128,0,128) for an armed modifier or selecting mode.
enum class FontColour { WindowText, Purple };

// Whether the state a grid button switches is on, shown beside the font
// colour by a look that needs no colour vision: Off raised; On sunken with a
// thick frame; Mode as On with a marker in the corner too, for a mode whose
// word in the caption the next key replaces (selecting, moving).
enum class ButtonState { Off, On, Mode };

// What lies under the pointer, as far as a click there goes: a grid button,
// a centre panel, the OK button of the open warning dialog, or nothing that
// takes a click (the frame, the outside, a cell without a button).
struct PointerTarget {
  enum class Kind { Nothing, Button, Panel, DialogOk };
  Kind kind = Kind::Nothing;
  int cell = 0;                     // Button: 1..49 but 25
  PanelId panel = PanelId::Extend;  // Panel

  static PointerTarget Button(int cell) { return {Kind::Button, cell, PanelId::Extend}; }
  static PointerTarget Panel(PanelId panel) { return {Kind::Panel, 0, panel}; }
  static PointerTarget DialogOk() { return {Kind::DialogOk, 0, PanelId::Extend}; }
  friend bool operator==(const PointerTarget&, const PointerTarget&) = default;
};

// What switch scanning lights: nothing, a row of the grid (1..7 from the
// top), or one stop (a grid button, a centre panel, the dialog's OK). The
// platform draws it as a thick frame in the scan colour of FormGeometry.
struct ScanHighlight {
  enum class Kind { Nothing, Row, OneStop };
  Kind kind = Kind::Nothing;
  int row = 0;         // Row and OneStop: the row's number; 0 for the dialog's OK
  PointerTarget stop;  // OneStop
  friend bool operator==(const ScanHighlight&, const ScanHighlight&) = default;

  bool LightsDialogOk() const {
    return kind == Kind::OneStop && stop.kind == PointerTarget::Kind::DialogOk;
  }
};

// The part of the client area the scan frame goes round: the lit row, grid
// button or panel; nothing when nothing of the grid is lit (the dialog
// frames its own OK).
inline std::optional<Rect> ScanFrameArea(const FormGeometry& geometry, const ScanHighlight& lit) {
  if (lit.kind == ScanHighlight::Kind::Row) return geometry.Row(lit.row);
  if (lit.kind != ScanHighlight::Kind::OneStop || lit.LightsDialogOk()) return std::nullopt;
  const Square square = lit.stop.kind == PointerTarget::Kind::Button ? geometry.Cell(lit.stop.cell)
                        : lit.stop.panel == PanelId::Shift           ? geometry.shift_panel
                                                                     : geometry.extend_panel;
  return Rect{square.left, square.top, square.size, square.size};
}

// The point a report of pointer movement carries: where the pointer was
// when the window system queued the movement, so that a report handled
// late shows the pointer where it was then (X11); or where the pointer is
// when the report is made (Windows).
enum class PointerPositions { OfTheEvent, LiveCursor };

// Where user input goes. Handlers run on the user-interface thread, one at a
// time; a left click only (a right click opens the popup menu instead).
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // A grid button was clicked; `sender_name` is its component name
  // ("SpeedButton1" .. "SpeedButton49"). Every click counts, a quick second
  // click of a double-click included.
  virtual void doclick(std::string_view sender_name) = 0;
  // A click on the grid button of `cell` is certain: its release has been
  // read, and doclick for the same button follows before any other input
  // is handled. A key button's key goes out here, before the window's own
  // work on the press and release. Platforms that cannot tell it early
  // never call it.
  virtual void ClickCompleting(int /*cell*/) {}
  // The pointer moved over a panel (the inner square is the Shift panel
  // only, the ring around it the Extend panel only).
  virtual void PanelMouseMove(PanelId sender) = 0;
  // A panel was clicked: pressed and released over it. A press that the
  // system reports as a double-click is no click.
  virtual void PanelClick(PanelId sender) = 0;
  // A popup menu item was chosen.
  virtual void Available1Click(MenuItemId sender) = 0;
  // The screen's size or its monitors changed.
  virtual void ScreenChanged() = 0;
  // The user dragged the window's border: `client` is the client size the
  // window has now.
  virtual void FormResize(Size client) = 0;
  // The user is dragging the window's border toward a client area of
  // `client`: returns the client size the window takes instead, its cells
  // square and within the resize limits. Asked by a platform that shapes
  // the drag itself; the size it then takes is reported by FormResize.
  virtual Size FormCanResize(Size client) = 0;
  // The window now lies on a screen of another resolution.
  virtual void FormDpiChanged(int dpi) = 0;
  // The pointer moved to `screen_point` over `target`; also when it left
  // the window (target Nothing), and while a mouse button is held. While
  // the warning dialog is open, moves over its OK button are reported too.
  virtual void PointerMoved(PointerTarget target, Point screen_point) = 0;
  // The left, middle or right mouse button went down, or came up at
  // `screen_point`, over a window of the keyboard (its dialogs and popup
  // menu included). A release is reported before the click it makes.
  virtual void MouseButtonPressed() = 0;
  virtual void MouseButtonReleased(Point screen_point) = 0;
  // Another window got the keyboard focus: where the text cursor is now,
  // the keyboard cannot know.
  virtual void FocusMoved() {}
  // The system is ending the session, and the program with it, before the
  // message loop returns: what must last is to be saved now.
  virtual void SessionEnding() {}
  // A switch key grabbed by GrabSwitchKeys went down or up; `code` is its
  // virtual-key code. A key held down may be reported down again.
  virtual void SwitchKeyPressed(std::uint16_t code) = 0;
  virtual void SwitchKeyReleased(std::uint16_t code) = 0;
};

class KeyboardWindow {
 public:
  virtual ~KeyboardWindow() = default;

  virtual void SetEventSink(WindowEvents* events) = 0;
  // Which point the reports of PointerMoved carry.
  virtual PointerPositions ReportedPointerPositions() const = 0;
  // Makes the window non-activating: clicks never take the keyboard focus
  // from the application being typed into.
  virtual void MakeNonActivating() = 0;
  // Maps the window, always on top of normal windows.
  virtual void Show() = 0;

  virtual void SetCaption(const std::string& text) = 0;
  virtual void SetButtonCaption(int cell, const std::string& text) = 0;
  virtual void SetButtonFontColour(int cell, FontColour colour) = 0;
  virtual void SetButtonState(int cell, ButtonState state) = 0;
  virtual void SetPanelState(PanelId panel, PanelState state) = 0;
  // Shows or hides the check mark of a Check item of the popup menu.
  virtual void SetMenuItemChecked(MenuItemId item, bool checked) = 0;

  // Sizes the client area and lays out every widget and font by `geometry`;
  // the outer top-left corner stays where it is.
  virtual void SetGeometry(const FormGeometry& geometry) = 0;
  // The client sizes the user may drag the border to.
  virtual void SetResizeLimits(Size smallest, Size largest) = 0;

  // Outer top-left corner (frame included) in screen coordinates.
  virtual Point OuterPosition() = 0;
  // Outer size, frame included.
  virtual Size OuterSize() = 0;
  // Moves the window so that its outer top-left corner is at `outer`.
  virtual void MoveTo(Point outer) = 0;
  // Offset of the client area from the outer top-left corner.
  virtual Point FrameOffset() = 0;

  // Modal warning dialog: title "Warning", warning icon, one OK button,
  // centred on the primary monitor; returns when the user has closed it.
  // The text is wrapped, words longer than a line included, so that the
  // dialog fits on the monitor.
  virtual void ShowWarning(const std::string& text) = 0;
  // The application's general error report for a failed system call: a
  // message box that fits on the monitor in the same way; returns when the
  // user has closed it.
  virtual void ShowApplicationError(const std::string& text) = 0;

  // Draws on `target` how much of the dwell time has passed, in thousandths
  // (a bar that fills); 0 takes the bar off `target`. The keyboard takes it
  // off one target before it shows it on another, and never names Nothing.
  virtual void ShowDwellProgress(PointerTarget target, int permille) = 0;
  // Closes the open warning dialog as its OK button would.
  virtual void PressDialogOk() = 0;

  // Takes the keys of these virtual-key codes from every application and
  // reports them as switch keys, whatever has the focus and whatever locks
  // are on; an empty list gives every one back. A new list replaces the
  // old one. The first code is the switch that chooses, a second the one
  // that steps.
  virtual void GrabSwitchKeys(const std::vector<std::uint16_t>& codes) = 0;
  // Frames what scanning lights, and nothing else.
  virtual void ShowScanHighlight(const ScanHighlight& lit) = 0;
};

}  // namespace plinth::platform
