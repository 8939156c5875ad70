// The keyboard's share of a click: on an X server of its own (Xvfb) with
// no other keyboard, this program is the application. It holds the focus
// with a window of its own, clicks a key button of an on-screen keyboard
// through XTest and waits for the key; between clicks it sends a key
// through XTest itself and waits for that KeyPress. A click's time minus
// the direct key's median on the same server is the keyboard's share: what
// the keyboard adds between the pointer and the application.
//
// Two kinds of click are timed. A held click keeps the button down 80 ms,
// as a person's click does, and is timed from the release to the first key
// event after it (the KeyPress, or the KeyRelease of a keyboard that sent
// the KeyPress while the button was down). A fast click presses and
// releases at once, as a quick user or a dwell click does, and is timed to
// the KeyPress. Before either, the pointer comes to the button and rests
// there a moment, as a user's does before clicking. The processor time
// each keyboard spends on its clicks is reported too.
//
// Measured for Plinth, for two other on-screen keyboards (matchbox-keyboard
// and xvkbd, when installed) and for the floor, a program that only sends
// its key when its window is clicked; each keyboard alone on a server of
// its own, all running at once and clicked in turn, click by click, so
// that each meets the same load of the machine. Then the time from
// starting each to its window being mapped.
//
// Prints one line per figure, "ROW<TAB>measure<TAB>value<TAB>note", then
// one line per target of Plinth's, "NOTE<TAB>text".
//
// Usage: key_latency [--clicks N] [--starts N] [--no-peers] [--words]
// (needs Xvfb; --no-peers measures Plinth and the floor only; with --words
// Plinth's layout has a WORD button beside the "a" and the bundled word
// list, so that each click also follows the key and relabels the
// suggestion)

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/form_design.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

// ---------------------------------------------------------------- processes

