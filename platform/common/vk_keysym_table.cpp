#include "platform/x11/vk_keysym_table.h"

#include <X11/keysym.h>

#include <algorithm>
#include <array>

namespace plinth::platform::x11 {
namespace {

struct VkEntry {
  std::uint16_t code;
  Keysym unshifted;
  Keysym shifted;  // kNoKeysym: Shift is left to the keymap
};

// Every virtual key we can send, sorted by code. Letters are added by rule
// below. Character keys carry both levels of a US keyboard.
constexpr auto VkTable = std::to_array<VkEntry>({
    {0x03, XK_Break, kNoKeysym},
    {0x08, XK_BackSpace, kNoKeysym},
    {0x09, XK_Tab, kNoKeysym},
    {0x0C, XK_Clear, kNoKeysym},
    {0x0D, XK_Return, kNoKeysym},
    {0x10, XK_Shift_L, kNoKeysym},
    {0x11, XK_Control_L, kNoKeysym},
    {0x12, XK_Alt_L, kNoKeysym},
    {0x14, XK_Caps_Lock, kNoKeysym},
    {0x1B, XK_Escape, kNoKeysym},
    {0x20, XK_space, kNoKeysym},
    {0x21, XK_Prior, kNoKeysym},
    {0x22, XK_Next, kNoKeysym},
    {0x23, XK_End, kNoKeysym},
    {0x24, XK_Home, kNoKeysym},
    {0x25, XK_Left, kNoKeysym},
    {0x26, XK_Up, kNoKeysym},
    {0x27, XK_Right, kNoKeysym},
    {0x28, XK_Down, kNoKeysym},
    {0x2C, XK_Print, kNoKeysym},
    {0x2D, XK_Insert, kNoKeysym},
    {0x2E, XK_Delete, kNoKeysym},
    {0x2F, XK_Help, kNoKeysym},
    {0x30, XK_0, XK_parenright},
    {0x31, XK_1, XK_exclam},
    {0x32, XK_2, XK_at},
    {0x33, XK_3, XK_numbersign},
    {0x34, XK_4, XK_dollar},
    {0x35, XK_5, XK_percent},
    {0x36, XK_6, XK_asciicircum},
    {0x37, XK_7, XK_ampersand},
    {0x38, XK_8, XK_asterisk},
    {0x39, XK_9, XK_parenleft},
    {0x70, XK_F1, kNoKeysym},
    {0x71, XK_F2, kNoKeysym},
    {0x72, XK_F3, kNoKeysym},
    {0x73, XK_F4, kNoKeysym},
    {0x74, XK_F5, kNoKeysym},
    {0x75, XK_F6, kNoKeysym},
    {0x76, XK_F7, kNoKeysym},
    {0x77, XK_F8, kNoKeysym},
    {0x78, XK_F9, kNoKeysym},
    {0x79, XK_F10, kNoKeysym},
    {0x7A, XK_F11, kNoKeysym},
    {0x7B, XK_F12, kNoKeysym},
    {0x7C, XK_F13, kNoKeysym},
    {0x7D, XK_F14, kNoKeysym},
    {0x7E, XK_F15, kNoKeysym},
    {0x7F, XK_F16, kNoKeysym},
    {0x90, XK_Num_Lock, kNoKeysym},
    {0x91, XK_Scroll_Lock, kNoKeysym},
    {0xBA, XK_semicolon, XK_colon},
    {0xBB, XK_equal, XK_plus},
    {0xBC, XK_comma, XK_less},
    {0xBD, XK_minus, XK_underscore},
    {0xBE, XK_period, XK_greater},
    {0xBF, XK_slash, XK_question},
    {0xC0, XK_grave, XK_asciitilde},
    {0xDB, XK_bracketleft, XK_braceleft},
    {0xDC, XK_backslash, XK_bar},
    {0xDD, XK_bracketright, XK_braceright},
    {0xDE, XK_apostrophe, XK_quotedbl},
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
    const Keysym upper = XK_A + (code - 'A');
    return VkKeysyms{upper - XK_A + XK_a, upper};
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

}  // namespace plinth::platform::x11
