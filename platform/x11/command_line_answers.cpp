#include "platform/x11/command_line_answers.h"

#include <filesystem>

namespace plinth::platform::x11 {
namespace {

// The desktop file for the session's autostart folder, installed beside the
// program's share folder: /usr/share/plinth/ for /usr/lib/plinth/plinth.
std::string AutostartFile(FileSystem& files) {
  const std::filesystem::path program(files.ExecutablePath());
  return (program.parent_path() / "../../share/plinth/plinth-autostart.desktop")
      .lexically_normal()
      .string();
}

}  // namespace

std::optional<int> AnswerCommandLine(StartRequest request, FileSystem& files, std::ostream& out,
                                     std::ostream& err) {
  switch (request) {
    case StartRequest::Keyboard:
    case StartRequest::NewKeyboard:
      return std::nullopt;
    case StartRequest::Help:
      out << UsageText(files.LayoutFolders(), AutostartFile(files));
      return 0;
    case StartRequest::Version:
      out << "plinth " << PLINTH_VERSION << '\n';
      return 0;
    case StartRequest::Usage:
      break;
  }
  err << UsageText(files.LayoutFolders(), AutostartFile(files));
  return kUsageExitStatus;
}

}  // namespace plinth::platform::x11
