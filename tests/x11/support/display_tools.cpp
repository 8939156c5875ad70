#include "tests/x11/support/display_tools.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <thread>

namespace plinth::x11_test {
namespace {

std::optional<std::string> TextProperty(Display* display, Window window, Atom property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, 4096, False, AnyPropertyType, &type, &format,
                         &count, &remaining, &data) != Success ||
      data == nullptr) {
    return std::nullopt;
  }
  std::optional<std::string> text;
  if (format == 8) text = std::string(reinterpret_cast<const char*>(data), count);
  XFree(data);
  return text;
}

void CollectWindows(Display* display, Window window, const std::string& title,
                    std::vector<Window>& found) {
  if (WindowTitle(display, window) == title) found.push_back(window);
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return;
  for (unsigned int i = 0; i < count; ++i) CollectWindows(display, children[i], title, found);
  if (children != nullptr) XFree(children);
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
}

std::vector<Window> FindWindows(Display* display, const std::string& title) {
  std::vector<Window> found;
  CollectWindows(display, DefaultRootWindow(display), title, found);
  return found;
}

std::optional<Window> WaitForWindow(Display* display, const std::string& title,
                                    std::chrono::milliseconds timeout) {
  std::optional<Window> window;
  WaitUntil(
      [&] {
        for (const Window candidate : FindWindows(display, title)) {
          if (IsMapped(display, candidate)) {
            window = candidate;
            return true;
          }
        }
        return false;
      },
      timeout);
  return window;
}

bool IsMapped(Display* display, Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, window, &attributes) != 0 &&
         attributes.map_state == IsViewable;
}

std::string WindowTitle(Display* display, Window window) {
  if (auto name = TextProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False))) {
    return *name;
  }
  return TextProperty(display, window, XA_WM_NAME).value_or("");
}

std::vector<std::string> AtomNames(Display* display, Window window, const char* property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::vector<std::string> names;
  if (XGetWindowProperty(display, window, XInternAtom(display, property, False), 0, 64, False,
                         XA_ATOM, &type, &format, &count, &remaining, &data) == Success &&
      data != nullptr) {
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count; ++i) {
      char* name = XGetAtomName(display, atoms[i]);
      names.emplace_back(name);
      XFree(name);
    }
    XFree(data);
  }
  return names;
}

std::optional<bool> AcceptsInputHint(Display* display, Window window) {
  XWMHints* hints = XGetWMHints(display, window);
  if (hints == nullptr) return std::nullopt;
  std::optional<bool> input;
  if ((hints->flags & InputHint) != 0) input = hints->input != 0;
  XFree(hints);
  return input;
}

ScreenPoint ClientOrigin(Display* display, Window window) {
  ScreenPoint point;
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &point.x, &point.y,
                        &child);
  return point;
}

std::pair<int, int> ClientSize(Display* display, Window window) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, window, &attributes);
  return {attributes.width, attributes.height};
}

Rgb PixelAt(Display* display, int x, int y) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return {-1, -1, -1};
  const unsigned long pixel = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  // Xvfb's 24-bit TrueColor visual.
  return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
          static_cast<int>(pixel & 0xFF)};
}

int DarkPixels(Display* display, int x, int y, int width, int height) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (image == nullptr) return -1;
  int dark = 0;
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const unsigned long pixel = XGetPixel(image, column, row);
      const auto r = (pixel >> 16) & 0xFF;
      const auto g = (pixel >> 8) & 0xFF;
      const auto b = pixel & 0xFF;
      if (r + g + b < 330UL) ++dark;  // darker than a mid grey
    }
  }
  XDestroyImage(image);
  return dark;
}

std::optional<Box> FindPopupMenu(Display* display) {
  constexpr int kMinimumSide = 20;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::optional<Box> menu;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
    return menu;
  }
  for (unsigned int i = 0; i < count; ++i) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, children[i], &attributes) != 0 &&
        attributes.override_redirect && attributes.map_state == IsViewable &&
        attributes.width >= kMinimumSide && attributes.height >= kMinimumSide) {
      menu = Box{attributes.x, attributes.y, attributes.width, attributes.height};
    }
  }
  if (children != nullptr) XFree(children);
  return menu;
}

Window FocusedWindow(Display* display) {
  Window focus = None;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  return focus;
}

bool IsWithin(Display* display, Window window, Window ancestor) {
  const Window root = DefaultRootWindow(display);
  while (window != None && window != PointerRoot && window != root) {
    if (window == ancestor) return true;
    Window tree_root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &tree_root, &parent, &children, &count) == 0) return false;
    if (children != nullptr) XFree(children);
    window = parent;
  }
  return false;
}

Window TopLevelOf(Display* display, Window window) {
  const Window root = DefaultRootWindow(display);
  for (;;) {
    Window tree_root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &tree_root, &parent, &children, &count) == 0) return None;
    if (children != nullptr) XFree(children);
    if (parent == root || parent == None) return window;
    window = parent;
  }
}

bool IsStackedAbove(Display* display, Window upper, Window lower) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
    return false;
  }
  // From the bottom of the stack to the top.
  int upper_index = -1;
  int lower_index = -1;
  for (unsigned int i = 0; i < count; ++i) {
    if (children[i] == upper) upper_index = static_cast<int>(i);
    if (children[i] == lower) lower_index = static_cast<int>(i);
  }
  if (children != nullptr) XFree(children);
  return upper_index >= 0 && lower_index >= 0 && upper_index > lower_index;
}

void RequestClose(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

ScreenPoint PointerPosition(Display* display) {
  Window root = 0;
  Window child = 0;
  ScreenPoint point;
  int window_x = 0;
  int window_y = 0;
  unsigned int mask = 0;
  XQueryPointer(display, DefaultRootWindow(display), &root, &child, &point.x, &point.y, &window_x,
                &window_y, &mask);
  return point;
}

void MovePointer(Display* display, ScreenPoint point) {
  XTestFakeMotionEvent(display, DefaultScreen(display), point.x, point.y, CurrentTime);
  XSync(display, False);
}

void NudgePointer(Display* display, const std::vector<ScreenPoint>& steps) {
  for (const ScreenPoint& step : steps) {
    XTestFakeRelativeMotionEvent(display, step.x, step.y, CurrentTime);
  }
  XSync(display, False);
}

void PressButton(Display* display, unsigned int button) {
  XTestFakeButtonEvent(display, button, True, CurrentTime);
  XSync(display, False);
}

void ReleaseButton(Display* display, unsigned int button) {
  XTestFakeButtonEvent(display, button, False, CurrentTime);
  XSync(display, False);
}

void ClickButton(Display* display, unsigned int button) {
  PressButton(display, button);
  ReleaseButton(display, button);
}

void TapKey(Display* display, unsigned long keysym) {
  const KeyCode keycode = XKeysymToKeycode(display, keysym);
  XTestFakeKeyEvent(display, keycode, True, CurrentTime);
  XTestFakeKeyEvent(display, keycode, False, CurrentTime);
  XSync(display, False);
}

void ClickAt(Display* display, ScreenPoint point, unsigned int button) {
  MovePointer(display, point);
  ClickButton(display, button);
}

}  // namespace plinth::x11_test
