#include "platform/x11/dwell_bar.h"

#include <FL/fl_draw.H>

namespace plinth::platform::x11 {
namespace {

Fl_Color ColourOf(const platform::Rgb& rgb) {
  return fl_rgb_color(static_cast<uchar>(rgb.red), static_cast<uchar>(rgb.green),
                      static_cast<uchar>(rgb.blue));
}

}  // namespace

void DrawDwellBar(const Fl_Widget& widget, int permille, int inset,
                  const platform::DwellBarLook& look) {
  if (permille <= 0) return;
  const platform::DwellBarLook::Bar bar = look.In(
      {widget.x() + inset, widget.y() + inset, widget.w() - 2 * inset, widget.h() - 2 * inset},
      permille);
  fl_color(ColourOf(look.fill));
  fl_rectf(bar.filled.x, bar.filled.y, bar.filled.width, bar.filled.height);
  fl_color(ColourOf(look.frame_colour));
  for (int ring = 0; ring < look.frame; ++ring) {
    fl_rect(bar.whole.x + ring, bar.whole.y + ring, bar.whole.width - 2 * ring,
            bar.whole.height - 2 * ring);
  }
}

}  // namespace plinth::platform::x11
