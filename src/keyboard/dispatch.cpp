// One click on a grid button: what its record says, then the pointer back to
// the home point so that every click starts from the same place.

#include <cassert>

#include "src/keyboard/click_kind.h"
#include "src/keyboard/form.h"
#include "src/layout/profile_values.h"

namespace plinth {

void TForm1::doclick(std::string_view sender_name) {
  const int cell = CellFromButtonName(sender_name);
  assert(cell != 0 && "grid buttons are named SpeedButton1..SpeedButton49");
  if (cell == 0) return;

  // The click works on its own copy: what the dispatch changes (table,
  // layer, layout) decides neither the branch nor the pointer return.
  TButtonRec rec = ShownRecord(cell);
  rec.Action = AsciiUpper(rec.Action);

  const ClickKind kind = ClickKindOf(rec);
  switch (kind) {
    case ClickKind::Key:
    case ClickKind::VirtualKey:
    case ClickKind::CursorKey: {
      const KeyClick key = *KeyClickOf(kind, rec);
      SendButtonKey(cell, key.named, key.shifted, key.control);
      break;
    }
    case ClickKind::DefaultAction:
      DoDefaultAction(cell, rec.Action);
      break;
    case ClickKind::ExtendAction:
      DoExtendAction(cell, rec.Action);
      break;
    case ClickKind::CtrlToggle:
      SetToggle("CTRLTOGGLE", Flags.CtrlToggle, false);
      break;
    case ClickKind::AltToggle:
      SetToggle("ALTTOGGLE", Flags.AltToggle, false);
      break;
    case ClickKind::Nothing:
      break;
  }

  // A key sent ahead belongs to this click only.
  key_ahead_.reset();
  std::optional<platform::Point> returned;
  // A switch user has no pointer to bring back: scanning moves none.
  if (rec.HomeButton != -1 && !scan_.running()) returned = ReturnPointer();
  dwell_.Clicked(returned);
}

std::optional<TForm1::KeyClick> TForm1::KeyClickOf(ClickKind kind, const TButtonRec& rec) const {
  switch (kind) {
    case ClickKind::Key:
      return KeyClick{.named = false, .shifted = rec.Shifted, .control = rec.Control};
    case ClickKind::VirtualKey:
      return KeyClick{.named = true, .shifted = rec.Shifted, .control = rec.Control};
    case ClickKind::CursorKey:
      return KeyClick{.named = true, .shifted = Flags.Selecting, .control = rec.Control};
    default:
      return std::nullopt;
  }
}

std::optional<platform::Point> TForm1::ReturnPointer() {
  // The window's place and frame are read now: an action may just have moved
  // the window, and a window manager started after the keyboard frames it
  // only later.
  UpdateHomePoint();
  const platform::Point outer = window_.OuterPosition();
  const platform::Point home{outer.x + HomeX, outer.y + HomeY};
  const auto error = services_.pointer.SetCursorPos(home);
  if (!error) return home;
  const std::string description = error->code == 0 || error->description.empty()
                                      ? "A call to an OS function failed"
                                      : error->description;
  ShowApplicationError("System Error.  Code: " + std::to_string(error->code) + ".\r\n" +
                       description);
  return std::nullopt;
}

}  // namespace plinth
