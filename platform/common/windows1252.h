#pragma once

// Windows-1252, the 8-bit text of layout files and of everything that
// crosses the platform seam: its upper-casing rule and its conversion from
// and to UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace plinth::platform {

// The upper case of one Windows-1252 character, as CharUpperBuffA gives it
// under code page 1252: a-z, à-þ except ÷, and š œ ž ÿ. µ and ß have no
// upper case in the code page and stay as they are.
constexpr unsigned char Cp1252Upper(unsigned char ch) {
  if ((ch >= 'a' && ch <= 'z') || (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7)) {
    return static_cast<unsigned char>(ch - 0x20);
  }
  switch (ch) {
    case 0x9A:  // š
      return 0x8A;
    case 0x9C:  // œ
      return 0x8C;
    case 0x9E:  // ž
      return 0x8E;
    case 0xFF:  // ÿ
      return 0x9F;
    default:
      return ch;
  }
}

// The Windows-1252 byte of a Unicode character, or nothing when the code
// page lacks it.
std::optional<char> Cp1252FromUnicode(char32_t code_point);

struct Utf8Character {
  char32_t code_point = 0;
  std::size_t length = 0;  // bytes
};

// The character encoded at the start of `utf8`, or nothing when the text
// does not start with a valid, shortest-form UTF-8 sequence.
std::optional<Utf8Character> DecodeUtf8Character(std::string_view utf8);

// `text` with every character upper-cased by Cp1252Upper.
std::string Cp1252Upper(std::string_view text);

// The Windows-1252 text of UTF-8 text; characters the code page lacks, the
// C1 controls U+0080..U+009F among them, become '?'. Nothing when `utf8` is
// not valid UTF-8 (overlong forms, surrogates and code points above U+10FFFF
// are invalid).
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// As Utf8ToCp1252, but each byte that is not part of a valid UTF-8 sequence
// becomes '?' as well, so that some text always results.
std::string Utf8ToCp1252Lossy(std::string_view utf8);

// The UTF-8 text of Windows-1252 text. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD, the replacement
// character, so that a widget shows that something unreadable is there.
std::string Cp1252ToUtf8(std::string_view cp1252);

// Letter case of the keyboard's 8-bit text under code page 1252.
class Cp1252TextCase final : public TextCase {
 public:
  void CharUpperBuff(std::string& text) override;
};

}  // namespace plinth::platform
