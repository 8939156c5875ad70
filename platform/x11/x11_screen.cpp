#include "platform/x11/x11_screen.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace plinth::platform::x11 {
namespace {

Rect RootRect(Display* display) {
  XWindowAttributes root{};
  if (XGetWindowAttributes(display, DefaultRootWindow(display), &root) == 0) {
    const int screen = DefaultScreen(display);
    return {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
  }
  return {0, 0, root.width, root.height};
}

// RandR 1.5 monitors: the one flagged primary, else the one that holds the
// primary output, comes first.
std::vector<Rect> RandrMonitors(Display* display) {
  int event_base = 0;
  int error_base = 0;
  int major = 0;
  int minor = 0;
  if (XRRQueryExtension(display, &event_base, &error_base) == 0 ||
      XRRQueryVersion(display, &major, &minor) == 0 || major * 100 + minor < 105) {
    return {};
  }
  const Window root = DefaultRootWindow(display);
  int count = 0;
  XRRMonitorInfo* info = XRRGetMonitors(display, root, True, &count);
  if (info == nullptr) return {};
  const RROutput primary_output = XRRGetOutputPrimary(display, root);
  int primary = 0;
  bool flagged = false;
  for (int i = 0; i < count && !flagged; ++i) {
    if (info[i].primary != 0) {
      primary = i;
      flagged = true;
    }
  }
  for (int i = 0; i < count && !flagged && primary_output != None; ++i) {
    for (int o = 0; o < info[i].noutput; ++o) {
      if (info[i].outputs[o] == primary_output) {
        primary = i;
        flagged = true;
      }
    }
  }
  std::vector<Rect> monitors;
  monitors.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) {
    monitors.push_back({info[i].x, info[i].y, info[i].width, info[i].height});
  }
  XRRFreeMonitors(info);
  if (primary != 0)
    std::rotate(monitors.begin(), monitors.begin() + primary, monitors.begin() + primary + 1);
  return monitors;
}

std::vector<Rect> XineramaMonitors(Display* display) {
  int event_base = 0;
  int error_base = 0;
  if (XineramaQueryExtension(display, &event_base, &error_base) == 0 ||
      XineramaIsActive(display) == 0) {
    return {};
  }
  int count = 0;
  XineramaScreenInfo* screens = XineramaQueryScreens(display, &count);
  std::vector<Rect> monitors;
  monitors.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) {
    monitors.push_back({screens[i].x_org, screens[i].y_org, screens[i].width, screens[i].height});
  }
  if (screens != nullptr) XFree(screens);
  return monitors;
}

// A monitor as much as the screen shows of it; nothing when it shows none.
std::optional<Rect> CutTo(const Rect& screen, const Rect& monitor) {
  const int left = std::max(screen.x, monitor.x);
  const int top = std::max(screen.y, monitor.y);
  const int right = std::min(screen.x + screen.width, monitor.x + monitor.width);
  const int bottom = std::min(screen.y + screen.height, monitor.y + monitor.height);
  if (right <= left || bottom <= top) return std::nullopt;
  return Rect{left, top, right - left, bottom - top};
}

constexpr int kFallbackDpi = 96;
constexpr double kMillimetresPerInch = 25.4;
// Anything beyond this is a broken resource or a broken monitor report.
constexpr double kLargestDpi = 2000;

std::optional<int> XftDpiResource(Display* display) {
  const char* resources = XResourceManagerString(display);
  if (resources == nullptr) return std::nullopt;
  XrmInitialize();
  XrmDatabase database = XrmGetStringDatabase(resources);
  if (database == nullptr) return std::nullopt;
  char* type = nullptr;
  XrmValue value{};
  std::optional<int> dpi;
  if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) != 0 && value.addr != nullptr) {
    dpi = ParseXftDpi(std::string_view(value.addr, value.size > 0 ? value.size - 1 : 0));
  }
  XrmDestroyDatabase(database);
  return dpi;
}

}  // namespace

std::optional<int> ParseXftDpi(std::string_view value) {
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\0')) {
    value.remove_suffix(1);
  }
  double dpi = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), dpi);
  if (error != std::errc() || end != value.data() + value.size()) return std::nullopt;
  if (!(dpi >= 1 && dpi <= kLargestDpi)) return std::nullopt;
  return static_cast<int>(std::lround(dpi));
}

X11ScreenInfo::X11ScreenInfo(Display* display) : display_(display) {}

Size X11ScreenInfo::PrimaryScreenSize() {
  const Rect primary = Monitors().front();
  return {primary.width, primary.height};
}

std::vector<Rect> X11ScreenInfo::Monitors() {
  if (display_ == nullptr) return {Rect{}};
  const Rect screen = RootRect(display_);
  std::vector<Rect> found = RandrMonitors(display_);
  if (found.empty()) found = XineramaMonitors(display_);
  std::vector<Rect> monitors;
  for (const Rect& monitor : found) {
    if (const auto shown = CutTo(screen, monitor)) monitors.push_back(*shown);
  }
  if (monitors.empty()) monitors.push_back(screen);
  return monitors;
}

int X11ScreenInfo::DotsPerInch() {
  if (display_ == nullptr) return kFallbackDpi;
  if (const auto dpi = XftDpiResource(display_)) return *dpi;
  const int screen = DefaultScreen(display_);
  const int millimetres = DisplayHeightMM(display_, screen);
  if (millimetres <= 0) return kFallbackDpi;
  const double dpi = DisplayHeight(display_, screen) * kMillimetresPerInch / millimetres;
  if (!(dpi >= 1 && dpi <= kLargestDpi)) return kFallbackDpi;
  return static_cast<int>(std::lround(dpi));
}

}  // namespace plinth::platform::x11
