#include "src/keyboard/button_states.h"

#include <string>

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
  const std::string action = AsciiUpper(rec.Action);
  if (action == "CAPSLOCK") return OnIf(flags.CapsLock);
  if (action == "SHIFT1LOCK") return OnIf(flags.Shift1Lock);
  if (action == "SHIFT2LOCK") return OnIf(flags.Shift2Lock);
  if (action == "TOGGLESELECTING") return OnIf(flags.Selecting, ButtonState::Mode);
  if (action == "MOVE" && AsciiUpper(rec.Param[0]) == "POINTER") {
    return OnIf(flags.Moving, ButtonState::Mode);
  }
  return ButtonState::Off;
}

}  // namespace

ButtonState StateOfButton(const TButtonRec& rec, const KeyboardFlags& flags) {
  const std::string type = AsciiUpper(rec.Type);
  if (type == "CTRLTOGGLE") return OnIf(flags.CtrlToggle);
  if (type == "ALTTOGGLE") return OnIf(flags.AltToggle);
  if (type == "ACTION" && AsciiUpper(rec.Handler) == "DEFAULT") {
    return StateOfDefaultAction(rec, flags);
  }
  return ButtonState::Off;
}

}  // namespace plinth
