#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/win32/win32_keyboard_window.h"
#include "platform/win32/windows_api.h"
#include "src/keyboard/scaling.h"
#include "tests/win32/recording_events.h"

namespace plinth::platform::win32 {
namespace {

using ::testing::ElementsAre;

// The visible message box of this process with `title`. Tests run side by
// side under one Wine server: another test's box is not ours to close.
HWND FindOwnBox(const char* title) {
  HWND box = nullptr;
  while ((box = FindWindowExA(nullptr, box, "#32770", title)) != nullptr) {
    DWORD process = 0;
    GetWindowThreadProcessId(box, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(box)) return box;
  }
  return nullptr;
}

// What a message box showed, seen from another thread, which then closes it
// with its OK button.
struct SeenBox {
  bool found = false;
  RECT frame{};
  std::string text;
  bool owner_enabled = true;
};

class BoxWatcher {
 public:
  BoxWatcher(const char* title, HWND owner)
      : thread_([this, title, owner] { Watch(title, owner); }) {}
  ~BoxWatcher() {
    if (thread_.joinable()) thread_.join();
  }
  SeenBox Result() {
    thread_.join();
    return seen_;
  }

 private:
  void Watch(const char* title, HWND owner) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
      if (HWND box = FindOwnBox(title); box != nullptr) {
        Sleep(100);  // let the box finish laying itself out
        seen_.found = true;
        GetWindowRect(box, &seen_.frame);
        char text[512] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the box's text control
        seen_.text = text;
        seen_.owner_enabled = IsWindowEnabled(owner) != FALSE;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(20);
    }
  }

  SeenBox seen_;
  std::thread thread_;
};

void ExpectCentredOnTheScreen(const RECT& frame) {
  // Twice the centre, so that odd sizes need no rounding.
  EXPECT_LE(std::abs(frame.left + frame.right - GetSystemMetrics(SM_CXSCREEN)), 2);
  EXPECT_LE(std::abs(frame.top + frame.bottom - GetSystemMetrics(SM_CYSCREEN)), 2);
}

TEST(KeyboardWindowDialogs, WarningIsCentredAndModalToTheKeyboard) {
  Win32KeyboardWindow window;
  window.Show();
  BoxWatcher watcher("Warning", window.handle());
  window.ShowWarning("Error - Inifile not found -Extend");
  const SeenBox seen = watcher.Result();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "Error - Inifile not found -Extend");
  ExpectCentredOnTheScreen(seen.frame);
  EXPECT_FALSE(seen.owner_enabled);
  EXPECT_TRUE(IsWindowEnabled(window.handle()));
}

TEST(KeyboardWindowDialogs, TheWarningGrowsWithTheKeyboard) {
  Win32KeyboardWindow window;
  window.Show();
  const auto warning_frame = [&window] {
    BoxWatcher watcher("Warning", window.handle());
    window.ShowWarning("Error - Invalid Vkey F13");
    const SeenBox seen = watcher.Result();
    EXPECT_EQ(seen.text, "Error - Invalid Vkey F13");
    ExpectCentredOnTheScreen(seen.frame);
    return seen.frame;
  };
  const RECT designed = warning_frame();
  window.SetGeometry(GeometryForPitch(64));
  const RECT doubled = warning_frame();
  // The frame and the caption bar keep their size; all inside doubles.
  EXPECT_GE(doubled.right - doubled.left, 2 * (designed.right - designed.left) * 9 / 10);
  EXPECT_GE(doubled.bottom - doubled.top, 2 * (designed.bottom - designed.top) * 8 / 10);
}

TEST(KeyboardWindowDialogs, ApplicationErrorShowsTheTextGiven) {
  Win32KeyboardWindow window;
  window.Show();
  BoxWatcher watcher("Plinth", nullptr);
  window.ShowApplicationError("System Error.  Code: 5.\r\nAccess denied");
  const SeenBox seen = watcher.Result();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "System Error.  Code: 5.\r\nAccess denied");
}

