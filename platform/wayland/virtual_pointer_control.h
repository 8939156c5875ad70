#pragma once

// Moves the pointer through a virtual pointer of the compositor: an absolute
// motion within the box of all outputs.

#include "platform/platform.h"

struct zwlr_virtual_pointer_v1;

namespace plinth::platform::wayland {

class WaylandConnection;

class VirtualPointerControl final : public PointerControl {
 public:
  explicit VirtualPointerControl(WaylandConnection& connection);
  ~VirtualPointerControl() override;
  VirtualPointerControl(const VirtualPointerControl&) = delete;
  VirtualPointerControl& operator=(const VirtualPointerControl&) = delete;

  std::optional<OsError> SetCursorPos(Point screen_point) override;

 private:
  WaylandConnection& connection_;
  zwlr_virtual_pointer_v1* pointer_ = nullptr;
};

}  // namespace plinth::platform::wayland
