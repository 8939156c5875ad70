#pragma once

// Icon shapes painted into a square image of any size, smoothed by
// sampling each pixel on a grid.

#include <cstdint>
#include <vector>

#include "tools/icon_raster/svg_shapes.h"

namespace plinth::icon {

// Rows from the top, each pixel red, green, blue and alpha, not
// premultiplied.
struct RgbaImage {
  int size = 0;
  std::vector<std::uint8_t> rgba;
};

// The shapes' view box scaled to `size` x `size`.
RgbaImage Rasterise(const IconShapes& shapes, int size);

}  // namespace plinth::icon
