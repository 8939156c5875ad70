// A small X client for the end-to-end tests: a window that takes the
// keyboard focus and writes one line for every key event it receives,
//
//   press a state=0x1 time=123456 keycode=38
//   release a state=0x1 time=123470 keycode=38
//
// plus "ready" once it has the focus, "focus-out ..." / "focus-in ..."
// when the focus moves and "mapping ..." when the keymap changes. Each
// line is flushed at once.
//
// Usage: key_recorder [--output FILE] [--title TEXT] [--geometry X,Y,W,H]

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

struct Options {
  std::string output;
  std::string title = "key recorder";
  int x = 0, y = 0, width = 400, height = 300;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view name = argv[i];
    const char* value = argv[i + 1];
    if (name == "--output") {
      options.output = value;
    } else if (name == "--title") {
      options.title = value;
    } else if (name == "--geometry") {
      if (std::sscanf(value, "%d,%d,%d,%d", &options.x, &options.y, &options.width,
                      &options.height) != 4) {
        return false;
      }
    } else {
      return false;
    }
  }
  return argc % 2 == 1;
}

const char* FocusModeName(int mode) {
  switch (mode) {
    case NotifyNormal:
      return "normal";
    case NotifyGrab:
      return "grab";
    case NotifyUngrab:
      return "ungrab";
    default:
      return "while-grabbed";
  }
}

void WriteKeyEvent(std::FILE* out, XKeyEvent& event) {
  char text[32];
  KeySym keysym = NoSymbol;
  XLookupString(&event, text, sizeof text, &keysym, nullptr);
  const char* name = keysym == NoSymbol ? nullptr : XKeysymToString(keysym);
  std::string shown = name != nullptr ? name : "NoSymbol";
  if (name == nullptr && keysym != NoSymbol) {
    char hex[32];
    std::snprintf(hex, sizeof hex, "0x%lx", keysym);
    shown = hex;
  }
  std::fprintf(out, "%s %s state=0x%x time=%lu keycode=%u\n",
               event.type == KeyPress ? "press" : "release", shown.c_str(), event.state, event.time,
               event.keycode);
}

// Xlib reads the keymap, and asks to be told of its changes, at the first
// key lookup. Changes made before that request reaches the server go
// unnoticed, so do it before saying ready, as applications do as they
// start.
void LoadKeymap(Display* display, Window window) {
  XKeyEvent probe{};
  probe.type = KeyPress;
  probe.display = display;
  probe.window = window;
  probe.keycode = XKeysymToKeycode(display, XK_space);
  char text[8];
  KeySym keysym = NoSymbol;
  XLookupString(&probe, text, sizeof text, &keysym, nullptr);
  XSync(display, False);
}

// Waits up to `timeout_ms` for an event to be readable.
bool WaitForEvent(Display* display, int timeout_ms) {
  if (XPending(display) > 0) return true;
  pollfd fd{ConnectionNumber(display), POLLIN, 0};
  return poll(&fd, 1, timeout_ms) > 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: key_recorder [--output FILE] [--title TEXT] [--geometry X,Y,W,H]\n");
    return 2;
  }
  std::FILE* out = options.output.empty() ? stdout : std::fopen(options.output.c_str(), "w");
  if (out == nullptr) {
    std::perror(options.output.c_str());
    return 1;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "key_recorder: cannot open the display\n");
    return 1;
  }

  const int screen = DefaultScreen(display);
  const Window window = XCreateSimpleWindow(
      display, RootWindow(display, screen), options.x, options.y,
      static_cast<unsigned>(options.width), static_cast<unsigned>(options.height), 0,
      BlackPixel(display, screen), WhitePixel(display, screen));
  XStoreName(display, window, options.title.c_str());
  XSizeHints position{};
  position.flags = USPosition | USSize;
  position.x = options.x;
  position.y = options.y;
  position.width = options.width;
  position.height = options.height;
  XSetWMNormalHints(display, window, &position);
  XWMHints hints{};
  hints.flags = InputHint;
  hints.input = True;
  XSetWMHints(display, window, &hints);
  XSelectInput(display, window,
               KeyPressMask | KeyReleaseMask | FocusChangeMask | StructureNotifyMask);
  XMapRaised(display, window);

  bool mapped = false;
  bool focused = false;
  for (;;) {
    if (!WaitForEvent(display, 100)) {
      // A window manager may move the focus as it maps the window: ask again
      // until the focus is ours.
      if (mapped && !focused) XSetInputFocus(display, window, RevertToParent, CurrentTime);
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    switch (event.type) {
      case MapNotify:
        mapped = true;
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        break;
      case FocusIn:
        if (!focused) {
          focused = true;
          LoadKeymap(display, window);
          std::fprintf(out, "ready window=0x%lx\n", window);
        } else {
          std::fprintf(out, "focus-in mode=%s\n", FocusModeName(event.xfocus.mode));
        }
        break;
      case FocusOut:
        std::fprintf(out, "focus-out mode=%s\n", FocusModeName(event.xfocus.mode));
        break;
      case KeyPress:
      case KeyRelease:
        WriteKeyEvent(out, event.xkey);
        break;
      case MappingNotify:
        std::fprintf(out, "mapping first=%d count=%d\n", event.xmapping.first_keycode,
                     event.xmapping.count);
        XRefreshKeyboardMapping(&event.xmapping);
        break;
      default:
        break;
    }
    std::fflush(out);
  }
}
