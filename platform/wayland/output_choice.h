#pragma once

// Which output the keyboard is on, in the compositor's layout: the one that
// holds the middle of its window, else the one nearest to it. The keyboard
// lies on that output, and the keyboard logic sees it as the primary
// monitor, which it docks to and moves a stray window into. So a keyboard
// whose output goes away lands whole on the nearest output that remains.

#include <optional>
#include <vector>

#include "platform/platform.h"

namespace plinth::platform::wayland {

// The index in `outputs` of the keyboard's output; nothing when there are
// no outputs.
std::optional<std::size_t> OutputOf(const std::vector<Rect>& outputs, const Rect& window);

// The outputs' areas, the keyboard's output first; the designed screen
// when there are none yet.
std::vector<Rect> MonitorsFromKeyboard(const std::vector<Rect>& outputs, const Rect& window);

}  // namespace plinth::platform::wayland
