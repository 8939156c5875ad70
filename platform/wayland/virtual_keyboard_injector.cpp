#include "platform/wayland/virtual_keyboard_injector.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/common/vk_keysym_table.h"
#include "platform/wayland/wayland_connection.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

namespace plinth::platform::wayland {
namespace {

std::uint32_t ModifierMaskOf(std::uint16_t code) {
  switch (code) {
    case 0x10:
      return kShiftMask;
    case 0x11:
      return kControlMask;
    case 0x12:
      return kMod1Mask;
    default:
      return 0;
  }
}

// A sealed memory file holding `text` and its terminating zero, as the
// keymap request wants it; -1 on failure.
int KeymapFile(const std::string& text) {
  const int fd = memfd_create("plinth-keymap", MFD_CLOEXEC);
  if (fd < 0) return -1;
  const std::size_t size = text.size() + 1;
  std::size_t written = 0;
  while (written < size) {
    const ssize_t done = write(fd, text.c_str() + written, size - written);
    if (done <= 0) {
      close(fd);
      return -1;
    }
    written += static_cast<std::size_t>(done);
  }
  return fd;
}

}  // namespace

VirtualKeyboardInjector::VirtualKeyboardInjector(WaylandConnection& connection)
    : connection_(connection), keymap_(BuildVirtualKeymap()) {
  if (connection.keyboard_manager() == nullptr || connection.seat() == nullptr) return;
  keyboard_ = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(connection.keyboard_manager(),
                                                                      connection.seat());
  const int fd = KeymapFile(keymap_.text);
  if (fd < 0) {
    zwp_virtual_keyboard_v1_destroy(keyboard_);
    keyboard_ = nullptr;
    return;
  }
  zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                 static_cast<std::uint32_t>(keymap_.text.size() + 1));
  close(fd);
  wl_display_flush(connection.display());
}

VirtualKeyboardInjector::~VirtualKeyboardInjector() {
  if (keyboard_ == nullptr) return;
  ReleaseAll();
  zwp_virtual_keyboard_v1_destroy(keyboard_);
  // Out before the connection closes: requests still buffered are lost.
  connection_.Roundtrip();
}

void VirtualKeyboardInjector::ReleaseAll() {
  if (keyboard_ == nullptr) return;
  for (const std::uint32_t key : pressed_) {
    zwp_virtual_keyboard_v1_key(keyboard_, Now(), key, WL_KEYBOARD_KEY_STATE_RELEASED);
  }
  pressed_.clear();
  depressed_ = 0;
  SendModifiers();
  wl_display_flush(connection_.display());
}

std::uint32_t VirtualKeyboardInjector::Now() const {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void VirtualKeyboardInjector::SendModifiers() {
  zwp_virtual_keyboard_v1_modifiers(keyboard_, depressed_, 0, 0, 0);
}

std::uint32_t VirtualKeyboardInjector::MapVirtualKey(std::uint16_t code) {
  const auto found = keymap_.keys.find(code);
  return found == keymap_.keys.end() ? 0 : found->second;
}

bool VirtualKeyboardInjector::PrepareKeyStroke(std::uint16_t code, std::uint8_t modifiers) {
  if (keyboard_ == nullptr || MapVirtualKey(code) == 0) return false;
  constexpr std::uint16_t kModifierKeys[] = {0x10, 0x12, 0x11};  // bits 0, 1, 2
  for (std::size_t bit = 0; bit < 3; ++bit) {
    if ((modifiers & (1u << bit)) != 0 && MapVirtualKey(kModifierKeys[bit]) == 0) return false;
  }
  return true;
}

bool VirtualKeyboardInjector::SendKeyEvent(std::uint16_t code, std::uint32_t /*scan*/,
                                           std::uint32_t flags) {
  const std::uint32_t key = MapVirtualKey(code);
  if (keyboard_ == nullptr || key == 0) return false;
  const bool up = (flags & kKeyEventKeyUp) != 0;
  zwp_virtual_keyboard_v1_key(keyboard_, Now(), key,
                              up ? WL_KEYBOARD_KEY_STATE_RELEASED : WL_KEYBOARD_KEY_STATE_PRESSED);
  if (up) {
    pressed_.erase(key);
  } else {
    pressed_.insert(key);
  }
  // A modifier takes effect through the state the keyboard announces.
  if (const std::uint32_t mask = ModifierMaskOf(code); mask != 0) {
    depressed_ = up ? depressed_ & ~mask : depressed_ | mask;
    SendModifiers();
  }
  return wl_display_flush(connection_.display()) >= 0 || errno == EAGAIN;
}

std::optional<CharacterKey> VirtualKeyboardInjector::KeyForCharacter(unsigned char ch) {
  // The keymap is a US keyboard's, with a key of its own for each
  // character above 0x7F.
  return UsKeyForCharacter(ch);
}

}  // namespace plinth::platform::wayland
