#pragma once

// How the bytes of a profile file become its Windows-1252 text, as the
// Windows profile reader takes them:
//
// - A file that starts with the UTF-16 byte-order mark, little-endian
//   (FF FE) or big-endian (FE FF), is decoded from UTF-16.
// - A file that starts with the UTF-8 byte-order mark is decoded from
//   UTF-8; a byte that belongs to no valid sequence becomes '?'.
// - A file without a mark that is valid UTF-8 and holds non-ASCII bytes is
//   decoded from UTF-8 too, since that is how most editors outside Windows
//   write text.
// - Any other file is Windows-1252 already.
//
// A character that Windows-1252 lacks (ő, a CJK letter) becomes '?', one
// beyond the Basic Multilingual Plane (an emoji) "??", as Windows converts
// it. (Windows writes a few such letters as a similar one, ő as o; this
// reader does not guess.) The caller may ask where that happened.

#include <cstddef>
#include <string>
#include <vector>

namespace plinth::platform {

// A character of the file that the text holds as '?'.
struct LostCharacter {
  // Marks bytes that encode no character at all (broken UTF-8, a lone
  // UTF-16 surrogate).
  static constexpr char32_t kNoCharacter = 0xFFFFFFFF;

  std::size_t offset = 0;  // of the '?' in the decoded text
  char32_t code_point = kNoCharacter;
};

// The Windows-1252 text of a profile file's bytes. When `lost` is given, it
// receives every character that became '?', in the order of the text.
std::string DecodeProfileBytes(std::string bytes, std::vector<LostCharacter>* lost = nullptr);

}  // namespace plinth::platform
