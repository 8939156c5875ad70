// Modifiers that a killed keyboard left down are released.

#include "platform/win32/held_modifiers.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {
namespace {

bool Down(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

TEST(ReleaseHeldModifiers, ReleasesShiftCtrlAndAltLeftDown) {
  for (const BYTE key : std::array<BYTE, 3>{VK_LSHIFT, VK_LCONTROL, VK_LMENU}) {
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)), 0, 0);
  }
  ASSERT_TRUE(Down(VK_SHIFT));
  EXPECT_EQ(ReleaseHeldModifiers(), 3);
  for (const int key : {VK_SHIFT, VK_CONTROL, VK_MENU}) EXPECT_FALSE(Down(key)) << key;
  EXPECT_EQ(ReleaseHeldModifiers(), 0);
}

}  // namespace
}  // namespace plinth::platform::win32
