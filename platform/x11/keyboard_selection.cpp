#include "platform/x11/keyboard_selection.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

namespace plinth::platform::x11 {
namespace {

// Errors of a request to a window that may be gone by then.
bool request_failed = false;
int NoteError(Display*, XErrorEvent*) {
  request_failed = true;
  return 0;
}

}  // namespace

KeyboardSelection::KeyboardSelection(Display* display)
    : display_(display),
      selection_(XInternAtom(display, "PLINTH_KEYBOARD", False)),
      show_request_(XInternAtom(display, "PLINTH_KEYBOARD_SHOW", False)) {}

KeyboardSelection::~KeyboardSelection() {
  if (owner_ == None) return;
  Fl::remove_system_handler(HandleEvent);
  XDestroyWindow(display_, owner_);
}

bool KeyboardSelection::Claim() {
  if (owner_ != None) return true;
  const Window window =
      XCreateSimpleWindow(display_, DefaultRootWindow(display_), -1, -1, 1, 1, 0, 0, 0);
  // Looking and taking in one step: two keyboards started at once cannot
  // both find the selection free.
  XGrabServer(display_);
  const bool free = XGetSelectionOwner(display_, selection_) == None;
  if (free) XSetSelectionOwner(display_, selection_, window, CurrentTime);
  XUngrabServer(display_);
  if (!free || XGetSelectionOwner(display_, selection_) != window) {
    XDestroyWindow(display_, window);
    XSync(display_, False);
    return false;
  }
  owner_ = window;
  Fl::add_system_handler(HandleEvent, this);
  return true;
}

bool KeyboardSelection::AskOwnerToShow() {
  const Window owner = XGetSelectionOwner(display_, selection_);
  if (owner == None) return false;
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = owner;
  request.xclient.message_type = show_request_;
  request.xclient.format = 32;
  XSync(display_, False);
  request_failed = false;
  const auto previous = XSetErrorHandler(NoteError);
  XSendEvent(display_, owner, False, NoEventMask, &request);
  XSync(display_, False);
  XSetErrorHandler(previous);
  return !request_failed && XGetSelectionOwner(display_, selection_) == owner;
}

int KeyboardSelection::HandleEvent(void* event, void* self) {
  auto& selection = *static_cast<KeyboardSelection*>(self);
  const auto& x_event = *static_cast<const XEvent*>(event);
  if (x_event.type != ClientMessage || x_event.xclient.window != selection.owner_ ||
      x_event.xclient.message_type != selection.show_request_) {
    return 0;
  }
  selection.ShowOurWindows();
  return 1;
}

void KeyboardSelection::ShowOurWindows() {
  // The keyboard and any dialog it shows; menus and tooltips (windows the
  // window manager does not manage) stay as they are. Mapping an iconified
  // window asks the window manager to restore it.
  for (Fl_Window* window = Fl::first_window(); window != nullptr;
       window = Fl::next_window(window)) {
    if (window->parent() == nullptr && window->override() == 0) {
      XMapRaised(display_, fl_xid(window));
    }
  }
  XFlush(display_);
}

}  // namespace plinth::platform::x11
