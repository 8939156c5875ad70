#include "platform/x11/x11_screen.h"

#include <X11/Xlib.h>
namespace plinth::platform::x11 {

X11ScreenInfo::X11ScreenInfo(Display* display) : display_(display) {}

Size X11ScreenInfo::PrimaryScreenSize() {
  if (display_ == nullptr) return {};
  XWindowAttributes root{};
  if (XGetWindowAttributes(display_, DefaultRootWindow(display_), &root) == 0) {
    const int screen = DefaultScreen(display_);
    return {DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
  }
  return {root.width, root.height};
}

}  // namespace plinth::platform::x11