// Starts a program with its output thrown away.
pid_t Spawn(const std::vector<std::string>& argv, const std::string& display,
            const std::string& directory = "") {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
  if (!directory.empty() && chdir(directory.c_str()) != 0) _exit(127);
  if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(127);
  if (std::freopen("/dev/null", "w", stderr) == nullptr) _exit(127);
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
  for (int i = 0; i < 100; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    usleep(10000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

// Starts Xvfb on a display number it picks itself; returns ":N".
std::optional<std::string> StartServer(pid_t& pid) {
  int fds[2];
  if (pipe(fds) != 0) return std::nullopt;
  pid = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24",
               "-nolisten", "tcp", "-noreset"},
              "");
  close(fds[1]);
  std::string number;
  pollfd fd{fds[0], POLLIN, 0};
  char c = 0;
  while (poll(&fd, 1, 20000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number.push_back(c);
  close(fds[0]);
  if (number.empty()) return std::nullopt;
  return ":" + number;
}

bool Installed(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// ---------------------------------------------------------------- the application

struct Point {
  int x = 0;
  int y = 0;
};

struct KeyArrival {
  bool press = false;
  KeySym keysym = NoSymbol;
  unsigned state = 0;
  unsigned keycode = 0;
  Clock::time_point received;
};

// Between the pointer's arrival on a button and the click.
constexpr useconds_t kPointerArrives = 5000;

class Application {
 public:
  explicit Application(Display* display) : display_(display) {
    const int screen = DefaultScreen(display);
    window_ = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 300, 200, 0,
                                  BlackPixel(display, screen), WhitePixel(display, screen));
    XStoreName(display, window_, "latency application");
    XSelectInput(display, window_, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    // Top-level windows being mapped: the keyboards' start-up.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XMapRaised(display, window_);
    WaitFor(Clock::now() + 2s,
            [&](const XEvent& e) { return e.type == MapNotify && e.xmap.window == window_; });
    Focus();
    direct_keycode_ = XKeysymToKeycode(display, XK_a);
    // Load the keymap now, not at the first key.
    XKeyEvent probe{};
    probe.type = KeyPress;
    probe.display = display;
    probe.window = window_;
    probe.keycode = direct_keycode_;
    char text[8];
    XLookupString(&probe, text, sizeof text, nullptr, nullptr);
    XSync(display, False);
  }

  void Focus() {
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    XSync(display_, False);
  }

  // Waits for the next key event, press or release, until `deadline`.
  std::optional<KeyArrival> WaitForKeyEvent(Clock::time_point deadline) {
    std::optional<KeyArrival> key;
    WaitFor(deadline, [&](XEvent& e) {
      if (e.type == KeyPress || e.type == KeyRelease) {
        key = KeyArrival{e.type == KeyPress, XLookupKeysym(&e.xkey, 0), e.xkey.state,
                         e.xkey.keycode, Clock::now()};
      }
      return key.has_value();
    });
    return key;
  }

  // Waits for the next KeyPress, then for its release.
  std::optional<KeyArrival> WaitForKey(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    std::optional<KeyArrival> press;
    while (const auto key = WaitForKeyEvent(deadline)) {
      if (key->press && !press) press = key;
      if (!key->press && press && key->keycode == press->keycode) break;
    }
    return press;
  }

  // Waits for a top-level window other than ours to be mapped.
  std::optional<Window> WaitForMappedWindow(std::chrono::milliseconds timeout) {
    std::optional<Window> mapped;
    WaitFor(Clock::now() + timeout, [&](const XEvent& e) {
      if (e.type == MapNotify && e.xmap.event == DefaultRootWindow(display_) &&
          e.xmap.window != window_) {
        mapped = e.xmap.window;
      }
      return mapped.has_value();
    });
    return mapped;
  }

  // Throws away the events that have come.
  void Drain() {
    XSync(display_, False);
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
    }
  }

  // A press and release of "a" through XTest, sent from here.
  Clock::time_point SendDirectKey() {
    Drain();
    XTestFakeKeyEvent(display_, direct_keycode_, True, CurrentTime);
    XTestFakeKeyEvent(display_, direct_keycode_, False, CurrentTime);
    XFlush(display_);
    return Clock::now();
  }

  // The first button pressed at `at` and released at once, through XTest.
  Clock::time_point Click(Point at) {
    Press(at);
    return Release();
  }
  // Moves the pointer to `at`, gives the keyboard a moment to follow it
  // there, as the pointer comes to a button before a user clicks it, and
  // presses the first button.
  void Press(Point at) {
    XTestFakeMotionEvent(display_, -1, at.x, at.y, CurrentTime);
    XFlush(display_);
    usleep(kPointerArrives);
    Drain();
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XFlush(display_);
  }
  Clock::time_point Release() {
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XFlush(display_);
    return Clock::now();
  }

  Window window() const { return window_; }

 private:
  template <typename Predicate>
  bool WaitFor(Clock::time_point deadline, Predicate done) {
    for (;;) {
      while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
        if (done(event)) return true;
      }
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return false;
      pollfd fd{ConnectionNumber(display_), POLLIN, 0};
      poll(&fd, 1, static_cast<int>(left.count()));
    }
  }

  Display* display_;
  Window window_ = 0;
  KeyCode direct_keycode_ = 0;
};

// An Xvfb of its own, with the application on it.
class Server {
 public:
  Server() {
    const std::optional<std::string> name = StartServer(pid_);
    if (!name) return;
    display_ = XOpenDisplay(name->c_str());
    if (display_ == nullptr) return;
    name_ = *name;
    application_.emplace(display_);
  }
  ~Server() {
    application_.reset();
    if (display_ != nullptr) XCloseDisplay(display_);
    Stop(pid_);
  }
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  bool started() const { return application_.has_value(); }
  Display* display() const { return display_; }
  const std::string& name() const { return name_; }
  Application& application() { return *application_; }

 private:
  pid_t pid_ = -1;
  Display* display_ = nullptr;
  std::string name_;
  std::optional<Application> application_;
};

// Where a top-level window is on the screen, and its size.
std::pair<Point, Point> WindowBox(Display* display, Window window) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, window, &attributes);
  return {{attributes.x, attributes.y}, {attributes.width, attributes.height}};
}

bool IsPlainLetterOrDigit(const KeyArrival& key) {
  const char* name = XKeysymToString(key.keysym);
  return name != nullptr && name[1] == '\0' && std::isalnum(static_cast<unsigned char>(name[0])) &&
         (key.state & (ShiftMask | ControlMask | Mod1Mask)) == 0;
}

