#pragma once

// The frame switch scanning draws around what is lit: four thin child
// windows in the scan colour, above every other child of their parent, so
// that a frame may span several buttons (a row) or sit on a message box's
// OK. They let every click through to what lies beneath.

#include <array>

#include "platform/form_geometry.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

class ScanFrame {
 public:
  static constexpr const char* kClassName = "PlinthScanFrame";

  ScanFrame() = default;
  ~ScanFrame() { Hide(); }
  ScanFrame(const ScanFrame&) = delete;
  ScanFrame& operator=(const ScanFrame&) = delete;

  // Frames `area`, in the client coordinates of `parent`, with sides
  // `width` pixels wide.
  void Show(HWND parent, RECT area, int width, Rgb colour);
  void Hide();
  // The parent the frame is shown in, if any.
  HWND parent() const { return parent_; }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  HWND parent_ = nullptr;
  std::array<HWND, 4> sides_{};
  COLORREF colour_ = 0;
};

}  // namespace plinth::platform::win32
