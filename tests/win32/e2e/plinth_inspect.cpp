// Tells the end-to-end test what the running Plinth.exe shows, as the
// window system sees it (a console program in the same Wine session):
//
//   window <left> <top> <right> <bottom>      outer frame, screen pixels
//   client <left> <top>                       client area's origin on screen
//   area <width> <height>                     client area's size
//   caption <text>
//   icon <width> <small width>                the program's icon at 32 and 16
//   button <cell> <caption>                   one line per grid button
//   menu <left> <top> <right> <bottom>        an open popup menu, if any
//   ok <left> <top> <right> <bottom>          the open warning's OK button, if any
//   foreground <window text>                  the active window
//   screen <width> <height>                   the primary monitor as Windows sees it
//
// Exits 1 when no keyboard window is found. Coordinates are the screen's
// own pixels, whatever its resolution.

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

BOOL CALLBACK PrintButton(HWND child, LPARAM /*unused*/) {
  char class_name[64] = {};
  GetClassNameA(child, class_name, sizeof class_name);
  if (std::strcmp(class_name, "PlinthGridButton") != 0) return TRUE;
  RECT place;
  GetWindowRect(child, &place);
  POINT origin{place.left, place.top};
  ScreenToClient(GetParent(child), &origin);
  const int cell = origin.y / 32 * 7 + origin.x / 32 + 1;
  char caption[256] = {};
  GetWindowTextA(child, caption, sizeof caption);
  std::printf("button %d %s\n", cell, caption);
  return TRUE;
}

// The width of `icon`, 0 when there is none.
long IconWidth(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

// The widths of the first icon resource of the program that shows `window`,
// loaded at 32 and at 16 pixels: the icon the file and the window show.
void PrintProgramIcon(HWND window) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id);
  char path[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  const bool named = process != nullptr && QueryFullProcessImageNameA(process, 0, path, &length);
  if (process != nullptr) CloseHandle(process);
  HMODULE program = named ? LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE) : nullptr;
  long widths[2] = {};
  for (int i = 0; i < 2 && program != nullptr; ++i) {
    const int size = i == 0 ? 32 : 16;
    auto* icon = static_cast<HICON>(
        LoadImageA(program, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    widths[i] = IconWidth(icon);
    if (icon != nullptr) DestroyIcon(icon);
  }
  if (program != nullptr) FreeLibrary(program);
  std::printf("icon %ld %ld\n", widths[0], widths[1]);
}

}  // namespace

int main() {
  SetProcessDPIAware();
  HWND keyboard = FindWindowA("PlinthKeyboard", nullptr);
  if (keyboard == nullptr) {
    std::printf("no keyboard\n");
    return 1;
  }
  RECT frame;
  GetWindowRect(keyboard, &frame);
  std::printf("window %ld %ld %ld %ld\n", frame.left, frame.top, frame.right, frame.bottom);
  POINT client{0, 0};
  ClientToScreen(keyboard, &client);
  std::printf("client %ld %ld\n", client.x, client.y);
  RECT area;
  GetClientRect(keyboard, &area);
  std::printf("area %ld %ld\n", area.right, area.bottom);
  char caption[256] = {};
  GetWindowTextA(keyboard, caption, sizeof caption);
  std::printf("caption %s\n", caption);
  PrintProgramIcon(keyboard);
  EnumChildWindows(keyboard, PrintButton, 0);

  if (HWND menu = FindWindowA("#32768", nullptr); menu != nullptr && IsWindowVisible(menu)) {
    RECT place;
    GetWindowRect(menu, &place);
    std::printf("menu %ld %ld %ld %ld\n", place.left, place.top, place.right, place.bottom);
  }
  if (HWND box = FindWindowA("#32770", "Warning"); box != nullptr && IsWindowVisible(box)) {
    if (HWND ok = GetDlgItem(box, IDOK); ok != nullptr) {
      RECT place;
      GetWindowRect(ok, &place);
      std::printf("ok %ld %ld %ld %ld\n", place.left, place.top, place.right, place.bottom);
    }
  }
  char active[256] = {};
  GetWindowTextA(GetForegroundWindow(), active, sizeof active);
  std::printf("foreground %s\n", active);
  std::printf("screen %d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return 0;
}
