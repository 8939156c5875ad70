#pragma once

// Key names of the named-key buttons ("ENTER", "PGUP", "F5") and their
// virtual-key codes.

#include <cstdint>
#include <span>
#include <string_view>

namespace plinth {

// Result of LookupKeyName for a name that is not in the table.
inline constexpr std::uint16_t NotFoundKey = 0xFFFF;

// Longest key name handed to the lookup; longer texts are cut first.
inline constexpr std::size_t kMaxKeyNameLength = 255;

struct KeyNameEntry {
  std::string_view name;  // upper case, plain ASCII
  std::uint8_t code;
};

// Returns the code of the entry whose name equals `name` exactly (byte for
// byte, same length), or NotFoundKey. Case-sensitive: only upper-case names
// match.
std::uint16_t LookupKeyName(std::string_view name);

// Every entry of the table, sorted by the byte order of the names.
std::span<const KeyNameEntry> KeyNameEntries();

}  // namespace plinth
