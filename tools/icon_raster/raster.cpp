#include "tools/icon_raster/raster.h"

#include <algorithm>

namespace plinth::icon {
namespace {

constexpr int kSamples = 8;  // per pixel and direction

bool Covers(const RoundedRect& rect, double x, double y) {
  if (x < rect.x || y < rect.y || x >= rect.x + rect.width || y >= rect.y + rect.height) {
    return false;
  }
  // Within a corner square, only the quarter circle counts.
  const double r = rect.radius;
  const double cx = std::clamp(x, rect.x + r, rect.x + rect.width - r);
  const double cy = std::clamp(y, rect.y + r, rect.y + rect.height - r);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

}  // namespace

RgbaImage Rasterise(const IconShapes& shapes, int size) {
  const auto side = static_cast<std::size_t>(size);
  RgbaImage image{size, std::vector<std::uint8_t>(side * side * 4)};
  const double scale_x = shapes.width / size;
  const double scale_y = shapes.height / size;
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      int covered = 0;
      int r = 0;
      int g = 0;
      int b = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double x = (px + (sx + 0.5) / kSamples) * scale_x;
          const double y = (py + (sy + 0.5) / kSamples) * scale_y;
          // Fills are opaque: the last shape under the sample is what shows.
          const auto top =
              std::find_if(shapes.rects.rbegin(), shapes.rects.rend(),
                           [&](const RoundedRect& rect) { return Covers(rect, x, y); });
          if (top == shapes.rects.rend()) continue;
          ++covered;
          r += top->fill.r;
          g += top->fill.g;
          b += top->fill.b;
        }
      }
      std::uint8_t* pixel =
          &image.rgba[(static_cast<std::size_t>(py) * side + static_cast<std::size_t>(px)) * 4];
      if (covered == 0) continue;
      const auto average = [covered](int sum) {
        return static_cast<std::uint8_t>((sum + covered / 2) / covered);
      };
      pixel[0] = average(r);
      pixel[1] = average(g);
      pixel[2] = average(b);
      pixel[3] = static_cast<std::uint8_t>((covered * 255 + kSamples * kSamples / 2) /
                                           (kSamples * kSamples));
    }
  }
  return image;
}

}  // namespace plinth::icon
