// The injector's pieces that need no X server: the US keyboard's tables,
// the reading of a keymap, and the rotation and linger of spare keycodes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "platform/common/vk_keysym_table.h"
#include "platform/x11/keymap_snapshot.h"
#include "platform/x11/spare_keycode_pool.h"
#include "src/postkeys/key_names.h"

// Xlib after the test framework: its macros (None, Bool) clash with names there.
#include <X11/keysym.h>

namespace plinth::platform::x11 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace std::chrono_literals;

// ---------------------------------------------------------------- tables

TEST(VkKeysymTable, EveryNamedKeyAndModifierHasAKeysym) {
  for (const KeyNameEntry& entry : KeyNameEntries()) {
    EXPECT_TRUE(KeysymsForVirtualKey(entry.code)) << entry.name;
  }
  EXPECT_EQ(KeysymsForVirtualKey(0x10)->unshifted, Keysym{XK_Shift_L});
  EXPECT_EQ(KeysymsForVirtualKey(0x11)->unshifted, Keysym{XK_Control_L});
  EXPECT_EQ(KeysymsForVirtualKey(0x12)->unshifted, Keysym{XK_Alt_L});
  EXPECT_EQ(KeysymsForVirtualKey(0x03)->unshifted, Keysym{XK_Break});
  EXPECT_EQ(KeysymsForVirtualKey(0x7F)->unshifted, Keysym{XK_F16});
}

TEST(VkKeysymTable, ShiftIsLeftToTheKeymapOnlyForNonCharacterKeys) {
  const auto tab = KeysymsForVirtualKey(0x09);
  EXPECT_FALSE(tab->IsCharacterKey());
  EXPECT_EQ(tab->ForShift(true), Keysym{XK_Tab});

  const auto letter = KeysymsForVirtualKey('Q');
  EXPECT_EQ(letter->ForShift(false), Keysym{XK_q});
  EXPECT_EQ(letter->ForShift(true), Keysym{XK_Q});
  EXPECT_EQ(KeysymsForVirtualKey('6')->ForShift(true), Keysym{XK_asciicircum});
  EXPECT_EQ(KeysymsForVirtualKey(0xDE)->ForShift(true), Keysym{XK_quotedbl});
}

TEST(VkKeysymTable, CodesNoKeyHasGiveNothing) {
  for (const int code : {0x00, 0x07, 0x5B, 0x61, 0x80, 0xE2, 0xFF, 0x181, 0x200, 0xFFFF}) {
    EXPECT_FALSE(KeysymsForVirtualKey(static_cast<std::uint16_t>(code))) << code;
  }
}

TEST(UsKeyForCharacter, EveryPrintableAsciiCharacterComesBackThroughItsKey) {
  for (int c = 0x20; c < 0x7F; ++c) {
    const auto ch = static_cast<unsigned char>(c);
    const auto key = UsKeyForCharacter(ch);
    ASSERT_TRUE(key) << c;
    EXPECT_FALSE(key->ctrl || key->alt) << c;
    const auto keysyms = KeysymsForVirtualKey(key->code);
    ASSERT_TRUE(keysyms) << c;
    EXPECT_EQ(keysyms->ForShift(key->shift), Keysym{ch}) << "character " << ch;
  }
}

TEST(UsKeyForCharacter, AnswersLikeVkKeyScanOnAUsLayout) {
  const auto key = [](unsigned char ch) {
    const auto found = UsKeyForCharacter(ch);
    return found ? std::pair{found->code, found->shift} : std::pair{std::uint16_t{0xFFFF}, false};
  };
  EXPECT_EQ(key(','), std::pair(std::uint16_t{0xBC}, false));
  EXPECT_EQ(key('<'), std::pair(std::uint16_t{0xBC}, true));
  EXPECT_EQ(key('!'), std::pair(std::uint16_t{'1'}, true));
  EXPECT_EQ(key('a'), std::pair(std::uint16_t{'A'}, false));
  EXPECT_EQ(key('A'), std::pair(std::uint16_t{'A'}, true));
  EXPECT_EQ(key('\t'), std::pair(std::uint16_t{0x09}, false));
  EXPECT_EQ(key('\r'), std::pair(std::uint16_t{0x0D}, false));
  EXPECT_FALSE(UsKeyForCharacter('\0'));
  EXPECT_FALSE(UsKeyForCharacter('\x01'));
  EXPECT_FALSE(UsKeyForCharacter('\x7F'));
}

