#pragma once

// The real `plinth` started on a test display from a directory of the
// test's own, with the layout files the test chose beside it; and the
// typepad, a text window to type into.

#include <X11/Xlib.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/form_geometry.h"
#include "tests/support/child_process.h"
#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/x_session.h"

namespace plinth::x11_test {

// Layout file contents by layout name ("Default" for Default.ini).
using LayoutFiles = std::map<std::string, std::string>;

// Every cell of the grid that has a button.
std::set<int> AllButtonCells();
// The cells of `captions`.
std::set<int> CellsOf(const std::map<int, std::string>& captions);

// The text of the layout `name` that comes with the keyboard.
std::string BundledLayout(const std::string& name);

// A layout whose base layer has a KEY button with the caption given per
// cell; every other cell is empty.
std::string KeyLayout(const std::map<int, std::string>& captions);

// How a test starts the keyboard besides the layouts beside it.
struct StartOptions {
  std::vector<std::string> args{};
  // Layout files in the user's folder ($XDG_CONFIG_HOME/plinth/), which is
  // a folder of the test's own, empty unless given here.
  LayoutFiles user_layouts{};
  // Files copied beside the program, such as a word list.
  std::vector<std::filesystem::path> beside{};
  // Environment variables added or replaced last, such as a Wayland
  // session's.
  std::map<std::string, std::string> env{};
};

// The word list that comes with the keyboard.
std::filesystem::path BundledWordList();
// The first suggestion for `typed` typed into a fresh context, as the core
// gives it with the bundled word list and nothing learned.
std::string FirstSuggestionFor(const std::string& typed);

// A folder of the test's own with a copy of `plinth`, the layouts and files
// the test chose beside it, and the user's folders inside it, never those
// of whoever runs the tests; removed at the end.
class ProgramFolder {
 public:
  ProgramFolder(const std::string& prefix, const LayoutFiles& layouts, const StartOptions& start);
  ~ProgramFolder();
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  // How to start the copy with the test's arguments, in this folder and
  // with its output logged here: `session_env` first, the user's folders
  // next, the test's own variables last.
  ChildOptions Options(const std::map<std::string, std::string>& session_env) const;
  std::string StandardError() const;
  const std::filesystem::path& path() const { return directory_; }

 private:
  std::filesystem::path directory_;
  StartOptions start_;
};

class KeyboardProgram {
 public:
  KeyboardProgram(XSession& session, const LayoutFiles& layouts, const StartOptions& start = {});
  ~KeyboardProgram();
  KeyboardProgram(const KeyboardProgram&) = delete;
  KeyboardProgram& operator=(const KeyboardProgram&) = delete;

  // The keyboard window once it is mapped.
  std::optional<Window> WaitForWindow(std::chrono::milliseconds timeout = 10000ms);
  Window window() const { return window_; }
  ChildProcess& process() { return *process_; }
  std::string StandardError() const;
  // The user's data folder of the program ($XDG_DATA_HOME/plinth/), a
  // folder of the test's own.
  std::filesystem::path DataFolder() const { return folder_.path() / "data" / "plinth"; }

  // Screen points of the window's client coordinates; after WaitForWindow.
  ScreenPoint AtClient(int x, int y) const;
  ScreenPoint CellCentre(int cell) const;
  // Where the grid lies at the window's present size: in the middle of a
  // size the window manager imposed.
  platform::FormGeometry Geometry() const;
  // The centre of the centre cell, where the pointer returns.
  ScreenPoint Home() const;
  // Whether the grid button of `cell` shows any text.
  bool CellShowsText(int cell) const;
  // The cells whose buttons show text.
  std::set<int> CellsWithText() const;
  // Waits until exactly `cells` show text; returns the last cells seen.
  std::set<int> WaitForCellsWithText(const std::set<int>& cells) const;

 private:
  XSession& session_;
  ProgramFolder folder_;
  std::unique_ptr<ChildProcess> process_;
  Window window_ = None;
};

class Typepad {
 public:
  Typepad(XSession& session, const std::string& title, ScreenPoint where);
  ~Typepad();
  Typepad(const Typepad&) = delete;
  Typepad& operator=(const Typepad&) = delete;
  std::optional<Window> WaitForWindow();
  Window window() const { return window_; }
  // Everything the typepad logged: one "key <keysym> <text>" line a press.
  std::string Log() const;

 private:
  XSession& session_;
  std::string title_;
  std::filesystem::path directory_;
  std::unique_ptr<ChildProcess> process_;
  Window window_ = None;
};

// Gives the typepad the input focus: by a click on it under a window
// manager, directly without one. Returns whether it has the focus.
bool FocusTypepad(Display* display, const Typepad& typepad, bool has_window_manager);

// The text a typepad log shows typed: the text of every key press in turn.
std::string TypedText(const std::string& log);

}  // namespace plinth::x11_test
