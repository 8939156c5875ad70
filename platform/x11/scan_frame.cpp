#include "platform/x11/scan_frame.h"

#include <FL/fl_draw.H>

namespace plinth::platform::x11 {

void DrawScanFrame(const platform::Rect& area, const ScanFrameLook& look) {
  fl_color(fl_rgb_color(static_cast<uchar>(look.colour.red), static_cast<uchar>(look.colour.green),
                        static_cast<uchar>(look.colour.blue)));
  for (int ring = 0; ring < look.width; ++ring) {
    fl_rect(area.x + ring, area.y + ring, area.width - 2 * ring, area.height - 2 * ring);
  }
}

}  // namespace plinth::platform::x11
