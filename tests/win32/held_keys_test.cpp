// Keys that a killed keyboard left down are found, named and released.

#include "platform/win32/held_keys.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/testing/recording_application.h"
#include "platform/win32/win32_key_injector.h"
#include "platform/win32/windows_api.h"
#include "src/keyboard/held_keys.h"

namespace plinth::platform::win32 {
namespace {

using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

// Right Alt is an extended key: without the flag it would be the left one.
void Press(BYTE key) {
  keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)),
              key == VK_RMENU ? KEYEVENTF_EXTENDEDKEY : 0u, 0);
}

TEST(HeldKeys, ShiftCtrlAltAndALetterLeftDownAreReleasedAndReportedByName) {
  for (const BYTE key : {BYTE{VK_LSHIFT}, BYTE{VK_LCONTROL}, BYTE{VK_RMENU}, BYTE{'Q'}}) {
    Press(key);
  }
  std::vector<std::string> names;
  for (const HeldKey& key : KeysHeldDown()) names.push_back(key.name);
  ASSERT_THAT(names, UnorderedElementsAre("Shift", "Ctrl", "Alt", "Q"));

  Win32KeyInjector keys;
  test_platform::RecordingApplication app;
  ReleaseKeysLeftHeld(keys, app);
  EXPECT_THAT(KeysHeldDown(), IsEmpty());
  for (const int key : {VK_SHIFT, VK_CONTROL, VK_MENU, int{'Q'}}) {
    EXPECT_EQ(GetAsyncKeyState(key) & 0x8000, 0) << key;
  }
  EXPECT_THAT(app.standard_error(),
              UnorderedElementsAre("Shift was held down (key 160); released it",
                                   "Ctrl was held down (key 162); released it",
                                   "Alt was held down (key 165); released it",
                                   "Q was held down (key 81); released it"));
  ReleaseKeysLeftHeld(keys, app);
  EXPECT_EQ(app.standard_error().size(), 4u) << "nothing was left to release";
}

}  // namespace
}  // namespace plinth::platform::win32
