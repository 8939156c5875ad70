#include "platform/wayland/wayland_connection.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>

#include "platform/wayland/layer_shell_protocol.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace plinth::platform::wayland {
namespace {

// The versions the keyboard speaks; a compositor offering less is asked for
// what it offers.
constexpr std::uint32_t kCompositorVersion = 4;
constexpr std::uint32_t kShmVersion = 1;
constexpr std::uint32_t kSeatVersion = 5;
constexpr std::uint32_t kOutputVersion = 3;
constexpr std::uint32_t kLayerShellVersion = 3;
constexpr std::uint32_t kWmBaseVersion = 2;
constexpr std::uint32_t kToplevelManagerVersion = 3;

void Ping(void* /*data*/, xdg_wm_base* wm_base, std::uint32_t serial) {
  xdg_wm_base_pong(wm_base, serial);
}
const xdg_wm_base_listener kWmBaseListener{.ping = Ping};

template <typename T>
T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface* interface,
        std::uint32_t offered, std::uint32_t wanted) {
  return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

}  // namespace

struct OutputEvents {
  static Output* Of(void* data) { return static_cast<Output*>(data); }
  static void Geometry(void* data, wl_output* /*output*/, std::int32_t x, std::int32_t y,
                       std::int32_t /*mm_width*/, std::int32_t /*mm_height*/,
                       std::int32_t /*subpixel*/, const char* /*make*/, const char* /*model*/,
                       std::int32_t /*transform*/) {
    Of(data)->position = {x, y};
  }
  static void Mode(void* data, wl_output* /*output*/, std::uint32_t flags, std::int32_t width,
                   std::int32_t height, std::int32_t /*refresh*/) {
    if ((flags & WL_OUTPUT_MODE_CURRENT) != 0) Of(data)->mode = {width, height};
  }
  static void Scale(void* data, wl_output* /*output*/, std::int32_t factor) {
    Of(data)->pending_scale = std::max(1, factor);
  }
  static void Name(void* /*data*/, wl_output* /*output*/, const char* /*name*/) {}
  static void Description(void* /*data*/, wl_output* /*output*/, const char* /*text*/) {}
  static void Done(void* data, wl_output* /*output*/);
};

namespace {
const wl_output_listener kOutputListener{
    .geometry = OutputEvents::Geometry,
    .mode = OutputEvents::Mode,
    .done = OutputEvents::Done,
    .scale = OutputEvents::Scale,
    .name = OutputEvents::Name,
    .description = OutputEvents::Description,
};
}  // namespace

void OutputEvents::Done(void* data, wl_output* /*output*/) {
  Output& out = *Of(data);
  out.scale = out.pending_scale;
  // The mode is in device pixels; the layout is in logical ones.
  out.area = {out.position.x, out.position.y, out.mode.width / out.scale,
              out.mode.height / out.scale};
  if (out.connection->outputs_changed_) out.connection->outputs_changed_(nullptr);
}

struct SeatEvents {
  static void Capabilities(void* data, wl_seat* /*seat*/, std::uint32_t capabilities) {
    static_cast<WaylandConnection*>(data)->SeatCapabilities(capabilities);
  }
  static void Name(void* /*data*/, wl_seat* /*seat*/, const char* /*name*/) {}
};

namespace {
const wl_seat_listener kSeatListener{.capabilities = SeatEvents::Capabilities,
                                     .name = SeatEvents::Name};
}  // namespace

