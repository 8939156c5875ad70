#pragma once

// The keyboard window Form1: the layouts it holds, the layer on show, the
// modifier states, and the handlers of its buttons, panels and popup menu.
// It reaches the machine only through the platform interfaces.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/keyboard_window.h"
#include "platform/platform.h"
#include "src/keyboard/click_kind.h"
#include "src/keyboard/dwell_controller.h"
#include "src/keyboard/keyboard_flags.h"
#include "src/keyboard/scaling.h"
#include "src/keyboard/scan_controller.h"
#include "src/keyboard/word_controller.h"
#include "src/layout/button_rec.h"
#include "src/postkeys/post_keys.h"

namespace plinth {

using platform::MenuItemId;
using platform::PanelId;
using platform::PanelState;

class TForm1 final : public platform::WindowEvents {
 public:
  TForm1(platform::Services& services, platform::KeyboardWindow& window);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Creation: non-activating window, tables, the three start-up loads, the
  // pointer's home point.
  void FormCreate();

  // ---- event handlers
  void doclick(std::string_view sender_name) override;
  // Sends a key button's key at once; the click that follows sends it no
  // more.
  void ClickCompleting(int cell) override;
  void PanelMouseMove(PanelId sender) override;
  void PanelClick(PanelId sender) override;
  void Available1Click(MenuItemId sender) override;
  // Keeps the window where it can be used: first it takes the size asked
  // for within the limits of the new screen, so that it fits whole, frame
  // included; then a docked window goes to the same corner of the (new)
  // primary monitor, and a window no monitor shows whole is moved into the
  // primary monitor by the shortest way.
  void ScreenChanged() override;
  // A new size from the user or the window manager: the window asks for
  // the grid's own size nearest to it; a size given again in spite of that
  // is kept, the grid fitted into it.
  void FormResize(platform::Size client) override;
  platform::Size FormCanResize(platform::Size client) override;
  void FormDpiChanged(int dpi) override;
  void PointerMoved(platform::PointerTarget target, platform::Point screen_point) override;
  void MouseButtonPressed() override;
  void MouseButtonReleased(platform::Point screen_point) override;
  void FocusMoved() override;
  void SessionEnding() override { FormClose(); }
  // The program ends, however it ends: what the user's typing taught the
  // word suggestions is saved.
  void FormClose();
  void SwitchKeyPressed(std::uint16_t code) override;
  void SwitchKeyReleased(std::uint16_t code) override;

  // ---- operations; those returning bool always return true
  bool RefreshKeyboard(bool KeySent);
  bool LoadLayout(const std::string& name, TButtonArray& target, bool switch_to_main);
  bool SendButtonKey(int cell, bool named, bool shifted, bool control);
  bool SetToggle(std::string_view type_name, bool& flag, bool reset);
  bool ToggleSelecting(int cell);
  void DoDefaultAction(int cell, const std::string& action);
  void DoExtendAction(int cell, const std::string& action);
  // A WORD button: types the rest of the suggestion it shows and a space.
  bool TypeSuggestion(int cell);
  // Docks the window: LEFT or else the right edge, TOP or else the bottom.
  bool PlaceWindow(std::string_view horizontal, std::string_view vertical);
  // Lays the window out at `pitch`, kept within what the screen allows, and
  // moves the home point with it. The pitch is kept as the one asked for,
  // which the window takes again when the screen allows more.
  void ApplyPitch(int pitch);
  // Whether a monitor shows the whole window, frame included.
  bool WholeOnAMonitor();
  // A window that no monitor shows whole moves, by the shortest way, onto
  // the primary monitor.
  void KeepWithinReach();

  // The caption is the status line.
  void ShowStatus(std::string_view text, bool prefixed);
  // Modal warning: "Error - " and the message.
  void ShowError(std::string_view message);
  // The application's general error report.
  void ShowApplicationError(const std::string& text);

  const DwellController& dwell() const { return dwell_; }
  const WordController& word_suggestions() const { return words_; }
  const ScanController& scan() const { return scan_; }

  PanelState panel_state(PanelId panel) const;
  bool menu_item_checked(MenuItemId item) const;

