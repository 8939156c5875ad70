// plinth: the on-screen keyboard on an X display.

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xlib.h>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/common/backend_choice.h"
#include "platform/common/posix_file_system.h"
#include "platform/common/windows1252.h"
#include "platform/x11/command_line_answers.h"
#include "platform/x11/fltk_timer.h"
#include "platform/x11/keyboard_selection.h"
#include "platform/x11/window_icon.h"
#include "platform/x11/x11_application.h"
#include "platform/x11/x11_keyboard_window.h"
#include "platform/x11/x11_pointer.h"
#include "platform/x11/x11_screen.h"
#include "platform/x11/xtest_key_injector.h"
#include "src/keyboard/command_line.h"
#include "src/keyboard/program.h"
#ifdef PLINTH_WITH_WAYLAND
#include "platform/wayland/wayland_program.h"
#endif

namespace {

int RunOnDisplay(Display* display, plinth::platform::x11::KeyboardSelection& selection) {
  using namespace plinth::platform;
  fl_open_display(display);
  // The keyboard takes no text: no input method need look at its events.
  Fl::disable_im();
  x11::UsePlinthIcon();

  x11::XTestKeyInjector keys(display);
  // Every event passes the injector first, so that its copy of the keymap
  // follows each change before a click is handled.
  Fl::add_system_handler(
      [](void* event, void* injector) {
        static_cast<x11::XTestKeyInjector*>(injector)->HandleEvent(*static_cast<XEvent*>(event));
        return 0;
      },
      &keys);
  x11::X11PointerControl pointer(display);
  x11::X11ScreenInfo screen(display);
  PosixFileSystem files;
  Cp1252TextCase text;
  x11::X11Application app;
  app.EndOnTerminationSignals();
  x11::FltkTimer timer;
  x11::FltkTimer scan_timer;

  Services services{.keys = keys,
                    .pointer = pointer,
                    .screen = screen,
                    .files = files,
                    .text = text,
                    .app = app,
                    .timer = timer,
                    .scan_timer = scan_timer};
  x11::X11KeyboardWindow window([&keys](std::uint16_t code) { return keys.KeycodeOnKeymap(code); });
  keys.OnKeymapChanged([&window] { window.KeymapChanged(); });
  const int status = plinth::RunKeyboard(services, window);
  keys.OnKeymapChanged({});
  // Stopped: a start from now on opens a new keyboard, while this one
  // still gives back what it borrowed.
  selection.GiveUp();
  return status;
}

// One keyboard a display: the exit status of this start when it is to show
// the running keyboard instead of opening one; nothing when it opens one.
// `--new` opens one anyway.
std::optional<int> ShowRunningKeyboard(plinth::platform::x11::KeyboardSelection& selection,
                                       plinth::StartRequest request) {
  using Answer = plinth::platform::x11::KeyboardSelection::Answer;
  // A keyboard that ends between the two steps leaves the selection free;
  // another start may take it meanwhile.
  constexpr int kAttempts = 10;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (selection.Claim() || request == plinth::StartRequest::NewKeyboard) return std::nullopt;
    switch (selection.AskOwnerToShow()) {
      case Answer::Shown:
        return 0;
      case Answer::NoOwner:
        break;
      case Answer::NoAnswer:
        std::cerr << "plinth: the keyboard already running on this display does not answer; "
                     "\"plinth --new\" opens another.\n";
        return 1;
    }
  }
  std::cerr << "plinth: keyboards keep starting and ending on this display; try again.\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const plinth::platform::SwitchOption switch_press = plinth::platform::TakeSwitchOption(args);
  const auto backend = plinth::platform::TakeBackendOption(args);
  if (switch_press == plinth::platform::SwitchOption::Invalid) {
    std::cerr << "plinth: --switch takes one word, \"choose\" or \"step\": the switch pressed.\n";
    return plinth::kUsageExitStatus;
  }
  // A switch press goes to the running keyboard and starts nothing.
  if (switch_press != plinth::platform::SwitchOption::NotGiven && backend && args.empty()) {
#ifdef PLINTH_WITH_WAYLAND
    return plinth::platform::wayland::PassSwitchPress(switch_press, std::cerr);
#else
    std::cerr << "plinth: --switch is for a Wayland session, and this plinth was built "
                 "without Wayland.\n";
    return 1;
#endif
  }
  const plinth::StartRequest request =
      backend && switch_press == plinth::platform::SwitchOption::NotGiven
          ? plinth::ParseCommandLine(args)
          : plinth::StartRequest::Usage;
  {
    plinth::platform::PosixFileSystem files;
    const auto answered =
        plinth::platform::x11::AnswerCommandLine(request, files, std::cout, std::cerr);
    if (answered) return *answered;
  }
#ifdef PLINTH_WITH_WAYLAND
  if (const auto status = plinth::platform::wayland::StartOnWayland(request, *backend, std::cerr)) {
    return *status;
  }
#endif

  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    const char* name = std::getenv("DISPLAY");
    std::cerr << "plinth: cannot open the X display \"" << (name != nullptr ? name : "")
              << "\"; Plinth needs a running X server.\n";
    return 1;
  }
  plinth::platform::x11::KeyboardSelection selection(display,
                                                     plinth::platform::x11::X11Application::Ending);
  if (const auto shown = ShowRunningKeyboard(selection, request)) return *shown;
  try {
    const int status = RunOnDisplay(display, selection);
    // Wait until the server has handled every request, the last key-ups
    // among them: input the server has not handled when the connection
    // closes is lost, and a modifier would stay held down.
    XSync(display, False);
    return status;
  } catch (const std::exception& error) {
    std::cerr << "plinth: " << error.what() << '\n';
    return 1;
  }
}
