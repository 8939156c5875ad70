#include "src/keyboard/button_states.h"

#include <string_view>

#include "src/layout/profile_values.h"

namespace plinth {
namespace {

using platform::ButtonState;

ButtonState OnIf(bool on, ButtonState state = ButtonState::On) {
  return on ? state : ButtonState::Off;
}

// Words compared as the dispatch compares them: upper-cased by the ASCII
// rule, as a whole.
ButtonState StateOfDefaultAction(const TButtonRec& rec, const KeyboardFlags& flags) {
  const std::string_view action = rec.Action;
  if (IsAsciiUpperOf(action, "CAPSLOCK")) return OnIf(flags.CapsLock);
  if (IsAsciiUpperOf(action, "SHIFT1LOCK")) return OnIf(flags.Shift1Lock);
  if (IsAsciiUpperOf(action, "SHIFT2LOCK")) return OnIf(flags.Shift2Lock);
  if (IsAsciiUpperOf(action, "TOGGLESELECTING")) return OnIf(flags.Selecting, ButtonState::Mode);
  if (IsAsciiUpperOf(action, "MOVE") && IsAsciiUpperOf(rec.Param[0], "POINTER")) {
    return OnIf(flags.Moving, ButtonState::Mode);
  }
  return ButtonState::Off;
}

}  // namespace

ButtonState StateOfButton(const TButtonRec& rec, const KeyboardFlags& flags) {
  const std::string_view type = rec.Type;
  if (IsAsciiUpperOf(type, "CTRLTOGGLE")) return OnIf(flags.CtrlToggle);
  if (IsAsciiUpperOf(type, "ALTTOGGLE")) return OnIf(flags.AltToggle);
  if (IsAsciiUpperOf(type, "ACTION") && IsAsciiUpperOf(rec.Handler, "DEFAULT")) {
    return StateOfDefaultAction(rec, flags);
  }
  return ButtonState::Off;
}

}  // namespace plinth
