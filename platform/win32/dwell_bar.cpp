#include "platform/win32/dwell_bar.h"

#include <algorithm>

namespace plinth::platform::win32 {

void DrawDwellBar(HDC dc, RECT area, int permille, HBRUSH rest) {
  if (permille <= 0) return;
  const int width = area.right - area.left;
  const int height = std::max(3, static_cast<int>(area.bottom - area.top) / 6);
  const RECT frame{area.left, area.bottom - height, area.right, area.bottom};
  const RECT filled{area.left, frame.top, area.left + width * std::min(permille, 1000) / 1000,
                    area.bottom};
  if (rest != nullptr) {
    const RECT unfilled{filled.right, frame.top, area.right, area.bottom};
    FillRect(dc, &unfilled, rest);
  }
  // Orange and its dark frame show on every panel colour and on the face.
  HBRUSH fill = CreateSolidBrush(RGB(255, 140, 0));
  FillRect(dc, &filled, fill);
  DeleteObject(fill);
  HBRUSH edge = CreateSolidBrush(RGB(96, 48, 0));
  FrameRect(dc, &frame, edge);
  DeleteObject(edge);
}

}  // namespace plinth::platform::win32
