// Actions of the keyboard itself: docking, the extend layout, the locks,
// selecting mode, loading another layout and ending the program.

#include "platform/form_design.h"
#include "src/keyboard/form.h"
#include "src/layout/profile_values.h"

namespace plinth {

void TForm1::DoDefaultAction(int cell, const std::string& action) {
  const TButtonRec rec = ShownRecord(cell);
  bool handled = false;

  if (action == "MOVE") {
    if (AsciiUpper(rec.Param[0]) == "POINTER") {
      Flags.Moving = !Flags.Moving;
      ShowStatus(Flags.Moving ? " ... Moving" : "", true);
      ShowButtonStates();
      handled = true;
    } else {
      handled = PlaceWindow(AsciiUpper(rec.Param[1]), AsciiUpper(rec.Param[0]));
    }
  } else if (action == "BEGINEXTEND") {
    CurrentTable = &ExtendTable;
    handled = RefreshKeyboard(false);
  } else if (action == "CANCELEXTEND") {
    CurrentTable = &MainTable;
    handled = RefreshKeyboard(false);
  } else if (action == "CAPSLOCK") {
    Flags.CapsLock = !Flags.CapsLock;
    handled = RefreshKeyboard(false);
    ShowLock(action, Flags.CapsLock);
  } else if (action == "SHIFT1LOCK") {
    Flags.Shift1Lock = !Flags.Shift1Lock;
    handled = RefreshKeyboard(false);
    ShowLock(action, Flags.Shift1Lock);
  } else if (action == "SHIFT2LOCK") {
    // Locks the Ext layers the way SHIFT1LOCK locks the Shift layers.
    Flags.Shift2Lock = !Flags.Shift2Lock;
    handled = RefreshKeyboard(false);
    ShowLock(action, Flags.Shift2Lock);
  } else if (action == "TOGGLESELECTING") {
    handled = ToggleSelecting(cell);
  } else if (action == "WORD") {
    handled = TypeSuggestion(cell);
  } else if (action == "SCAN") {
    scan_.Toggle();
    handled = true;
  }

  if (!handled) ShowError("n/a default action: " + action);
}

void TForm1::DoExtendAction(int cell, const std::string& action) {
  const TButtonRec rec = ShownRecord(cell);
  bool handled = false;

  if (action == "TERMINATE") {
    services_.app.Terminate();
    handled = true;
  } else if (action == "LOADINI") {
    handled = LoadLayout(rec.Param[0], MainTable, true);
  }

  if (!handled) ShowError("n/a extend action: " + action);
}

// The primary monitor, not the whole screen: with several monitors the
// screen has corners that no monitor shows.
void TForm1::ShowLock(std::string_view action, bool on) {
  // As the toggles do: every button of the lock in the layer on show.
  const platform::FontColour colour =
      on ? platform::FontColour::Purple : platform::FontColour::WindowText;
  for (int cell = 1; cell <= kCellCount; ++cell) {
    if (cell == platform::design::kCentreCell) continue;
    const TButtonRec& rec = ShownRecord(cell);
    if (IsAsciiUpperOf(rec.Type, "ACTION") && IsAsciiUpperOf(rec.Handler, "DEFAULT") &&
        IsAsciiUpperOf(rec.Action, action)) {
      window_.SetButtonFontColour(cell, colour);
    }
  }
}

bool TForm1::PlaceWindow(std::string_view horizontal, std::string_view vertical) {
  const platform::Rect monitor = services_.screen.Monitors().front();
  const platform::Size window = window_.OuterSize();
  const int left = horizontal == "LEFT" ? monitor.x : monitor.x + monitor.width - window.width;
  const int top = vertical == "TOP" ? monitor.y : monitor.y + monitor.height - window.height;
  window_.MoveTo({left, top});
  docking_ = Docking{std::string(horizontal), std::string(vertical), {left, top}};
  return true;
}

}  // namespace plinth
