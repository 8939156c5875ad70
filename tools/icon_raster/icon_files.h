#pragma once

// Rasterised icons as the platforms take them: a Windows .ico file, and a
// C++ header of RGBA pixels for the X11 window's _NET_WM_ICON.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/icon_raster/raster.h"

namespace plinth::icon {

// The sizes painted: the Windows icon sizes, and those of _NET_WM_ICON,
// where larger ones serve task switchers.
inline constexpr int kIcoSizes[] = {16, 32, 48, 64};
inline constexpr int kX11Sizes[] = {16, 32, 48, 64, 128};

// Each size of `sizes` painted from `shapes`.
template <class Sizes>
std::vector<RgbaImage> Images(const IconShapes& shapes, const Sizes& sizes) {
  std::vector<RgbaImage> images;
  for (int size : sizes) images.push_back(Rasterise(shapes, size));
  return images;
}

// An .ico with one 32-bit image of each size (at most 255 pixels).
std::vector<std::uint8_t> IcoFile(const std::vector<RgbaImage>& images);

// A header declaring plinth::icon_pixels::kImages, one {size, rgba} per image.
std::string RgbaHeader(const std::vector<RgbaImage>& images, const std::string& source_name);

}  // namespace plinth::icon
