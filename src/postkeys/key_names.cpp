#include "src/postkeys/key_names.h"

#include <algorithm>
#include <array>

namespace plinth {
namespace {

// Sorted by the byte order of the names, a prefix before the longer name,
// so that LookupKeyName can bisect. Letters, digits and the space have no
// entry: buttons send them as characters.
constexpr std::array<KeyNameEntry, 69> KeyNameTable{{
    {"ANGLEBRACECLOSE", 0xBE},
    {"ANGLEBRACEOPEN", 0xBC},
    {"BACKQUOTE", 0xC0},
    {"BACKSLASH", 0xDC},
    {"BACKSPACE", 0x08},
    {"BAR", 0xDC},
    {"BKSP", 0x08},
    {"BREAK", 0x03},
    {"BS", 0x08},
    {"CAPSLOCK", 0x14},
    {"CLEAR", 0x0C},
    {"COLON", 0xBA},
    {"COMMA", 0xBC},
    {"CURLYBRACECLOSE", 0xDD},
    {"CURLYBRACEOPEN", 0xDB},
    {"DEL", 0x2E},
    {"DELETE", 0x2E},
    {"DOUBLEQUOTE", 0xDE},
    {"DOWN", 0x28},
    {"END", 0x23},
    {"ENTER", 0x0D},
    {"EQUALS", 0xBB},
    {"ESC", 0x1B},
    {"ESCAPE", 0x1B},
    {"F1", 0x70},
    {"F10", 0x79},
    {"F11", 0x7A},
    {"F12", 0x7B},
    {"F13", 0x7C},
    {"F14", 0x7D},
    {"F15", 0x7E},
    {"F16", 0x7F},
    {"F2", 0x71},
    {"F3", 0x72},
    {"F4", 0x73},
    {"F5", 0x74},
    {"F6", 0x75},
    {"F7", 0x76},
    {"F8", 0x77},
    {"F9", 0x78},
    {"FORWARDSLASH", 0xBF},
    {"FULLSTOP", 0xBE},
    {"HELP", 0x2F},
    {"HOME", 0x24},
    {"INS", 0x2D},
    {"LEFT", 0x25},
    {"MINUS", 0xBD},
    {"NUMLOCK", 0x90},
    {"PERIOD", 0xBE},
    {"PGDN", 0x22},
    {"PGUP", 0x21},
    {"PLUS", 0xBB},
    {"PRINTSCREEN", 0x2C},
    {"QUESTIONMARK", 0xBF},
    {"QUOTE", 0xDE},
    {"RIGHT", 0x27},
    {"SCROLL", 0x91},
    {"SCROLLDOWN", 0x91},
    {"SCROLLLOCK", 0x91},
    {"SCROLLUP", 0x91},
    {"SEMICOLON", 0xBA},
    {"SLASH", 0xBF},
    {"SQUAREBRACECLOSE", 0xDD},
    {"SQUAREBRACEOPEN", 0xDB},
    {"TAB", 0x09},
    {"TILDE", 0xC0},
    {"UNDERLINE", 0xBD},
    {"UP", 0x26},
    {"VERTICALBAR", 0xDC},
}};

// string_view compares by unsigned bytes (char_traits<char>::compare), a
// shorter prefix first: the order the bisection relies on.
static_assert(std::ranges::is_sorted(KeyNameTable, std::ranges::less{}, &KeyNameEntry::name),
              "KeyNameTable must be sorted by name");
static_assert(std::ranges::adjacent_find(KeyNameTable, std::ranges::equal_to{},
                                         &KeyNameEntry::name) == KeyNameTable.end(),
              "KeyNameTable names must be unique");

}  // namespace

std::uint16_t LookupKeyName(std::string_view name) {
  std::size_t low = 0;
  std::size_t high = KeyNameTable.size();
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    const int order = name.compare(KeyNameTable[middle].name);
    if (order == 0) return KeyNameTable[middle].code;
    if (order > 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return NotFoundKey;
}

std::span<const KeyNameEntry> KeyNameEntries() { return KeyNameTable; }

}  // namespace plinth
