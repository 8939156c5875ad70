#include "platform/x11/focus_watch.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include <utility>

namespace plinth::platform::x11 {

FocusWatch::FocusWatch(std::function<void()> moved)
    : moved_(std::move(moved)),
      active_window_atom_(XInternAtom(fl_display, "_NET_ACTIVE_WINDOW", False)) {
  const Window root = RootWindow(fl_display, fl_screen);
  // Added to what this client already selects on the root window.
  XWindowAttributes attributes{};
  XGetWindowAttributes(fl_display, root, &attributes);
  XSelectInput(fl_display, root, attributes.your_event_mask | PropertyChangeMask);
  active_ = ActiveWindow();
  Fl::add_system_handler(SeeEvent, this);
}

FocusWatch::~FocusWatch() { Fl::remove_system_handler(SeeEvent); }

unsigned long FocusWatch::ActiveWindow() const {
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  unsigned long window = 0;
  if (XGetWindowProperty(fl_display, RootWindow(fl_display, fl_screen), active_window_atom_, 0, 1,
                         False, XA_WINDOW, &type, &format, &items, &after, &data) == Success &&
      data != nullptr) {
    if (type == XA_WINDOW && format == 32 && items == 1) {
      window = *reinterpret_cast<const unsigned long*>(data);
    }
    XFree(data);
  }
  return window;
}

int FocusWatch::SeeEvent(void* event, void* watch) {
  auto* self = static_cast<FocusWatch*>(watch);
  const auto* xevent = static_cast<const XEvent*>(event);
  if (xevent->type == PropertyNotify && xevent->xproperty.atom == self->active_window_atom_ &&
      xevent->xproperty.window == RootWindow(fl_display, fl_screen)) {
    // A window manager sets the property again at each click; only another
    // window is news.
    const unsigned long active = self->ActiveWindow();
    if (active != self->active_) {
      self->active_ = active;
      self->moved_();
    }
  }
  return 0;  // FLTK sees every event as before
}

}  // namespace plinth::platform::x11
