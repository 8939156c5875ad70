#include "platform/win32/dwell_bar.h"

namespace plinth::platform::win32 {
namespace {

COLORREF ColourOf(const Rgb& rgb) {
  return RGB(static_cast<BYTE>(rgb.red), static_cast<BYTE>(rgb.green), static_cast<BYTE>(rgb.blue));
}

RECT RectOf(const Rect& rect) {
  return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

}  // namespace

void DrawDwellBar(HDC dc, RECT area, int permille, const DwellBarLook& look, HBRUSH rest) {
  if (permille <= 0) return;
  const DwellBarLook::Bar bar =
      look.In({area.left, area.top, area.right - area.left, area.bottom - area.top}, permille);
  RECT frame = RectOf(bar.whole);
  const RECT filled = RectOf(bar.filled);
  if (rest != nullptr) {
    const RECT unfilled{filled.right, frame.top, frame.right, frame.bottom};
    FillRect(dc, &unfilled, rest);
  }
  HBRUSH fill = CreateSolidBrush(ColourOf(look.fill));
  FillRect(dc, &filled, fill);
  DeleteObject(fill);
  HBRUSH edge = CreateSolidBrush(ColourOf(look.frame_colour));
  for (int ring = 0; ring < look.frame; ++ring) {
    FrameRect(dc, &frame, edge);
    InflateRect(&frame, -1, -1);
  }
  DeleteObject(edge);
}

}  // namespace plinth::platform::win32
