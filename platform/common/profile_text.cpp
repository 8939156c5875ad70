#include "platform/common/profile_text.h"

#include <algorithm>
#include <string_view>

#include "platform/common/windows1252.h"

namespace plinth::platform {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

// Appends the Windows-1252 form of a character, or '?' noted in `lost`.
class TextBuilder {
 public:
  TextBuilder(std::size_t capacity, std::vector<LostCharacter>* lost) : lost_(lost) {
    text_.reserve(capacity);
  }
  void Append(char32_t code_point) {
    if (const auto byte = Cp1252FromUnicode(code_point)) {
      text_ += *byte;
      return;
    }
    if (lost_ != nullptr) lost_->push_back({text_.size(), code_point});
    // Windows converts UTF-16 unit by unit: a character beyond the Basic
    // Multilingual Plane, two units, becomes two '?'.
    const bool two_units = code_point >= 0x10000 && code_point != LostCharacter::kNoCharacter;
    text_ += two_units ? "??" : "?";
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
  std::vector<LostCharacter>* lost_;
};

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// UTF-16 text after its mark; an odd last byte is no character and is
// dropped.
std::string FromUtf16(std::string_view bytes, bool big_endian, std::vector<LostCharacter>* lost) {
  const auto unit_at = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    return big_endian ? char32_t{first} << 8U | second : char32_t{second} << 8U | first;
  };
  const std::size_t units = bytes.size() / 2;
  TextBuilder text(units, lost);
  for (std::size_t i = 0; i < units; ++i) {
    const char32_t unit = unit_at(i);
    if (IsHighSurrogate(unit) && i + 1 < units && IsLowSurrogate(unit_at(i + 1))) {
      text.Append(0x10000 + ((unit - 0xD800) << 10U) + (unit_at(i + 1) - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      text.Append(LostCharacter::kNoCharacter);
    } else {
      text.Append(unit);
    }
  }
  return text.Take();
}

// UTF-8 text; each byte of a broken sequence becomes '?'.
std::string FromUtf8(std::string_view bytes, std::vector<LostCharacter>* lost) {
  TextBuilder text(bytes.size(), lost);
  while (!bytes.empty()) {
    if (const auto decoded = DecodeUtf8Character(bytes)) {
      text.Append(decoded->code_point);
      bytes.remove_prefix(decoded->length);
    } else {
      text.Append(LostCharacter::kNoCharacter);
      bytes.remove_prefix(1);
    }
  }
  return text.Take();
}

bool IsValidUtf8WithNonAscii(std::string_view bytes) {
  bool non_ascii = false;
  while (!bytes.empty()) {
    const auto decoded = DecodeUtf8Character(bytes);
    if (!decoded) return false;
    non_ascii = non_ascii || decoded->length > 1;
    bytes.remove_prefix(decoded->length);
  }
  return non_ascii;
}

bool HasNonAscii(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(),
                     [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; });
}

}  // namespace

std::string DecodeProfileBytes(std::string bytes, std::vector<LostCharacter>* lost) {
  const std::string_view view = bytes;
  if (view.starts_with(kUtf16LittleEndianMark)) {
    return FromUtf16(view.substr(kUtf16LittleEndianMark.size()), false, lost);
  }
  if (view.starts_with(kUtf16BigEndianMark)) {
    return FromUtf16(view.substr(kUtf16BigEndianMark.size()), true, lost);
  }
  if (view.starts_with(kUtf8ByteOrderMark)) {
    return FromUtf8(view.substr(kUtf8ByteOrderMark.size()), lost);
  }
  if (HasNonAscii(view) && IsValidUtf8WithNonAscii(view)) return FromUtf8(view, lost);
  return bytes;
}

}  // namespace plinth::platform
