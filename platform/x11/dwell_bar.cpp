#include "platform/x11/dwell_bar.h"

#include <FL/fl_draw.H>

#include <algorithm>

namespace plinth::platform::x11 {

void DrawDwellBar(const Fl_Widget& widget, int permille, int inset) {
  if (permille <= 0) return;
  const int inner_width = widget.w() - 2 * inset;
  const int height = std::max(3, widget.h() / 6);
  const int filled = inner_width * std::min(permille, 1000) / 1000;
  const int top = widget.y() + widget.h() - inset - height;
  // Orange and its dark frame show on every panel colour and on the face.
  fl_color(fl_rgb_color(255, 140, 0));
  fl_rectf(widget.x() + inset, top, filled, height);
  fl_color(fl_rgb_color(96, 48, 0));
  fl_rect(widget.x() + inset, top, inner_width, height);
}

}  // namespace plinth::platform::x11
