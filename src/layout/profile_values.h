#pragma once

// How the values of a layout file are read: integers in decimal or
// hexadecimal, and keywords compared after ASCII upper-casing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plinth {

// Reads a 32-bit integer: leading blanks, an optional sign, then decimal
// digits in the signed 32-bit range, or a hexadecimal number introduced by
// "$", "x", "X", "0x" or "0X" below 2^32 (taken as signed 32 bits). Nothing
// may follow the digits. Returns nothing for an empty or invalid text.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

// Upper-cases a..z only; every other byte is left as it is.
std::string AsciiUpper(std::string_view text);

// Whether AsciiUpper(text) == upper, without building the upper-cased copy:
// the keyboard compares every button's words on each refresh.
bool IsAsciiUpperOf(std::string_view text, std::string_view upper);

}  // namespace plinth