TEST(UsKeyForCharacter, HighCharactersGetOurOwnCodesAndTheirKeysyms) {
  const auto e_acute = UsKeyForCharacter(0xC9);
  ASSERT_TRUE(e_acute);
  EXPECT_EQ(e_acute->code, kCharacterCodeBase + 0xC9);
  EXPECT_FALSE(e_acute->shift);
  // The same character whether Shift is held or not.
  EXPECT_EQ(KeysymsForVirtualKey(e_acute->code)->ForShift(false), Keysym{XK_Eacute});
  EXPECT_EQ(KeysymsForVirtualKey(e_acute->code)->ForShift(true), Keysym{XK_Eacute});

  EXPECT_EQ(KeysymForHighCharacter(0x80), Keysym{0x10020AC});  // euro sign
  EXPECT_EQ(KeysymForHighCharacter(0x9F), Keysym{0x1000178});  // Y with diaeresis
  EXPECT_EQ(KeysymForHighCharacter(0xA0), Keysym{XK_nobreakspace});
  EXPECT_EQ(KeysymForHighCharacter(0xFF), Keysym{XK_ydiaeresis});
  // Windows-1252 leaves five codes undefined.
  for (const int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_FALSE(KeysymForHighCharacter(static_cast<unsigned char>(undefined))) << undefined;
    EXPECT_FALSE(UsKeyForCharacter(static_cast<unsigned char>(undefined))) << undefined;
  }
  EXPECT_FALSE(KeysymForHighCharacter('a'));
}

// ---------------------------------------------------------------- keymap

// Keycodes 10..15 with two keysyms each.
KeymapSnapshot SmallKeymap() {
  return KeymapSnapshot(10, 2,
                        {
                            XK_comma, XK_semicolon,   // 10: a German comma key
                            XK_a, XK_A,               // 11
                            XK_Tab, XK_ISO_Left_Tab,  // 12
                            XK_b, kNoKeysym,          // 13: one keysym, a letter
                            XK_space, kNoKeysym,      // 14: one keysym, not a letter
                            kNoKeysym, kNoKeysym,     // 15: empty
                        });
}

TEST(KeymapSnapshot, FindsCharactersAtTheShiftLevelAskedFor) {
  const KeymapSnapshot keymap = SmallKeymap();
  EXPECT_EQ(keymap.FindCharacterKey(XK_comma, false), 10);
  EXPECT_EQ(keymap.FindCharacterKey(XK_comma, true), 0);
  EXPECT_EQ(keymap.FindCharacterKey(XK_semicolon, true), 10);
  EXPECT_EQ(keymap.FindCharacterKey(XK_A, true), 11);
  EXPECT_EQ(keymap.FindCharacterKey(XK_A, false), 0);
  // A lone letter has its capital with Shift; a lone space stays a space.
  EXPECT_EQ(keymap.FindCharacterKey(XK_B, true), 13);
  EXPECT_EQ(keymap.FindCharacterKey(XK_space, true), 14);
  EXPECT_EQ(keymap.FindCharacterKey(kNoKeysym, false), 0);
}

TEST(KeymapSnapshot, FindsFunctionKeysByTheirUnshiftedKeysymOnly) {
  const KeymapSnapshot keymap = SmallKeymap();
  EXPECT_EQ(keymap.FindFunctionKey(XK_Tab), 12);
  EXPECT_EQ(keymap.FindFunctionKey(XK_ISO_Left_Tab), 0);
  EXPECT_EQ(keymap.FindFunctionKey(XK_F1), 0);
}

TEST(KeymapSnapshot, ListsEmptyKeycodesAndAnswersOutsideItsRange) {
  const KeymapSnapshot keymap = SmallKeymap();
  EXPECT_THAT(keymap.EmptyKeycodes(), ElementsAre(15));
  EXPECT_TRUE(keymap.Carries(12, XK_ISO_Left_Tab));
  EXPECT_FALSE(keymap.Carries(9, XK_comma));
  EXPECT_FALSE(keymap.Carries(16, XK_comma));

  const KeymapSnapshot unreadable(8, 1, {});
  EXPECT_THAT(unreadable.EmptyKeycodes(), IsEmpty());
  EXPECT_EQ(unreadable.FindCharacterKey(XK_a, false), 0);
}

