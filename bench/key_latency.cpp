// Latency of a click on the keyboard until the key reaches the application,
// on an X server of its own (Xvfb). This program is the application: a
// window with the focus that notes when each key arrives. It clicks the
// keyboard's "a" button a few hundred times and reports the median and the
// 99th percentile of:
//
//   - button press to KeyPress, in X server timestamps (milliseconds), for
//     clicks made through XTest by this program;
//   - the same clicks from sending to receiving, by this program's clock;
//   - "xdotool click" on the button, and "xdotool key a" as the baseline,
//     each from starting xdotool to receiving the key;
//   - a key sent through XTest by this program itself, the floor.
//
// Usage: key_latency [--clicks N]   (needs Xvfb and xdotool)

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/form_design.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// ---------------------------------------------------------------- processes

// Starts a program with its output thrown away (and its error output too
// when `quiet`).
pid_t Spawn(const std::vector<std::string>& argv, const std::string& display,
            const std::string& directory = "", bool quiet = false) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
  if (!directory.empty() && chdir(directory.c_str()) != 0) _exit(127);
  if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(127);
  if (quiet && std::freopen("/dev/null", "w", stderr) == nullptr) _exit(127);
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  execvp(args[0], args.data());
  _exit(127);
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
}

// Starts Xvfb on a display number it picks itself; returns ":N".
std::optional<std::string> StartServer(pid_t& pid) {
  int fds[2];
  if (pipe(fds) != 0) return std::nullopt;
  pid = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24",
               "-nolisten", "tcp", "-noreset"},
              "", "", true);
  close(fds[1]);
  std::string number;
  pollfd fd{fds[0], POLLIN, 0};
  char c = 0;
  while (poll(&fd, 1, 20000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number.push_back(c);
  close(fds[0]);
  if (number.empty()) return std::nullopt;
  return ":" + number;
}

// ---------------------------------------------------------------- X

struct Arrival {
  Time server_time = 0;
  Clock::time_point received;
};

class Recorder {
 public:
  explicit Recorder(Display* display) : display_(display) {
    const int screen = DefaultScreen(display);
    window_ = XCreateSimpleWindow(display, RootWindow(display, screen), 600, 100, 300, 200, 0,
                                  BlackPixel(display, screen), WhitePixel(display, screen));
    XStoreName(display, window_, "latency recorder");
    XSelectInput(display, window_,
                 KeyPressMask | KeyReleaseMask | FocusChangeMask | StructureNotifyMask);
    int event = 0, error = 0;
    has_xi2_ = XQueryExtension(display, "XInputExtension", &xi_opcode_, &event, &error) != 0;
    if (has_xi2_) {
      unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
      XISetMask(bits, XI_RawButtonPress);
      XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
      XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    }
    XMapRaised(display, window_);
    WaitFor([&](XEvent& e) { return e.type == MapNotify; });
    XSetInputFocus(display, window_, RevertToParent, CurrentTime);
    WaitFor([&](XEvent& e) { return e.type == FocusIn; });
    // Load the keymap now, not at the first key.
    XKeyEvent probe{};
    probe.type = KeyPress;
    probe.display = display;
    probe.window = window_;
    probe.keycode = XKeysymToKeycode(display, XK_a);
    char text[8];
    XLookupString(&probe, text, sizeof text, nullptr, nullptr);
    XSync(display, False);
  }

  // Waits for the press and the release of the key "a"; the press's time.
  std::optional<Arrival> WaitForKey(std::optional<Time>* button_time = nullptr) {
    std::optional<Arrival> press;
    const bool released = WaitFor([&](XEvent& e) {
      if (e.type == GenericEvent && e.xcookie.extension == xi_opcode_ &&
          XGetEventData(display_, &e.xcookie)) {
        if (e.xcookie.evtype == XI_RawButtonPress && button_time != nullptr && !*button_time) {
          *button_time = static_cast<const XIRawEvent*>(e.xcookie.data)->time;
        }
        XFreeEventData(display_, &e.xcookie);
        return false;
      }
      if (e.type == KeyPress && !press) press = Arrival{e.xkey.time, Clock::now()};
      return e.type == KeyRelease && press.has_value();
    });
    if (!released) return std::nullopt;
    return press;
  }

  bool has_xi2() const { return has_xi2_; }

 private:
  template <typename Predicate>
  bool WaitFor(Predicate done) {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
      while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
        if (done(event)) return true;
      }
      pollfd fd{ConnectionNumber(display_), POLLIN, 0};
      poll(&fd, 1, 10);
    }
    return false;
  }

  Display* display_;
  Window window_ = 0;
  bool has_xi2_ = false;
  int xi_opcode_ = 0;
};

std::optional<Window> FindWindow(Display* display, Window under, const char* title) {
  char* name = nullptr;
  if (XFetchName(display, under, &name) != 0 && name != nullptr) {
    const bool match = std::string(name) == title;
    XFree(name);
    if (match) return under;
  }
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, under, &root, &parent, &children, &count) == 0) return std::nullopt;
  std::optional<Window> found;
  for (unsigned i = 0; i < count && !found; ++i) found = FindWindow(display, children[i], title);
  if (children != nullptr) XFree(children);
  return found;
}

// ---------------------------------------------------------------- figures