  // ---- the form's fields
  TButtonArray MainTable;
  TButtonArray ExtendTable;
  TButtonArray DefaultTable;
  TButtonArray* CurrentTable = &MainTable;  // MainTable or ExtendTable
  TButtonRec TemplateRec;
  TLayerSuffix LayerSuffix;
  int CurrentLayer = 0;  // 0..3, written by RefreshKeyboard only
  bool ShiftLatch = false;
  bool ExtendLatch = false;
  int HomeX = 0;  // pointer home point from the window's outer top-left
  int HomeY = 0;
  KeyboardFlags Flags;
  // The Scale setting of the start-up layout in percent, and the screen's
  // resolution; their product is the size shown until the user resizes.
  int ScalePercent = 100;
  int ScreenDpi = 96;
  platform::FormGeometry Geometry;

 private:
  // How a key button's click sends its key: by a key name or its
  // character, with Shift and Ctrl added. Nothing for other buttons.
  struct KeyClick {
    bool named = false;
    bool shifted = false;
    bool control = false;
  };
  std::optional<KeyClick> KeyClickOf(ClickKind kind, const TButtonRec& rec) const;
  // A key button's key as its click sends it, worked out before it goes.
  struct ButtonStroke {
    std::string key_text;  // the button's text, upper-cased
    std::uint16_t code = 0;
    ModifierSet modifiers = 0;
    words::SentKey sent_key;
  };
  // Nothing when a character button has no text to type.
  std::optional<ButtonStroke> StrokeOfButton(int cell, const KeyClick& click);
  // Sends it (a Backspace first where the word suggestions take back a
  // space); whether the key went out.
  bool SendStroke(const ButtonStroke& stroke);
  const TButtonRec& ShownRecord(int cell) const;
  void SetPanel(PanelId panel, PanelState state);
  void ReleasePanel(PanelId panel, bool release);
  // The file of the layout `name` in the first of the layout folders that
  // holds it; nothing when none does.
  std::optional<std::string> LayoutPath(const std::string& name);
  void UpdateHomePoint();
  // The buttons of a lock action show whether the lock is on.
  void ShowLock(std::string_view action, bool on);
  // Every button on show tells whether the state it switches is on.
  void ShowButtonStates();
  void ReadScale(platform::Profile& profile);
  int StartPitch() const;
  // The pitches the window may take on its screen with its frame.
  PitchLimits ResizeLimits();
  // Puts the pointer on the home point; returns where, unless refused.
  std::optional<platform::Point> ReturnPointer();
  // A dwell click: the handler a left click on `target` would reach.
  void PerformClick(platform::PointerTarget target);
  // The key that types `written` on the current keyboard layout, the
  // modifiers it needs added to `modifiers`; NotFoundKey when none can.
  std::uint16_t KeyOfCharacter(char written, ModifierSet& modifiers);
  // A stop chosen by switch scanning: a cell as a left click on it, a panel
  // armed at once or released when armed, the dialog's OK pressed.
  void PerformChoice(platform::PointerTarget stop);
  // Shows a modal dialog that dwell click and scanning can close.
  void RunDialog(const std::function<void()>& show);

  platform::Services& services_;
  platform::KeyboardWindow& window_;
  // The corner of the last docking and where it put the window; forgotten
  // once the window was moved elsewhere.
  struct Docking {
    std::string horizontal;
    std::string vertical;
    platform::Point placed;
  };
  std::optional<Docking> docking_;
  // The pitch of the Scale setting and the resolution, or of the user's
  // resize, before the screen's limits.
  int asked_pitch_ = 0;
  // The size the window was last given by others (the user, the window
  // manager) that the keyboard answered by asking for the grid's own; and
  // a size the window manager gave again in spite of that, which the
  // keyboard then takes as it is.
  std::optional<platform::Size> answered_size_;
  std::optional<platform::Size> imposed_size_;
  PanelState shift_panel_ = PanelState::Idle;
  PanelState extend_panel_ = PanelState::Idle;
  // A key sent ahead of its click (ClickCompleting): the cell, the stroke
  // sent, and whether it went out; the click then reports exactly that.
  struct KeyAhead {
    int cell = 0;
    ButtonStroke stroke;
    bool sent = false;
  };
  std::optional<KeyAhead> key_ahead_;
  bool available_checked_ = false;
  bool show_all_checked_ = false;
  // Every click, dwelt or real, and every dialog is told to it.
  DwellController dwell_;
  WordController words_;
  ScanController scan_;
};

// Reads the cell number from a grid button's name ("SpeedButton7" is cell
// 7): the characters from the twelfth on, at most two. Returns 0 for a name
// that carries no cell number.
int CellFromButtonName(std::string_view name);

}  // namespace plinth
