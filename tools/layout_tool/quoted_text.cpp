#include "tools/layout_tool/quoted_text.h"

#include <array>
#include <cstdio>

#include "platform/common/windows1252.h"

namespace plinth::layout_tool {
namespace {

bool IsUndefinedInCp1252(unsigned char byte) {
  return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

}  // namespace

std::string QuotedText(std::string_view cp1252) {
  std::string quoted = "\"";
  std::size_t plain_start = 0;
  auto flush_plain = [&](std::size_t end) {
    quoted += platform::Cp1252ToUtf8(cp1252.substr(plain_start, end - plain_start));
  };
  for (std::size_t i = 0; i < cp1252.size(); ++i) {
    const auto byte = static_cast<unsigned char>(cp1252[i]);
    const bool escaped =
        byte == '"' || byte == '\\' || byte < 0x20 || byte == 0x7F || IsUndefinedInCp1252(byte);
    if (!escaped) continue;
    flush_plain(i);
    plain_start = i + 1;
    if (byte == '"' || byte == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(byte);
    } else {
      std::array<char, 5> hex{};
      std::snprintf(hex.data(), hex.size(), "\\x%02X", byte);
      quoted += hex.data();
    }
  }
  flush_plain(cp1252.size());
  quoted += '"';
  return quoted;
}

std::string ShortQuoted(std::string_view cp1252, std::size_t max_chars) {
  if (cp1252.size() <= max_chars) return QuotedText(cp1252);
  return QuotedText(cp1252.substr(0, max_chars)) + "...";
}

}  // namespace plinth::layout_tool
