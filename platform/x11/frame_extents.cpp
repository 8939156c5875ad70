#include "platform/x11/frame_extents.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/x11/window_manager_hints.h"

namespace plinth::platform::x11 {
namespace {

using Clock = std::chrono::steady_clock;

// How long the window manager may take to answer a frame request.
constexpr std::chrono::milliseconds kProbeTimeout{500};

std::vector<long> ReadLongs(Display* display, Window window, Atom property, Atom type) {
  Atom actual_type = None;
  int actual_format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::vector<long> values;
  if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actual_type,
                         &actual_format, &count, &remaining, &data) == Success &&
      data != nullptr) {
    if (actual_type == type && actual_format == 32) {
      const auto* longs = reinterpret_cast<const long*>(data);
      values.assign(longs, longs + count);
    }
    XFree(data);
  }
  return values;
}

bool WindowManagerAnswersFrameRequests(Display* display) {
  const Window root = DefaultRootWindow(display);
  const auto check =
      ReadLongs(display, root, XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False), XA_WINDOW);
  if (check.empty()) return false;
  const auto supported =
      ReadLongs(display, root, XInternAtom(display, "_NET_SUPPORTED", False), XA_ATOM);
  const auto request = static_cast<long>(XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False));
  return std::find(supported.begin(), supported.end(), request) != supported.end();
}

// A stand-in for the keyboard, described as the keyboard will be: same
// size, fixed, same properties, so that the window manager plans the same frame.
Window CreateStandIn(Display* display, int width, int height) {
  XSetWindowAttributes attributes{};
  attributes.event_mask = PropertyChangeMask;
  const Window window =
      XCreateWindow(display, DefaultRootWindow(display), 0, 0, static_cast<unsigned>(width),
                    static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                    CWEventMask, &attributes);

  XSizeHints* size = XAllocSizeHints();
  size->flags = PMinSize | PMaxSize;
  size->min_width = size->max_width = width;
  size->min_height = size->max_height = height;
  XSetWMNormalHints(display, window, size);
  XFree(size);

  SetRoleProperties(display, window, WindowRole::Keyboard);
  return window;
}

void RequestFrameExtents(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
  event.xclient.format = 32;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(display);
}

std::optional<FrameExtents> AwaitFrameExtents(Display* display, Window window) {
  const Atom frame_atom = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
  const auto deadline = Clock::now() + kProbeTimeout;
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == PropertyNotify && event.xproperty.atom == frame_atom) {
        return ReadFrameExtents(display, window);
      }
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left.count()));
  }
}

}  // namespace

std::optional<FrameExtents> ReadFrameExtents(Display* display, Window window) {
  const auto values =
      ReadLongs(display, window, XInternAtom(display, "_NET_FRAME_EXTENTS", False), XA_CARDINAL);
  if (values.size() < 4) return std::nullopt;
  return FrameExtents{.left = static_cast<int>(values[0]),
                      .right = static_cast<int>(values[1]),
                      .top = static_cast<int>(values[2]),
                      .bottom = static_cast<int>(values[3])};
}

FrameExtents ProbeKeyboardFrame(Display* display, int client_width, int client_height) {
  if (!WindowManagerAnswersFrameRequests(display)) return {};
  // A connection of its own, so that FLTK's event queue is left alone.
  Display* probe = XOpenDisplay(DisplayString(display));
  if (probe == nullptr) return {};
  const Window stand_in = CreateStandIn(probe, client_width, client_height);
  RequestFrameExtents(probe, stand_in);
  const auto extents = AwaitFrameExtents(probe, stand_in);
  XDestroyWindow(probe, stand_in);
  XCloseDisplay(probe);
  return extents.value_or(FrameExtents{});
}

ReportedFrame::ReportedFrame()
    : frame_extents_(XInternAtom(fl_display, "_NET_FRAME_EXTENTS", False)) {
  Fl::add_system_handler(SeeEvent, this);
}

ReportedFrame::~ReportedFrame() { Fl::remove_system_handler(SeeEvent); }

std::optional<FrameExtents> ReportedFrame::Of(Window window) {
  if (window != window_) {
    // Told of the frame property's changes, beside what the window's
    // owner already selects.
    XWindowAttributes attributes{};
    XGetWindowAttributes(fl_display, window, &attributes);
    XSelectInput(fl_display, window, attributes.your_event_mask | PropertyChangeMask);
    window_ = window;
    frame_ = ReadFrameExtents(fl_display, window);
  }
  return frame_;
}

int ReportedFrame::SeeEvent(void* event, void* self) {
  auto& reported = *static_cast<ReportedFrame*>(self);
  const auto& x_event = *static_cast<const XEvent*>(event);
  if (reported.window_ == None || x_event.xany.window != reported.window_) return 0;
  const bool frame_changed =
      x_event.type == MapNotify || x_event.type == UnmapNotify || x_event.type == ReparentNotify ||
      (x_event.type == PropertyNotify && x_event.xproperty.atom == reported.frame_extents_);
  // Read again at the next question.
  if (frame_changed) reported.window_ = None;
  return 0;
}

}  // namespace plinth::platform::x11