struct PointerEvents {
  static WaylandConnection& Of(void* data) { return *static_cast<WaylandConnection*>(data); }
  static void Enter(void* data, wl_pointer* /*pointer*/, std::uint32_t /*serial*/,
                    wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
    WaylandConnection& connection = Of(data);
    connection.pointer_surface_ = surface;
    connection.pointer_x_ = wl_fixed_to_double(x);
    connection.pointer_y_ = wl_fixed_to_double(y);
    if (PointerHandler* handler = connection.HandlerOf(surface)) {
      handler->PointerEntered(wl_fixed_to_double(x), wl_fixed_to_double(y));
    }
  }
  static void Leave(void* data, wl_pointer* /*pointer*/, std::uint32_t /*serial*/,
                    wl_surface* surface) {
    WaylandConnection& connection = Of(data);
    if (connection.pointer_surface_ == surface) connection.pointer_surface_ = nullptr;
    if (PointerHandler* handler = connection.HandlerOf(surface)) handler->PointerLeft();
  }
  static void Motion(void* data, wl_pointer* /*pointer*/, std::uint32_t /*time*/, wl_fixed_t x,
                     wl_fixed_t y) {
    WaylandConnection& connection = Of(data);
    connection.pointer_x_ = wl_fixed_to_double(x);
    connection.pointer_y_ = wl_fixed_to_double(y);
    if (PointerHandler* handler = connection.HandlerOf(connection.pointer_surface_)) {
      handler->PointerMotion(wl_fixed_to_double(x), wl_fixed_to_double(y));
    }
  }
  static void Button(void* data, wl_pointer* /*pointer*/, std::uint32_t /*serial*/,
                     std::uint32_t /*time*/, std::uint32_t button, std::uint32_t state) {
    WaylandConnection& connection = Of(data);
    PointerHandler* handler = connection.HandlerOf(connection.pointer_surface_);
    if (handler == nullptr) return;
    const bool pressed = state == WL_POINTER_BUTTON_STATE_PRESSED;
    if (connection.button_watch_) {
      connection.button_watch_(
          button, pressed, handler->ScreenPointAt(connection.pointer_x_, connection.pointer_y_));
    }
    // The watch may have closed the surface.
    if (PointerHandler* still = connection.HandlerOf(connection.pointer_surface_)) {
      still->PointerButton(button, pressed);
    }
  }
  static void Axis(void* /*data*/, wl_pointer* /*pointer*/, std::uint32_t /*time*/,
                   std::uint32_t /*axis*/, wl_fixed_t /*value*/) {}
  static void Frame(void* /*data*/, wl_pointer* /*pointer*/) {}
  static void AxisSource(void* /*data*/, wl_pointer* /*pointer*/, std::uint32_t /*source*/) {}
  static void AxisStop(void* /*data*/, wl_pointer* /*pointer*/, std::uint32_t /*time*/,
                       std::uint32_t /*axis*/) {}
  static void AxisDiscrete(void* /*data*/, wl_pointer* /*pointer*/, std::uint32_t /*axis*/,
                           std::int32_t /*discrete*/) {}
  static void AxisValue120(void* /*data*/, wl_pointer* /*pointer*/, std::uint32_t /*axis*/,
                           std::int32_t /*value*/) {}
};

namespace {
const wl_pointer_listener kPointerListener{
    .enter = PointerEvents::Enter,
    .leave = PointerEvents::Leave,
    .motion = PointerEvents::Motion,
    .button = PointerEvents::Button,
    .axis = PointerEvents::Axis,
    .frame = PointerEvents::Frame,
    .axis_source = PointerEvents::AxisSource,
    .axis_stop = PointerEvents::AxisStop,
    .axis_discrete = PointerEvents::AxisDiscrete,
    .axis_value120 = PointerEvents::AxisValue120,
};
}  // namespace

std::unique_ptr<WaylandConnection> WaylandConnection::Connect() {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) return nullptr;
  std::unique_ptr<WaylandConnection> connection(new WaylandConnection());
  connection->display_ = display;
  static const wl_registry_listener listener{.global = Global, .global_remove = GlobalRemove};
  connection->registry_ = wl_display_get_registry(display);
  wl_registry_add_listener(connection->registry_, &listener, connection.get());
  // The globals, then the events of the objects bound to them (outputs'
  // modes, the seat's capabilities).
  wl_display_roundtrip(display);
  wl_display_roundtrip(display);
  return connection;
}

WaylandConnection::~WaylandConnection() {
  for (const auto& out : outputs_) wl_output_destroy(out->output);
  if (pointer_ != nullptr) wl_pointer_destroy(pointer_);
  if (pointer_manager_ != nullptr) zwlr_virtual_pointer_manager_v1_destroy(pointer_manager_);
  if (keyboard_manager_ != nullptr) zwp_virtual_keyboard_manager_v1_destroy(keyboard_manager_);
  if (layer_shell_ != nullptr) zwlr_layer_shell_v1_destroy(layer_shell_);
  if (wm_base_ != nullptr) xdg_wm_base_destroy(wm_base_);
  if (seat_ != nullptr) wl_seat_destroy(seat_);
  if (shm_ != nullptr) wl_shm_destroy(shm_);
  if (compositor_ != nullptr) wl_compositor_destroy(compositor_);
  if (registry_ != nullptr) wl_registry_destroy(registry_);
  wl_display_flush(display_);
  wl_display_disconnect(display_);
}

