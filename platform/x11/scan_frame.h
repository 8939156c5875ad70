#pragma once

// The frame switch scanning draws around what is lit, inside `area`.

#include "platform/form_geometry.h"

namespace plinth::platform::x11 {

struct ScanFrameLook {
  int width = 0;  // 0: no frame
  platform::Rgb colour;
  friend bool operator==(const ScanFrameLook&, const ScanFrameLook&) = default;
};

inline ScanFrameLook ScanFrameOf(const platform::FormGeometry& geometry) {
  return {.width = geometry.scan_frame, .colour = geometry.scan_colour};
}

void DrawScanFrame(const platform::Rect& area, const ScanFrameLook& look);

}  // namespace plinth::platform::x11
