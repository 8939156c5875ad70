// The X11 key injector against a real X server: keys sent through
// PostKeyStroke arrive at a client of our own with the keysyms and
// modifier states a US Windows keyboard would give, whatever the keymap.

#include "platform/x11/xtest_key_injector.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

// Xlib after the test framework: its macros (None, Bool) clash with names there.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <bit>
#include <csignal>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "platform/testing/recording_application.h"
#include "platform/x11/keymap_snapshot.h"
#include "platform/x11/spare_keycode_pool.h"
#include "src/keyboard/held_keys.h"
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

  // Hands the injector every event that has come, as the event loop does.
  void FollowServer() {
    XSync(display_, False);
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      injector_->HandleEvent(event);
    }
  }

  // Sends one key stroke and returns the key events it produced.
  Strokes Type(std::uint16_t code, ModifierSet modifiers = 0) {
    FollowServer();
    const std::size_t before = recorder_->Keys().size();
    EXPECT_TRUE(PostKeyStroke(*injector_, code, modifiers)) << "key 0x" << std::hex << code;
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

  // The type of this display's XKB events.
  int xkb_event_base() const {
    int opcode = 0, event_base = 0, error_base = 0, major = XkbMajorVersion,
        minor = XkbMinorVersion;
    XkbQueryExtension(display_, &opcode, &event_base, &error_base, &major, &minor);
    return event_base;
  }

  // Loads another keymap while the injector runs; false when it cannot.
  bool UseKeymap(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{"setxkbmap", "-display", server_.display_name()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    int status = -1;
    RunAndCapture({.argv = argv}, std::chrono::seconds(10), &status);
    return status == 0;
  }

  // The characters of the presses that arrived from `first` on, modifiers
  // left out.
  std::vector<std::string> TypedSince(std::size_t first) const {
    std::vector<std::string> keysyms;
    const std::vector<RecordedKey> keys = recorder_->Keys();
    for (std::size_t i = first; i < keys.size(); ++i) {
      if (keys[i].press && keys[i].keysym != "Shift_L") keysyms.push_back(keys[i].keysym);
    }
    return keysyms;
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

// A busy client reads the keymap only when it gets to the key event, long
// after it was sent: every character must still be on its keycode then.
TEST_F(XTestKeyInjectorTest, APausedClientStillGetsEveryCharacterIntact) {
  const std::string characters =
      "\xE9"
      "a"
      "\xE8"
      "a"
      "\xEA"
      "a"
      "\x80"
      "a"
      "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7";
  const std::size_t before = recorder_->Keys().size();
  ASSERT_EQ(kill(recorder_->pid(), SIGSTOP), 0);
  for (const char ch : characters) {
    const auto key = injector_->KeyForCharacter(static_cast<unsigned char>(ch));
    ASSERT_TRUE(key);
    FollowServer();
    EXPECT_TRUE(PostKeyStroke(*injector_, key->code, key->shift ? kModShift : 0));
  }
  ASSERT_EQ(kill(recorder_->pid(), SIGCONT), 0);
  EXPECT_TRUE(WaitUntil([&] { return TypedSince(before).size() >= characters.size(); }));
  EXPECT_THAT(TypedSince(before), ElementsAre("eacute", "a", "egrave", "a", "ecircumflex", "a",
                                              "U20AC", "a", "Agrave", "Aacute", "Acircumflex",
                                              "Atilde", "Adiaeresis", "Aring", "AE", "Ccedilla"));
}

// The keymap changes while the injector runs: what it knew of the old one,
// its spare keycodes among it, must not type a wrong character.
TEST_F(XTestKeyInjectorTest, TypesLikeAUsKeyboardAfterTheKeymapChangesToGerman) {
  EXPECT_THAT(Type('Y'), ElementsAre("+y", "-y"));
  // Spare keycodes under US: É has no key in either keymap, Ä gets one.
  EXPECT_EQ(TypeCharacter(0xC9), "Eacute");
  EXPECT_EQ(TypeCharacter(0xC4), "Adiaeresis");
  if (!UseKeymap({"de"})) GTEST_SKIP() << "setxkbmap de is not available";
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
  EXPECT_EQ(TypeCharacter(0xC9), "Eacute");

  // At the end only its own spare keycodes are emptied, the new keymap's
  // keys stay.
  FollowServer();
  injector_.reset();
  ASSERT_TRUE(UseKeymap({"de"}));
  const std::vector<KeySym> german = KeyboardMapping(display_);
  injector_ = std::make_unique<XTestKeyInjector>(display_);
  EXPECT_EQ(TypeCharacter(0xC9), "Eacute");
  EXPECT_EQ(TypeCharacter(0xE4), "adiaeresis");
  injector_.reset();
  EXPECT_EQ(KeyboardMapping(display_), german);
}

// Another program takes over a spare keycode while it is bound: the next
// such character takes another keycode, and the other program's key stays.
TEST_F(XTestKeyInjectorTest, ASpareKeycodeTakenByAnotherProgramIsLeftToIt) {
  EXPECT_EQ(TypeCharacter(0xC9), "Eacute");
  const KeyCode taken = XKeysymToKeycode(display_, XK_Eacute);
  ASSERT_NE(taken, 0);
  KeySym other = XK_F20;
  XChangeKeyboardMapping(display_, taken, 1, &other, 1);
  EXPECT_EQ(TypeCharacter(0xC9), "Eacute");
  EXPECT_NE(recorder_->Keys().back().keycode, taken);
  injector_.reset();
  EXPECT_EQ(XkbKeycodeToKeysym(display_, taken, 0, 0), KeySym{XK_F20});
}

// With a Latin and a Cyrillic group, the keys type the US characters in
// either group, and follow the group as it changes.
TEST_F(XTestKeyInjectorTest, TypesLikeAUsKeyboardInTheActiveGroup) {
  if (!UseKeymap({"-layout", "us,ru"})) GTEST_SKIP() << "setxkbmap us,ru is not available";
  const auto type_in_group = [&](unsigned group) {
    XkbLockGroup(display_, XkbUseCoreKbd, group);
    EXPECT_THAT(Type('A'), ElementsAre("+a", "-a")) << "group " << group;
    EXPECT_THAT(Type(0xBF, kModShift),
                ElementsAre("+Shift_L", "+question shift", "-question shift", "-Shift_L shift"))
        << "group " << group;
    EXPECT_EQ(TypeCharacter('/'), "slash") << "group " << group;
    EXPECT_EQ(TypeCharacter(0xE9), "eacute") << "group " << group;
  };
  type_in_group(1);
  type_in_group(0);
  type_in_group(1);
  XkbLockGroup(display_, XkbUseCoreKbd, 0);
  FollowServer();
}

// A key stroke that starts before the event loop has handed over the
// notices already come (a dwell click's timer runs before queued events)
// types by the keymap and group the server has now.
TEST_F(XTestKeyInjectorTest, AKeyStrokeFollowsTheNoticesWaitingInTheQueue) {
  if (!UseKeymap({"-layout", "us,ru"})) GTEST_SKIP() << "setxkbmap us,ru is not available";
  struct Row {
    const char* change;
    std::function<bool()> make;
  };
  for (const Row& row : {
           Row{"another group locked",
               [&] { return XkbLockGroup(display_, XkbUseCoreKbd, 1) == True; }},
           Row{"a German keymap loaded", [&] { return UseKeymap({"de"}); }},
       }) {
    SCOPED_TRACE(row.change);
    ASSERT_TRUE(UseKeymap({"-layout", "us,ru"}));
    XkbLockGroup(display_, XkbUseCoreKbd, 0);
    FollowServer();
    EXPECT_THAT(Type('Y'), ElementsAre("+y", "-y"));
    ASSERT_TRUE(row.make());
    // The notices reach the queue, and the stroke starts before anyone
    // reads them from there.
    XSync(display_, False);
    const std::size_t before = recorder_->Keys().size();
    EXPECT_TRUE(PostKeyStroke(*injector_, 'Y', 0));
    EXPECT_TRUE(recorder_->WaitForKeys(before + 2));
    EXPECT_THAT(recorder_->Summaries(before), ElementsAre("+y", "-y"));
  }
  XkbLockGroup(display_, XkbUseCoreKbd, 0);
  FollowServer();
}

// The notice of a group change can come before the notice of the keycode
// the injector has just bound: the binding stays known, and it is given
// back at the end.
TEST_F(XTestKeyInjectorTest, AGroupChangeBeforeTheNoticeOfABindingKeepsTheBinding) {
  if (!UseKeymap({"-layout", "us,ru"})) GTEST_SKIP() << "setxkbmap us,ru is not available";
  FollowServer();
  const std::vector<KeySym> before = KeyboardMapping(display_);
  EXPECT_EQ(TypeCharacter(0xC9), "Eacute");
  XkbLockGroup(display_, XkbUseCoreKbd, 1);
  XSync(display_, False);
  // The group's notice first, then the keymap's.
  std::vector<XEvent> group_notices;
  std::vector<XEvent> other_events;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    const bool group_notice = event.type == xkb_event_base() &&
                              reinterpret_cast<XkbEvent&>(event).any.xkb_type == XkbStateNotify;
    (group_notice ? group_notices : other_events).push_back(event);
  }
  ASSERT_FALSE(group_notices.empty());
  for (const XEvent& event : group_notices) injector_->HandleEvent(event);
  for (const XEvent& event : other_events) injector_->HandleEvent(event);
  EXPECT_EQ(TypeCharacter(0xC9), "Eacute");

  injector_.reset();
  XkbLockGroup(display_, XkbUseCoreKbd, 0);
  XSync(display_, False);
  EXPECT_EQ(KeyboardMapping(display_), before) << "a borrowed keycode was left bound";
}

// When no keycode can be had for a key, nothing of its stroke is sent, not
// even the modifiers, which would act on their own.
TEST_F(XTestKeyInjectorTest, AKeyWithoutAKeycodeSendsNothingNotEvenItsModifiers) {
  const std::size_t before = recorder_->Keys().size();
  // A virtual key no keyboard has.
  EXPECT_FALSE(PostKeyStroke(*injector_, 0x07, kModCtrl));
  // Ctrl taken out of the modifier map.
  int status = -1;
  RunAndCapture({.argv = {"xmodmap", "-display", server_.display_name(), "-e", "clear control"}},
                std::chrono::seconds(10), &status);
  ASSERT_EQ(status, 0);
  FollowServer();
  EXPECT_FALSE(PostKeyStroke(*injector_, 'C', kModCtrl));
  // Every empty keycode taken by another program.
  int min_keycode = 0, max_keycode = 0;
  XDisplayKeycodes(display_, &min_keycode, &max_keycode);
  KeySym filler = XK_F20;
  for (int keycode = min_keycode; keycode <= max_keycode; ++keycode) {
    int per_keycode = 0;
    KeySym* keysyms = XGetKeyboardMapping(display_, static_cast<KeyCode>(keycode), 1, &per_keycode);
    if (keysyms != nullptr && keysyms[0] == NoSymbol) {
      XChangeKeyboardMapping(display_, keycode, 1, &filler, 1);
    }
    if (keysyms != nullptr) XFree(keysyms);
  }
  FollowServer();
  EXPECT_FALSE(PostKeyStroke(*injector_, platform::kCharacterCodeBase + 0xE9, kModShift | kModAlt));
  // Only the marker arrives.
  EXPECT_THAT(Type('A'), ElementsAre("+a", "-a"));
  EXPECT_THAT(recorder_->Summaries(before), ElementsAre("+a", "-a"));
}

// A program that ended in the middle of a stroke left Shift, Ctrl and a
// letter down: the start releases them and names each one that went up.
TEST_F(XTestKeyInjectorTest, KeysLeftHeldAreReleasedAndReportedByName) {
  std::vector<std::string> expected;
  for (const auto& [keysym, name] :
       {std::pair{KeySym{XK_Shift_L}, "Shift"}, std::pair{KeySym{XK_Control_L}, "Ctrl"},
        std::pair{KeySym{XK_q}, "q"}}) {
    const KeyCode keycode = XKeysymToKeycode(display_, keysym);
    XTestFakeKeyEvent(display_, keycode, True, CurrentTime);
    expected.push_back(std::string(name) + " was held down (key " + std::to_string(keycode) +
                       "); released it");
  }
  XSync(display_, False);
  ASSERT_THAT(HeldKeys(display_), ::testing::UnorderedElementsAre("Shift_L", "Control_L", "q"));
  test_platform::RecordingApplication app;
  ReleaseKeysLeftHeld(*injector_, app);
  EXPECT_THAT(HeldKeys(display_), IsEmpty());
  EXPECT_THAT(app.standard_error(), ::testing::UnorderedElementsAreArray(expected));
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
