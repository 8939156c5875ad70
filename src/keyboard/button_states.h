#pragma once

// Which grid buttons show their state as on: an armed Ctrl or Alt toggle, a
// lock that is on, and the buttons of selecting mode and move mode while the
// mode lasts. It is worked out from the button on show, so it follows the
// layer and the layout.

#include "platform/keyboard_window.h"
#include "src/keyboard/keyboard_flags.h"
#include "src/layout/button_rec.h"

namespace plinth {

platform::ButtonState StateOfButton(const TButtonRec& rec, const KeyboardFlags& flags);

}  // namespace plinth
