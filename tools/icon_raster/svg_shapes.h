#pragma once

// The shapes of a simple SVG icon: filled rectangles, rounded or not, each
// in one opaque colour given directly or by an enclosing group. That is all
// Plinth's icon uses; anything else in the file is ignored, and a rectangle
// that cannot be read is an error.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace plinth::icon {

struct Colour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

struct RoundedRect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  double radius = 0;  // of the corners
  Colour fill;
  friend bool operator==(const RoundedRect&, const RoundedRect&) = default;
};

struct IconShapes {
  double width = 0;  // the view box's size
  double height = 0;
  std::vector<RoundedRect> rects;  // painted in this order
};

struct SvgError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Throws SvgError naming what it could not read.
IconShapes ReadSvgShapes(std::string_view svg);

}  // namespace plinth::icon
