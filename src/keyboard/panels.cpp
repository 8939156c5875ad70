// The two centre panels, the keyboard's shift keys: hover marks a panel, a
// click on a marked panel arms it, any other click marks it again.

#include "src/keyboard/form.h"

namespace plinth {

void TForm1::PanelMouseMove(PanelId sender) {
  if (panel_state(sender) == PanelState::Idle) SetPanel(sender, PanelState::Hover);
}

void TForm1::PanelClick(PanelId sender) {
  SetPanel(sender,
           panel_state(sender) == PanelState::Hover ? PanelState::Armed : PanelState::Hover);
  RefreshKeyboard(false);
  dwell_.Clicked(std::nullopt);
}

}  // namespace plinth
