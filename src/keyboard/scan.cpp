// Switch scanning: the switch keys the window reports go to the scan
// controller, and a choice reaches the handlers a click would, without the
// pointer.

#include "platform/form_design.h"
#include "src/keyboard/form.h"

namespace plinth {

void TForm1::SwitchKeyPressed(std::uint16_t code) { scan_.SwitchKeyPressed(code); }

void TForm1::SwitchKeyReleased(std::uint16_t code) { scan_.SwitchKeyReleased(code); }

void TForm1::PerformChoice(platform::PointerTarget stop) {
  using Kind = platform::PointerTarget::Kind;
  switch (stop.kind) {
    case Kind::Button:
      doclick(platform::design::ButtonName(stop.cell));
      break;
    case Kind::Panel:
      // No hover step: the switch arms the panel, or releases it.
      SetPanel(stop.panel,
               panel_state(stop.panel) == PanelState::Armed ? PanelState::Idle : PanelState::Armed);
      RefreshKeyboard(false);
      dwell_.Clicked(std::nullopt);
      break;
    case Kind::DialogOk:
      window_.PressDialogOk();
      break;
    case Kind::Nothing:
      break;
  }
}

}  // namespace plinth
