// The keyboard window's dialogs: the warning and the error report, the OK
// button pressed by dwell click, and the activation a closing dialog takes.

#include "platform/win32/centred_message_box.h"
#include "platform/win32/message_box_ok.h"
#include "platform/win32/win32_keyboard_window.h"

namespace plinth::platform::win32 {

void Win32KeyboardWindow::ShowWarning(const std::string& text) {
  const HWND typed_into = GetForegroundWindow();
  CentredMessageBox(window_, text, "Warning", MB_ICONWARNING | MB_OK,
                    geometry_.text_font * 100 / FormGeometry{}.text_font);
  GiveBackActivation(typed_into);
}

void Win32KeyboardWindow::ShowApplicationError(const std::string& text) {
  const HWND typed_into = GetForegroundWindow();
  MessageBoxA(window_, FittedMessageText(text).c_str(), design::kCaption, MB_ICONERROR | MB_OK);
  GiveBackActivation(typed_into);
}

void Win32KeyboardWindow::PressDialogOk() {
  const HWND ok = OpenMessageBoxOk(window_);
  if (ok == nullptr) return;
  ok_bar_.Show(nullptr, 0, geometry_.dwell_bar);
  // As the button reports a click to its box.
  PostMessageA(GetParent(ok), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(ok));
}

void Win32KeyboardWindow::GiveBackActivation(HWND typed_into) {
  // A closing dialog hands the activation to its owner, the keyboard, in
  // spite of its non-activating style (Wine does); typing would then go to
  // the keyboard. The window that was active before gets it back.
  if (typed_into != nullptr && typed_into != window_ && IsWindow(typed_into) &&
      GetForegroundWindow() != typed_into) {
    SetForegroundWindow(typed_into);
  }
}

}  // namespace plinth::platform::win32
