#include "platform/wayland/layer_window.h"

#include <wayland-client.h>

#include <algorithm>

#include "platform/wayland/layer_shell_protocol.h"
#include "xdg-shell-client-protocol.h"

namespace plinth::platform::wayland {

LayerWindow::LayerWindow(WaylandConnection& connection, std::string name, PointerHandler& pointer,
                         Paint paint)
    : connection_(connection),
      name_(std::move(name)),
      pointer_(pointer),
      paint_(std::move(paint)),
      buffers_(connection.shm()) {}

LayerWindow::~LayerWindow() { Destroy(); }

void LayerWindow::Place(const LayerPlacement& placement) {
  // A popup is made anew at its new place.
  const bool new_output = surface_ != nullptr && (placement.output != placement_.output ||
                                                  popup_ != nullptr || placement.parent != nullptr);
  placement_ = placement;
  if (new_output || closed_) Destroy();
  if (surface_ == nullptr) {
    Create();
    return;
  }
  ApplyPlacement();
  wl_surface_commit(surface_);
  dirty_ = true;
}

void LayerWindow::Hide() { Destroy(); }

void LayerWindow::Create() {
  closed_ = false;
  configured_ = false;
  surface_ = wl_compositor_create_surface(connection_.compositor());
  connection_.SetPointerHandler(surface_, &pointer_);
  if (placement_.parent != nullptr && placement_.parent->layer_ != nullptr &&
      connection_.wm_base() != nullptr) {
    CreatePopup();
    return;
  }
  layer_ = zwlr_layer_shell_v1_get_layer_surface(connection_.layer_shell(), surface_,
                                                 const_cast<wl_output*>(placement_.output),
                                                 ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, name_.c_str());
  static const zwlr_layer_surface_v1_listener listener{.configure = Configure, .closed = Closed};
  zwlr_layer_surface_v1_add_listener(layer_, &listener, this);
  zwlr_layer_surface_v1_set_keyboard_interactivity(
      layer_, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
  // Placed from the output's own edges, not moved aside for panels, and
  // taking no room from other windows.
  zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
  ApplyPlacement();
  // The first commit carries no buffer; the configure event answers it.
  wl_surface_commit(surface_);
  dirty_ = true;
}

void LayerWindow::CreatePopup() {
  xdg_surface_ = xdg_wm_base_get_xdg_surface(connection_.wm_base(), surface_);
  static const xdg_surface_listener surface_listener{.configure = PopupConfigure};
  xdg_surface_add_listener(xdg_surface_, &surface_listener, this);
  xdg_positioner* positioner = xdg_wm_base_create_positioner(connection_.wm_base());
  xdg_positioner_set_size(positioner, placement_.size.width, placement_.size.height);
  // The popup's top-left corner at the offset from the parent's.
  xdg_positioner_set_anchor_rect(positioner, 0, 0, 1, 1);
  xdg_positioner_set_anchor(positioner, XDG_POSITIONER_ANCHOR_TOP_LEFT);
  xdg_positioner_set_gravity(positioner, XDG_POSITIONER_GRAVITY_BOTTOM_RIGHT);
  xdg_positioner_set_offset(positioner, placement_.offset.x, placement_.offset.y);
  popup_ = xdg_surface_get_popup(xdg_surface_, nullptr, positioner);
  xdg_positioner_destroy(positioner);
  static const xdg_popup_listener popup_listener{
      .configure = [](void*, xdg_popup*, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {},
      .popup_done = PopupDone,
      .repositioned = [](void*, xdg_popup*, std::uint32_t) {},
  };
  xdg_popup_add_listener(popup_, &popup_listener, this);
  zwlr_layer_surface_v1_get_popup(placement_.parent->layer_, popup_);
  wl_surface_commit(surface_);
  dirty_ = true;
}

void LayerWindow::PopupConfigure(void* data, xdg_surface* surface, std::uint32_t serial) {
  auto& self = *static_cast<LayerWindow*>(data);
  xdg_surface_ack_configure(surface, serial);
  self.configured_ = true;
  self.dirty_ = true;
  self.DrawIfNeeded();
}

void LayerWindow::PopupDone(void* data, xdg_popup* /*popup*/) {
  auto& self = *static_cast<LayerWindow*>(data);
  self.closed_ = true;
  if (self.on_closed_) self.on_closed_();
}

void LayerWindow::Destroy() {
  if (surface_ == nullptr) return;
  connection_.RemovePointerHandler(surface_);
  if (popup_ != nullptr) xdg_popup_destroy(popup_);
  if (xdg_surface_ != nullptr) xdg_surface_destroy(xdg_surface_);
  if (layer_ != nullptr) zwlr_layer_surface_v1_destroy(layer_);
  wl_surface_destroy(surface_);
  popup_ = nullptr;
  xdg_surface_ = nullptr;
  layer_ = nullptr;
  surface_ = nullptr;
  configured_ = false;
}

void LayerWindow::ApplyPlacement() {
  std::uint32_t anchor = 0;
  if (!placement_.centred) {
    anchor |= placement_.anchor_right ? ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT
                                      : ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT;
    anchor |= placement_.anchor_bottom ? ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM
                                       : ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP;
  }
  zwlr_layer_surface_v1_set_anchor(layer_, anchor);
  const int x = placement_.margin_x;
  const int y = placement_.margin_y;
  zwlr_layer_surface_v1_set_margin(
      layer_, placement_.anchor_bottom ? 0 : y, placement_.anchor_right ? x : 0,
      placement_.anchor_bottom ? y : 0, placement_.anchor_right ? 0 : x);
  zwlr_layer_surface_v1_set_size(layer_, static_cast<std::uint32_t>(placement_.size.width),
                                 static_cast<std::uint32_t>(placement_.size.height));
}

void LayerWindow::Configure(void* data, zwlr_layer_surface_v1* surface, std::uint32_t serial,
                            std::uint32_t /*width*/, std::uint32_t /*height*/) {
  auto& self = *static_cast<LayerWindow*>(data);
  zwlr_layer_surface_v1_ack_configure(surface, serial);
  self.configured_ = true;
  self.dirty_ = true;
  self.DrawIfNeeded();
}

void LayerWindow::Closed(void* data, zwlr_layer_surface_v1* /*surface*/) {
  auto& self = *static_cast<LayerWindow*>(data);
  self.closed_ = true;
  if (self.on_closed_) self.on_closed_();
}

int LayerWindow::Scale() const {
  const Output* out = connection_.FindOutput(placement_.output);
  return out != nullptr ? out->scale : 1;
}

void LayerWindow::DrawIfNeeded() {
  if (surface_ == nullptr || !configured_ || closed_ || !dirty_) return;
  const int scale = Scale();
  const Size size = placement_.size;
  ShmBuffer* buffer = buffers_.Acquire(size.width * scale, size.height * scale);
  if (buffer == nullptr) return;
  cairo_surface_t* target = cairo_image_surface_create_for_data(
      buffer->pixels(), CAIRO_FORMAT_ARGB32, buffer->width(), buffer->height(), buffer->stride());
  cairo_t* cairo = cairo_create(target);
  cairo_scale(cairo, scale, scale);
  paint_(cairo, size);
  cairo_destroy(cairo);
  cairo_surface_flush(target);
  cairo_surface_destroy(target);
  wl_surface_set_buffer_scale(surface_, scale);
  wl_surface_attach(surface_, buffer->buffer(), 0, 0);
  wl_surface_damage(surface_, 0, 0, size.width, size.height);
  wl_surface_commit(surface_);
  buffer->set_busy();
  dirty_ = false;
}

}  // namespace plinth::platform::wayland
