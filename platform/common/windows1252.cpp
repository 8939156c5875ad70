#include "platform/common/windows1252.h"

#include <array>
#include <cstddef>

namespace plinth::platform {
namespace {

constexpr char32_t kNoCharacter = 0;
constexpr char32_t kReplacementCharacter = 0xFFFD;

// The characters of the bytes 0x80..0x9F, where the code page departs from
// Latin-1; kNoCharacter marks the five bytes it leaves undefined. Every
// other byte is the code point of the same number.
constexpr std::array<char32_t, 32> kHighBlock = {
    0x20AC,       kNoCharacter, 0x201A, 0x0192, 0x201E, 0x2026,       0x2020, 0x2021,
    0x02C6,       0x2030,       0x0160, 0x2039, 0x0152, kNoCharacter, 0x017D, kNoCharacter,
    kNoCharacter, 0x2018,       0x2019, 0x201C, 0x201D, 0x2022,       0x2013, 0x2014,
    0x02DC,       0x2122,       0x0161, 0x203A, 0x0153, kNoCharacter, 0x017E, 0x0178,
};

bool InHighBlock(char32_t code_point) { return code_point >= 0x80 && code_point <= 0x9F; }

char32_t CodePointOf(unsigned char byte) {
  if (!InHighBlock(byte)) return byte;
  const char32_t code_point = kHighBlock[static_cast<std::size_t>(byte - 0x80)];
  return code_point == kNoCharacter ? kReplacementCharacter : code_point;
}

char Cp1252Of(char32_t code_point) { return Cp1252FromUnicode(code_point).value_or('?'); }

std::optional<std::string> Utf8ToCp1252(std::string_view utf8, bool replace_invalid) {
  std::string text;
  text.reserve(utf8.size());
  while (!utf8.empty()) {
    if (const auto decoded = DecodeUtf8Character(utf8)) {
      text += Cp1252Of(decoded->code_point);
      utf8.remove_prefix(decoded->length);
    } else if (replace_invalid) {
      text += '?';
      utf8.remove_prefix(1);
    } else {
      return std::nullopt;
    }
  }
  return text;
}

void UpperInPlace(std::string& text) {
  for (char& ch : text) ch = static_cast<char>(Cp1252Upper(static_cast<unsigned char>(ch)));
}

void AppendUtf8(char32_t code_point, std::string& text) {
  const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
  if (code_point < 0x80) {
    text += byte(code_point);
  } else if (code_point < 0x800) {
    text += byte(0xC0 | (code_point >> 6));
    text += byte(0x80 | (code_point & 0x3F));
  } else {  // every character of the code page lies in the Basic Multilingual Plane
    text += byte(0xE0 | (code_point >> 12));
    text += byte(0x80 | ((code_point >> 6) & 0x3F));
    text += byte(0x80 | (code_point & 0x3F));
  }
}

}  // namespace

std::optional<char> Cp1252FromUnicode(char32_t code_point) {
  if (code_point <= 0xFF && !InHighBlock(code_point)) return static_cast<char>(code_point);
  for (std::size_t i = 0; i < kHighBlock.size(); ++i) {
    if (kHighBlock[i] == code_point) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

std::optional<Utf8Character> DecodeUtf8Character(std::string_view utf8) {
  if (utf8.empty()) return std::nullopt;
  const auto lead = static_cast<unsigned char>(utf8.front());
  if (lead < 0x80) return Utf8Character{lead, 1};

  char32_t code_point = 0;
  std::size_t length = 0;
  char32_t smallest = 0;  // below it the sequence is an overlong form
  if ((lead & 0xE0) == 0xC0) {
    code_point = lead & 0x1FU;
    length = 2;
    smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    code_point = lead & 0x0FU;
    length = 3;
    smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    code_point = lead & 0x07U;
    length = 4;
    smallest = 0x10000;
  } else {
    return std::nullopt;
  }
  if (utf8.size() < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if ((byte & 0xC0) != 0x80) return std::nullopt;
    code_point = (code_point << 6) | (byte & 0x3FU);
  }
  const bool surrogate = code_point >= 0xD800 && code_point <= 0xDFFF;
  if (code_point < smallest || code_point > 0x10FFFF || surrogate) return std::nullopt;
  return Utf8Character{code_point, length};
}

std::string Cp1252Upper(std::string_view text) {
  std::string upper(text);
  UpperInPlace(upper);
  return upper;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
  return Utf8ToCp1252(utf8, /*replace_invalid=*/false);
}

std::string Utf8ToCp1252Lossy(std::string_view utf8) {
  return *Utf8ToCp1252(utf8, /*replace_invalid=*/true);
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
  std::string utf8;
  utf8.reserve(cp1252.size());
  for (const char ch : cp1252) AppendUtf8(CodePointOf(static_cast<unsigned char>(ch)), utf8);
  return utf8;
}

void Cp1252TextCase::CharUpperBuff(std::string& text) { UpperInPlace(text); }

}  // namespace plinth::platform
