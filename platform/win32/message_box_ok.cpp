#include "platform/win32/message_box_ok.h"

#include "platform/win32/dwell_bar.h"

namespace plinth::platform::win32 {

HWND OpenMessageBoxOk(HWND owner) {
  // A message box is a dialog of the system's class, owned by its window.
  struct Search {
    HWND owner;
    HWND box;
  } search{owner, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND candidate, LPARAM data) -> BOOL {
        auto* found = reinterpret_cast<Search*>(data);
        char class_name[16] = {};
        if (GetWindow(candidate, GW_OWNER) != found->owner || !IsWindowVisible(candidate) ||
            GetClassNameA(candidate, class_name, sizeof class_name) == 0 ||
            lstrcmpA(class_name, "#32770") != 0) {
          return TRUE;
        }
        found->box = candidate;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.box == nullptr ? nullptr : GetDlgItem(search.box, IDOK);
}

void DwellBarOverButton::Show(HWND button, int permille, const DwellBarLook& look) {
  const bool shrinks = permille < shown_;
  shown_ = permille;
  if (button == nullptr) return;
  // The bar only grows while the pointer rests, so it is drawn over the
  // button as it is; the button paints itself anew only when the bar goes.
  if (shrinks) RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  if (permille <= 0) return;
  RECT inside;
  GetClientRect(button, &inside);
  InflateRect(&inside, -2, -2);
  HDC dc = GetDC(button);
  // On the face, not on the button's focus mark, which runs along its bottom.
  DrawDwellBar(dc, inside, permille, look, GetSysColorBrush(COLOR_BTNFACE));
  ReleaseDC(button, dc);
}

}  // namespace plinth::platform::win32
