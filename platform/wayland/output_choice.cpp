#include "platform/wayland/output_choice.h"

#include <algorithm>
#include <cstdint>

namespace plinth::platform::wayland {
namespace {

// Before the compositor announces an output: the screen the keyboard was
// designed on.
constexpr Rect kDesignedScreen{0, 0, 1024, 768};

// The square of the distance from `point` to the nearest point of `area`.
std::int64_t DistanceSquared(const Rect& area, Point point) {
  const std::int64_t dx = std::max({area.x - point.x, 0, point.x - (area.x + area.width - 1)});
  const std::int64_t dy = std::max({area.y - point.y, 0, point.y - (area.y + area.height - 1)});
  return dx * dx + dy * dy;
}

}  // namespace

std::optional<std::size_t> OutputOf(const std::vector<Rect>& outputs, const Rect& window) {
  if (outputs.empty()) return std::nullopt;
  const Point middle{window.x + window.width / 2, window.y + window.height / 2};
  std::size_t nearest = 0;
  for (std::size_t i = 1; i < outputs.size(); ++i) {
    if (DistanceSquared(outputs[i], middle) < DistanceSquared(outputs[nearest], middle)) {
      nearest = i;
    }
  }
  return nearest;
}

std::vector<Rect> MonitorsFromKeyboard(const std::vector<Rect>& outputs, const Rect& window) {
  const std::optional<std::size_t> mine = OutputOf(outputs, window);
  if (!mine) return {kDesignedScreen};
  std::vector<Rect> monitors = outputs;
  std::rotate(monitors.begin(), monitors.begin() + static_cast<long>(*mine),
              monitors.begin() + static_cast<long>(*mine) + 1);
  return monitors;
}

}  // namespace plinth::platform::wayland
