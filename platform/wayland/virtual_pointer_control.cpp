#include "platform/wayland/virtual_pointer_control.h"

#include <wayland-client.h>

#include <algorithm>
#include <chrono>
#include <climits>

#include "platform/wayland/wayland_connection.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace plinth::platform::wayland {

VirtualPointerControl::VirtualPointerControl(WaylandConnection& connection)
    : connection_(connection) {
  if (connection.pointer_manager() == nullptr) return;
  pointer_ = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(connection.pointer_manager(),
                                                                    connection.seat());
}

VirtualPointerControl::~VirtualPointerControl() {
  if (pointer_ != nullptr) zwlr_virtual_pointer_v1_destroy(pointer_);
}

std::optional<OsError> VirtualPointerControl::SetCursorPos(Point screen_point) {
  if (pointer_ == nullptr) {
    return OsError{1, "The compositor offers no virtual pointer."};
  }
  // The compositor maps an absolute motion onto the box around all outputs.
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (const Output* out : connection_.Outputs()) {
    left = std::min(left, out->area.x);
    top = std::min(top, out->area.y);
    right = std::max(right, out->area.x + out->area.width);
    bottom = std::max(bottom, out->area.y + out->area.height);
  }
  if (left >= right || top >= bottom) return OsError{2, "The compositor announces no output."};
  const int x = std::clamp(screen_point.x, left, right - 1) - left;
  const int y = std::clamp(screen_point.y, top, bottom - 1) - top;
  using namespace std::chrono;
  const auto time = static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  zwlr_virtual_pointer_v1_motion_absolute(
      pointer_, time, static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
      static_cast<std::uint32_t>(right - left), static_cast<std::uint32_t>(bottom - top));
  zwlr_virtual_pointer_v1_frame(pointer_);
  wl_display_flush(connection_.display());
  return std::nullopt;
}

}  // namespace plinth::platform::wayland
