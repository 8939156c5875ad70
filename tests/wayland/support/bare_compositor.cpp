// plinth-bare-compositor: a Wayland compositor that offers only a
// compositor and shared memory, none of the protocols an on-screen keyboard
// needs, as GNOME's does not. Prints its socket's name, then serves until
// SIGTERM.

#include <wayland-server.h>

#include <csignal>
#include <cstdint>
#include <cstdio>

namespace {

void BindCompositor(wl_client* client, void* /*data*/, std::uint32_t version, std::uint32_t id) {
  // Enough for a client that only lists the globals.
  wl_resource* resource =
      wl_resource_create(client, &wl_compositor_interface, static_cast<int>(version), id);
  if (resource == nullptr) wl_client_post_no_memory(client);
}

int Terminate(int /*signal*/, void* display) {
  wl_display_terminate(static_cast<wl_display*>(display));
  return 0;
}

}  // namespace

int main() {
  wl_display* display = wl_display_create();
  const char* socket = display != nullptr ? wl_display_add_socket_auto(display) : nullptr;
  if (socket == nullptr) {
    std::fprintf(stderr, "plinth-bare-compositor: no socket (is XDG_RUNTIME_DIR set?)\n");
    return 1;
  }
  wl_display_init_shm(display);
  wl_global_create(display, &wl_compositor_interface, 4, nullptr, BindCompositor);
  wl_event_loop* loop = wl_display_get_event_loop(display);
  wl_event_loop_add_signal(loop, SIGTERM, Terminate, display);
  wl_event_loop_add_signal(loop, SIGINT, Terminate, display);
  std::printf("%s\n", socket);
  std::fflush(stdout);
  wl_display_run(display);
  wl_display_destroy(display);
  return 0;
}
