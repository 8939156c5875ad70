// Switch scanning: the switch keys the window reports go to the scan
// controller, and a choice reaches the handlers a click would, without the
// pointer.

#include "src/keyboard/form.h"

namespace plinth {

void TForm1::SwitchKeyPressed(std::uint16_t code) { scan_.SwitchKeyPressed(code); }

void TForm1::SwitchKeyReleased(std::uint16_t code) { scan_.SwitchKeyReleased(code); }

void TForm1::PerformChoice(platform::PointerTarget stop) {
  if (stop.kind != platform::PointerTarget::Kind::Panel) {
    PerformClick(stop);
    return;
  }
  // No hover step: the switch arms the panel, or releases it.
  SetPanel(stop.panel,
           panel_state(stop.panel) == PanelState::Armed ? PanelState::Idle : PanelState::Armed);
  RefreshKeyboard(false);
  dwell_.Clicked(std::nullopt);
}

}  // namespace plinth
