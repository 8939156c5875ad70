// The X11 key injector against a real X server: keys sent through
// PostKeyStroke arrive at a client of our own with the keysyms and
// modifier states a US Windows keyboard would give, whatever the keymap.

#include "platform/x11/xtest_key_injector.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

// Xlib after the test framework: its macros (None, Bool) clash with names there.
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <bit>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "platform/x11/keymap_snapshot.h"
#include "platform/x11/spare_keycode_pool.h"
#include "src/postkeys/post_keys.h"
#include "tests/e2e/held_keys.h"
#include "tests/e2e/recorder_log.h"
#include "tests/e2e/x_server.h"
#include "tests/support/child_process.h"

namespace plinth::e2e {
namespace {

using platform::x11::XTestKeyInjector;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

using Strokes = std::vector<std::string>;

// Every key mapping of the server, to compare before and after.
std::vector<KeySym> KeyboardMapping(Display* display) {
  int min_keycode = 0, max_keycode = 0, per_keycode = 0;
  XDisplayKeycodes(display, &min_keycode, &max_keycode);
  KeySym* mapping = XGetKeyboardMapping(display, static_cast<KeyCode>(min_keycode),
                                        max_keycode - min_keycode + 1, &per_keycode);
  const auto count = static_cast<std::ptrdiff_t>(max_keycode - min_keycode + 1) * per_keycode;
  std::vector<KeySym> keysyms(mapping, mapping + count);
  XFree(mapping);
  return keysyms;
}

class XTestKeyInjectorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.started()) << "Xvfb did not start";
    recorder_ =
        std::make_unique<KeyRecorder>(KEY_RECORDER_PATH, server_.Env(), dir_.File("keys.log"));
    ASSERT_TRUE(recorder_->WaitUntilReady()) << "the recorder did not get the focus";
    display_ = XOpenDisplay(server_.display_name().c_str());
    ASSERT_NE(display_, nullptr);
    injector_ = std::make_unique<XTestKeyInjector>(display_);
  }

  void TearDown() override {
    injector_.reset();
    if (display_ != nullptr) {
      EXPECT_THAT(HeldKeys(display_), IsEmpty()) << "a key was left held down";
      XCloseDisplay(display_);
    }
    if (recorder_) {
      EXPECT_FALSE(recorder_->LostFocus()) << "the recorder lost the focus";
      if (HasFailure()) {
        for (const std::string& line : recorder_->Lines())
          std::cerr << "recorder: " << line << '\n';
      }
    }
  }

  // Sends one key stroke and returns the key events it produced.
  Strokes Type(std::uint16_t code, ModifierSet modifiers = 0) {
    const std::size_t before = recorder_->Keys().size();
    PostKeyStroke(*injector_, code, modifiers);
    const std::size_t events = 2 + 2 * static_cast<std::size_t>(std::popcount(modifiers & 7u));
    EXPECT_TRUE(recorder_->WaitForKeys(before + events)) << "key 0x" << std::hex << code;
    return recorder_->Summaries(before);
  }

  // Types the character the way a "KEY" button does: by the key and Shift
  // that KeyForCharacter gives. Returns the press of the key itself.
  std::string TypeCharacter(unsigned char ch) {
    const auto key = injector_->KeyForCharacter(ch);
    if (!key) {
      return "no key";
    }
    const Strokes strokes = Type(key->code, key->shift ? kModShift : 0);
    for (const std::string& stroke : strokes) {
      if (stroke.starts_with("+") && !stroke.starts_with("+Shift_L")) {
        return stroke.substr(1, stroke.find(' ') - 1);
      }
    }
    return "nothing";
  }

  void UseKeymap(const char* layout) {
    int status = -1;
    RunAndCapture({.argv = {"setxkbmap", "-display", server_.display_name(), layout}},
                  std::chrono::seconds(10), &status);
    if (status != 0) {
      GTEST_SKIP() << "setxkbmap " << layout << " is not available";
    }
  }

  XServer server_;
  TempDir dir_;
  std::unique_ptr<KeyRecorder> recorder_;
  Display* display_ = nullptr;
  std::unique_ptr<XTestKeyInjector> injector_;
};

TEST_F(XTestKeyInjectorTest, LettersAndDigitsTypeTheirKeyWithAndWithoutShift) {
  EXPECT_THAT(Type('A'), ElementsAre("+a", "-a"));
  EXPECT_THAT(Type('Z', kModShift),
              ElementsAre("+Shift_L", "+Z shift", "-Z shift", "-Shift_L shift"));
  EXPECT_THAT(Type('7'), ElementsAre("+7", "-7"));
  EXPECT_THAT(Type('7', kModShift),
              ElementsAre("+Shift_L", "+ampersand shift", "-ampersand shift", "-Shift_L shift"));
  EXPECT_THAT(Type(' '), ElementsAre("+space", "-space"));
}

