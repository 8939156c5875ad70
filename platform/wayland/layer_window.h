#pragma once

// One surface on the overlay layer: above every window, full-screen ones
// included, never given the keyboard focus, reserving no room. It lies on
// one output, at the corner its anchors name and the margins from it, and
// is drawn by a paint function into shared-memory buffers at the output's
// scale. A window that the compositor closes (its output gone) is made
// again by the owner's Place.
//
// A window placed over another one that is shown (a menu or a dialog over
// the keyboard) is a popup of it instead, at an offset from its top-left
// corner: the compositor stacks surfaces of one layer as it likes, but a
// popup always above its parent. It takes no keyboard focus either.

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/wayland/shm_buffer.h"
#include "platform/wayland/wayland_connection.h"

struct wl_surface;
struct wl_output;
struct zwlr_layer_surface_v1;
struct xdg_surface;
struct xdg_popup;

namespace plinth::platform::wayland {

// Where a layer window lies on its output.
struct LayerPlacement {
  const wl_output* output = nullptr;  // null: the compositor chooses
  bool anchor_right = false;          // else the left edge
  bool anchor_bottom = false;         // else the top edge
  bool centred = false;               // no anchor at all: the output's centre
  int margin_x = 0;                   // from the anchored vertical edge, inward
  int margin_y = 0;                   // from the anchored horizontal edge, inward
  Size size;
  // A popup of this window, when it is shown, at this offset from its
  // top-left corner; the anchors and margins are then for the case that
  // it is not.
  const class LayerWindow* parent = nullptr;
  Point offset;
  friend bool operator==(const LayerPlacement&, const LayerPlacement&) = default;
};

class LayerWindow {
 public:
  // Paints the whole window; `size` in logical pixels, the context already
  // scaled to them.
  using Paint = std::function<void(cairo_t* cairo, Size size)>;

  LayerWindow(WaylandConnection& connection, std::string name, PointerHandler& pointer,
              Paint paint);
  ~LayerWindow();
  LayerWindow(const LayerWindow&) = delete;
  LayerWindow& operator=(const LayerWindow&) = delete;

  // Shows the window at `placement`; a window on another output, or closed
  // by the compositor, is made anew there.
  void Place(const LayerPlacement& placement);
  void Hide();
  bool shown() const { return surface_ != nullptr; }
  // True once the compositor closed the window.
  bool closed() const { return closed_; }
  const LayerPlacement& placement() const { return placement_; }
  // Called when the compositor closes the window.
  void OnClosed(std::function<void()> closed) { on_closed_ = std::move(closed); }

  // The picture is drawn again before the loop next waits.
  void Redraw() { dirty_ = true; }
  // Draws now if the picture changed and the compositor has configured the
  // window.
  void DrawIfNeeded();

 private:
  static void Configure(void* data, zwlr_layer_surface_v1* surface, std::uint32_t serial,
                        std::uint32_t width, std::uint32_t height);
  static void Closed(void* data, zwlr_layer_surface_v1* surface);
  static void PopupConfigure(void* data, xdg_surface* surface, std::uint32_t serial);
  static void PopupDone(void* data, xdg_popup* popup);
  void Create();
  void CreatePopup();
  void Destroy();
  void ApplyPlacement();
  int Scale() const;

  WaylandConnection& connection_;
  std::string name_;
  PointerHandler& pointer_;
  Paint paint_;
  BufferPool buffers_;
  LayerPlacement placement_;
  wl_surface* surface_ = nullptr;
  zwlr_layer_surface_v1* layer_ = nullptr;
  xdg_surface* xdg_surface_ = nullptr;
  xdg_popup* popup_ = nullptr;
  bool configured_ = false;
  bool closed_ = false;
  bool dirty_ = true;
  std::function<void()> on_closed_;
};

}  // namespace plinth::platform::wayland
