#include "platform/wayland/wayland_program.h"

#include <chrono>
#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "platform/common/posix_file_system.h"
#include "platform/common/windows1252.h"
#include "platform/wayland/event_loop.h"
#include "platform/wayland/loop_services.h"
#include "platform/wayland/output_screen.h"
#include "platform/wayland/session_lock.h"
#include "platform/wayland/session_requests.h"
#include "platform/wayland/virtual_keyboard_injector.h"
#include "platform/wayland/virtual_pointer_control.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_keyboard_window.h"
#include "src/keyboard/program.h"

namespace plinth::platform::wayland {
namespace {

using namespace std::chrono_literals;

// How long a start waits for the running keyboard's answer, and for a
// keyboard that is ending to let the session go.
constexpr std::chrono::milliseconds kAnswerTimeout = 5s;
constexpr std::chrono::milliseconds kEndingTimeout = 5s;
constexpr std::chrono::milliseconds kEndingPoll = 20ms;

// What the keyboard does for a request through the session's socket.
SessionAnswer Handle(WaylandKeyboardWindow& window, SessionRequest request) {
  using Switch = CompositorSwitches::Switch;
  if (request == SessionRequest::Show) {
    window.BringBack();
    return SessionAnswer::Shown;
  }
  return window.PressSwitch(request == SessionRequest::SwitchChoose ? Switch::Choose
                                                                    : Switch::Step);
}

// `lock` is the session's when this is the session's one keyboard, which
// then shows itself, and takes switch presses, when another start asks.
int RunOnCompositor(WaylandConnection& connection, const SessionLock& lock) {
  EventLoop loop(connection.display());
  loop.EndOnTerminationSignals();
  // The window before the services that ask for its output; the injector
  // last, so that it is destroyed first and its key-ups leave while the
  // connection is open.
  WaylandKeyboardWindow window(connection, loop);
  std::optional<SessionRequests> requests;
  if (lock.state() == SessionLock::State::Taken) {
    requests.emplace(loop, SessionLock::SocketPath(),
                     [&window](SessionRequest request) { return Handle(window, request); });
  }
  OutputScreen screen(connection, [&window] { return window.Area(); });
  VirtualPointerControl pointer(connection);
  PosixFileSystem files;
  Cp1252TextCase text;
  LoopApplication app(loop);
  LoopTimer timer(loop);
  LoopTimer scan_timer(loop);
  VirtualKeyboardInjector keys(connection);
  Services services{.keys = keys,
                    .pointer = pointer,
                    .screen = screen,
                    .files = files,
                    .text = text,
                    .app = app,
                    .timer = timer,
                    .scan_timer = scan_timer};
  const int status = plinth::RunKeyboard(services, window);
  keys.ReleaseAll();
  return loop.connected() ? status : 1;
}

}  // namespace

std::optional<int> StartOnWayland(StartRequest request, BackendRequest backend,
                                  std::ostream& errors) {
  if (backend == BackendRequest::X11) return std::nullopt;
  const bool forced = backend == BackendRequest::Wayland;
  const char* display_name = std::getenv("WAYLAND_DISPLAY");
  const bool session = display_name != nullptr && *display_name != '\0';
  if (!session && !forced) return std::nullopt;

  std::unique_ptr<WaylandConnection> connection = WaylandConnection::Connect();
  if (!connection) {
    errors << "plinth: cannot connect to the Wayland compositor \""
           << (session ? display_name : "wayland-0") << "\""
           << (forced ? ".\n" : "; Plinth starts on X11.\n");
    if (forced) return 1;
    return std::nullopt;
  }
  const std::vector<std::string> missing = connection->MissingProtocols();
  if (!missing.empty()) {
    errors << MissingProtocolsMessage(missing, !forced) << '\n';
    if (forced) return 1;
    return std::nullopt;
  }

  // One keyboard a session: a start shows the running one instead. A
  // keyboard that ends meanwhile lets the session go, and this start opens
  // the next one.
  std::unique_ptr<SessionLock> lock;
  const auto deadline = std::chrono::steady_clock::now() + kEndingTimeout;
  for (;;) {
    lock = std::make_unique<SessionLock>();
    if (lock->state() != SessionLock::State::HeldByAnother ||
        request == StartRequest::NewKeyboard) {
      break;
    }
    lock.reset();
    const SessionAnswer answer =
        AskRunningKeyboard(SessionLock::SocketPath(), SessionRequest::Show, kAnswerTimeout);
    if (answer == SessionAnswer::Shown) {
      errors << "plinth: showed the keyboard already running in this Wayland session.\n";
      return 0;
    }
    if (answer != SessionAnswer::NoOwner) {
      errors << "plinth: the keyboard already running in this Wayland session does not "
                "answer; \"plinth --new\" opens another.\n";
      return 1;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      errors << "plinth: a keyboard in this Wayland session is ending but holds on; try again.\n";
      return 1;
    }
    std::this_thread::sleep_for(kEndingPoll);
  }
  try {
    return RunOnCompositor(*connection, *lock);
  } catch (const std::exception& error) {
    errors << "plinth: " << error.what() << '\n';
    return 1;
  }
}

int PassSwitchPress(SwitchOption which, std::ostream& errors) {
  const char* display_name = std::getenv("WAYLAND_DISPLAY");
  if (display_name == nullptr || *display_name == '\0') {
    errors << "plinth: --switch is for a Wayland session, whose compositor runs it for a bound "
              "key; WAYLAND_DISPLAY is not set.\n";
    return 1;
  }
  const SessionRequest request =
      which == SwitchOption::Choose ? SessionRequest::SwitchChoose : SessionRequest::SwitchStep;
  switch (AskRunningKeyboard(SessionLock::SocketPath(), request, kAnswerTimeout)) {
    case SessionAnswer::Switched:
      return 0;
    case SessionAnswer::NotScanning:
      errors << "plinth: the keyboard running in this Wayland session is not scanning; the "
                "switch press is ignored.\n";
      return 0;
    case SessionAnswer::NoStepSwitch:
      errors << "plinth: the keyboard running in this Wayland session scans with one switch "
                "(Scan=AUTO); the step switch is ignored.\n";
      return 0;
    case SessionAnswer::NoOwner:
      errors << "plinth: no keyboard is running in this Wayland session to take the switch "
                "press.\n";
      return 1;
    case SessionAnswer::Shown:
    case SessionAnswer::NoAnswer:
      break;
  }
  errors << "plinth: the keyboard running in this Wayland session does not answer.\n";
  return 1;
}

}  // namespace plinth::platform::wayland
