// Switch scanning on the keyboard window: the hook that holds the switch
// keys, and the frame around what is lit.

#include <optional>

#include "platform/win32/message_box_ok.h"
#include "platform/win32/win32_keyboard_window.h"

namespace plinth::platform::win32 {
namespace {

// How often an OK that is lit before its message box is open is looked for.
constexpr UINT kLookForOkEvery = 50;

RECT RectOf(const Rect& area) {
  return {area.x, area.y, area.x + area.width, area.y + area.height};
}

}  // namespace

void Win32KeyboardWindow::GrabSwitchKeys(const std::vector<std::uint16_t>& codes) {
  if (!switch_keys_) switch_keys_ = std::make_unique<SwitchKeyHook>(window_, kSwitchKeyMessage);
  if (!switch_keys_->Set(codes)) {
    ShowApplicationError("The switch keys cannot be taken from other programs");
  }
}

void Win32KeyboardWindow::ShowScanHighlight(const ScanHighlight& lit) {
  scan_lit_ = lit;
  DrawScanHighlight();
}

void Win32KeyboardWindow::DrawScanHighlight() {
  if (scan_lit_.LightsDialogOk()) {
    FrameMessageBoxOk();
  } else {
    KillTimer(window_, kScanOkTimer);
    ok_frame_.Hide();
  }
  if (const std::optional<Rect> area = ScanFrameArea(geometry_, scan_lit_)) {
    scan_frame_.Show(window_, RectOf(*area), geometry_.scan_frame, geometry_.scan_colour);
  } else {
    scan_frame_.Hide();
  }
}

void Win32KeyboardWindow::FrameMessageBoxOk() {
  const HWND ok = OpenMessageBoxOk(window_);
  if (ok == nullptr) {
    // The box opens after the keyboard lights its OK.
    SetTimer(window_, kScanOkTimer, kLookForOkEvery, nullptr);
    return;
  }
  KillTimer(window_, kScanOkTimer);
  const HWND box = GetParent(ok);
  if (ok_frame_.parent() == box) return;
  RECT area;
  GetWindowRect(ok, &area);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&area), 2);
  ok_frame_.Show(box, area, geometry_.scan_frame, geometry_.scan_colour);
}

}  // namespace plinth::platform::win32
