#include "platform/wayland/keymap_text.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string_view>

#include "platform/common/vk_keysym_table.h"

namespace plinth::platform::wayland {
namespace {

// XKB keycodes start at 8 above the codes on the wire.
constexpr std::uint32_t kXkbOffset = 8;
constexpr std::uint32_t kFirstKeycode = 9;  // wire code 1
constexpr std::uint32_t kLastKeycode = 255;

std::string KeysymText(Keysym keysym) {
  // Numbers of two digits and more are keysyms; one digit would be a digit
  // key's name.
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "0x%08x", keysym);
  return text.data();
}

std::string KeyName(std::uint32_t keycode) { return "<K" + std::to_string(keycode) + ">"; }

// Which modifier a modifier key sets, if it is one.
std::optional<std::string_view> ModifierOf(std::uint16_t code) {
  switch (code) {
    case 0x10:
      return "Shift";
    case 0x11:
      return "Control";
    case 0x12:
      return "Mod1";
    default:
      return std::nullopt;
  }
}

}  // namespace

VirtualKeymap BuildVirtualKeymap() {
  VirtualKeymap keymap;
  std::string keycodes;
  std::string symbols;
  std::string modifier_map;
  std::uint32_t next = kFirstKeycode;
  for (std::uint16_t code = 1; code <= kCharacterCodeBase + 0xFF; ++code) {
    const std::optional<VkKeysyms> keysyms = KeysymsForVirtualKey(code);
    if (!keysyms || next > kLastKeycode) continue;
    const std::uint32_t keycode = next++;
    keymap.keys[code] = keycode - kXkbOffset;
    const std::string name = KeyName(keycode);
    keycodes += "    " + name + " = " + std::to_string(keycode) + ";\n";
    const bool two_levels = keysyms->IsCharacterKey() && keysyms->shifted != keysyms->unshifted;
    symbols += "    key " + name + " { type = \"" + (two_levels ? "TWO_LEVEL" : "ONE_LEVEL") +
               "\", symbols[Group1] = [ " + KeysymText(keysyms->unshifted) +
               (two_levels ? ", " + KeysymText(keysyms->shifted) : std::string()) + " ] };\n";
    if (const auto modifier = ModifierOf(code)) {
      modifier_map += "    modifier_map " + std::string(*modifier) + " { " + name + " };\n";
    }
  }
  keymap.text =
      "xkb_keymap {\n"
      "  xkb_keycodes \"plinth\" {\n"
      "    minimum = 8;\n"
      "    maximum = 255;\n" +
      keycodes +
      "  };\n"
      "  xkb_types \"plinth\" {\n"
      "    type \"ONE_LEVEL\" { modifiers = none; level_name[Level1] = \"Any\"; };\n"
      "    type \"TWO_LEVEL\" {\n"
      "      modifiers = Shift;\n"
      "      map[Shift] = Level2;\n"
      "      level_name[Level1] = \"Base\";\n"
      "      level_name[Level2] = \"Shift\";\n"
      "    };\n"
      "  };\n"
      "  xkb_compatibility \"plinth\" {\n"
      "  };\n"
      "  xkb_symbols \"plinth\" {\n"
      "    name[Group1] = \"Plinth\";\n" +
      symbols + modifier_map +
      "  };\n"
      "};\n";
  return keymap;
}

}  // namespace plinth::platform::wayland
