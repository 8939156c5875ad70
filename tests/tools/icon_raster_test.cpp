#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tools/icon_raster/icon_files.h"

namespace plinth::icon {
namespace {

std::string Svg(const std::string& body) {
  return R"(<?xml version="1.0"?><svg width="8" height="8" viewBox="0 0 8 8">)" + body + "</svg>";
}

struct ReadCase {
  std::string body;
  std::vector<RoundedRect> expected;
};

TEST(SvgShapesTest, ReadsRectanglesAndTheirFills) {
  const Colour red{255, 0, 0};
  const Colour grey{0x3c, 0x41, 0x48};
  const ReadCase cases[] = {
      {R"(<rect x="1" y="2" width="3" height="4" fill="#ff0000"/>)", {{1, 2, 3, 4, 0, red}}},
      {R"(<g fill="#3c4148"><rect x="0.5" width="2" height="2" rx="0.5"/></g>)",
       {{0.5, 0, 2, 2, 0.5, grey}}},
      {R"(<g fill="#3c4148"><rect width="2" height="2" fill="#FF0000"/></g><rect width="1")"
       R"( height="1"/>)",
       {{0, 0, 2, 2, 0, red}, {0, 0, 1, 1, 0, {}}}},
      {R"(<rect width="2" height="2" ry="5"/>)", {{0, 0, 2, 2, 1, {}}}},
      {R"(<!-- a comment --><circle r="3"/>)", {}},
  };
  for (const ReadCase& c : cases) {
    EXPECT_EQ(ReadSvgShapes(Svg(c.body)).rects, c.expected) << c.body;
  }
}

TEST(SvgShapesTest, RejectsWhatItCannotRead) {
  const std::string broken[] = {
      Svg(R"(<rect width="x"/>)"),   Svg(R"(<rect fill="red"/>)"),
      Svg(R"(<rect width="1e9"/>)"), Svg("</g>"),
      Svg(R"(<rect width="3)"),      R"(<svg viewBox="0 0 8 8"></svg>)",
      Svg(R"(<rect width=3/>)"),
  };
  for (const std::string& svg : broken) {
    EXPECT_THROW(ReadSvgShapes(svg), SvgError) << svg;
  }
}

std::uint8_t Alpha(const RgbaImage& image, std::size_t x, std::size_t y) {
  return image.rgba[(y * static_cast<std::size_t>(image.size) + x) * 4 + 3];
}

TEST(RasteriseTest, CoversWhatTheShapesCoverScaledToTheSize) {
  const IconShapes shapes = ReadSvgShapes(
      Svg(R"(<rect width="4" height="8" fill="#102030"/><rect x="6" width="2" height="2")"
          R"( rx="1" fill="#ffffff"/>)"));
  const RgbaImage image = Rasterise(shapes, 16);
  EXPECT_EQ(Alpha(image, 0, 15), 255);
  EXPECT_EQ(Alpha(image, 7, 8), 255);
  EXPECT_EQ(Alpha(image, 8, 8), 0);
  EXPECT_EQ(image.rgba[0], 0x10);
  EXPECT_EQ(image.rgba[2], 0x30);
  // The round corner of the small square is partly covered.
  EXPECT_GT(Alpha(image, 12, 0), 0);
  EXPECT_LT(Alpha(image, 12, 0), 255);
  EXPECT_EQ(Alpha(image, 13, 1), 255);
}

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;)
    value = (value << 8) | static_cast<std::uint32_t>(bytes[at + i]);
  return value;
}

TEST(IcoFileTest, HoldsEveryImageWithItsMask) {
  const IconShapes shapes = ReadSvgShapes(Svg(R"(<rect width="4" height="8" fill="#102030"/>)"));
  const std::vector<std::uint8_t> ico = IcoFile(Images(shapes, kIcoSizes));
  ASSERT_EQ(ico[4], std::size(kIcoSizes));
  std::size_t end = 6 + 16 * std::size(kIcoSizes);
  for (std::size_t i = 0; i < std::size(kIcoSizes); ++i) {
    const std::size_t entry = 6 + 16 * i;
    const auto size = static_cast<std::uint32_t>(kIcoSizes[i]);
    EXPECT_EQ(ico[entry], size);
    const std::uint32_t length = Read32(ico, entry + 8);
    const std::uint32_t offset = Read32(ico, entry + 12);
    EXPECT_EQ(offset, end) << "images follow each other";
    EXPECT_EQ(Read32(ico, offset + 8), 2 * size) << "colours, then the mask";
    const std::uint32_t mask_row = (size + 31) / 32 * 4;
    EXPECT_EQ(length, 40 + size * size * 4 + mask_row * size);
    // The last row of the mask is the top row: transparent on the right.
    const std::size_t top_mask_row = offset + length - mask_row;
    EXPECT_EQ(ico[top_mask_row], 0) << "painted on the left";
    EXPECT_EQ(ico[top_mask_row + (size - 1) / 8] & 1, 1) << "transparent on the right";
    end = offset + length;
  }
  EXPECT_EQ(end, ico.size());
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(IcoFileTest, TheWindowsIconIsPaintedFromThePackagedSvg) {
  const IconShapes shapes = ReadSvgShapes(FileText(PLINTH_ICON_SVG));
  const std::vector<std::uint8_t> painted = IcoFile(Images(shapes, kIcoSizes));
  const std::string file = FileText(PLINTH_WINDOWS_ICON);
  const std::vector<std::uint8_t> checked_in(file.begin(), file.end());
  EXPECT_TRUE(painted == checked_in)
      << "run: plinth-icon-raster ico packaging/plinth.svg platform/win32/plinth.ico";
}

}  // namespace
}  // namespace plinth::icon