struct Row {
  std::string what;
  std::string unit;
  std::vector<double> samples;
};

double Percentile(std::vector<double> samples, double fraction) {
  std::sort(samples.begin(), samples.end());
  const auto index =
      static_cast<std::size_t>(std::lround(fraction * static_cast<double>(samples.size() - 1)));
  return samples[index];
}

void PrintTable(const std::vector<Row>& rows) {
  std::printf("| path | unit | samples | median | p99 | max |\n");
  std::printf("|---|---|---|---|---|---|\n");
  for (const Row& row : rows) {
    if (row.samples.empty()) {
      std::printf("| %s | %s | 0 | - | - | - |\n", row.what.c_str(), row.unit.c_str());
      continue;
    }
    std::printf("| %s | %s | %zu | %.2f | %.2f | %.2f |\n", row.what.c_str(), row.unit.c_str(),
                row.samples.size(), Percentile(row.samples, 0.5), Percentile(row.samples, 0.99),
                *std::max_element(row.samples.begin(), row.samples.end()));
  }
}

double MillisecondsSince(Clock::time_point start, Clock::time_point end) {
  return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  int clicks = 300;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::string(argv[i]) == "--clicks") clicks = std::max(1, std::atoi(argv[i + 1]));
  }

  pid_t server = -1;
  const std::optional<std::string> display_name = StartServer(server);
  if (!display_name) {
    std::fprintf(stderr, "key_latency: Xvfb did not start\n");
    return 1;
  }
  Display* display = XOpenDisplay(display_name->c_str());
  if (display == nullptr) {
    Stop(server);
    return 1;
  }

  // The keyboard, from a directory of its own with a one-button layout.
  const fs::path directory =
      fs::temp_directory_path() / ("plinth-latency-" + std::to_string(getpid()));
  fs::create_directories(directory);
  fs::copy_file(PLINTH_BINARY, directory / "plinth", fs::copy_options::overwrite_existing);
  std::ofstream(directory / "Default.ini") << "[Button1]\r\nCaption=a\r\n";
  std::ofstream(directory / "Extend.ini") << "";

  Recorder recorder(display);
  const pid_t keyboard =
      Spawn({(directory / "plinth").string()}, *display_name, directory.string());
  std::optional<Window> window;
  for (int tries = 0; tries < 500 && !window; ++tries) {
    window = FindWindow(display, DefaultRootWindow(display), plinth::platform::design::kCaption);
    if (!window) usleep(10000);
  }
  int x = 0, y = 0;
  Window child = 0;
  if (window) {
    XTranslateCoordinates(display, *window, DefaultRootWindow(display),
                          plinth::platform::design::kButtonSize / 2,
                          plinth::platform::design::kButtonSize / 2, &x, &y, &child);
  }

  std::vector<Row> rows{
      {"XTest click on the button -> KeyPress (server timestamps)", "ms", {}},
      {"XTest click on the button -> key received", "ms", {}},
      {"xdotool click on the button -> key received", "ms", {}},
      {"xdotool key a -> key received (baseline)", "ms", {}},
      {"XTest key a from this program -> key received (floor)", "ms", {}},
  };
  if (!window || !recorder.has_xi2()) {
    std::fprintf(stderr, "key_latency: %s\n",
                 window ? "no XInput 2" : "the keyboard did not start");
  } else {
    for (int i = 0; i < clicks; ++i) {
      XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
      XTestFakeButtonEvent(display, 1, True, CurrentTime);
      XTestFakeButtonEvent(display, 1, False, CurrentTime);
      XFlush(display);
      const Clock::time_point sent = Clock::now();
      std::optional<Time> pressed;
      const std::optional<Arrival> key = recorder.WaitForKey(&pressed);
      if (!key || !pressed) continue;
      rows[0].samples.push_back(static_cast<double>(key->server_time - *pressed));
      rows[1].samples.push_back(MillisecondsSince(sent, key->received));
    }
    const std::string at_x = std::to_string(x), at_y = std::to_string(y);
    const auto spawned = [&](Row& row, const std::vector<std::string>& command) {
      for (int i = 0; i < clicks; ++i) {
        const Clock::time_point started = Clock::now();
        const pid_t xdotool = Spawn(command, *display_name);
        const std::optional<Arrival> key = recorder.WaitForKey();
        int status = 0;
        waitpid(xdotool, &status, 0);
        if (key) row.samples.push_back(MillisecondsSince(started, key->received));
      }
    };
    spawned(rows[2], {"xdotool", "mousemove", at_x, at_y, "click", "1"});
    spawned(rows[3], {"xdotool", "key", "a"});
    const unsigned keycode = XKeysymToKeycode(display, XK_a);
    for (int i = 0; i < clicks; ++i) {
      XTestFakeKeyEvent(display, keycode, True, CurrentTime);
      XTestFakeKeyEvent(display, keycode, False, CurrentTime);
      XFlush(display);
      const Clock::time_point sent = Clock::now();
      const std::optional<Arrival> key = recorder.WaitForKey();
      if (key) rows[4].samples.push_back(MillisecondsSince(sent, key->received));
    }
  }
  PrintTable(rows);

  Stop(keyboard);
  XCloseDisplay(display);
  Stop(server);
  std::error_code ignored;
  fs::remove_all(directory, ignored);
  return 0;
}
