#include "tests/x11/support/keyboard_program.h"

#include <algorithm>
#include <fstream>

#include "platform/common/posix_file_system.h"
#include "platform/form_design.h"
#include "src/keyboard/scaling.h"
#include "src/words/sent_key.h"
#include "src/words/word_files.h"
#include "src/words/word_suggestions.h"
#include "tests/x11/support/temp_directory.h"

namespace plinth::x11_test {
namespace {

namespace design = platform::design;

}  // namespace

std::set<int> AllButtonCells() {
  std::set<int> cells;
  for (int cell = 1; cell <= design::kCellCount; ++cell) {
    if (cell != design::kCentreCell) cells.insert(cell);
  }
  return cells;
}

std::set<int> CellsOf(const std::map<int, std::string>& captions) {
  std::set<int> cells;
  for (const auto& entry : captions) cells.insert(entry.first);
  return cells;
}

std::string BundledLayout(const std::string& name) {
  return ReadFile(std::filesystem::path(PLINTH_LAYOUTS_DIR) / (name + ".ini"));
}

std::filesystem::path BundledWordList() {
  return std::filesystem::path(PLINTH_WORDS_DIR) / "English.words";
}

std::string FirstSuggestionFor(const std::string& typed) {
  platform::PosixFileSystem files;
  const words::WordListRead read = words::LoadWordList(files, BundledWordList().string());
  words::LearnedWords learned;
  words::WordSuggestions suggestions(read.list, learned);
  for (const char c : typed) suggestions.KeySent(words::KeyTyping(c));
  return suggestions.Suggestion(1);
}

std::string KeyLayout(const std::map<int, std::string>& captions) {
  std::string text;
  for (const auto& [cell, caption] : captions) {
    text += "[Button" + std::to_string(cell) + "]\r\nType=KEY\r\nCaption=" + caption + "\r\n\r\n";
  }
  return text;
}

ProgramFolder::ProgramFolder(const std::string& prefix, const LayoutFiles& layouts,
                             const StartOptions& start)
    : directory_(MakeTempDirectory(prefix)), start_(start) {
  // A copy, not a link: the program reads its layouts beside the path the
  // system reports for it, which a symbolic link would resolve.
  std::filesystem::copy_file(PLINTH_BINARY, directory_ / "plinth");
  for (const auto& [name, text] : layouts) {
    std::ofstream(directory_ / (name + ".ini"), std::ios::binary) << text;
  }
  const auto user_layouts = directory_ / "config" / "plinth";
  std::filesystem::create_directories(user_layouts);
  for (const auto& [name, text] : start.user_layouts) {
    std::ofstream(user_layouts / (name + ".ini"), std::ios::binary) << text;
  }
  for (const std::filesystem::path& file : start.beside) {
    std::filesystem::copy_file(file, directory_ / file.filename());
  }
}

ProgramFolder::~ProgramFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

ChildOptions ProgramFolder::Options(const std::map<std::string, std::string>& session_env) const {
  ChildOptions options;
  options.argv = {(directory_ / "plinth").string()};
  options.argv.insert(options.argv.end(), start_.args.begin(), start_.args.end());
  options.working_directory = directory_.string();
  options.env = session_env;
  options.env["XDG_CONFIG_HOME"] = (directory_ / "config").string();
  options.env["XDG_DATA_HOME"] = (directory_ / "data").string();
  for (const auto& [name, value] : start_.env) options.env[name] = value;
  options.stdout_path = (directory_ / "stdout.log").string();
  options.stderr_path = (directory_ / "stderr.log").string();
  return options;
}

std::string ProgramFolder::StandardError() const { return ReadFile(directory_ / "stderr.log"); }

KeyboardProgram::KeyboardProgram(XSession& session, const LayoutFiles& layouts,
                                 const StartOptions& start)
    : session_(session), folder_("plinth-x11-e2e-", layouts, start) {
  // Never the Wayland session of whoever runs the tests: the keyboard
  // would start there instead.
  process_ = std::make_unique<ChildProcess>(
      folder_.Options({{"DISPLAY", session_.display_name()}, {"WAYLAND_DISPLAY", ""}}));
}

KeyboardProgram::~KeyboardProgram() { process_.reset(); }

std::optional<Window> KeyboardProgram::WaitForWindow(std::chrono::milliseconds timeout) {
  auto found = x11_test::WaitForWindow(session_.display(), design::kCaption, timeout);
  if (found) window_ = *found;
  return found;
}

std::string KeyboardProgram::StandardError() const { return folder_.StandardError(); }

ScreenPoint KeyboardProgram::AtClient(int x, int y) const {
  const ScreenPoint origin = ClientOrigin(session_.display(), window_);
  return {origin.x + x, origin.y + y};
}

platform::FormGeometry KeyboardProgram::Geometry() const {
  const auto [width, height] = ClientSize(session_.display(), window_);
  return GeometryFittedInto({width, height});
}

ScreenPoint KeyboardProgram::CellCentre(int cell) const {
  const platform::Square place = Geometry().Cell(cell);
  return AtClient(place.left + place.size / 2, place.top + place.size / 2);
}

ScreenPoint KeyboardProgram::Home() const {
  const platform::Square centre = Geometry().extend_panel;
  return AtClient(centre.left + centre.size / 2, centre.top + centre.size / 2);
}

bool KeyboardProgram::CellShowsText(int cell) const {
  // The inside of the button, clear of its bevel and of the client edge.
  const platform::Square place = Geometry().Cell(cell);
  const int inset = 5 * place.size / design::kButtonSize;
  const ScreenPoint corner = AtClient(place.left + inset, place.top + inset);
  const int size = place.size - 2 * inset - 3;
  return DarkPixels(session_.display(), corner.x, corner.y, size, size) > 4;
}

std::set<int> KeyboardProgram::CellsWithText() const {
  std::set<int> cells;
  for (const int cell : AllButtonCells()) {
    if (CellShowsText(cell)) cells.insert(cell);
  }
  return cells;
}

std::set<int> KeyboardProgram::WaitForCellsWithText(const std::set<int>& cells) const {
  std::set<int> seen;
  WaitUntil([&] { return (seen = CellsWithText()) == cells; });
  return seen;
}

Typepad::Typepad(XSession& session, const std::string& title, ScreenPoint where)
    : session_(session), title_(title), directory_(MakeTempDirectory("plinth-x11-typepad-")) {
  ChildOptions options;
  options.argv = {TYPEPAD_BINARY, std::to_string(where.x), std::to_string(where.y), title};
  options.env = {{"DISPLAY", session_.display_name()}};
  options.stdout_path = (directory_ / "typed.log").string();
  process_ = std::make_unique<ChildProcess>(options);
}

Typepad::~Typepad() {
  process_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

std::optional<Window> Typepad::WaitForWindow() {
  auto found = x11_test::WaitForWindow(session_.display(), title_);
  if (found) window_ = *found;
  return found;
}

std::string Typepad::Log() const { return ReadFile(directory_ / "typed.log"); }

bool FocusTypepad(Display* display, const Typepad& typepad, bool has_window_manager) {
  const ScreenPoint origin = ClientOrigin(display, typepad.window());
  ClickAt(display, {origin.x + 100, origin.y + 60});
  if (!has_window_manager) {
    XSetInputFocus(display, typepad.window(), RevertToPointerRoot, CurrentTime);
    XSync(display, False);
  }
  return WaitUntil([&] { return IsWithin(display, FocusedWindow(display), typepad.window()); });
}

std::string TypedText(const std::string& log) {
  std::string text;
  std::size_t line = 0;
  while (line < log.size()) {
    const std::size_t end = std::min(log.find('\n', line), log.size());
    // "key <keysym> <text>": the text follows the second blank.
    const std::size_t keysym_end = log.find(' ', log.find(' ', line) + 1);
    if (keysym_end < end) text += log.substr(keysym_end + 1, end - keysym_end - 1);
    line = end + 1;
  }
  return text;
}

}  // namespace plinth::x11_test
