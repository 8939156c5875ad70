#pragma once

// The keyboard window on X11: FLTK widgets for the grid, the centre panels
// and the popup menu; Xlib for what the window manager must know.
//
// The window is mapped only by Show(). Until then its frame is the one the
// window manager announces for such a window when asked
// (_NET_REQUEST_FRAME_EXTENTS), so that the creation handler already gets
// the right frame offset for the pointer's home point; once mapped, the
// frame is the one the window manager reports for the window itself.

#include <FL/Fl_Menu_Item.H>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "platform/form_design.h"
#include "platform/keyboard_window.h"
#include "platform/x11/centre_panels.h"
#include "platform/x11/frame_extents.h"
#include "platform/x11/message_dialog.h"
#include "platform/x11/switch_key_grab.h"

namespace plinth::platform::x11 {

class FormWindow;
class GridButton;
class MouseButtonWatch;
class ScreenWatch;
class FocusWatch;

class X11KeyboardWindow final : public platform::KeyboardWindow {
 public:
  // Needs the FLTK display to be open. `keycode_of` finds the keycodes of
  // the switch keys.
  explicit X11KeyboardWindow(SwitchKeyGrab::KeycodeOf keycode_of);
  ~X11KeyboardWindow() override;
  X11KeyboardWindow(const X11KeyboardWindow&) = delete;
  X11KeyboardWindow& operator=(const X11KeyboardWindow&) = delete;

  void SetEventSink(platform::WindowEvents* events) override { events_ = events; }
  // Each movement is reported at the point of its X event.
  platform::PointerPositions ReportedPointerPositions() const override {
    return platform::PointerPositions::OfTheEvent;
  }
  void MakeNonActivating() override;
  void Show() override;

  void SetCaption(const std::string& text) override;
  void SetButtonCaption(int cell, const std::string& text) override;
  void SetButtonFontColour(int cell, platform::FontColour colour) override;
  void SetButtonState(int cell, platform::ButtonState state) override;
  void SetPanelState(platform::PanelId panel, platform::PanelState state) override;
  void SetMenuItemChecked(platform::MenuItemId item, bool checked) override;
  void SetGeometry(const platform::FormGeometry& geometry) override;
  void SetResizeLimits(platform::Size smallest, platform::Size largest) override;

  platform::Point OuterPosition() override;
  platform::Size OuterSize() override;
  void MoveTo(platform::Point outer) override;
  platform::Point FrameOffset() override;

  void ShowWarning(const std::string& text) override;
  void ShowApplicationError(const std::string& text) override;
  void ShowDwellProgress(platform::PointerTarget target, int permille) override;
  void PressDialogOk() override;
  void GrabSwitchKeys(const std::vector<std::uint16_t>& codes) override;
  void ShowScanHighlight(const platform::ScanHighlight& lit) override;
  // The keymap changed: the switch keys are grabbed on their new keycodes.
  void KeymapChanged() { switch_keys_->KeymapChanged(); }

 private:
  // Reports a press or release of a switch key; true when `event` was one.
  static int HandleSwitchKey(void* event, void* window);
  // Tells the keyboard of a release that completes a grid button's click
  // before any other handler or FLTK looks at it, so that its key is the
  // first thing the release sets off; for a quick click whose release came
  // with its press, as soon as the press is read.
  static int SeeClickCompleting(void* event, void* window);
  // The cell of the grid button FLTK gives a left press at (x, y) to; 0
  // when another widget lies there too.
  int CellTakingPress(int x, int y) const;
  // Frames what is lit at the present size of the window.
  void DrawScanHighlight();
  void BuildGrid();
  void OpenPopupMenu();
  bool Mapped() const;
  FrameExtents Frame();
  GridButton* ButtonOfCell(int cell) const;
  // What takes a click at a point of the client area.
  platform::PointerTarget TargetAt(int x, int y) const;
  void ReportPointer(platform::PointerTarget target);
  // Reports pointer movements over the open dialog's OK button.
  DialogPointerMoved DialogPointerReporter();

  platform::WindowEvents* events_ = nullptr;
  // Left presses on every target of the window; before form_, whose panels
  // use it.
  DoubleClickDetector presses_;
  platform::FormGeometry geometry_;
  platform::Size smallest_client_ = geometry_.client;
  platform::Size largest_client_ = geometry_.client;
  std::unique_ptr<FormWindow> form_;
  std::unique_ptr<ScreenWatch> screen_watch_;
  std::unique_ptr<FocusWatch> focus_watch_;
  std::unique_ptr<MouseButtonWatch> button_watch_;
  std::unique_ptr<SwitchKeyGrab> switch_keys_;
  platform::ScanHighlight scan_lit_;
  std::array<GridButton*, platform::design::kCellCount + 1> buttons_{};  // by cell, owned by form_
  int click_told_at_press_ = 0;          // the cell, until its release is read
  ExtendPanel* extend_panel_ = nullptr;  // owned by form_
  // PopupMenu1: the items of kPopupMenu and the end mark.
  std::array<Fl_Menu_Item, platform::kPopupMenu.size() + 1> popup_menu_{};
  std::array<std::string, platform::kPopupMenu.size()> menu_captions_;  // UTF-8
  bool non_activating_ = false;
  std::optional<FrameExtents> announced_frame_;
  std::unique_ptr<ReportedFrame> reported_frame_;
  // Whether the window may stand elsewhere than FLTK has it: a move the
  // window manager did not make as asked, not yet told of.
  bool place_unsettled_ = false;
  // Where the outer window goes when it is mapped.
  platform::Point outer_position_{platform::design::kWindowLeft, platform::design::kWindowTop};
};

}  // namespace plinth::platform::x11
