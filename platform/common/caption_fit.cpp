#include "platform/common/caption_fit.h"

namespace plinth::platform {
namespace {

bool ContinuesUtf8(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// The length of `text` without its last character.
std::size_t WithoutLastCharacter(std::string_view text, TextEncoding encoding) {
  std::size_t end = text.size() - 1;
  if (encoding == TextEncoding::Utf8) {
    while (end > 0 && ContinuesUtf8(text[end])) --end;
  }
  return end;
}

}  // namespace

FittedCaption FitCaption(std::string_view text, const CaptionRoom& room, const MeasureText& measure,
                         std::string_view ellipsis, TextEncoding encoding) {
  for (int size = room.font_size; size >= room.smallest_size && size > 0; --size) {
    if (measure(text, size) <= room.width) return {std::string(text), size, true};
  }
  const int size = room.smallest_size;
  std::string_view start = text;
  while (!start.empty()) {
    start = start.substr(0, WithoutLastCharacter(start, encoding));
    std::string shortened = std::string(start) + std::string(ellipsis);
    if (measure(shortened, size) <= room.width) return {std::move(shortened), size, false};
  }
  return {std::string(ellipsis), size, false};
}

int MonospaceWidth(std::string_view utf8, int font_size) {
  int characters = 0;
  for (char byte : utf8) {
    if (!ContinuesUtf8(byte)) ++characters;
  }
  return (characters * font_size * 6 + 5) / 10;
}

}  // namespace plinth::platform
