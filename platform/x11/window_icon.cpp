#include "platform/x11/window_icon.h"

#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Window.H>

#include <array>
#include <iterator>

#include "plinth_icon_pixels.h"

namespace plinth::platform::x11 {

void UsePlinthIcon() {
  constexpr std::size_t kCount = std::size(icon_pixels::kImages);
  std::array<Fl_RGB_Image*, kCount> images{};
  std::array<const Fl_RGB_Image*, kCount> shown{};
  for (std::size_t i = 0; i < kCount; ++i) {
    const icon_pixels::Image& image = icon_pixels::kImages[i];
    images[i] = new Fl_RGB_Image(image.rgba, image.size, image.size, 4);
    shown[i] = images[i];
  }
  // FLTK keeps copies of its own.
  Fl_Window::default_icons(shown.data(), static_cast<int>(kCount));
  for (Fl_RGB_Image* image : images) delete image;
}

}  // namespace plinth::platform::x11
