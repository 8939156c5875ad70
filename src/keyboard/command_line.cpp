#include "src/keyboard/command_line.h"

namespace plinth {

StartRequest ParseCommandLine(std::span<const std::string> args) {
  if (args.empty()) return StartRequest::Keyboard;
  if (args.size() > 1) return StartRequest::Usage;
  const std::string& option = args.front();
  if (option == "--new") return StartRequest::NewKeyboard;
  if (option == "--help" || option == "-h") return StartRequest::Help;
  if (option == "--version") return StartRequest::Version;
  return StartRequest::Usage;
}

std::string UsageText(const std::vector<std::string>& layout_folders,
                      const std::string& autostart_file, WindowSystems systems) {
  const bool choice = systems == WindowSystems::WaylandOrX11;
  std::string text =
      choice ? "Usage: plinth [--new] [--wayland | --x11]\n" : "Usage: plinth [--new]\n";
  if (choice) text += "       plinth --switch choose | step\n";
  text +=
      "       plinth --help | --version\n"
      "\n"
      "Plinth is an on-screen keyboard for typing with a pointing device alone:\n"
      "each click on one of its buttons types a key into the application you are\n"
      "working in, and the keyboard never takes the focus. One keyboard runs on a\n"
      "display; starting plinth again shows the running one.\n"
      "\n"
      "  --new      Opens another keyboard, even when one is running.\n";
  if (choice) {
    text +=
        "  --wayland  Runs on Wayland or not at all; without --wayland or --x11,\n"
        "             Plinth runs on Wayland when the compositor lets it type, and\n"
        "             on X11 otherwise.\n"
        "  --x11      Runs on X11, even in a Wayland session.\n"
        "  --switch choose | step\n"
        "             Presses the switch that chooses, or steps, for the keyboard\n"
        "             scanning in this Wayland session: bind it to a key in the\n"
        "             compositor (man plinth).\n";
  }
  text +=
      "  --help     Shows this text.\n"
      "  --version  Shows the version.\n"
      "\n"
      "Layouts are looked up in these folders, in this order:\n";
  for (const std::string& folder : layout_folders) text += "  " + folder + "\n";
  text +=
      "To change a layout, copy it from the last folder into the first one and edit\n"
      "the copy; `plinth-layout check FILE` finds mistakes in it.\n"
      "\n"
      "To start Plinth with your desktop session:\n"
      "  mkdir -p ~/.config/autostart\n"
      "  cp " +
      autostart_file +
      " ~/.config/autostart/\n"
      "\n"
      "More in `man plinth` and in the guide for layout authors, layouts.md\n"
      "(/usr/share/doc/plinth/layouts.md when Plinth is installed).\n";
  return text;
}

}  // namespace plinth