// ---------------------------------------------------------------- spare keycodes

// A pool on a clock of the test's own; records what it binds.
class SparePoolTest : public ::testing::Test {
 protected:
  using Clock = SpareKeycodePool::Clock;

  SpareKeycodePool pool_{SpareKeycodePool::Hooks{
      .bind =
          [this](int keycode, Keysym keysym) {
            events_.push_back(Event{keycode, keysym});
          },
      .unbind =
          [this](int keycode, Keysym) {
            events_.push_back(Event{keycode, kNoKeysym});
          },
      .now = [this] { return now_; },
      .sleep =
          [this](Clock::duration wait) {
            slept_ += wait;
            now_ += wait;
          },
  }};

  // A key typed through the pool: acquired, pressed and released.
  int Type(Keysym keysym) {
    const int keycode = pool_.Acquire(keysym, empty_);
    pool_.Press(keycode);
    pool_.Release(keycode);
    return keycode;
  }

  struct Event {
    int keycode;
    Keysym keysym;  // kNoKeysym: emptied again
    friend bool operator==(const Event&, const Event&) = default;
  };

  Clock::time_point now_{};
  Clock::duration slept_{};
  std::vector<Event> events_;
  std::vector<int> empty_{20, 21, 22, 23, 24, 25, 26, 27, 28, 29};
};

TEST_F(SparePoolTest, DifferentKeysymsTakeDifferentKeycodesAndTheSameOneIsReused) {
  EXPECT_EQ(Type(XK_Eacute), 20);
  EXPECT_EQ(Type(XK_Ntilde), 21);
  now_ += 1h;  // a binding stays as long as it is not needed for another
  EXPECT_EQ(Type(XK_Eacute), 20);
  EXPECT_THAT(events_, ElementsAre(Event{20, XK_Eacute}, Event{21, XK_Ntilde}));
  EXPECT_EQ(pool_.BoundKeysym(21), Keysym{XK_Ntilde});
}

TEST_F(SparePoolTest, WhenEveryKeycodeIsBoundTheOneUsedLongestAgoIsTakenOver) {
  empty_ = {20, 21, 22};
  Type(XK_Agrave);
  now_ += 1s;
  Type(XK_Aacute);
  Type(XK_Acircumflex);
  now_ += 1s;
  Type(XK_Agrave);  // used again: now the newest
  events_.clear();
  // None was left alone for long enough: the key cannot be typed now.
  EXPECT_EQ(Type(XK_ssharp), 0);
  EXPECT_THAT(events_, IsEmpty());
  now_ += SpareKeycodePool::kKeepAtLeast - 1s;
  EXPECT_EQ(Type(XK_ssharp), 21);
  EXPECT_THAT(events_, ElementsAre(Event{21, XK_ssharp}));
  EXPECT_EQ(slept_, Clock::duration{});
}

TEST_F(SparePoolTest, HeldBindingsAreNeverTakenOver) {
  empty_ = {20};
  pool_.Press(pool_.Acquire(XK_Agrave, empty_));
  now_ += 1h;
  EXPECT_EQ(pool_.Acquire(XK_ssharp, empty_), 0);
  EXPECT_EQ(pool_.Acquire(kNoKeysym, empty_), 0);
}

TEST_F(SparePoolTest, BindingsTheKeymapLostAreForgottenNotRestored) {
  Type(XK_Eacute);
  Type(XK_Ntilde);
  pool_.ForgetLost([](int keycode, Keysym) { return keycode == 21; });
  EXPECT_EQ(pool_.BoundKeysym(20), kNoKeysym);
  events_.clear();
  pool_.RestoreAll();
  EXPECT_THAT(events_, ElementsAre(Event{21, kNoKeysym}));
}

TEST_F(SparePoolTest, RestoreAllGivesTheLastKeyItsLingerThenEmptiesEverything) {
  Type(XK_Eacute);
  now_ += 50ms;
  Type(XK_Ntilde);
  events_.clear();
  now_ += 50ms;
  pool_.RestoreAll();
  EXPECT_EQ(slept_, SpareKeycodePool::kLingerAtEnd - 50ms);
  EXPECT_THAT(events_, ElementsAre(Event{20, kNoKeysym}, Event{21, kNoKeysym}));
  EXPECT_EQ(pool_.BoundKeysym(20), kNoKeysym);
}

}  // namespace
}  // namespace plinth::platform::x11
