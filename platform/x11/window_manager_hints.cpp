#include "platform/x11/window_manager_hints.h"

#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <array>
#include <initializer_list>
#include <vector>

namespace plinth::platform::x11 {
namespace {

Atom Intern(Display* display, const char* name) { return XInternAtom(display, name, False); }

void SetInputHint(Display* display, Window window, bool takes_input) {
  XWMHints* hints = XGetWMHints(display, window);
  XWMHints fresh{};
  XWMHints* target = hints != nullptr ? hints : &fresh;
  target->flags |= InputHint;
  target->input = takes_input ? True : False;
  XSetWMHints(display, window, target);
  if (hints != nullptr) XFree(hints);
}

void SetAtomList(Display* display, Window window, const char* property,
                 std::initializer_list<const char*> names) {
  std::vector<Atom> atoms;
  for (const char* name : names) atoms.push_back(Intern(display, name));
  XChangeProperty(display, window, Intern(display, property), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(atoms.data()),
                  static_cast<int>(atoms.size()));
}

// A tool window: moved, resized by its border and closed by the user, never
// iconified or maximised; a title bar with the close box as its only button.
void SetToolWindowFunctions(Display* display, Window window) {
  constexpr long kFunctionsAndDecorations = 1 | 2;
  constexpr long kResize = 2;
  constexpr long kMove = 4;
  constexpr long kClose = 32;
  constexpr long kBorder = 2;
  constexpr long kResizeHandle = 4;
  constexpr long kTitle = 8;
  constexpr long kWindowMenu = 16;
  const std::array<long, 5> hints = {kFunctionsAndDecorations, kMove | kResize | kClose,
                                     kBorder | kResizeHandle | kTitle | kWindowMenu, 0, 0};
  const Atom motif = Intern(display, "_MOTIF_WM_HINTS");
  XChangeProperty(display, window, motif, motif, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(hints.data()),
                  static_cast<int>(hints.size()));
}

// Added to what FLTK wrote (a modal dialog carries _NET_WM_STATE_MODAL).
void AppendStates(Display* display, Window window, const Atom* states, int count) {
  XChangeProperty(display, window, Intern(display, "_NET_WM_STATE"), XA_ATOM, 32, PropModeAppend,
                  reinterpret_cast<const unsigned char*>(states), count);
}

}  // namespace

void SetRoleProperties(Display* display, Window window, WindowRole role) {
  if (role == WindowRole::Keyboard) {
    // Input false and no WM_TAKE_FOCUS protocol: the window manager never
    // gives the keyboard the focus, also not when it is clicked. A DOCK
    // window would stay on top as well, but dialogs would then open
    // underneath it.
    SetInputHint(display, window, false);
    // A toolbar, for window managers that offer every other window the
    // minimise function whatever the Motif hints say (openbox); a utility
    // window for those that know no toolbars. A minimised keyboard that
    // skips the taskbar would be lost to a user with only a pointer.
    SetAtomList(display, window, "_NET_WM_WINDOW_TYPE",
                {"_NET_WM_WINDOW_TYPE_TOOLBAR", "_NET_WM_WINDOW_TYPE_UTILITY"});
    SetToolWindowFunctions(display, window);
    SetAtomList(display, window, "_NET_WM_ALLOWED_ACTIONS",
                {"_NET_WM_ACTION_MOVE", "_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_CLOSE"});
    const std::array<Atom, 2> states = {Intern(display, "_NET_WM_STATE_ABOVE"),
                                        Intern(display, "_NET_WM_STATE_SKIP_TASKBAR")};
    AppendStates(display, window, states.data(), static_cast<int>(states.size()));
  } else {
    SetAtomList(display, window, "_NET_WM_WINDOW_TYPE", {"_NET_WM_WINDOW_TYPE_DIALOG"});
    const Atom above = Intern(display, "_NET_WM_STATE_ABOVE");
    AppendStates(display, window, &above, 1);
  }
}

void ShowWithRole(Fl_Window& window, WindowRole role) {
  fl_open_display();
  if (window.shown()) {
    window.show();
    return;
  }
  // FLTK creates, describes and maps a window in one go, with an input hint
  // of its own. Holding the server keeps the window manager from handling
  // the map request until our properties have replaced FLTK's; a window
  // manager that saw the first ones would focus the keyboard.
  XGrabServer(fl_display);
  window.show();
  SetRoleProperties(fl_display, fl_xid(&window), role);
  XUngrabServer(fl_display);
  XFlush(fl_display);
}

void ApplyRoleToMappedWindow(Display* display, Window window, WindowRole role) {
  SetRoleProperties(display, window, role);
  // The states of a mapped window change through the window manager.
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = Intern(display, "_NET_WM_STATE");
  event.xclient.format = 32;
  event.xclient.data.l[0] = 1;  // add
  event.xclient.data.l[1] = static_cast<long>(Intern(display, "_NET_WM_STATE_ABOVE"));
  event.xclient.data.l[3] = 1;  // from a normal application
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(display);
}

}  // namespace plinth::platform::x11
