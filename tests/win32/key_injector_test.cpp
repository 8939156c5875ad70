#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/win32_key_injector.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {
namespace {

// A window of our own that has the focus and keeps the key messages it gets.
class FocusedWindow {
 public:
  struct KeyMessage {
    UINT message;
    WPARAM code;
    LPARAM flags;
  };

  FocusedWindow() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = Procedure;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "PlinthKeyTarget";
    RegisterClassA(&window_class);
    window_ =
        CreateWindowExA(0, "PlinthKeyTarget", "key target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                        10, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetForegroundWindow(window_);
    SetFocus(window_);
    Pump();
  }
  ~FocusedWindow() { DestroyWindow(window_); }

  bool has_focus() const { return GetFocus() == window_; }
  const std::vector<KeyMessage>& keys() const { return keys_; }

  // Handles the messages that have arrived, for up to `rounds` short waits.
  void Pump(int rounds = 20) {
    for (int i = 0; i < rounds; ++i) {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
      Sleep(10);
    }
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<FocusedWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && (message == WM_KEYDOWN || message == WM_KEYUP)) {
      self->keys_.push_back({message, wparam, lparam});
    }
    return DefWindowProcA(window, message, wparam, lparam);
  }

  HWND window_;
  std::vector<KeyMessage> keys_;
};

constexpr LPARAM kExtendedBit = 1 << 24;

LPARAM ScanCodeOf(LPARAM flags) { return (flags >> 16) & 0xFF; }

TEST(Win32KeyInjector, ScanCodesOfTheUsLayout) {
  Win32KeyInjector keys;
  EXPECT_EQ(keys.MapVirtualKey(0x41), 0x1Eu);  // A
  EXPECT_EQ(keys.MapVirtualKey(0x0D), 0x1Cu);  // Enter
  EXPECT_EQ(keys.MapVirtualKey(0x10), 0x2Au);  // Shift
  EXPECT_EQ(keys.MapVirtualKey(0x25), 0x4Bu);  // Left arrow, the keypad's scan code
}

TEST(Win32KeyInjector, CharacterKeysWithTheirModifiers) {
  Win32KeyInjector keys;
  const auto a = keys.KeyForCharacter('a');
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(a->code, 0x41);
  EXPECT_FALSE(a->shift || a->ctrl || a->alt);

  const auto upper_a = keys.KeyForCharacter('A');
  ASSERT_TRUE(upper_a.has_value());
  EXPECT_EQ(upper_a->code, 0x41);
  EXPECT_TRUE(upper_a->shift);

  const auto bang = keys.KeyForCharacter('!');
  ASSERT_TRUE(bang.has_value());
  EXPECT_EQ(bang->code, 0x31);
  EXPECT_TRUE(bang->shift);

  const auto space = keys.KeyForCharacter(' ');
  ASSERT_TRUE(space.has_value());
  EXPECT_EQ(space->code, 0x20);
}

TEST(Win32KeyInjector, NoKeyForACharacterTheLayoutLacks) {
  Win32KeyInjector keys;
  EXPECT_FALSE(keys.KeyForCharacter(0xE9).has_value());  // e acute on a US layout
}

TEST(Win32KeyInjector, EventsReachTheFocusedWindowWithTheirFlags) {
  FocusedWindow target;
  ASSERT_TRUE(target.has_focus());
  Win32KeyInjector keys;
  EXPECT_TRUE(keys.SendKeyEvent(0x41, keys.MapVirtualKey(0x41), 0));
  EXPECT_TRUE(keys.SendKeyEvent(0x41, keys.MapVirtualKey(0x41), kKeyEventKeyUp));
  EXPECT_TRUE(keys.SendKeyEvent(0x25, keys.MapVirtualKey(0x25), kKeyEventExtendedKey));
  EXPECT_TRUE(
      keys.SendKeyEvent(0x25, keys.MapVirtualKey(0x25), kKeyEventExtendedKey | kKeyEventKeyUp));
  target.Pump();

  const auto& got = target.keys();
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(got[0].code, 0x41u);
  EXPECT_EQ(ScanCodeOf(got[0].flags), 0x1E);
  EXPECT_EQ(got[0].flags & kExtendedBit, 0);
  EXPECT_EQ(got[1].message, static_cast<UINT>(WM_KEYUP));
  EXPECT_EQ(got[1].code, 0x41u);
  EXPECT_EQ(got[2].message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(got[2].code, 0x25u);
  EXPECT_NE(got[2].flags & kExtendedBit, 0);
  EXPECT_EQ(got[3].message, static_cast<UINT>(WM_KEYUP));
  EXPECT_NE(got[3].flags & kExtendedBit, 0);
}

}  // namespace
}  // namespace plinth::platform::win32
