// The keyboard window's procedure: which message goes where, and the popup
// menu that a right-click opens.

#include <windowsx.h>

#include "platform/win32/win32_keyboard_window.h"

namespace plinth::platform::win32 {

void Win32KeyboardWindow::ShowPopupMenu(POINT screen) {
  // The menu opens under the pointer: no rest goes on on the button below.
  menu_open_ = true;
  Deliver([screen](WindowEvents& e) { e.PointerMoved(PointerTarget{}, {screen.x, screen.y}); });
  const BOOL command = TrackPopupMenu(
      menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
      screen.x, screen.y, 0, window_, nullptr);
  menu_open_ = false;
  PostMessageA(window_, WM_NULL, 0, 0);  // lets the menu's modal loop end cleanly
  for (const MenuItem& item : kPopupMenu) {
    if (command == static_cast<BOOL>(CommandOf(item.id))) {
      Deliver([&item](WindowEvents& e) { e.Available1Click(item.id); });
    }
  }
}

LRESULT Win32KeyboardWindow::HandleMessage(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_WINDOWPOSCHANGING:
      // Nothing that moves or sizes the window activates it: the system's
      // loop for a drag of the border does, under Wine.
      reinterpret_cast<WINDOWPOS*>(lparam)->flags |= SWP_NOACTIVATE;
      break;
    case WM_CONTEXTMENU: {
      // Buttons and panels pass their right-clicks up to here. A right-click
      // on the caption bar keeps the system's own menu.
      POINT screen{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      if (lparam == -1) GetCursorPos(&screen);
      POINT client = screen;
      ScreenToClient(window, &client);
      RECT area;
      GetClientRect(window, &area);
      if (!PtInRect(&area, client)) break;
      ShowPopupMenu(screen);
      return 0;
    }
    case WM_DISPLAYCHANGE:
      // A new resolution, or a monitor plugged in or out.
      Deliver([](WindowEvents& e) { e.ScreenChanged(); });
      break;
    case WM_SETTINGCHANGE:
      // A taskbar moved or resized: the room for the keyboard changed.
      if (wparam == SPI_SETWORKAREA) Deliver([](WindowEvents& e) { e.ScreenChanged(); });
      break;
    case kDpiChanged:
      MoveToDpi(static_cast<int>(HIWORD(wparam)), reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_SIZING:
      ShapeDrag(wparam, *reinterpret_cast<RECT*>(lparam));
      return TRUE;
    case WM_GETMINMAXINFO:
      DefWindowProcA(window, message, wparam, lparam);
      // The keyboard's own sizes need no limits: it set them.
      if (window_ != nullptr && !laying_out_) LimitDrag(*reinterpret_cast<MINMAXINFO*>(lparam));
      return 0;
    case WM_SIZE: {
      // Showing the window tells its size too: only a new size is passed on.
      const Size client{LOWORD(lparam), HIWORD(lparam)};
      if (wparam == SIZE_RESTORED && !laying_out_ && client != geometry_.client) {
        Deliver([client](WindowEvents& e) { e.FormResize(client); });
      }
      return 0;
    }
    case WM_MEASUREITEM:
      if (menu_items_ && menu_items_->Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)))
        return TRUE;
      break;
    case WM_DRAWITEM:
      if (menu_items_ && menu_items_->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)))
        return TRUE;
      break;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(fonts_->window());
    case WM_ENDSESSION:
      // The system ends the program once this returns: no loop runs again.
      if (wparam != FALSE) Deliver([](WindowEvents& e) { e.SessionEnding(); });
      return 0;
    case kSwitchKeyMessage: {
      const auto code = static_cast<std::uint16_t>(wparam);
      if (lparam != 0) {
        Deliver([code](WindowEvents& e) { e.SwitchKeyPressed(code); });
      } else {
        Deliver([code](WindowEvents& e) { e.SwitchKeyReleased(code); });
      }
      return 0;
    }
    case WM_TIMER:
      if (wparam != kScanOkTimer) break;
      FrameMessageBoxOk();
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      // Closing the window ends the program; destroying the object does not.
      if (!closing_by_owner_) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace plinth::platform::win32
