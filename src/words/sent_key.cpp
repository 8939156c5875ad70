#include "src/words/sent_key.h"

#include <array>
#include <string_view>

namespace plinth::words {
namespace {

constexpr std::uint8_t kShift = 1u << 0;
constexpr std::uint8_t kAlt = 1u << 1;
constexpr std::uint8_t kCtrl = 1u << 2;

constexpr std::uint16_t kBackspace = 0x08;
constexpr std::uint16_t kEnter = 0x0D;
constexpr std::uint16_t kSpace = 0x20;

// Keys that change no text by themselves: Shift, Ctrl, Alt, Caps Lock, Num
// Lock, Scroll Lock.
bool IsModifierOrLock(std::uint16_t code) {
  return (code >= 0x10 && code <= 0x12) || code == 0x14 || code == 0x90 || code == 0x91;
}

// The punctuation keys of the US layout (its shifted digits above), which the named keys stand for:
// the character without and with Shift.
struct PunctuationKey {
  std::uint16_t code;
  char plain;
  char shifted;
};
constexpr std::array<PunctuationKey, 11> kPunctuationKeys{{
    {0xBA, ';', ':'},
    {0xBB, '=', '+'},
    {0xBC, ',', '<'},
    {0xBD, '-', '_'},
    {0xBE, '.', '>'},
    {0xBF, '/', '?'},
    {0xC0, '`', '~'},
    {0xDB, '[', '{'},
    {0xDC, '\\', '|'},
    {0xDD, ']', '}'},
    {0xDE, '\'', '"'},
}};

}  // namespace

KeyMeaning MeaningOfKey(const SentKey& key) {
  if (IsModifierOrLock(key.code)) return {KeyEffect::Ignored};
  if ((key.modifiers & (kCtrl | kAlt)) != 0) return {KeyEffect::Resets};
  const bool shift = (key.modifiers & kShift) != 0;
  if (key.code >= 'A' && key.code <= 'Z') {
    return {KeyEffect::Types, static_cast<char>(shift ? key.code : key.code - 'A' + 'a')};
  }
  if (key.code == kSpace) return {KeyEffect::Types, ' '};
  if (key.code == kBackspace) return {KeyEffect::Erases};
  if (key.code == kEnter) return {KeyEffect::NewLine};
  const bool written_digit = key.written >= '0' && key.written <= '9';
  if (key.code >= '0' && key.code <= '9' && (!shift || written_digit || key.written == '\0')) {
    constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";
    return {KeyEffect::Types, shift ? kShiftedDigits[key.code - '0'] : static_cast<char>(key.code)};
  }
  if (key.written != '\0') return {KeyEffect::Types, key.written};
  for (const PunctuationKey& punctuation : kPunctuationKeys) {
    if (punctuation.code == key.code) {
      return {KeyEffect::Types, shift ? punctuation.shifted : punctuation.plain};
    }
  }
  return {KeyEffect::Resets};
}

SentKey KeyTyping(char character) {
  if (character >= 'a' && character <= 'z') {
    return {static_cast<std::uint16_t>(character - 'a' + 'A'), 0, character};
  }
  if (character >= 'A' && character <= 'Z') {
    return {static_cast<std::uint16_t>(character), kShift, character};
  }
  if ((character >= '0' && character <= '9') || character == ' ') {
    return {static_cast<std::uint16_t>(character), 0, character};
  }
  return {0, 0, character};
}

}  // namespace plinth::words
