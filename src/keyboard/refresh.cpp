// Bringing the grid into line with the keyboard's state: the layer on show,
// every button's label and whether it shows its state as on.

#include "platform/form_design.h"
#include "src/keyboard/button_key.h"
#include "src/keyboard/button_states.h"
#include "src/keyboard/form.h"

namespace plinth {
namespace {

bool HasWordButtons(const TButtonArray& table) {
  for (int layer = 0; layer < kLayerCount; ++layer) {
    for (int cell = 1; cell <= kCellCount; ++cell) {
      if (cell != platform::design::kCentreCell && SuggestionOfButton(table.at(layer, cell)) != 0)
        return true;
    }
  }
  return false;
}

}  // namespace

void TForm1::SetPanel(PanelId panel, PanelState state) {
  (panel == PanelId::Shift ? shift_panel_ : extend_panel_) = state;
  window_.SetPanelState(panel, state);
}

void TForm1::ReleasePanel(PanelId panel, bool release) {
  if (release) SetPanel(panel, PanelState::Idle);
}

bool TForm1::RefreshKeyboard(bool KeySent) {
  if (KeySent) {
    ReleasePanel(PanelId::Shift, !ShiftLatch);
    ReleasePanel(PanelId::Extend, !ExtendLatch);
  }

  const bool shift_on = shift_panel_ == PanelState::Armed || Flags.Shift1Lock;
  const bool extend_on = extend_panel_ == PanelState::Armed || Flags.Shift2Lock;
  CurrentLayer = (shift_on ? 1 : 0) + (extend_on ? 2 : 0);
  words_.LayoutShown(HasWordButtons(*CurrentTable));

  for (int cell = 1; cell <= kCellCount; ++cell) {
    if (cell == platform::design::kCentreCell) continue;
    const TButtonRec& rec = ShownRecord(cell);
    // A WORD button is taken, with or without a suggestion to show.
    const int suggestion = SuggestionOfButton(rec);
    const std::string& caption = suggestion != 0 ? words_.Suggestion(suggestion) : rec.Caption;
    if ((caption.empty() && suggestion == 0 && available_checked_) || show_all_checked_) {
      window_.SetButtonCaption(cell, std::to_string(cell));
    } else if (Flags.CapsLock && caption.size() == 1 && suggestion == 0) {
      std::string upper = caption;
      services_.text.CharUpperBuff(upper);
      window_.SetButtonCaption(cell, upper);
    } else {
      window_.SetButtonCaption(cell, caption);
    }
  }
  ShowButtonStates();
  scan_.RowsChanged();
  return true;
}

void TForm1::ShowButtonStates() {
  for (int cell = 1; cell <= kCellCount; ++cell) {
    if (cell == platform::design::kCentreCell) continue;
    window_.SetButtonState(cell, StateOfButton(ShownRecord(cell), Flags));
  }
}

void TForm1::Available1Click(MenuItemId sender) {
  if (sender == MenuItemId::DwellClick) {
    dwell_.Toggle();
    dwell_.Clicked(std::nullopt);
    return;
  }
  if (sender == MenuItemId::LearnWords) {
    words_.ToggleLearning();
    window_.SetMenuItemChecked(sender, words_.learning_chosen());
    dwell_.Clicked(std::nullopt);
    return;
  }
  if (sender == MenuItemId::Scanning) {
    scan_.Toggle();
    dwell_.Clicked(std::nullopt);
    return;
  }
  bool& checked = sender == MenuItemId::Available ? available_checked_ : show_all_checked_;
  checked = !checked;
  window_.SetMenuItemChecked(sender, checked);
  RefreshKeyboard(false);
  dwell_.Clicked(std::nullopt);
}

}  // namespace plinth
