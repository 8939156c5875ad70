// plinth-seat-devices: gives a headless compositor's seat a keyboard and a
// pointer, as a machine with real ones has, so that its clients get the
// keyboard focus and pointer events. Runs until SIGTERM; prints "ready"
// once the compositor has both devices.

#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

struct Globals {
  wl_seat* seat = nullptr;
  zwp_virtual_keyboard_manager_v1* keyboards = nullptr;
  zwlr_virtual_pointer_manager_v1* pointers = nullptr;
};

void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
            std::uint32_t /*version*/) {
  auto& globals = *static_cast<Globals*>(data);
  if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals.seat == nullptr) {
    globals.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
    globals.keyboards = static_cast<zwp_virtual_keyboard_manager_v1*>(
        wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
  } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    globals.pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
  }
}

void GlobalRemove(void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

// A US keymap, as a real keyboard of the seat would have.
std::string UsKeymap() {
  xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  const xkb_rule_names names{"evdev", "pc105", "us", "", ""};
  xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
  std::string text;
  if (keymap != nullptr) {
    char* string = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    text = string;
    std::free(string);
    xkb_keymap_unref(keymap);
  }
  xkb_context_unref(context);
  return text;
}

}  // namespace

int main() {
  // Taken by sigwait below, not by a handler.
  sigset_t ending;
  sigemptyset(&ending);
  sigaddset(&ending, SIGTERM);
  sigaddset(&ending, SIGINT);
  pthread_sigmask(SIG_BLOCK, &ending, nullptr);

  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "plinth-seat-devices: no compositor\n");
    return 1;
  }
  Globals globals;
  static const wl_registry_listener listener{.global = Global, .global_remove = GlobalRemove};
  wl_registry_add_listener(wl_display_get_registry(display), &listener, &globals);
  wl_display_roundtrip(display);
  if (globals.seat == nullptr || globals.keyboards == nullptr || globals.pointers == nullptr) {
    std::fprintf(stderr, "plinth-seat-devices: the compositor lacks a seat or virtual devices\n");
    return 1;
  }
  const std::string keymap = UsKeymap();
  if (keymap.empty()) {
    std::fprintf(stderr, "plinth-seat-devices: no US keymap\n");
    return 1;
  }
  const int fd = memfd_create("seat-keymap", MFD_CLOEXEC);
  if (fd < 0 || write(fd, keymap.c_str(), keymap.size() + 1) < 0) return 1;
  zwp_virtual_keyboard_v1* keyboard =
      zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(globals.keyboards, globals.seat);
  zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                 static_cast<std::uint32_t>(keymap.size() + 1));
  close(fd);
  zwlr_virtual_pointer_v1* pointer =
      zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.pointers, globals.seat);
  wl_display_roundtrip(display);
  std::printf("ready\n");
  std::fflush(stdout);

  // The devices stay until the end; nothing the compositor says matters.
  int signal = 0;
  sigwait(&ending, &signal);
  zwlr_virtual_pointer_v1_destroy(pointer);
  zwp_virtual_keyboard_v1_destroy(keyboard);
  wl_display_roundtrip(display);
  wl_display_disconnect(display);
  return 0;
}
