#include "platform/common/text_wrap.h"

#include <cstddef>

namespace plinth::platform {
namespace {

// Bytes of the UTF-8 character that starts at `at`.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
  std::size_t length = 1;
  while (at + length < text.size() &&
         (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) {
    ++length;
  }
  return length;
}

// Appends one paragraph (no '\n' in it), wrapped, to `out`.
void WrapParagraph(std::string_view paragraph, double max_width, const TextWidth& width,
                   std::string& out) {
  std::string line;
  std::size_t at = 0;
  auto end_line = [&] {
    out += line;
    out += '\n';
    line.clear();
  };
  while (at < paragraph.size()) {
    const std::size_t blank = paragraph.find(' ', at);
    const std::size_t word_end = blank == std::string_view::npos ? paragraph.size() : blank;
    const std::string_view word = paragraph.substr(at, word_end - at);
    const std::string joined = line.empty() ? std::string(word) : line + ' ' + std::string(word);
    if (width(joined) <= max_width) {
      line = joined;
    } else {
      if (!line.empty()) end_line();
      // A word wider than a line is broken where the line is full.
      std::size_t in_word = 0;
      while (in_word < word.size()) {
        const std::size_t length = CharacterLength(word, in_word);
        const std::string longer = line + std::string(word.substr(in_word, length));
        if (!line.empty() && width(longer) > max_width) {
          end_line();
          continue;
        }
        line = longer;
        in_word += length;
      }
    }
    at = word_end == paragraph.size() ? word_end : word_end + 1;
  }
  out += line;
}

}  // namespace

std::string WrapText(std::string_view utf8, double max_width, const TextWidth& width) {
  std::string out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t newline = utf8.find('\n', start);
    const std::size_t end = newline == std::string_view::npos ? utf8.size() : newline;
    WrapParagraph(utf8.substr(start, end - start), max_width, width, out);
    if (newline == std::string_view::npos) return out;
    out += '\n';
    start = newline + 1;
  }
}

}  // namespace plinth::platform
