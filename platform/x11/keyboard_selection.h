#pragma once

// One keyboard a display: the running keyboard owns the selection
// PLINTH_KEYBOARD through a small window of its own. A second start finds
// the owner, asks it to show itself and ends. The server gives the
// selection up when its owner's connection closes, however the keyboard
// ended (a crash and SIGKILL included), so nothing stale is left behind.

#include <X11/Xlib.h>

namespace plinth::platform::x11 {

class KeyboardSelection {
 public:
  // `display` is the connection FLTK uses (or will use).
  explicit KeyboardSelection(Display* display);
  ~KeyboardSelection();
  KeyboardSelection(const KeyboardSelection&) = delete;
  KeyboardSelection& operator=(const KeyboardSelection&) = delete;

  // Takes the selection unless another keyboard owns it; true when it is
  // ours. Once ours, requests to show are answered while FLTK runs.
  bool Claim();
  // Asks the keyboard that owns the selection to map and raise its
  // windows; false when no keyboard owns it (any more).
  bool AskOwnerToShow();

 private:
  static int HandleEvent(void* event, void* self);
  void ShowOurWindows();

  Display* display_;
  Atom selection_;
  Atom show_request_;
  Window owner_ = None;  // our window while the selection is ours
};

}  // namespace plinth::platform::x11
