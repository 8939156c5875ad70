#include "platform/x11/command_line_answers.h"

#include <filesystem>

namespace plinth::platform::x11 {
namespace {

// The desktop file for the session's autostart folder: installed in the
// share folder beside the program's (/usr/share/plinth/ for
// /usr/lib/plinth/plinth), in a build beside the program itself.
std::string AutostartFile(FileSystem& files) {
  const std::filesystem::path folder = std::filesystem::path(files.ExecutablePath()).parent_path();
  const std::string installed =
      (folder / "../../share/plinth/plinth-autostart.desktop").lexically_normal().string();
  const std::string built = (folder / "plinth-autostart.desktop").string();
  return files.FileExists(built) && !files.FileExists(installed) ? built : installed;
}

}  // namespace

std::optional<int> AnswerCommandLine(StartRequest request, FileSystem& files, std::ostream& out,
                                     std::ostream& err) {
  switch (request) {
    case StartRequest::Keyboard:
    case StartRequest::NewKeyboard:
      return std::nullopt;
    case StartRequest::Help:
      out << UsageText(files.LayoutFolders(), AutostartFile(files), WindowSystems::WaylandOrX11);
      return 0;
    case StartRequest::Version:
      out << "plinth " << PLINTH_VERSION << '\n';
      return 0;
    case StartRequest::Usage:
      break;
  }
  err << UsageText(files.LayoutFolders(), AutostartFile(files), WindowSystems::WaylandOrX11);
  return kUsageExitStatus;
}

}  // namespace plinth::platform::x11
