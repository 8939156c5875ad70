#pragma once

// The keyboard on the test platform, ready to be used like the real one:
// put layout files beside the executable, create the window, click, and
// read the keys sent, the caption, the labels and the dialogs.
//
//   TestKeyboard kb;
//   kb.PutLayout("Default", "[Button7]\nCaption=v\nAction=ctrl\n");
//   kb.PutLayout("Extend", "");
//   kb.Create();
//   kb.Click(7);
//   // kb.TakeKeys(): Ctrl down, V down, V up, Ctrl up; kb.Caption(): "V - 86"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/common/windows1252.h"
#include "platform/testing/fake_keyboard_window.h"
#include "platform/testing/fixed_screen.h"
#include "platform/testing/manual_timer.h"
#include "platform/testing/memory_file_system.h"
#include "platform/testing/recording_application.h"
#include "platform/testing/recording_keys.h"
#include "platform/testing/recording_pointer.h"
#include "src/keyboard/form.h"

namespace plinth::test_platform {

class TestKeyboard {
 public:
  TestKeyboard();
  TestKeyboard(const TestKeyboard&) = delete;
  TestKeyboard& operator=(const TestKeyboard&) = delete;
  ~TestKeyboard();

  // ---- the machine
  RecordingKeyInjector keys;
  RecordingPointer pointer;
  FixedScreen screen;
  MemoryFileSystem files;
  platform::Cp1252TextCase text;
  RecordingApplication app;
  ManualTimer timer;
  ManualTimer scan_timer{timer};
  FakeKeyboardWindow window;
  platform::Services services;

  // Writes the layout file `name`.ini beside the executable.
  void PutLayout(const std::string& name, std::string ini_text);

  // Creates Form1 on the window and runs its creation handler.
  TForm1& Create();
  // The window logic; only after Create().
  TForm1& form();

  // ---- the user
  void Click(int cell);
  void HoverPanel(platform::PanelId panel) { window.MovePointerOver(panel); }
  void ClickPanel(platform::PanelId panel) { window.ClickPanel(panel); }
  // Hovers, then clicks: arms an idle panel.
  void ArmPanel(platform::PanelId panel);
  void ChooseMenuItem(platform::MenuItemId item) { window.ChooseMenuItem(item); }
  // A switch key pressed and released 10 ms later (beyond bounce from the
  // previous tap when taps are 100 ms apart or more), the time passing.
  void TapSwitch(std::uint16_t code);
  // Moves the pointer to a screen point: over a panel that is pointer
  // movement over it, and the window learns what lies under the pointer.
  void MovePointer(platform::Point screen_point);
  // Lets time pass with the pointer where it is.
  void Wait(std::chrono::milliseconds span) { timer.Advance(span); }
  // What scanning lights.
  const platform::ScanHighlight& Lit() const { return window.scan_highlight(); }
  // When on, a pointer return that lands on a panel counts as pointer
  // movement over that panel once the click is handled, as on a display.
  void DeliverPointerMotion(bool on) { deliver_pointer_motion_ = on; }

  // ---- what the user sees
  // The key events sent since the last call.
  std::vector<KeyEvent> TakeKeys() { return keys.TakeEvents(); }
  const std::string& Caption() const { return window.caption(); }
  const std::string& Label(int cell) const { return window.button_caption(cell); }
  std::vector<std::string> Warnings() const { return window.warnings(); }
  platform::PanelState Panel(platform::PanelId panel) const { return window.panel_state(panel); }
  platform::FontColour FontColourOf(int cell) const { return window.font_colour(cell); }
  platform::ButtonState StateOf(int cell) const { return window.button_state(cell); }
  // The record on show in `cell`: layer CurrentLayer of CurrentTable.
  const TButtonRec& Shown(int cell);

  // The panel under a screen point, if any.
  std::optional<platform::PanelId> PanelAt(platform::Point screen_point);
  // What takes a click at a screen point: a panel, the topmost grid button,
  // or nothing (the frame, the outside).
  platform::PointerTarget TargetAt(platform::Point screen_point);
  // The screen point in the middle of the grid cell `cell`.
  platform::Point CellCentre(int cell);

 private:
  std::unique_ptr<TForm1> form_;
  bool deliver_pointer_motion_ = false;
};

}  // namespace plinth::test_platform
