#include "platform/x11/keyboard_selection.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <poll.h>

#include <utility>

namespace plinth::platform::x11 {
namespace {

using Clock = std::chrono::steady_clock;

// Errors of a request to a window that may be gone by then.
bool request_failed = false;
int NoteError(Display*, XErrorEvent*) {
  request_failed = true;
  return 0;
}

// Runs `requests` and waits for the server to handle them; false when one
// of them failed.
template <typename Requests>
bool SucceedsOnServer(Display* display, Requests requests) {
  XSync(display, False);
  request_failed = false;
  const auto previous = XSetErrorHandler(NoteError);
  requests();
  XSync(display, False);
  XSetErrorHandler(previous);
  return !request_failed;
}

// A window of this program's own, never mapped.
Window MakeHiddenWindow(Display* display) {
  return XCreateSimpleWindow(display, DefaultRootWindow(display), -1, -1, 1, 1, 0, 0, 0);
}

}  // namespace

KeyboardSelection::KeyboardSelection(Display* display, std::function<bool()> ending)
    : display_(display),
      ending_(std::move(ending)),
      selection_(XInternAtom(display, "PLINTH_KEYBOARD", False)),
      show_request_(XInternAtom(display, "PLINTH_KEYBOARD_SHOW", False)),
      shown_(XInternAtom(display, "PLINTH_KEYBOARD_SHOWN", False)) {}

KeyboardSelection::~KeyboardSelection() { GiveUp(); }

bool KeyboardSelection::Claim() {
  if (owner_ != None) return true;
  const Window window = MakeHiddenWindow(display_);
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

void KeyboardSelection::GiveUp() {
  if (owner_ == None) return;
  Fl::remove_system_handler(HandleEvent);
  if (XGetSelectionOwner(display_, selection_) == owner_) {
    XSetSelectionOwner(display_, selection_, None, CurrentTime);
  }
  // A start waiting for an answer learns of the end by this.
  XDestroyWindow(display_, owner_);
  XFlush(display_);
  owner_ = None;
}

KeyboardSelection::Answer KeyboardSelection::AskOwnerToShow() {
  const Window owner = XGetSelectionOwner(display_, selection_);
  if (owner == None) return Answer::NoOwner;
  const Window reply_to = MakeHiddenWindow(display_);
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = owner;
  request.xclient.message_type = show_request_;
  request.xclient.format = 32;
  request.xclient.data.l[0] = static_cast<long>(reply_to);
  // Told when the owner's window goes, as when the owner ends.
  const bool sent = SucceedsOnServer(display_, [&] {
    XSelectInput(display_, owner, StructureNotifyMask);
    XSendEvent(display_, owner, False, NoEventMask, &request);
  });
  Answer answer = sent ? Answer::NoAnswer : Answer::NoOwner;
  const auto deadline = Clock::now() + kAnswerTimeout;
  while (answer == Answer::NoAnswer && Clock::now() < deadline) {
    XEvent event;
    if (XCheckTypedWindowEvent(display_, owner, DestroyNotify, &event)) {
      answer = Answer::NoOwner;
    } else if (XCheckTypedWindowEvent(display_, reply_to, ClientMessage, &event) &&
               event.xclient.message_type == shown_) {
      answer = Answer::Shown;
    } else {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
      pollfd connection{ConnectionNumber(display_), POLLIN, 0};
      poll(&connection, 1, static_cast<int>(left.count()));
    }
  }
  XDestroyWindow(display_, reply_to);
  XSync(display_, False);
  return answer;
}

int KeyboardSelection::HandleEvent(void* event, void* self) {
  auto& selection = *static_cast<KeyboardSelection*>(self);
  const auto& x_event = *static_cast<const XEvent*>(event);
  if (x_event.type != ClientMessage || x_event.xclient.window != selection.owner_ ||
      x_event.xclient.message_type != selection.show_request_) {
    return 0;
  }
  // An ending keyboard would show itself and go: the start that asks
  // waits for the selection instead.
  if (selection.ending_ && selection.ending_()) return 1;
  selection.ShowOurWindows();
  selection.Acknowledge(static_cast<Window>(x_event.xclient.data.l[0]));
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

void KeyboardSelection::Acknowledge(Window requester) {
  if (requester == None) return;
  XEvent answer{};
  answer.xclient.type = ClientMessage;
  answer.xclient.window = requester;
  answer.xclient.message_type = shown_;
  answer.xclient.format = 32;
  // The start may have given up waiting and closed its window.
  SucceedsOnServer(display_, [&] { XSendEvent(display_, requester, False, NoEventMask, &answer); });
}

}  // namespace plinth::platform::x11
