#pragma once

// The keymap the virtual keyboard uploads: a key for every virtual-key code
// that types something and one for each character of Windows-1252 above
// 0x7F, so every character types by a key of its own and no keycode is ever
// borrowed. Shift, Ctrl and Alt are the real modifiers Shift, Control and
// Mod1, whose mask bits are fixed in every XKB keymap.

#include <cstdint>
#include <map>
#include <string>

namespace plinth::platform::wayland {

inline constexpr std::uint32_t kShiftMask = 1u << 0;
inline constexpr std::uint32_t kControlMask = 1u << 2;
inline constexpr std::uint32_t kMod1Mask = 1u << 3;  // Alt

struct VirtualKeymap {
  std::string text;  // XKB keymap text, format v1
  // Virtual-key code -> the key's code on the wire (the XKB keycode less 8).
  std::map<std::uint16_t, std::uint32_t> keys;
};

VirtualKeymap BuildVirtualKeymap();

}  // namespace plinth::platform::wayland
