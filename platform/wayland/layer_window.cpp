#include "platform/wayland/layer_window.h"

#include <wayland-client.h>

#include <algorithm>

#include "platform/wayland/layer_shell_protocol.h"

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
  const bool new_output = surface_ != nullptr && placement.output != placement_.output;
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

void LayerWindow::Destroy() {
  if (surface_ == nullptr) return;
  connection_.RemovePointerHandler(surface_);
  zwlr_layer_surface_v1_destroy(layer_);
  wl_surface_destroy(surface_);
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