TEST_F(XTestKeyInjectorTest, EveryNamedKeyTypesItsKeysym) {
  struct Named {
    std::uint16_t code;
    const char* keysym;
  };
  // The locks come last: they change the lock state, not what follows.
  const std::vector<Named> keys{
      {0x03, "Break"},    {0x08, "BackSpace"}, {0x09, "Tab"},         {0x0C, "Clear"},
      {0x0D, "Return"},   {0x1B, "Escape"},    {0x21, "Prior"},       {0x22, "Next"},
      {0x23, "End"},      {0x24, "Home"},      {0x25, "Left"},        {0x26, "Up"},
      {0x27, "Right"},    {0x28, "Down"},      {0x2C, "Print"},       {0x2D, "Insert"},
      {0x2E, "Delete"},   {0x2F, "Help"},      {0x70, "F1"},          {0x71, "F2"},
      {0x72, "F3"},       {0x73, "F4"},        {0x74, "F5"},          {0x75, "F6"},
      {0x76, "F7"},       {0x77, "F8"},        {0x78, "F9"},          {0x79, "F10"},
      {0x7A, "F11"},      {0x7B, "F12"},       {0x7C, "F13"},         {0x7D, "F14"},
      {0x7E, "F15"},      {0x7F, "F16"},       {0x14, "Caps_Lock"},   {0x14, "Caps_Lock"},
      {0x90, "Num_Lock"}, {0x90, "Num_Lock"},  {0x91, "Scroll_Lock"},
  };
  for (const Named& key : keys) {
    EXPECT_THAT(Type(key.code),
                ElementsAre(std::string("+") + key.keysym, std::string("-") + key.keysym))
        << "code 0x" << std::hex << key.code;
  }
}

TEST_F(XTestKeyInjectorTest, PunctuationKeysTypeBothLevelsOfAUsKeyboard) {
  struct Oem {
    std::uint16_t code;
    const char* unshifted;
    const char* shifted;
  };
  const std::vector<Oem> keys{
      {0xBA, "semicolon", "colon"},     {0xBB, "equal", "plus"},
      {0xBC, "comma", "less"},          {0xBD, "minus", "underscore"},
      {0xBE, "period", "greater"},      {0xBF, "slash", "question"},
      {0xC0, "grave", "asciitilde"},    {0xDB, "bracketleft", "braceleft"},
      {0xDC, "backslash", "bar"},       {0xDD, "bracketright", "braceright"},
      {0xDE, "apostrophe", "quotedbl"},
  };
  for (const Oem& key : keys) {
    const std::string plain = key.unshifted;
    const std::string shifted = key.shifted;
    EXPECT_THAT(Type(key.code), ElementsAre("+" + plain, "-" + plain));
    EXPECT_THAT(Type(key.code, kModShift), ElementsAre("+Shift_L", "+" + shifted + " shift",
                                                       "-" + shifted + " shift", "-Shift_L shift"));
  }
}

TEST_F(XTestKeyInjectorTest, KeyForCharacterTypesEveryAsciiPunctuationCharacter) {
  for (const char ch : std::string_view("!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~")) {
    EXPECT_EQ(TypeCharacter(static_cast<unsigned char>(ch)),
              XKeysymToString(static_cast<unsigned char>(ch)))
        << "character " << ch;
  }
}

TEST_F(XTestKeyInjectorTest, CtrlAndAltGoDownInTableOrderAndUpInReverse) {
  EXPECT_THAT(Type('C', kModCtrl),
              ElementsAre("+Control_L", "+c ctrl", "-c ctrl", "-Control_L ctrl"));
  EXPECT_THAT(Type(0x73, kModAlt), ElementsAre("+Alt_L", "+F4 alt", "-F4 alt", "-Alt_L alt"));
  EXPECT_THAT(Type(0x2E, kModCtrl | kModAlt),
              ElementsAre("+Control_L", "+Alt_L ctrl", "+Delete ctrl+alt", "-Delete ctrl+alt",
                          "-Alt_L ctrl+alt", "-Control_L ctrl"));
  // With Shift held the Alt key gives Meta_L, as a real keyboard's does.
  EXPECT_THAT(Type('A', kModShift | kModCtrl | kModAlt),
              ElementsAre("+Shift_L", "+Control_L shift", "+Meta_L shift+ctrl", "+A shift+ctrl+alt",
                          "-A shift+ctrl+alt", "-Meta_L shift+ctrl+alt", "-Control_L shift+ctrl",
                          "-Shift_L shift"));
}

TEST_F(XTestKeyInjectorTest, CharactersNoKeyHasGoThroughASpareKeycodeAndTheKeymapIsRestored) {
  const std::vector<KeySym> before = KeyboardMapping(display_);
  EXPECT_EQ(TypeCharacter(0xC9), "Eacute");
  EXPECT_EQ(TypeCharacter(0xDF), "ssharp");
  EXPECT_EQ(TypeCharacter(0xA9), "copyright");
  EXPECT_EQ(TypeCharacter(0x80), "U20AC");  // Windows-1252's euro sign
  EXPECT_NE(KeyboardMapping(display_), before);

  injector_.reset();
  EXPECT_EQ(KeyboardMapping(display_), before);
}