TEST(KeyboardWindowDialogs, ALongMessageGivesBoxesInsideTheScreen) {
  // The longest text the keyboard shows, one word, of wide letters.
  const std::string text = "Error - Invalid Vkey " + std::string(279, 'W');
  Win32KeyboardWindow window;
  window.Show();
  for (const char* title : {"Warning", "Plinth"}) {
    BoxWatcher watcher(title, window.handle());
    if (std::string(title) == "Warning") {
      window.ShowWarning(text);
    } else {
      window.ShowApplicationError(text);
    }
    const SeenBox seen = watcher.Result();
    ASSERT_TRUE(seen.found) << title;
    EXPECT_GE(seen.frame.left, 0) << title;
    EXPECT_GE(seen.frame.top, 0) << title;
    EXPECT_LE(seen.frame.right, GetSystemMetrics(SM_CXSCREEN)) << title;
    EXPECT_LE(seen.frame.bottom, GetSystemMetrics(SM_CYSCREEN)) << title;
  }
}

TEST(KeyboardWindowDialogs, AFailureInAHandlerIsReportedAndTheWindowGoesOn) {
  Win32KeyboardWindow window;
  RecordingEvents events;
  window.SetEventSink(&events);
  window.Show();
  const HWND button = window.button(7)->handle();
  events.FailNextWith("out of memory");
  BoxWatcher watcher("Plinth", nullptr);
  SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(watcher.Result().text, "out of memory");

  SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_THAT(events.log(), ElementsAre("doclick SpeedButton7", "doclick SpeedButton7"));
}

// Rests on the open warning's OK button from within its own message loop,
// as the keyboard's dwell timer does: the bar shows on it, then the button is
// pressed. What it saw is kept for the test.
struct DwellOnOk {
  static inline Win32KeyboardWindow* window = nullptr;
  static inline bool target_was_ok = false;
  static inline int orange_pixels = 0;

  static void CALLBACK Tick(HWND /*window*/, UINT /*message*/, UINT_PTR id, DWORD /*time*/) {
    const HWND box = FindOwnBox("Warning");
    if (box == nullptr) return;
    KillTimer(nullptr, id);
    const HWND ok = GetDlgItem(box, IDOK);
    target_was_ok = window->TargetOfWindow(ok) == PointerTarget::DialogOk();
    window->ShowDwellProgress(PointerTarget::DialogOk(), 700);
    RECT client;
    GetClientRect(ok, &client);
    HDC dc = GetDC(ok);
    for (int y = 0; y < client.bottom; ++y) {
      for (int x = 0; x < client.right; ++x) {
        if (GetPixel(dc, x, y) == RGB(255, 140, 0)) ++orange_pixels;
      }
    }
    ReleaseDC(ok, dc);
    window->PressDialogOk();
  }
};

TEST(KeyboardWindowDialogs, TheWarningsOkShowsTheDwellBarAndIsPressedByIt) {
  Win32KeyboardWindow window;
  window.Show();
  DwellOnOk::window = &window;
  SetTimer(nullptr, 0, 50, DwellOnOk::Tick);
  // Closes the box itself only when the rest did not, so the test ends.
  std::atomic<bool> closed_by_rest{true};
  std::atomic<bool> returned{false};
  std::thread fallback([&] {
    for (int waited = 0; waited < 200 && !returned; ++waited) Sleep(50);
    if (HWND box = FindOwnBox("Warning"); !returned && box != nullptr) {
      closed_by_rest = false;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  });
  window.ShowWarning("Error - Invalid Vkey NOSUCHKEY");
  returned = true;
  fallback.join();
  EXPECT_TRUE(closed_by_rest);
  EXPECT_TRUE(DwellOnOk::target_was_ok);
  EXPECT_GT(DwellOnOk::orange_pixels, 0);
}

}  // namespace
}  // namespace plinth::platform::win32
