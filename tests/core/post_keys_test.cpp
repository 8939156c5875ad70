#include "src/postkeys/post_keys.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/testing/recording_keys.h"

namespace plinth {
namespace {

using test_platform::Down;
using test_platform::KeyEvent;
using test_platform::RecordingKeyInjector;
using test_platform::Up;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::uint32_t kExt = platform::kKeyEventExtendedKey;

TEST(PostKeyStroke, NoModifiersIsKeyDownThenUp) {
  RecordingKeyInjector keys;
  PostKeyStroke(keys, 0x41, 0);
  EXPECT_THAT(keys.events(), ElementsAre(Down(0x41), Up(0x41)));
}

TEST(PostKeyStroke, ModifiersGoDownInTableOrderAndUpInReverse) {
  RecordingKeyInjector keys;
  PostKeyStroke(keys, 0x41, kModShift | kModAlt | kModCtrl);
  EXPECT_THAT(keys.events(),
              ElementsAre(Down(kVkShift), Down(kVkControl), Down(kVkMenu), Down(0x41), Up(0x41),
                          Up(kVkMenu), Up(kVkControl), Up(kVkShift)));

  RecordingKeyInjector ctrl_alt;
  PostKeyStroke(ctrl_alt, 0x43, 0b110);
  EXPECT_THAT(ctrl_alt.events(), ElementsAre(Down(kVkControl), Down(kVkMenu), Down(0x43), Up(0x43),
                                             Up(kVkMenu), Up(kVkControl)));
}

TEST(PostKeyStroke, TheStrokeIsPreparedBeforeAnyModifierGoesDown) {
  RecordingKeyInjector keys;
  EXPECT_TRUE(PostKeyStroke(keys, 0x1C9, kModShift | kModCtrl | 0b1000));
  using Preparation = RecordingKeyInjector::Preparation;
  EXPECT_THAT(keys.preparations(), ElementsAre(Preparation{0, 0x1C9, kModShift | kModCtrl}));
  EXPECT_EQ(keys.events().size(), 6u);
}

TEST(PostKeyStroke, AKeyThatCannotBePreparedSendsNothingNotEvenItsModifiers) {
  RecordingKeyInjector keys;
  keys.RefuseToPrepare(0x43);
  EXPECT_FALSE(PostKeyStroke(keys, 0x43, kModCtrl | kModAlt));
  EXPECT_THAT(keys.events(), IsEmpty());
}

TEST(PostKeyStroke, HighBitsOfTheSetAddNothing) {
  RecordingKeyInjector keys;
  PostKeyStroke(keys, 0x0D, 0b11111000);
  EXPECT_THAT(keys.events(), ElementsAre(Down(0x0D), Up(0x0D)));
}

TEST(PostKeyStroke, EachEventTranslatesItsOwnScanCode) {
  RecordingKeyInjector keys;
  keys.SetScanCode(kVkShift, 0x2A);
  keys.SetScanCode(0x41, 0x1E);
  PostKeyStroke(keys, 0x41, kModShift);
  EXPECT_THAT(keys.events(), ElementsAre(KeyEvent{kVkShift, 0x2A, 0}, KeyEvent{0x41, 0x1E, 0},
                                         KeyEvent{0x41, 0x1E, 2}, KeyEvent{kVkShift, 0x2A, 2}));
  EXPECT_THAT(keys.translations(), ElementsAre(kVkShift, 0x41, 0x41, kVkShift));
}

TEST(PostKeyStroke, NavigationKeysAreExtendedOnBothEvents) {
  for (std::uint16_t key : std::initializer_list<std::uint16_t>{0x21, 0x22, 0x23, 0x24, 0x25, 0x26,
                                                                0x27, 0x28, 0x2D, 0x2E}) {
    RecordingKeyInjector keys;
    PostKeyStroke(keys, key, 0);
    EXPECT_THAT(keys.events(), ElementsAre(Down(key, kExt), Up(key, kExt))) << key;
  }
  for (std::uint16_t key :
       std::initializer_list<std::uint16_t>{0x20, 0x2C, 0x2F, 0x0D, 0x41, 0x70}) {
    RecordingKeyInjector keys;
    PostKeyStroke(keys, key, 0);
    EXPECT_THAT(keys.events(), ElementsAre(Down(key), Up(key))) << key;
  }
}

TEST(PostKeyStroke, ModifiersOfANavigationKeyAreNotExtended) {
  RecordingKeyInjector keys;
  PostKeyStroke(keys, 0x27, kModShift);
  EXPECT_THAT(keys.events(),
              ElementsAre(Down(kVkShift), Down(0x27, kExt), Up(0x27, kExt), Up(kVkShift)));
}

struct Refusal {
  const char* what;
  ModifierSet modifiers;
  std::size_t refused_event;
  std::vector<KeyEvent> expected;
  friend void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.what; }
};

class PostKeyStrokeRefused : public ::testing::TestWithParam<Refusal> {};

TEST_P(PostKeyStrokeRefused, ReleasesWhatWentDownAndLeavesNothingHeld) {
  RecordingKeyInjector keys;
  keys.RefuseEvent(GetParam().refused_event);
  PostKeyStroke(keys, 0x56, GetParam().modifiers);
  EXPECT_EQ(keys.events(), GetParam().expected);
  EXPECT_THAT(keys.KeysHeld(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, PostKeyStrokeRefused,
    ::testing::Values(Refusal{"first modifier", kModShift | kModCtrl, 1, {Down(kVkShift)}},
                      Refusal{"second modifier",
                              kModShift | kModCtrl,
                              2,
                              {Down(kVkShift), Down(kVkControl), Up(kVkShift)}},
                      Refusal{"key down",
                              kModCtrl | kModAlt,
                              3,
                              {Down(kVkControl), Down(kVkMenu), Down(0x56), Up(kVkMenu),
                               Up(kVkControl)}},
                      Refusal{"key down without modifiers", 0, 1, {Down(0x56)}}),
    [](const ::testing::TestParamInfo<Refusal>& param_info) {
      std::string name = param_info.param.what;
      for (char& c : name) {
        if (c == ' ' || c == '-') c = '_';
      }
      return name;
    });

TEST(PostKeyStroke, ARefusedKeyUpStillReleasesTheOtherModifiers) {
  RecordingKeyInjector keys;
  keys.RefuseEvent(5);  // Ctrl up
  PostKeyStroke(keys, 0x56, kModShift | kModCtrl);
  EXPECT_THAT(keys.events(), ElementsAre(Down(kVkShift), Down(kVkControl), Down(0x56), Up(0x56),
                                         Up(kVkControl), Up(kVkShift)));
}

}  // namespace
}  // namespace plinth
