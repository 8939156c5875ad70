#include "src/layout/profile_values.h"

namespace plinth {
namespace {

std::optional<unsigned> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return std::nullopt;
}

// Digits of `base` up to the end of `digits`; nothing on any other character,
// on no digit at all, or when the value reaches `limit`.
std::optional<std::uint64_t> ParseDigits(std::string_view digits, unsigned base,
                                         std::uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    const std::optional<unsigned> digit = HexDigit(c);
    if (!digit || *digit >= base) return std::nullopt;
    value = value * base + *digit;
    if (value >= limit) return std::nullopt;
  }
  return value;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::optional<std::int32_t> ParseProfileInteger(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }

  std::size_t hex_prefix = 0;
  if (StartsWith(text, "0x") || StartsWith(text, "0X")) {
    hex_prefix = 2;
  } else if (StartsWith(text, "$") || StartsWith(text, "x") || StartsWith(text, "X")) {
    hex_prefix = 1;
  }

  if (hex_prefix > 0) {
    const auto value = ParseDigits(text.substr(hex_prefix), 16, std::uint64_t{1} << 32);
    if (!value) return std::nullopt;
    // The 32 bits are a signed number; a sign negates it, wrapping like the
    // 32-bit arithmetic it stands for.
    std::uint32_t bits = static_cast<std::uint32_t>(*value);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
  }

  const std::uint64_t limit = negative ? (std::uint64_t{1} << 31) + 1 : std::uint64_t{1} << 31;
  const auto value = ParseDigits(text, 10, limit);
  if (!value) return std::nullopt;
  const auto magnitude = static_cast<std::int64_t>(*value);
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool IsAsciiUpperOf(std::string_view text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const char u = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (u != upper[i]) return false;
  }
  return true;
}

}  // namespace plinth
