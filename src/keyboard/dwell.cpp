// Dwell click: the window's reports of the pointer go to the dwell
// controller, and a dwell click reaches the same handlers as a real click.

#include "platform/form_design.h"
#include "src/keyboard/form.h"

namespace plinth {

void TForm1::PointerMoved(platform::PointerTarget target, platform::Point screen_point) {
  dwell_.PointerMoved(target, screen_point);
}

void TForm1::MouseButtonPressed() { dwell_.ButtonPressed(); }

void TForm1::MouseButtonReleased(platform::Point screen_point) {
  dwell_.ButtonReleased(screen_point);
}

void TForm1::PerformClick(platform::PointerTarget target) {
  using Kind = platform::PointerTarget::Kind;
  switch (target.kind) {
    case Kind::Button:
      doclick(platform::design::ButtonName(target.cell));
      break;
    case Kind::Panel:
      PanelClick(target.panel);
      break;
    case Kind::DialogOk:
      window_.PressDialogOk();
      break;
    case Kind::Nothing:
      break;
  }
}

}  // namespace plinth
