#include "platform/wayland/focus_watch.h"

#include <wayland-client.h>

#include <algorithm>
#include <utility>

#include "platform/wayland/wayland_connection.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace plinth::platform::wayland {

struct FocusWatchEvents {
  static FocusWatch* Of(void* data) { return static_cast<FocusWatch*>(data); }

  static void Toplevel(void* data, zwlr_foreign_toplevel_manager_v1* /*manager*/,
                       zwlr_foreign_toplevel_handle_v1* handle) {
    Of(data)->Added(handle);
  }
  static void Finished(void* data, zwlr_foreign_toplevel_manager_v1* /*manager*/) {
    Of(data)->Finished();
  }

  static void Title(void* /*data*/, zwlr_foreign_toplevel_handle_v1* /*handle*/,
                    const char* /*title*/) {}
  static void AppId(void* /*data*/, zwlr_foreign_toplevel_handle_v1* /*handle*/,
                    const char* /*app_id*/) {}
  static void OutputEnter(void* /*data*/, zwlr_foreign_toplevel_handle_v1* /*handle*/,
                          wl_output* /*output*/) {}
  static void OutputLeave(void* /*data*/, zwlr_foreign_toplevel_handle_v1* /*handle*/,
                          wl_output* /*output*/) {}
  static void State(void* data, zwlr_foreign_toplevel_handle_v1* handle, wl_array* states) {
    const auto* first = static_cast<const std::uint32_t*>(states->data);
    const std::size_t count = states->size / sizeof(std::uint32_t);
    const bool activated =
        std::find(first, first + count, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) !=
        first + count;
    Of(data)->StateChanged(handle, activated);
  }
  static void Done(void* data, zwlr_foreign_toplevel_handle_v1* handle) { Of(data)->Done(handle); }
  static void Closed(void* data, zwlr_foreign_toplevel_handle_v1* handle) {
    Of(data)->Closed(handle);
  }
  static void Parent(void* /*data*/, zwlr_foreign_toplevel_handle_v1* /*handle*/,
                     zwlr_foreign_toplevel_handle_v1* /*parent*/) {}
};

namespace {

const zwlr_foreign_toplevel_manager_v1_listener kManagerListener{
    .toplevel = FocusWatchEvents::Toplevel,
    .finished = FocusWatchEvents::Finished,
};

const zwlr_foreign_toplevel_handle_v1_listener kHandleListener{
    .title = FocusWatchEvents::Title,
    .app_id = FocusWatchEvents::AppId,
    .output_enter = FocusWatchEvents::OutputEnter,
    .output_leave = FocusWatchEvents::OutputLeave,
    .state = FocusWatchEvents::State,
    .done = FocusWatchEvents::Done,
    .closed = FocusWatchEvents::Closed,
    .parent = FocusWatchEvents::Parent,
};

}  // namespace

FocusWatch::FocusWatch(const WaylandConnection& connection, std::function<void()> moved)
    : manager_(connection.BindToplevelManager()), moved_(std::move(moved)) {
  if (manager_ != nullptr) {
    zwlr_foreign_toplevel_manager_v1_add_listener(manager_, &kManagerListener, this);
  }
}

FocusWatch::~FocusWatch() {
  for (const auto& [handle, toplevel] : toplevels_) zwlr_foreign_toplevel_handle_v1_destroy(handle);
  if (manager_ == nullptr) return;
  zwlr_foreign_toplevel_manager_v1_stop(manager_);
  zwlr_foreign_toplevel_manager_v1_destroy(manager_);
}

void FocusWatch::Added(zwlr_foreign_toplevel_handle_v1* handle) {
  toplevels_[handle];
  zwlr_foreign_toplevel_handle_v1_add_listener(handle, &kHandleListener, this);
}

void FocusWatch::StateChanged(zwlr_foreign_toplevel_handle_v1* handle, bool activated) {
  toplevels_[handle].pending_activated = activated;
}

void FocusWatch::Done(zwlr_foreign_toplevel_handle_v1* handle) {
  Toplevel& toplevel = toplevels_[handle];
  const bool now_activated = toplevel.pending_activated && !toplevel.activated;
  toplevel.activated = toplevel.pending_activated;
  // The focus coming back to the toplevel that had it last finds its text
  // cursor where it was.
  if (!now_activated || handle == last_active_) return;
  last_active_ = handle;
  moved_();
}

void FocusWatch::Finished() {
  // The compositor has let go of the list: no stop to send any more.
  zwlr_foreign_toplevel_manager_v1_destroy(manager_);
  manager_ = nullptr;
}

void FocusWatch::Closed(zwlr_foreign_toplevel_handle_v1* handle) {
  if (handle == last_active_) last_active_ = nullptr;
  toplevels_.erase(handle);
  zwlr_foreign_toplevel_handle_v1_destroy(handle);
}

}  // namespace plinth::platform::wayland
