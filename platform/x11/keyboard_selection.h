#pragma once

// One keyboard a display: the running keyboard owns the selection
// PLINTH_KEYBOARD through a small window of its own. A second start finds
// the owner, asks it to show itself and ends once the owner answers. An
// owner that is ending does not answer and gives the selection up, so that
// a start right after a stop opens the one keyboard. The server gives the
// selection up when its owner's connection closes, however the keyboard
// ended (a crash and SIGKILL included), so nothing stale is left behind.

#include <X11/Xlib.h>

#include <chrono>
#include <functional>

namespace plinth::platform::x11 {

class KeyboardSelection {
 public:
  // How long a start waits for the running keyboard to answer.
  static constexpr std::chrono::milliseconds kAnswerTimeout{5000};

  // `display` is the connection FLTK uses (or will use). `ending` tells
  // whether this program is ending; requests to show are not answered
  // then.
  KeyboardSelection(Display* display, std::function<bool()> ending);
  ~KeyboardSelection();
  KeyboardSelection(const KeyboardSelection&) = delete;
  KeyboardSelection& operator=(const KeyboardSelection&) = delete;

  // Takes the selection unless another keyboard owns it; true when it is
  // ours. Once ours, requests to show are answered while FLTK runs.
  bool Claim();
  // Gives the selection up, at once: the keyboard has stopped running and
  // the next start is to open a new one.
  void GiveUp();

  enum class Answer {
    Shown,     // the running keyboard showed itself
    NoOwner,   // no keyboard owns the selection (any more)
    NoAnswer,  // the owner did not answer within kAnswerTimeout
  };
  // Asks the keyboard that owns the selection to map and raise its windows
  // and waits for its answer, or for it to give the selection up.
  Answer AskOwnerToShow();

 private:
  static int HandleEvent(void* event, void* self);
  void ShowOurWindows();
  void Acknowledge(Window requester);

  Display* display_;
  std::function<bool()> ending_;
  Atom selection_;
  Atom show_request_;
  Atom shown_;
  Window owner_ = None;  // our window while the selection is ours
};

}  // namespace plinth::platform::x11