// A point of the keyboard's window whose click types a letter or digit,
// found by trying points row by row from the top left.
std::optional<Point> FindTypingPoint(Display* display, Window window, Application& application) {
  const auto [origin, size] = WindowBox(display, window);
  const int step_x = std::max(6, size.x / 40);
  const int step_y = std::max(6, size.y / 12);
  for (int y = step_y / 2; y < size.y; y += step_y) {
    for (int x = step_x / 2; x < size.x; x += step_x) {
      const Point at{origin.x + x, origin.y + y};
      application.Click(at);
      const auto key = application.WaitForKey(150ms);
      if (key && IsPlainLetterOrDigit(*key)) {
        application.Drain();
        return at;
      }
    }
  }
  return std::nullopt;
}

// ---------------------------------------------------------------- figures

double Percentile(std::vector<double> samples, double fraction) {
  if (samples.empty()) return NAN;
  std::sort(samples.begin(), samples.end());
  const auto index =
      static_cast<std::size_t>(std::lround(fraction * static_cast<double>(samples.size() - 1)));
  return samples[index];
}

double Microseconds(Clock::time_point start, Clock::time_point end) {
  return std::chrono::duration<double, std::micro>(end - start).count();
}

void Row(const std::string& measure, const std::string& value, const std::string& note) {
  std::printf("ROW\t%s\t%s\t%s\n", measure.c_str(), value.c_str(), note.c_str());
  std::fflush(stdout);
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Between one key and the next: far quicker than a user clicks.
constexpr useconds_t kPause = 20000;
// How long a person holds the button down in a click.
constexpr auto kHeldClick = 80ms;

// One on-screen keyboard: how to start it, and where its key is when known.
struct Keyboard {
  std::string name;
  std::vector<std::string> argv;
  std::string directory;                                // to start it from
  std::optional<Point> (*key_point)(Display*, Window);  // nothing: search the window
  bool floor = false;  // the reference that only sends its key, no peer
};

std::string Spread(const std::vector<double>& samples) {
  if (samples.empty()) return "no sample";
  return Format("min %.1f", *std::min_element(samples.begin(), samples.end())) +
         Format(", max %.1f", *std::max_element(samples.begin(), samples.end()));
}

// Start-up to the window mapped, median of `starts` runs of each keyboard,
// the keyboards in turn so that each meets the same load of the machine.
std::vector<double> MeasureStartUp(const std::vector<Keyboard>& keyboards, int starts) {
  std::vector<std::vector<double>> samples(keyboards.size());
  Server server;
  for (int run = 0; server.started() && run < starts; ++run) {
    for (std::size_t k = 0; k < keyboards.size(); ++k) {
      usleep(kPause);
      server.application().Drain();
      const Clock::time_point started = Clock::now();
      const pid_t pid = Spawn(keyboards[k].argv, server.name(), keyboards[k].directory);
      const bool mapped = server.application().WaitForMappedWindow(10s).has_value();
      const Clock::time_point shown = Clock::now();
      Stop(pid);
      if (mapped) samples[k].push_back(Microseconds(started, shown) / 1000.0);
    }
  }
  for (std::size_t k = 0; k < keyboards.size(); ++k) {
    Row("start-up to mapped window: " + keyboards[k].name,
        Format("%.1f ms", Percentile(samples[k], 0.5)),
        Spread(samples[k]) + ", " + std::to_string(samples[k].size()) + " of " +
            std::to_string(starts) + " starts");
  }
  std::vector<double> medians;
  for (const auto& one : samples) medians.push_back(Percentile(one, 0.5));
  return medians;
}

enum class ClickKind { Held, Fast };
constexpr ClickKind kClickKinds[] = {ClickKind::Held, ClickKind::Fast};

std::string KindName(ClickKind kind) { return kind == ClickKind::Held ? "held" : "fast"; }

// What one keyboard's clicks took, from every round.
struct Samples {
  std::vector<double> direct;  // a direct XTest key to its KeyPress, on the same servers
  std::vector<double> clicked[2];
  int lost[2] = {0, 0};
  int clicks = 0;               // of each kind
  double cpu_microseconds = 0;  // the keyboard's own, while it was clicked
  bool found = false;
};

// The time a process has run on a processor so far, in microseconds.
double ProcessorTime(pid_t pid) {
  std::ifstream schedstat("/proc/" + std::to_string(pid) + "/schedstat");
  double nanoseconds = 0;
  schedstat >> nanoseconds;
  return nanoseconds / 1000.0;
}

// A held click: the button down for kHeldClick, then up; the time from the
// release to the first key event after it. Nothing when no key came.
std::optional<double> HeldClick(Application& application, Point at) {
  application.Press(at);
  const Clock::time_point release_at = Clock::now() + kHeldClick;
  std::optional<KeyArrival> early;
  while (const auto key = application.WaitForKeyEvent(release_at)) {
    if (key->press) early = key;
  }
  const Clock::time_point released = application.Release();
  const auto key = application.WaitForKeyEvent(released + 2s);
  if (!key) return std::nullopt;
  const double taken = Microseconds(released, key->received);
  if (key->press) {
    application.WaitForKeyEvent(Clock::now() + 2s);  // its release
  } else if (!early) {
    return std::nullopt;  // the release of a key pressed before
  }
  return taken;
}

// A fast click: press and release at once; the time to the KeyPress.
std::optional<double> FastClick(Application& application, Point at) {
  const Clock::time_point click = application.Click(at);
  const auto key = application.WaitForKey(2s);
  if (!key) return std::nullopt;
  return Microseconds(click, key->received);
}

// One keyboard alone on a server of its own, ready to be clicked.
struct Rig {
  const Keyboard* keyboard = nullptr;
  std::unique_ptr<Server> server = std::make_unique<Server>();
  pid_t pid = -1;
  std::optional<Point> key;  // nothing: no key button found
  Samples samples;
};

// Starts the keyboard on a fresh server and finds the point of its key.
void SetUp(Rig& rig) {
  if (!rig.server->started()) return;
  Application& application = rig.server->application();
  rig.pid = Spawn(rig.keyboard->argv, rig.server->name(), rig.keyboard->directory);
  const std::optional<Window> window = application.WaitForMappedWindow(10s);
  if (!window) return;
  Display* display = rig.server->display();
  XMoveWindow(display, *window, 340, 260);
  usleep(500000);  // settled: moved, fonts loaded, first expose drawn
  application.Focus();
  application.Drain();
  rig.key = rig.keyboard->key_point != nullptr ? rig.keyboard->key_point(display, *window)
                                               : FindTypingPoint(display, *window, application);
}

// One click of `kind` on the rig's keyboard, after a direct key on its
// server.
void ClickOnce(Rig& rig, ClickKind kind) {
  Application& application = rig.server->application();
  Samples& samples = rig.samples;
  // A pause as between a user's clicks: each click finds the keyboard idle,
  // done with redrawing after the one before.
  usleep(kPause);
  const Clock::time_point sent = application.SendDirectKey();
  if (const auto key = application.WaitForKey(2s)) {
    samples.direct.push_back(Microseconds(sent, key->received));
  }
  usleep(kPause);
  const std::optional<double> taken =
      kind == ClickKind::Held ? HeldClick(application, *rig.key) : FastClick(application, *rig.key);
  const auto index = static_cast<std::size_t>(kind);
  if (taken) {
    samples.clicked[index].push_back(*taken);
  } else {
    ++samples.lost[index];
  }
}

struct Share {
  std::string name;
  bool floor = false;
  double median[2] = {NAN, NAN};
  double p99[2] = {NAN, NAN};
  int lost[2] = {0, 0};
};

// Each keyboard alone on a server of its own, all of them running at once
// and clicked in turn, click by click, so that each meets the same load of
// the machine; reports each keyboard's share of both kinds of click.
std::vector<Share> MeasureShares(const std::vector<Keyboard>& keyboards, int clicks) {
  std::vector<Rig> rigs(keyboards.size());
  for (std::size_t k = 0; k < keyboards.size(); ++k) {
    rigs[k].keyboard = &keyboards[k];
    SetUp(rigs[k]);
    rigs[k].samples.found = rigs[k].key.has_value();
    rigs[k].samples.cpu_microseconds = -ProcessorTime(rigs[k].pid);
  }
  for (int i = 0; i < clicks; ++i) {
    for (const ClickKind kind : kClickKinds) {
      for (Rig& rig : rigs) {
        if (rig.key) ClickOnce(rig, kind);
      }
    }
  }
  std::vector<Samples> samples;
  for (Rig& rig : rigs) {
    rig.samples.cpu_microseconds += ProcessorTime(rig.pid);
    Stop(rig.pid);
    rig.samples.clicks = clicks;
    samples.push_back(rig.samples);
  }
  rigs.clear();

  std::vector<Share> shares;
  for (std::size_t k = 0; k < keyboards.size(); ++k) {
    const Samples& one = samples[k];
    const double floor = Percentile(one.direct, 0.5);
    for (const ClickKind kind : kClickKinds) {
      const std::string row =
          "click-to-key share, " + KindName(kind) + " click: " + keyboards[k].name;
      if (!one.found) {
        Row(row, "-", "no key button found to click");
        continue;
      }
      const auto index = static_cast<std::size_t>(kind);
      const double median = Percentile(one.clicked[index], 0.5);
      Row(row, Format("%.0f us", median - floor),
          Format("p99 %.0f us", Percentile(one.clicked[index], 0.99) - floor) +
              Format(kind == ClickKind::Held ? "; release to key median %.0f us"
                                             : "; click to KeyPress median %.0f us",
                     median) +
              Format(", direct XTest key %.0f us", floor) + "; " + std::to_string(one.lost[index]) +
              " of " + std::to_string(one.clicks) + " clicks lost");
    }
    if (!one.found) continue;
    Row("processor time per click: " + keyboards[k].name,
        Format("%.0f us", one.cpu_microseconds / (2.0 * one.clicks)),
        "the keyboard process's own, averaged over all its clicks of both kinds");
    Share share{keyboards[k].name, keyboards[k].floor};
    for (std::size_t index = 0; index < 2; ++index) {
      share.median[index] = Percentile(one.clicked[index], 0.5) - floor;
      share.p99[index] = Percentile(one.clicked[index], 0.99) - floor;
      share.lost[index] = one.lost[index];
    }
    shares.push_back(share);
  }
  return shares;
}

void Note(const std::string& text) {
  std::printf("NOTE\t%s\n", text.c_str());
  std::fflush(stdout);
}

std::string Verdict(bool met) { return met ? "met" : "missed"; }

// Plinth's share may be this many times the floor's.
constexpr double kFloorRatio = 1.1;

// Plinth (the first) against its targets, for each kind of click: a median
// share at most kFloorRatio times the floor's and below every peer's, p99
// under 2 ms, no click lost; start-up at or below the fastest peer.
void JudgeTargets(const std::vector<Share>& shares, const std::vector<double>& start_ups) {
  if (shares.empty() || shares[0].name != "Plinth") {
    Note("Plinth's share was not measured.");
    return;
  }
  const Share& plinth = shares[0];
  for (const ClickKind kind : kClickKinds) {
    const auto index = static_cast<std::size_t>(kind);
    const std::string name = kind == ClickKind::Held ? "Held click" : "Fast click";
    double best_peer = INFINITY;
    double floor = NAN;
    for (std::size_t k = 1; k < shares.size(); ++k) {
      if (shares[k].floor) {
        floor = shares[k].median[index];
      } else {
        best_peer = std::min(best_peer, shares[k].median[index]);
      }
    }
    const double median = plinth.median[index];
    if (!std::isnan(floor)) {
      Note(name + ": median share at most " + Format("%.1f", kFloorRatio) + " times the floor's: " +
           Verdict(median <= kFloorRatio * floor) + Format(" (Plinth %.0f us,", median) +
           Format(" floor %.0f us,", floor) + Format(" ratio %.2f).", median / floor));
    }
    if (!std::isinf(best_peer)) {
      Note(name + ": median share below every peer's: " + Verdict(median < best_peer) +
           Format(" (Plinth %.0f us,", median) + Format(" fastest peer %.0f us).", best_peer));
    }
    Note(name + ": p99 share under 2 ms: " + Verdict(plinth.p99[index] < 2000) +
         Format(" (%.0f us).", plinth.p99[index]));
    Note(name + ": no click lost: " + Verdict(plinth.lost[index] == 0) + " (" +
         std::to_string(plinth.lost[index]) + " lost).");
  }
  if (start_ups.size() < 2) return;
  const double fastest_peer = *std::min_element(start_ups.begin() + 1, start_ups.end());
  Note("Start-up at or below the fastest peer: " + Verdict(start_ups[0] <= fastest_peer) +
       Format(" (Plinth %.1f ms,", start_ups[0]) + Format(" fastest peer %.1f ms).", fastest_peer));
}

// Plinth's button of cell 1, which its test layout makes an "a".
std::optional<Point> PlinthCellOne(Display* display, Window window) {
  Point at;
  Window child = 0;
  constexpr int kMiddle = plinth::platform::design::kButtonSize / 2;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), kMiddle, kMiddle, &at.x, &at.y,
                        &child);
  return at;
}

