// After the screen or its monitors change (a smaller resolution, a monitor
// unplugged), the keyboard must stay where a pointer can reach it.

#include <algorithm>

#include "src/keyboard/form.h"

namespace plinth {
namespace {

bool Contains(const platform::Rect& outer, const platform::Rect& inner) {
  return inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

// The nearest start of a span of `length` inside [start, start + room);
// the start itself when it does not fit.
int Inside(int position, int length, int start, int room) {
  return std::max(start, std::min(position, start + room - length));
}

}  // namespace

bool TForm1::WholeOnAMonitor() {
  const std::vector<platform::Rect> monitors = services_.screen.Monitors();
  const platform::Point at = window_.OuterPosition();
  const platform::Size size = window_.OuterSize();
  const platform::Rect outer{at.x, at.y, size.width, size.height};
  return std::any_of(monitors.begin(), monitors.end(),
                     [&](const platform::Rect& m) { return Contains(m, outer); });
}

void TForm1::KeepWithinReach() {
  if (WholeOnAMonitor()) return;
  const std::vector<platform::Rect> monitors = services_.screen.Monitors();
  if (monitors.empty()) return;
  const platform::Rect& primary = monitors.front();
  const platform::Point at = window_.OuterPosition();
  const platform::Size size = window_.OuterSize();
  window_.MoveTo({Inside(at.x, size.width, primary.x, primary.width),
                  Inside(at.y, size.height, primary.y, primary.height)});
}

void TForm1::ScreenChanged() {
  // A docked window in its corner is docked again at its new size here.
  ApplyPitch(asked_pitch_);
  if (docking_ && (docking_->placed == window_.OuterPosition() || !WholeOnAMonitor())) {
    const Docking corner = *docking_;
    PlaceWindow(corner.horizontal, corner.vertical);
    return;
  }
  docking_.reset();
  KeepWithinReach();
}

}  // namespace plinth
