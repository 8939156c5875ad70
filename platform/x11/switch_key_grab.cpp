#include "platform/x11/switch_key_grab.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <array>
#include <iostream>

namespace plinth::platform::x11 {
namespace {

// A passive grab matches only its exact modifiers: one for each state of
// the locks that a user may have on.
constexpr std::array<unsigned, 4> kLockCombinations{0, LockMask, Mod2Mask, LockMask | Mod2Mask};

// Errors of the grab requests, counted while they are handled.
int refused_grabs = 0;

int CountRefusal(Display* /*display*/, XErrorEvent* error) {
  if (error->error_code == BadAccess) ++refused_grabs;
  return 0;
}

}  // namespace

SwitchKeyGrab::SwitchKeyGrab(Display* display, KeycodeOf keycode_of)
    : display_(display), keycode_of_(std::move(keycode_of)) {
  Bool supported = False;
  XkbSetDetectableAutoRepeat(display_, True, &supported);
}

SwitchKeyGrab::~SwitchKeyGrab() {
  UngrabAll();
  XFlush(display_);
}

void SwitchKeyGrab::UngrabAll() {
  const Window root = DefaultRootWindow(display_);
  for (const auto& [keycode, code] : grabbed_) {
    for (const unsigned modifiers : kLockCombinations)
      XUngrabKey(display_, keycode, modifiers, root);
  }
  grabbed_.clear();
}

void SwitchKeyGrab::Grab(const std::vector<std::uint16_t>& codes) {
  UngrabAll();
  codes_ = codes;
  const Window root = DefaultRootWindow(display_);
  XSync(display_, False);
  refused_grabs = 0;
  XErrorHandler previous = XSetErrorHandler(CountRefusal);
  for (const std::uint16_t code : codes_) {
    const int keycode = keycode_of_(code);
    if (keycode == 0) {
      std::cerr << "plinth: no key of this keyboard carries switch key " << code << '\n';
      continue;
    }
    for (const unsigned modifiers : kLockCombinations) {
      XGrabKey(display_, keycode, modifiers, root, False, GrabModeAsync, GrabModeAsync);
    }
    grabbed_.emplace_back(keycode, code);
  }
  // Taken before anything else is asked: the window is mapped only after.
  XSync(display_, False);
  XSetErrorHandler(previous);
  if (refused_grabs > 0) {
    std::cerr << "plinth: another program holds a switch key; it may not reach Plinth\n";
  }
}

std::optional<SwitchKeyGrab::KeyReport> SwitchKeyGrab::Match(const XEvent& event) const {
  if (event.type != KeyPress && event.type != KeyRelease) return std::nullopt;
  if (event.xkey.window != DefaultRootWindow(display_)) return std::nullopt;
  for (const auto& [keycode, code] : grabbed_) {
    if (static_cast<int>(event.xkey.keycode) == keycode) {
      return KeyReport{.code = code, .pressed = event.type == KeyPress};
    }
  }
  return std::nullopt;
}

}  // namespace plinth::platform::x11
