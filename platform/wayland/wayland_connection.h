#pragma once

// The connection to the compositor and the globals the keyboard needs: the
// compositor, shared memory, the seat and its pointer, the outputs, and the
// three protocols of wlroots compositors that let a program act as a
// keyboard (layer surfaces, a virtual keyboard, a virtual pointer); and,
// where the compositor offers it, the list of toplevel windows, which tells
// where the focus is.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

struct wl_display;
struct wl_registry;
struct wl_compositor;
struct wl_shm;
struct wl_seat;
struct wl_pointer;
struct wl_surface;
struct wl_output;
struct zwlr_layer_shell_v1;
struct xdg_wm_base;
struct zwp_virtual_keyboard_manager_v1;
struct zwlr_virtual_pointer_manager_v1;
struct zwlr_foreign_toplevel_manager_v1;

namespace plinth::platform::wayland {

// One output as the compositor announces it: its place in the layout, its
// size in logical pixels and its scale.
class WaylandConnection;

struct Output {
  WaylandConnection* connection = nullptr;
  wl_output* output = nullptr;
  std::uint32_t name = 0;  // the registry's name of the global
  Rect area;               // logical pixels of the compositor's layout
  int scale = 1;
  // Pending until the output's done event.
  Point position;
  Size mode;
  int pending_scale = 1;
};

// Pointer events on one surface, in surface-local logical pixels. Each
// motion event carries the pointer's place when the compositor sent it.
class PointerHandler {
 public:
  virtual ~PointerHandler() = default;
  virtual void PointerEntered(double x, double y) = 0;
  virtual void PointerMotion(double x, double y) = 0;
  virtual void PointerLeft() = 0;
  // `button` is the Linux input code (BTN_LEFT, BTN_RIGHT).
  virtual void PointerButton(std::uint32_t button, bool pressed) = 0;
  // The point of the compositor's layout at a point of the surface.
  virtual Point ScreenPointAt(double x, double y) const = 0;
};

// Every press and release of a pointer button over a surface of the
// program, where on the screen it happened; told before the surface's own
// handler hears of it.
using ButtonWatch = std::function<void(std::uint32_t button, bool pressed, Point screen_point)>;

class WaylandConnection {
 public:
  // Connects to the compositor of WAYLAND_DISPLAY and learns its globals
  // and outputs. Nothing when no compositor answers.
  static std::unique_ptr<WaylandConnection> Connect();
  ~WaylandConnection();
  WaylandConnection(const WaylandConnection&) = delete;
  WaylandConnection& operator=(const WaylandConnection&) = delete;

  // The interface names of the three keyboard protocols that the
  // compositor does not offer; empty when it offers them all.
  std::vector<std::string> MissingProtocols() const;

  wl_display* display() const { return display_; }
  wl_compositor* compositor() const { return compositor_; }
  wl_shm* shm() const { return shm_; }
  wl_seat* seat() const { return seat_; }
  zwlr_layer_shell_v1* layer_shell() const { return layer_shell_; }
  // For popups of the keyboard's layer surface; null when not offered.
  xdg_wm_base* wm_base() const { return wm_base_; }
  zwp_virtual_keyboard_manager_v1* keyboard_manager() const { return keyboard_manager_; }
  zwlr_virtual_pointer_manager_v1* pointer_manager() const { return pointer_manager_; }
  // A new binding of the toplevel list, which the caller owns: it lists
  // every toplevel as soon as it is bound, so it is bound only by whoever
  // listens. Null when the compositor does not offer it.
  zwlr_foreign_toplevel_manager_v1* BindToplevelManager() const;

  // Outputs whose done event has come, in the order they were announced.
  std::vector<const Output*> Outputs() const;
  // Their areas, in the same order.
  std::vector<Rect> OutputAreas() const;
  const Output* FindOutput(const wl_output* output) const;
  // Called after an output was added, changed or removed; `removed` is the
  // output gone, or null.
  void OnOutputsChanged(std::function<void(const wl_output* removed)> changed) {
    outputs_changed_ = std::move(changed);
  }

  void WatchButtons(ButtonWatch watch) { button_watch_ = std::move(watch); }
  // Pointer events of `surface` go to `handler` until it is removed.
  void SetPointerHandler(wl_surface* surface, PointerHandler* handler);
  void RemovePointerHandler(wl_surface* surface);

  // Sends every request written so far and waits until the compositor has
  // handled them.
  void Roundtrip();

 private:
  WaylandConnection() = default;
  static void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                     std::uint32_t version);
  static void GlobalRemove(void* data, wl_registry* registry, std::uint32_t name);
  void AddOutput(std::uint32_t name, std::uint32_t version);
  void SeatCapabilities(std::uint32_t capabilities);
  PointerHandler* HandlerOf(wl_surface* surface) const;

  friend struct OutputEvents;
  friend struct SeatEvents;
  friend struct PointerEvents;

  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_compositor* compositor_ = nullptr;
  wl_shm* shm_ = nullptr;
  wl_seat* seat_ = nullptr;
  wl_pointer* pointer_ = nullptr;
  zwlr_layer_shell_v1* layer_shell_ = nullptr;
  xdg_wm_base* wm_base_ = nullptr;
  zwp_virtual_keyboard_manager_v1* keyboard_manager_ = nullptr;
  zwlr_virtual_pointer_manager_v1* pointer_manager_ = nullptr;
  // The toplevel list's global: its registry name and the version offered;
  // 0 when not offered.
  std::uint32_t toplevel_manager_name_ = 0;
  std::uint32_t toplevel_manager_version_ = 0;
  std::vector<std::unique_ptr<Output>> outputs_;
  std::function<void(const wl_output*)> outputs_changed_;
  std::map<wl_surface*, PointerHandler*> pointer_handlers_;
  wl_surface* pointer_surface_ = nullptr;
  double pointer_x_ = 0;  // the last place on pointer_surface_
  double pointer_y_ = 0;
  ButtonWatch button_watch_;
};

}  // namespace plinth::platform::wayland
