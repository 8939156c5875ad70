#pragma once

// What a test sees and does on its display: windows found by title, their
// properties and pixels, the input focus, and the real pointer moved and
// clicked through XTest.

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plinth::x11_test {

using namespace std::chrono_literals;

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Polls `condition` until it holds or `timeout` has passed; returns its
// last value.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5000ms);

// The client windows whose title (_NET_WM_NAME or WM_NAME) is `title`.
std::vector<Window> FindWindows(Display* display, const std::string& title);
std::optional<Window> WaitForWindow(Display* display, const std::string& title,
                                    std::chrono::milliseconds timeout = 10000ms);
bool IsMapped(Display* display, Window window);
std::string WindowTitle(Display* display, Window window);
// An atom-list property (_NET_WM_STATE, _NET_WM_WINDOW_TYPE) as atom names.
std::vector<std::string> AtomNames(Display* display, Window window, const char* property);
// The input hint of WM_HINTS; nothing when the window has none.
std::optional<bool> AcceptsInputHint(Display* display, Window window);
// The client area's top-left corner and size on the screen.
ScreenPoint ClientOrigin(Display* display, Window window);
std::pair<int, int> ClientSize(Display* display, Window window);

Rgb PixelAt(Display* display, int x, int y);
// How many pixels of the rectangle are dark (text, not a button face).
int DarkPixels(Display* display, int x, int y, int width, int height);

struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The popup menu on show: a mapped window that bypasses the window manager
// (a window manager's own such windows are tiny or off screen).
std::optional<Box> FindPopupMenu(Display* display);

// The window that has the input focus, as X reports it.
Window FocusedWindow(Display* display);
// Whether `window` is `ancestor` or lies inside it.
bool IsWithin(Display* display, Window window, Window ancestor);

// The child of the root window that holds `window`: its frame under a
// window manager, else the window itself.
Window TopLevelOf(Display* display, Window window);
// Whether `upper` is stacked above `lower`; both children of the root.
bool IsStackedAbove(Display* display, Window upper, Window lower);

// Asks the client of `window` to close it, as a close box does.
void RequestClose(Display* display, Window window);

// Where the pointer is on the screen.
ScreenPoint PointerPosition(Display* display);

// The real pointer, through XTest.
void MovePointer(Display* display, ScreenPoint point);
// Moves it from wherever it is by each step in turn, as a mouse does, the
// steps sent together.
void NudgePointer(Display* display, const std::vector<ScreenPoint>& steps);
void PressButton(Display* display, unsigned int button);
void ReleaseButton(Display* display, unsigned int button);
// Press and release at the pointer's place.
void ClickButton(Display* display, unsigned int button = 1);
// Moves there, then clicks.
void ClickAt(Display* display, ScreenPoint point, unsigned int button = 1);
// Presses and releases the key of `keysym` through XTest, as a switch
// interface that types a key does.
void TapKey(Display* display, unsigned long keysym);

}  // namespace plinth::x11_test
