// plinth-icon-raster: paints Plinth's SVG icon at the sizes the platforms
// need.
//
//   plinth-icon-raster ico ICON.svg OUT.ico    a Windows icon file
//   plinth-icon-raster rgba ICON.svg OUT.h     RGBA pixels for X11

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/icon_raster/icon_files.h"

namespace {

using plinth::icon::Images;

int Run(const std::string& kind, const std::filesystem::path& svg_path,
        const std::filesystem::path& out_path) {
  std::ifstream in(svg_path, std::ios::binary);
  if (!in) {
    std::cerr << "plinth-icon-raster: cannot read " << svg_path.string() << "\n";
    return 1;
  }
  std::stringstream svg;
  svg << in.rdbuf();
  const plinth::icon::IconShapes shapes = plinth::icon::ReadSvgShapes(svg.str());
  std::string bytes;
  if (kind == "ico") {
    const std::vector<std::uint8_t> ico =
        plinth::icon::IcoFile(Images(shapes, plinth::icon::kIcoSizes));
    bytes.assign(ico.begin(), ico.end());
  } else {
    bytes = plinth::icon::RgbaHeader(Images(shapes, plinth::icon::kX11Sizes),
                                     svg_path.filename().string());
  }
  std::ofstream out(out_path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out.flush()) {
    std::cerr << "plinth-icon-raster: cannot write " << out_path.string() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() != 3 || (args[0] != "ico" && args[0] != "rgba")) {
    std::cerr << "usage: plinth-icon-raster ico|rgba ICON.svg OUTPUT\n";
    return 2;
  }
  try {
    return Run(args[0], args[1], args[2]);
  } catch (const std::exception& error) {
    std::cerr << "plinth-icon-raster: " << args[1] << ": " << error.what() << "\n";
    return 1;
  }
}
