#include "platform/wayland/wayland_program.h"

#include <cstdlib>
#include <exception>
#include <string>

#include "platform/common/posix_file_system.h"
#include "platform/common/windows1252.h"
#include "platform/wayland/event_loop.h"
#include "platform/wayland/loop_services.h"
#include "platform/wayland/output_screen.h"
#include "platform/wayland/session_lock.h"
#include "platform/wayland/virtual_keyboard_injector.h"
#include "platform/wayland/virtual_pointer_control.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_keyboard_window.h"
#include "src/keyboard/program.h"

namespace plinth::platform::wayland {
namespace {

int RunOnCompositor(WaylandConnection& connection) {
  EventLoop loop(connection.display());
  loop.EndOnTerminationSignals();
  // The window before the services that ask for its output; the injector
  // last, so that it is destroyed first and its key-ups leave while the
  // connection is open.
  WaylandKeyboardWindow window(connection, loop);
  OutputScreen screen(connection, [&window] { return window.output(); });
  VirtualPointerControl pointer(connection);
  PosixFileSystem files;
  Cp1252TextCase text;
  LoopApplication app(loop);
  LoopTimer timer(loop);
  VirtualKeyboardInjector keys(connection);
  Services services{.keys = keys,
                    .pointer = pointer,
                    .screen = screen,
                    .files = files,
                    .text = text,
                    .app = app,
                    .timer = timer};
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

  const SessionLock lock;
  if (lock.state() == SessionLock::State::HeldByAnother && request != StartRequest::NewKeyboard) {
    errors << "plinth: a keyboard is already running in this Wayland session.\n";
    return 0;
  }
  try {
    return RunOnCompositor(*connection);
  } catch (const std::exception& error) {
    errors << "plinth: " << error.what() << '\n';
    return 1;
  }
}

}  // namespace plinth::platform::wayland
