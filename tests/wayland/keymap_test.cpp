// The virtual keyboard's own keymap: a keymap XKB accepts, in which every
// key the keyboard sends types what a US Windows keyboard types, at both
// Shift levels, every character of Windows-1252 has a key, and the masks
// the modifiers request sends are those of Shift, Control and Mod1 (Alt).

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>

#include "platform/common/vk_keysym_table.h"
#include "platform/wayland/keymap_text.h"

namespace plinth::platform::wayland {
namespace {

struct XkbDeleter {
  void operator()(xkb_context* context) const { xkb_context_unref(context); }
  void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
  void operator()(xkb_state* state) const { xkb_state_unref(state); }
};

class VirtualKeymapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    keymap_ = BuildVirtualKeymap();
    context_.reset(xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES));
    compiled_.reset(xkb_keymap_new_from_string(context_.get(), keymap_.text.c_str(),
                                               XKB_KEYMAP_FORMAT_TEXT_V1,
                                               XKB_KEYMAP_COMPILE_NO_FLAGS));
    ASSERT_NE(compiled_, nullptr) << keymap_.text;
  }

  // The keysym the key of `code` types with Shift up or down.
  xkb_keysym_t Typed(std::uint16_t code, bool shift) const {
    const auto key = keymap_.keys.find(code);
    if (key == keymap_.keys.end()) return XKB_KEY_NoSymbol;
    std::unique_ptr<xkb_state, XkbDeleter> state(xkb_state_new(compiled_.get()));
    const xkb_mod_index_t shift_index =
        xkb_keymap_mod_get_index(compiled_.get(), XKB_MOD_NAME_SHIFT);
    xkb_state_update_mask(state.get(), shift ? 1u << shift_index : 0, 0, 0, 0, 0, 0);
    return xkb_state_key_get_one_sym(state.get(), key->second + 8);
  }

  VirtualKeymap keymap_;
  std::unique_ptr<xkb_context, XkbDeleter> context_;
  std::unique_ptr<xkb_keymap, XkbDeleter> compiled_;
};

TEST_F(VirtualKeymapTest, EveryVirtualKeyTypesItsKeysymsAtBothLevels) {
  int keys = 0;
  for (std::uint16_t code = 1; code <= kCharacterCodeBase + 0xFF; ++code) {
    const auto keysyms = KeysymsForVirtualKey(code);
    if (!keysyms) continue;
    ++keys;
    EXPECT_EQ(Typed(code, false), keysyms->unshifted) << "code " << code;
    // Shift is left to the keymap for keys that are no characters.
    if (keysyms->IsCharacterKey()) {
      EXPECT_EQ(Typed(code, true), keysyms->shifted) << "code " << code;
    }
  }
  EXPECT_EQ(static_cast<std::size_t>(keys), keymap_.keys.size());
}

TEST_F(VirtualKeymapTest, EveryCharacterHasAKeyThatTypesIt) {
  for (int ch = 0x20; ch <= 0xFF; ++ch) {
    const auto key = UsKeyForCharacter(static_cast<unsigned char>(ch));
    if (!key) continue;  // the five codes Windows-1252 leaves undefined
    const xkb_keysym_t typed = Typed(key->code, key->shift);
    const std::uint32_t unicode = xkb_keysym_to_utf32(typed);
    const auto expected = ch >= 0x80 ? KeysymForHighCharacter(static_cast<unsigned char>(ch))
                                     : std::optional<Keysym>{};
    if (expected) {
      EXPECT_EQ(typed, *expected) << "character " << ch;
    } else {
      EXPECT_EQ(unicode, static_cast<std::uint32_t>(ch)) << "character " << ch;
    }
  }
}

TEST_F(VirtualKeymapTest, ShiftCtrlAndAltMasksAreTheKeymapsOwn) {
  for (const auto& [code, name] : {std::pair<std::uint16_t, const char*>{0x10, XKB_MOD_NAME_SHIFT},
                                   {0x11, XKB_MOD_NAME_CTRL},
                                   {0x12, XKB_MOD_NAME_ALT}}) {
    const xkb_mod_index_t index = xkb_keymap_mod_get_index(compiled_.get(), name);
    ASSERT_NE(index, XKB_MOD_INVALID) << name;
    const std::uint32_t mask = code == 0x10 ? kShiftMask : code == 0x11 ? kControlMask : kMod1Mask;
    EXPECT_EQ(1u << index, mask) << name;
  }
}

}  // namespace
}  // namespace plinth::platform::wayland
