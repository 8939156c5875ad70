#include "platform/common/caption_fit.h"

#include <vector>

namespace plinth::platform {
namespace {

bool ContinuesUtf8(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Where each character of `text` begins, and its end last.
std::vector<std::size_t> CharacterBoundaries(std::string_view text, TextEncoding encoding) {
  std::vector<std::size_t> boundaries;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (encoding == TextEncoding::SingleByte || !ContinuesUtf8(text[i])) boundaries.push_back(i);
  }
  boundaries.push_back(text.size());
  return boundaries;
}

}  // namespace

FittedCaption FitCaption(std::string_view text, const CaptionRoom& room, const MeasureText& measure,
                         std::string_view ellipsis, TextEncoding encoding) {
  for (int size = room.font_size; size >= room.smallest_size && size > 0; --size) {
    if (measure(text, size) <= room.width) return {std::string(text), size, true};
  }
  const int size = room.smallest_size;
  const auto shortened = [&](std::size_t characters, const std::vector<std::size_t>& boundaries) {
    return std::string(text.substr(0, boundaries[characters])) + std::string(ellipsis);
  };
  // A longer start is never narrower: bisect for the most characters that
  // fit with the ellipsis, short of the whole text. None fit: the ellipsis
  // alone.
  const std::vector<std::size_t> boundaries = CharacterBoundaries(text, encoding);
  std::size_t fits = 0;
  std::size_t too_many = boundaries.size() - 1;  // the whole text
  while (too_many - fits > 1) {
    const std::size_t middle = fits + (too_many - fits) / 2;
    if (measure(shortened(middle, boundaries), size) <= room.width) {
      fits = middle;
    } else {
      too_many = middle;
    }
  }
  return {shortened(fits, boundaries), size, false};
}

const FittedCaption& CaptionFitCache::Fit(std::string_view text, const CaptionRoom& room, int font,
                                          const MeasureText& measure, std::string_view ellipsis,
                                          TextEncoding encoding) {
  if (!fitted_ || text != text_ || room != room_ || font != font_) {
    fitted_ = FitCaption(text, room, measure, ellipsis, encoding);
    text_ = text;
    room_ = room;
    font_ = font;
  }
  return *fitted_;
}

int MonospaceWidth(std::string_view utf8, int font_size) {
  int characters = 0;
  for (char byte : utf8) {
    if (!ContinuesUtf8(byte)) ++characters;
  }
  return (characters * font_size * 6 + 5) / 10;
}

}  // namespace plinth::platform