void WaylandConnection::Global(void* data, wl_registry* registry, std::uint32_t name,
                               const char* interface, std::uint32_t version) {
  auto& self = *static_cast<WaylandConnection*>(data);
  const auto is = [interface](const wl_interface& wanted) {
    return std::strcmp(interface, wanted.name) == 0;
  };
  if (is(wl_compositor_interface)) {
    self.compositor_ =
        Bind<wl_compositor>(registry, name, &wl_compositor_interface, version, kCompositorVersion);
  } else if (is(wl_shm_interface)) {
    self.shm_ = Bind<wl_shm>(registry, name, &wl_shm_interface, version, kShmVersion);
  } else if (is(wl_seat_interface) && self.seat_ == nullptr) {
    self.seat_ = Bind<wl_seat>(registry, name, &wl_seat_interface, version, kSeatVersion);
    wl_seat_add_listener(self.seat_, &kSeatListener, &self);
  } else if (is(wl_output_interface)) {
    self.AddOutput(name, version);
  } else if (is(zwlr_layer_shell_v1_interface)) {
    self.layer_shell_ = Bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface,
                                                  version, kLayerShellVersion);
  } else if (is(xdg_wm_base_interface)) {
    self.wm_base_ =
        Bind<xdg_wm_base>(registry, name, &xdg_wm_base_interface, version, kWmBaseVersion);
    xdg_wm_base_add_listener(self.wm_base_, &kWmBaseListener, &self);
  } else if (is(zwp_virtual_keyboard_manager_v1_interface)) {
    self.keyboard_manager_ = Bind<zwp_virtual_keyboard_manager_v1>(
        registry, name, &zwp_virtual_keyboard_manager_v1_interface, version, 1);
  } else if (is(zwlr_virtual_pointer_manager_v1_interface)) {
    self.pointer_manager_ = Bind<zwlr_virtual_pointer_manager_v1>(
        registry, name, &zwlr_virtual_pointer_manager_v1_interface, version, 1);
  } else if (is(zwlr_foreign_toplevel_manager_v1_interface)) {
    self.toplevel_manager_name_ = name;
    self.toplevel_manager_version_ = version;
  }
}

zwlr_foreign_toplevel_manager_v1* WaylandConnection::BindToplevelManager() const {
  if (toplevel_manager_name_ == 0) return nullptr;
  return Bind<zwlr_foreign_toplevel_manager_v1>(registry_, toplevel_manager_name_,
                                                &zwlr_foreign_toplevel_manager_v1_interface,
                                                toplevel_manager_version_, kToplevelManagerVersion);
}

void WaylandConnection::AddOutput(std::uint32_t name, std::uint32_t version) {
  auto out = std::make_unique<Output>();
  out->connection = this;
  out->name = name;
  out->output = Bind<wl_output>(registry_, name, &wl_output_interface, version, kOutputVersion);
  wl_output_add_listener(out->output, &kOutputListener, out.get());
  outputs_.push_back(std::move(out));
}

void WaylandConnection::GlobalRemove(void* data, wl_registry* /*registry*/, std::uint32_t name) {
  auto& self = *static_cast<WaylandConnection*>(data);
  const auto gone = std::ranges::find(self.outputs_, name, &Output::name);
  if (gone == self.outputs_.end()) return;
  std::unique_ptr<Output> out = std::move(*gone);
  self.outputs_.erase(gone);
  if (self.outputs_changed_) self.outputs_changed_(out->output);
  wl_output_destroy(out->output);
}

void WaylandConnection::SeatCapabilities(std::uint32_t capabilities) {
  const bool has_pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
  if (has_pointer && pointer_ == nullptr) {
    pointer_ = wl_seat_get_pointer(seat_);
    wl_pointer_add_listener(pointer_, &kPointerListener, this);
  } else if (!has_pointer && pointer_ != nullptr) {
    wl_pointer_destroy(pointer_);
    pointer_ = nullptr;
    pointer_surface_ = nullptr;
  }
}

std::vector<std::string> WaylandConnection::MissingProtocols() const {
  std::vector<std::string> missing;
  if (layer_shell_ == nullptr) missing.emplace_back(zwlr_layer_shell_v1_interface.name);
  if (keyboard_manager_ == nullptr) {
    missing.emplace_back(zwp_virtual_keyboard_manager_v1_interface.name);
  }
  if (pointer_manager_ == nullptr) {
    missing.emplace_back(zwlr_virtual_pointer_manager_v1_interface.name);
  }
  return missing;
}

std::vector<const Output*> WaylandConnection::Outputs() const {
  std::vector<const Output*> done;
  for (const auto& out : outputs_) {
    if (out->area.width > 0 && out->area.height > 0) done.push_back(out.get());
  }
  return done;
}

std::vector<Rect> WaylandConnection::OutputAreas() const {
  std::vector<Rect> areas;
  for (const Output* out : Outputs()) areas.push_back(out->area);
  return areas;
}

const Output* WaylandConnection::FindOutput(const wl_output* output) const {
  for (const auto& out : outputs_) {
    if (out->output == output) return out.get();
  }
  return nullptr;
}

void WaylandConnection::SetPointerHandler(wl_surface* surface, PointerHandler* handler) {
  pointer_handlers_[surface] = handler;
}

void WaylandConnection::RemovePointerHandler(wl_surface* surface) {
  pointer_handlers_.erase(surface);
  if (pointer_surface_ == surface) pointer_surface_ = nullptr;
}

PointerHandler* WaylandConnection::HandlerOf(wl_surface* surface) const {
  if (surface == nullptr) return nullptr;
  const auto found = pointer_handlers_.find(surface);
  return found == pointer_handlers_.end() ? nullptr : found->second;
}

void WaylandConnection::Roundtrip() { wl_display_roundtrip(display_); }

}  // namespace plinth::platform::wayland
