#pragma once

// Which toplevel window has the keyboard focus, as a wlroots compositor
// tells a client that binds zwlr_foreign_toplevel_manager_v1: every toplevel
// comes as a handle whose state lists "activated" while it has the focus,
// and each batch of changes to a handle ends with its done event. When the
// activated toplevel becomes another than the one activated last, the
// keyboard is told: the text cursor it typed at is gone. The keyboard's own
// surfaces are layer surfaces, never toplevels, so clicks on it move
// nothing here.

#include <cstdint>
#include <functional>
#include <map>

struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_foreign_toplevel_handle_v1;

namespace plinth::platform::wayland {

class WaylandConnection;

class FocusWatch {
 public:
  // Watches while it lives, when the compositor offers the toplevel list;
  // `moved` is called each time another toplevel is activated.
  FocusWatch(const WaylandConnection& connection, std::function<void()> moved);
  ~FocusWatch();
  FocusWatch(const FocusWatch&) = delete;
  FocusWatch& operator=(const FocusWatch&) = delete;

 private:
  struct Toplevel {
    bool activated = false;          // as of the last done event
    bool pending_activated = false;  // as of the last state event
  };

  friend struct FocusWatchEvents;
  void Added(zwlr_foreign_toplevel_handle_v1* handle);
  void StateChanged(zwlr_foreign_toplevel_handle_v1* handle, bool activated);
  void Done(zwlr_foreign_toplevel_handle_v1* handle);
  void Closed(zwlr_foreign_toplevel_handle_v1* handle);
  void Finished();

  zwlr_foreign_toplevel_manager_v1* manager_ = nullptr;
  std::function<void()> moved_;
  std::map<zwlr_foreign_toplevel_handle_v1*, Toplevel> toplevels_;
  // The toplevel activated last, while it lives; null before any.
  zwlr_foreign_toplevel_handle_v1* last_active_ = nullptr;
};

}  // namespace plinth::platform::wayland
