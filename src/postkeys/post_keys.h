#pragma once

// Injects one complete key press, with its modifiers, into the system's
// input stream: the only place that produces keyboard events.

#include <cstdint>

namespace plinth {

namespace platform {
class KeyInjector;
}

// Bit 0 Shift, bit 1 Alt, bit 2 Ctrl; other bits are ignored.
using ModifierSet = std::uint8_t;
inline constexpr ModifierSet kModShift = 1u << 0;
inline constexpr ModifierSet kModAlt = 1u << 1;
inline constexpr ModifierSet kModCtrl = 1u << 2;

inline constexpr std::uint16_t kVkBackSpace = 0x08;

// Virtual-key codes of the modifier keys.
inline constexpr std::uint16_t kVkShift = 0x10;
inline constexpr std::uint16_t kVkControl = 0x11;
inline constexpr std::uint16_t kVkMenu = 0x12;  // Alt

// Sends the modifier key-downs (Shift, Ctrl, Alt), the key down and up, and
// the modifier key-ups in reverse order. Every key of the stroke is made
// ready first; when one cannot be, nothing at all is sent and the result is
// false. If the system refuses a key-down, whatever was already pressed is
// released and nothing more is sent, so no key is ever left held.
bool PostKeyStroke(platform::KeyInjector& keys, std::uint16_t key, ModifierSet modifiers);

// True for the navigation keys of the cursor block (arrows, HOME, END, PGUP,
// PGDN, INS, DEL), which are sent as extended keys: without the flag Windows
// takes them for the numeric keypad's keys.
bool IsExtendedKey(std::uint16_t key);

}  // namespace plinth