TEST_F(XTestKeyInjectorTest, IdleInjectorRestoresTheSpareKeycodesWhenAsked) {
  const std::vector<KeySym> before = KeyboardMapping(display_);
  EXPECT_EQ(TypeCharacter(0xD1), "Ntilde");
  ASSERT_TRUE(WaitUntil([&] { return !injector_->RestoreExpiredSpares().has_value(); }));
  EXPECT_EQ(KeyboardMapping(display_), before);
}

TEST_F(XTestKeyInjectorTest, QuickDifferentCharactersEachArriveIntact) {
  using platform::x11::SpareKeycodePool;
  // Sends the characters as fast as the injector goes, with and without
  // Shift held, and returns the keysyms the recorder got for them.
  const auto typed = [&] {
    std::vector<std::string> keysyms;
    for (const RecordedKey& key : recorder_->Keys()) {
      if (key.press && key.keysym != "Shift_L") keysyms.push_back(key.keysym);
    }
    return keysyms;
  };
  const auto type_quickly = [&](std::string_view characters) {
    const std::size_t before = typed().size();
    for (std::size_t i = 0; i < characters.size(); ++i) {
      const auto key = injector_->KeyForCharacter(static_cast<unsigned char>(characters[i]));
      if (key) PostKeyStroke(*injector_, key->code, i % 2 == 0 ? 0 : kModShift);
    }
    EXPECT_TRUE(WaitUntil([&] { return typed().size() >= before + characters.size(); }));
    const std::vector<std::string> all = typed();
    return std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
  };
  // As many characters as there are spare bindings, each on its own
  // keycode...
  const std::string first = "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7";
  ASSERT_EQ(first.size(), SpareKeycodePool::kMaxBindings);
  EXPECT_THAT(type_quickly(first), ElementsAre("Agrave", "Aacute", "Acircumflex", "Atilde",
                                               "Adiaeresis", "Aring", "AE", "Ccedilla"));
  // ...then more, which take over the bindings released longest ago.
  EXPECT_THAT(type_quickly("\xC8\xC9\xCA\xCB"),
              ElementsAre("Egrave", "Eacute", "Ecircumflex", "Ediaeresis"));
}

TEST_F(XTestKeyInjectorTest, TypesLikeAUsKeyboardUnderAGermanKeymap) {
  UseKeymap("de");
  // The German keymap swaps Y and Z and moves most punctuation: no key
  // types "<" with Shift.
  ASSERT_EQ(platform::x11::KeymapSnapshot::Read(display_).FindCharacterKey(XK_less, true), 0);
  EXPECT_THAT(Type('Y'), ElementsAre("+y", "-y"));
  EXPECT_THAT(Type('Z', kModShift),
              ElementsAre("+Shift_L", "+Z shift", "-Z shift", "-Shift_L shift"));
  EXPECT_THAT(Type(0xBC, kModShift),
              ElementsAre("+Shift_L", "+less shift", "-less shift", "-Shift_L shift"));
  for (const char ch : std::string_view(",.;:/?<>@[]{}\\|~'\"-_=+")) {
    EXPECT_EQ(TypeCharacter(static_cast<unsigned char>(ch)),
              XKeysymToString(static_cast<unsigned char>(ch)))
        << "character " << ch;
  }
  EXPECT_EQ(TypeCharacter(0xC4), "Adiaeresis");
  EXPECT_EQ(TypeCharacter(0xE4), "adiaeresis");
}

TEST_F(XTestKeyInjectorTest, AKeyNoKeyboardHasSendsNothingAndReleasesTheModifiers) {
  EXPECT_EQ(injector_->MapVirtualKey(0x07), 0u);
  EXPECT_FALSE(injector_->SendKeyEvent(0x07, 0, 0));
  // The refused key-down stops the stroke; Ctrl, already down, goes up.
  const std::size_t before = recorder_->Keys().size();
  PostKeyStroke(*injector_, 0x07, kModCtrl);
  ASSERT_TRUE(recorder_->WaitForKeys(before + 2));
  EXPECT_THAT(recorder_->Summaries(before), ElementsAre("+Control_L", "-Control_L ctrl"));
}

TEST(XTestKeyInjectorWithoutXTest, RefusesEveryEvent) {
  XServer server(640, 480, {"-extension", "XTEST"});
  ASSERT_TRUE(server.started());
  Display* display = XOpenDisplay(server.display_name().c_str());
  ASSERT_NE(display, nullptr);
  {
    XTestKeyInjector injector(display);
    EXPECT_NE(injector.MapVirtualKey('A'), 0u);
    EXPECT_FALSE(injector.SendKeyEvent('A', injector.MapVirtualKey('A'), 0));
  }
  XCloseDisplay(display);
}

}  // namespace
}  // namespace plinth::e2e
