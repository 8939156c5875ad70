#include "platform/x11/screen_watch.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/extensions/Xrandr.h>

#include <utility>

namespace plinth::platform::x11 {
namespace {

// A change comes as several events (the root's new size, RandR's screen,
// CRTC and output notices); the keyboard hears of it once they are in.
constexpr double kSettleSeconds = 0.1;

}  // namespace

ScreenWatch::ScreenWatch(std::function<void()> changed) : changed_(std::move(changed)) {
  const Window root = RootWindow(fl_display, fl_screen);
  // Added to what this client already selects on the root window.
  XWindowAttributes attributes{};
  XGetWindowAttributes(fl_display, root, &attributes);
  XSelectInput(fl_display, root, attributes.your_event_mask | StructureNotifyMask);
  int error_base = 0;
  if (XRRQueryExtension(fl_display, &randr_event_base_, &error_base) != 0) {
    XRRSelectInput(fl_display, root,
                   RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
  } else {
    randr_event_base_ = -1;
  }
  Fl::add_system_handler(SeeEvent, this);
}

ScreenWatch::~ScreenWatch() {
  Fl::remove_system_handler(SeeEvent);
  Fl::remove_timeout(Deliver, this);
}

int ScreenWatch::SeeEvent(void* event, void* watch) {
  auto* self = static_cast<ScreenWatch*>(watch);
  auto* xevent = static_cast<XEvent*>(event);
  const bool root_resized = xevent->type == ConfigureNotify &&
                            xevent->xconfigure.window == RootWindow(fl_display, fl_screen);
  const bool randr = self->randr_event_base_ >= 0 &&
                     (xevent->type == self->randr_event_base_ + RRScreenChangeNotify ||
                      xevent->type == self->randr_event_base_ + RRNotify);
  if (randr) XRRUpdateConfiguration(xevent);
  if (root_resized || randr) {
    Fl::remove_timeout(Deliver, self);
    Fl::add_timeout(kSettleSeconds, Deliver, self);
  }
  return 0;  // FLTK sees every event as before
}

void ScreenWatch::Deliver(void* watch) { static_cast<ScreenWatch*>(watch)->changed_(); }

}  // namespace plinth::platform::x11
