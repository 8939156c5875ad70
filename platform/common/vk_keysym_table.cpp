#include "platform/common/vk_keysym_table.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <algorithm>
#include <array>

namespace plinth::platform {
namespace {

struct VkEntry {
  std::uint16_t code;
  Keysym unshifted;
  Keysym shifted;  // kNoKeysym: Shift is left to the keymap
};

// Every virtual key we can send, sorted by code. Letters are added by rule
// below. Character keys carry both levels of a US keyboard.
constexpr auto VkTable = std::to_array<VkEntry>({
    {0x03, XKB_KEY_Break, kNoKeysym},
    {0x08, XKB_KEY_BackSpace, kNoKeysym},
    {0x09, XKB_KEY_Tab, kNoKeysym},
    {0x0C, XKB_KEY_Clear, kNoKeysym},
    {0x0D, XKB_KEY_Return, kNoKeysym},
    {0x10, XKB_KEY_Shift_L, kNoKeysym},
    {0x11, XKB_KEY_Control_L, kNoKeysym},
    {0x12, XKB_KEY_Alt_L, kNoKeysym},
    {0x14, XKB_KEY_Caps_Lock, kNoKeysym},
    {0x1B, XKB_KEY_Escape, kNoKeysym},
    {0x20, XKB_KEY_space, kNoKeysym},
    {0x21, XKB_KEY_Prior, kNoKeysym},
    {0x22, XKB_KEY_Next, kNoKeysym},
    {0x23, XKB_KEY_End, kNoKeysym},
    {0x24, XKB_KEY_Home, kNoKeysym},
    {0x25, XKB_KEY_Left, kNoKeysym},
    {0x26, XKB_KEY_Up, kNoKeysym},
    {0x27, XKB_KEY_Right, kNoKeysym},
    {0x28, XKB_KEY_Down, kNoKeysym},
    {0x2C, XKB_KEY_Print, kNoKeysym},
    {0x2D, XKB_KEY_Insert, kNoKeysym},
    {0x2E, XKB_KEY_Delete, kNoKeysym},
    {0x2F, XKB_KEY_Help, kNoKeysym},
    {0x30, XKB_KEY_0, XKB_KEY_parenright},
    {0x31, XKB_KEY_1, XKB_KEY_exclam},
    {0x32, XKB_KEY_2, XKB_KEY_at},
    {0x33, XKB_KEY_3, XKB_KEY_numbersign},
    {0x34, XKB_KEY_4, XKB_KEY_dollar},
    {0x35, XKB_KEY_5, XKB_KEY_percent},
    {0x36, XKB_KEY_6, XKB_KEY_asciicircum},
    {0x37, XKB_KEY_7, XKB_KEY_ampersand},
    {0x38, XKB_KEY_8, XKB_KEY_asterisk},
    {0x39, XKB_KEY_9, XKB_KEY_parenleft},
    {0x70, XKB_KEY_F1, kNoKeysym},
    {0x71, XKB_KEY_F2, kNoKeysym},
    {0x72, XKB_KEY_F3, kNoKeysym},
    {0x73, XKB_KEY_F4, kNoKeysym},
    {0x74, XKB_KEY_F5, kNoKeysym},
    {0x75, XKB_KEY_F6, kNoKeysym},
    {0x76, XKB_KEY_F7, kNoKeysym},
    {0x77, XKB_KEY_F8, kNoKeysym},
    {0x78, XKB_KEY_F9, kNoKeysym},
    {0x79, XKB_KEY_F10, kNoKeysym},
    {0x7A, XKB_KEY_F11, kNoKeysym},
    {0x7B, XKB_KEY_F12, kNoKeysym},
    {0x7C, XKB_KEY_F13, kNoKeysym},
    {0x7D, XKB_KEY_F14, kNoKeysym},
    {0x7E, XKB_KEY_F15, kNoKeysym},
    {0x7F, XKB_KEY_F16, kNoKeysym},
    {0x90, XKB_KEY_Num_Lock, kNoKeysym},
    {0x91, XKB_KEY_Scroll_Lock, kNoKeysym},
    {0xBA, XKB_KEY_semicolon, XKB_KEY_colon},
    {0xBB, XKB_KEY_equal, XKB_KEY_plus},
    {0xBC, XKB_KEY_comma, XKB_KEY_less},
    {0xBD, XKB_KEY_minus, XKB_KEY_underscore},
    {0xBE, XKB_KEY_period, XKB_KEY_greater},
    {0xBF, XKB_KEY_slash, XKB_KEY_question},
    {0xC0, XKB_KEY_grave, XKB_KEY_asciitilde},
    {0xDB, XKB_KEY_bracketleft, XKB_KEY_braceleft},
    {0xDC, XKB_KEY_backslash, XKB_KEY_bar},
    {0xDD, XKB_KEY_bracketright, XKB_KEY_braceright},
    {0xDE, XKB_KEY_apostrophe, XKB_KEY_quotedbl},
});

static_assert(std::ranges::is_sorted(VkTable, std::ranges::less{}, &VkEntry::code),
              "VkTable must be sorted by code");

// Windows-1252's printable characters 0x80..0x9F as Unicode; 0 where the
// code page leaves the code undefined.
constexpr std::array<std::uint16_t, 32> Cp1252HighControls{{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       //
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  //
}};

// X's keysyms for Unicode characters outside Latin-1.
constexpr Keysym kUnicodeKeysymBase = 0x01000000;

struct CharacterEntry {
  unsigned char ch;
  std::uint16_t code;
  bool shift;
};

// The US keyboard's punctuation and shifted digits.
constexpr auto UsPunctuation = std::to_array<CharacterEntry>({
    {'!', 0x31, true},   {'"', 0xDE, true},   {'#', 0x33, true},   {'$', 0x34, true},
    {'%', 0x35, true},   {'&', 0x37, true},   {'\'', 0xDE, false}, {'(', 0x39, true},
    {')', 0x30, true},   {'*', 0x38, true},   {'+', 0xBB, true},   {',', 0xBC, false},
    {'-', 0xBD, false},  {'.', 0xBE, false},  {'/', 0xBF, false},  {':', 0xBA, true},
    {';', 0xBA, false},  {'<', 0xBC, true},   {'=', 0xBB, false},  {'>', 0xBE, true},
    {'?', 0xBF, true},   {'@', 0x32, true},   {'[', 0xDB, false},  {'\\', 0xDC, false},
    {']', 0xDD, false},  {'^', 0x36, true},   {'_', 0xBD, true},   {'`', 0xC0, false},
    {'{', 0xDB, true},   {'|', 0xDC, true},   {'}', 0xDD, true},   {'~', 0xC0, true},
    {'\b', 0x08, false}, {'\t', 0x09, false}, {'\r', 0x0D, false}, {'\x1B', 0x1B, false},
});

}  // namespace

std::optional<VkKeysyms> KeysymsForVirtualKey(std::uint16_t code) {
  if (code >= 'A' && code <= 'Z') {
    const Keysym upper = XKB_KEY_A + (code - 'A');
    return VkKeysyms{upper - XKB_KEY_A + XKB_KEY_a, upper};
  }
  if (code >= kCharacterCodeBase && code <= kCharacterCodeBase + 0xFF) {
    const auto ch = static_cast<unsigned char>(code - kCharacterCodeBase);
    const std::optional<Keysym> keysym = KeysymForHighCharacter(ch);
    if (!keysym) return std::nullopt;
    // The same character whether Shift is held or not.
    return VkKeysyms{*keysym, *keysym};
  }
  const auto* entry = std::ranges::lower_bound(VkTable, code, std::ranges::less{}, &VkEntry::code);
  if (entry == VkTable.end() || entry->code != code) {
    return std::nullopt;
  }
  return VkKeysyms{entry->unshifted, entry->shifted};
}

std::optional<Keysym> KeysymForHighCharacter(unsigned char ch) {
  constexpr unsigned char kFirstHigh = 0x80, kFirstLatin1 = 0xA0;
  if (ch < kFirstHigh) return std::nullopt;
  if (ch >= kFirstLatin1) return Keysym{ch};  // Latin-1 keysyms are the code itself
  const std::uint16_t unicode = Cp1252HighControls[ch - kFirstHigh];
  if (unicode == 0) return std::nullopt;
  return kUnicodeKeysymBase + unicode;
}

std::optional<CharacterKey> UsKeyForCharacter(unsigned char ch) {
  if (ch >= 'A' && ch <= 'Z') return CharacterKey{.code = ch, .shift = true};
  if (ch >= 'a' && ch <= 'z')
    return CharacterKey{.code = static_cast<std::uint16_t>(ch - 'a' + 'A')};
  if ((ch >= '0' && ch <= '9') || ch == ' ') return CharacterKey{.code = ch};
  const auto* entry = std::ranges::find(UsPunctuation, ch, &CharacterEntry::ch);
  if (entry != UsPunctuation.end()) return CharacterKey{.code = entry->code, .shift = entry->shift};
  if (KeysymForHighCharacter(ch)) {
    return CharacterKey{.code = static_cast<std::uint16_t>(kCharacterCodeBase + ch)};
  }
  return std::nullopt;
}

}  // namespace plinth::platform
