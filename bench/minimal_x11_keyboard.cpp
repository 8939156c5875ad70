// The floor for a click's share on X11: a one-button keyboard that does
// nothing but send "a" through XTest when its window is clicked. It draws
// nothing, asks the server nothing, and flushes the key at once, so the
// time it adds is what any keyboard pays for the round through the server
// and the scheduling of one more process on this machine.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  const int screen = DefaultScreen(display);
  const Window window =
      XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 60, 60, 0,
                          BlackPixel(display, screen), WhitePixel(display, screen));
  XWMHints hints{};
  hints.flags = InputHint;
  hints.input = False;  // never takes the focus, like a keyboard must
  XSetWMHints(display, window, &hints);
  XStoreName(display, window, "minimal keyboard");
  XSelectInput(display, window, ButtonReleaseMask);
  XMapWindow(display, window);
  const KeyCode key = XKeysymToKeycode(display, XK_a);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != ButtonRelease) continue;
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XTestFakeKeyEvent(display, key, False, CurrentTime);
    XFlush(display);
  }
}