// The middle of the floor keyboard's one-button window.
std::optional<Point> WindowMiddle(Display* display, Window window) {
  const auto [origin, size] = WindowBox(display, window);
  return Point{origin.x + size.x / 2, origin.y + size.y / 2};
}

}  // namespace

int main(int argc, char** argv) {
  int clicks = 300;
  int starts = 10;
  bool peers = true;
  bool words = false;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--no-peers") peers = false;
    if (std::string(argv[i]) == "--words") words = true;
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::string(argv[i]) == "--clicks") clicks = std::max(1, std::atoi(argv[i + 1]));
    if (std::string(argv[i]) == "--starts") starts = std::max(1, std::atoi(argv[i + 1]));
  }

  // Plinth from two directories of its own: the bundled layouts for the
  // start-up, a layout whose cell 1 types "a" for the clicks.
  const fs::path work = fs::temp_directory_path() / ("plinth-latency-" + std::to_string(getpid()));
  const fs::path bundled = work / "bundled";
  const fs::path one_key = work / "one-key";
  for (const fs::path& directory : {bundled, one_key}) {
    fs::create_directories(directory);
    fs::copy_file(PLINTH_BINARY, directory / "plinth", fs::copy_options::overwrite_existing);
  }
  for (const auto& entry : fs::directory_iterator(PLINTH_LAYOUT_DIR)) {
    if (entry.path().extension() == ".ini") {
      fs::copy_file(entry.path(), bundled / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
    }
  }
  std::ofstream(one_key / "Default.ini")
      << "[Button1]\r\nCaption=a\r\n"
      << (words ? "[Button2]\r\nType=ACTION\r\nHandler=DEFAULT\r\nAction=WORD\r\nParam1=1\r\n"
                : "");
  if (words) {
    fs::copy_file(PLINTH_WORD_LIST, one_key / "English.words",
                  fs::copy_options::overwrite_existing);
  }
  std::ofstream(one_key / "Extend.ini") << "";

  std::vector<Keyboard> clicked{
      {"Plinth", {(one_key / "plinth").string()}, one_key.string(), PlinthCellOne},
      {"matchbox-keyboard", {"matchbox-keyboard"}, "", nullptr},
      {"xvkbd", {"xvkbd"}, "", nullptr},
  };
  std::vector<Keyboard> started = clicked;
  started[0].argv = {(bundled / "plinth").string()};
  started[0].directory = bundled.string();
  for (std::size_t k = clicked.size(); k-- > 1;) {
    if (!peers) {
      clicked.erase(clicked.begin() + static_cast<std::ptrdiff_t>(k));
      started.erase(started.begin() + static_cast<std::ptrdiff_t>(k));
    } else if (!Installed(clicked[k].argv[0])) {
      Row("click-to-key share: " + clicked[k].name, "-", "not installed");
      clicked.erase(clicked.begin() + static_cast<std::ptrdiff_t>(k));
      started.erase(started.begin() + static_cast<std::ptrdiff_t>(k));
    }
  }
  clicked.push_back(
      {"minimal XTest keyboard (floor)", {MINIMAL_KEYBOARD_BINARY}, "", WindowMiddle, true});
  const std::vector<Share> shares = MeasureShares(clicked, clicks);
  const std::vector<double> start_ups = MeasureStartUp(started, starts);
  JudgeTargets(shares, start_ups);

  std::error_code ignored;
  fs::remove_all(work, ignored);
  return 0;
}
