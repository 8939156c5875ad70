#include "tools/layout_tool/layout_tool.h"

#include <iostream>
#include <string_view>

#include "platform/common/profile_text.h"
#include "src/layout/layout_loader.h"
#include "tools/layout_tool/layout_check.h"
#include "tools/layout_tool/layout_dump.h"
#include "tools/layout_tool/layout_reading.h"
#include "tools/layout_tool/profile_lines.h"
#include "tools/layout_tool/word_commands.h"

namespace plinth::layout_tool {
namespace {

constexpr std::string_view kUsage =
    "Usage: plinth-layout check FILE...\n"
    "       plinth-layout dump FILE\n"
    "       plinth-layout suggest [-n N] [--words FILE] [--learn]\n"
    "       plinth-layout clicks LAYOUT TEXTFILE\n"
    "       plinth-layout scan LAYOUT TEXTFILE\n"
    "       plinth-layout --help | --version\n";

constexpr std::string_view kHelp = R"(
Checks and shows Plinth layout files as the keyboard reads them.

  check FILE...  Reports what the keyboard is known to ignore, or to read
                 otherwise than the file seems to say, without a message of
                 its own, one finding a line as FILE:LINE: message: unknown
                 sections and keys, repeated sections and keys, lines the
                 reader drops (a section name without its ']'), characters
                 Windows-1252 cannot hold (read as "?"), unknown Type,
                 Handler, Action and modifier words, a WORD button
                 whose Param1 is no number from 1 to 8, key
                 names that are not in the key table, invalid numbers, values
                 cut at 2047 characters, keys ignored beside Type=Default, a
                 LOADINI of a layout that the keyboard would not find, and
                 keys that type something other than their label shows.
                 Nothing is printed for a clean file.
  dump FILE      Prints the four layers of FILE as the keyboard's loader
                 fills them, cells of the type "Default" taken from
                 Default.ini (see below).
  suggest        Reads standard input line by line, each line being text
                 typed since the line before, taken as written (\n is
                 Enter, \t Tab, \b Backspace, \\ a backslash), and after
                 each line prints the keyboard's word suggestions, at most
                 N (-n, 1 to 8, default 5), tab-separated, best first; an
                 empty line when there is none. --words names a word list
                 (default: English.words, found as a layout is); --learn
                 learns from the lines as the keyboard learns, into a store
                 of its own that starts empty. The words you taught the
                 keyboard are never read or written.
  clicks LAYOUT TEXTFILE
                 Prints the clicks per character that typing TEXTFILE takes
                 with LAYOUT: a click on the Shift or Ext panel for a
                 character of their layers, without the layout's word
                 suggestions and with them (its WORD buttons, learning as
                 the keyboard does from nothing learned).
  scan LAYOUT TEXTFILE
                 Prints the switch-scanning steps (moves of the highlight)
                 and choices (presses that choose) per character that
                 typing TEXTFILE takes with LAYOUT, without and with its
                 word suggestions: rows and stops that do nothing are
                 skipped as the keyboard skips them, and a Shift or Ext
                 character is reached through its panel in the middle row.
                 Suggestions are taken where they save steps.
  --help         Shows this text.
  --version      Shows the version.

Layouts that FILE names (LOADINI, and Default.ini for the cells of the type
"Default") are looked up as the keyboard looks them up: first in your own
folder, $XDG_CONFIG_HOME/plinth/ (~/.config/plinth/), then beside FILE, then
beside the installed keyboard.

Exit status: 0 clean; 1 check found something; 2 a file cannot be read
(also one larger than 4 MB, which the keyboard refuses too), or the command
line is wrong.

Dump format. The first line gives the panels' settings from [Configuration]:

  Configuration: ShiftOperation=TOGGLE Shift2Operation=LATCH

Then comes one line for every record that is neither the template record
(Type "KEY" and nothing else) nor the empty record, layer by layer (base,
Shift, Ext, ExtShift) and within a layer cell by cell (1 to 49), named by
the section that describes it:

  Button7: Type="KEY" Caption="a"
  ShiftButton7: Type="KEY" Caption="A" Shifted=1

Type always comes first; the other fields follow in this order, each only
when it is not empty or zero: Caption, KeyString, IconFile, HomeButton,
Shifted, Control, Shift (SET or CLEAR), Handler, Action, Param1..Param5,
IntParam1..IntParam5. Numbers are decimal; Shifted and Control are 1 when
set. Texts are in double quotes, in UTF-8; a double quote and a backslash
are written \" and \\, control characters and the five bytes Windows-1252
leaves undefined as \xHH.
)";

bool UsesDefaultCells(const std::string& bytes) {
  const ProfileLines lines(platform::DecodeProfileBytes(bytes));
  const TLayerSuffix layer_suffix = MakeLayerSuffix();
  for (int layer = 0; layer < kLayerCount; ++layer) {
    for (int cell = 1; cell <= kCellCount; ++cell) {
      const ProfileLine* type = lines.FindKey(ButtonSectionName(layer_suffix, layer, cell), "Type");
      if (type != nullptr && type->value == "Default") return true;
    }
  }
  return false;
}

void ReportUnreadable(const std::string& path, const FileRead& file, std::ostream& err) {
  err << "plinth-layout: cannot read " << path << ": " << file.error << '\n';
}

int Dump(const std::string& path, const LayoutSearch& search, std::ostream& out,
         std::ostream& err) {
  const FileRead file = ReadFileBytes(path);
  if (!file.bytes) {
    ReportUnreadable(path, file, err);
    return kExitUnreadable;
  }
  const std::vector<std::string> folders = LayoutFoldersFor(path, search);
  const ResolvedLayout layout = ResolveLayout(*file.bytes, folders);
  if (!layout.default_layout_read && UsesDefaultCells(*file.bytes)) {
    err << "plinth-layout: no Default.ini in " << FolderList(folders)
        << ": the cells of the type \"Default\" are empty\n";
  }
  DumpLayout(layout, out);
  return kExitClean;
}

int Check(std::span<const std::string> paths, const LayoutSearch& search, std::ostream& out,
          std::ostream& err) {
  int status = kExitClean;
  for (const std::string& path : paths) {
    const FileRead file = ReadFileBytes(path);
    if (!file.bytes) {
      ReportUnreadable(path, file, err);
      status = kExitUnreadable;
      continue;
    }
    const std::vector<Finding> findings =
        CheckLayout(*file.bytes, path, LayoutFoldersFor(path, search));
    for (const Finding& finding : findings) {
      out << path << ':' << finding.line << ": " << finding.message << '\n';
    }
    if (!findings.empty() && status == kExitClean) status = kExitFindings;
  }
  return status;
}

}  // namespace

int RunLayoutTool(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                  const LayoutSearch& search) {
  const std::string_view command = args.empty() ? std::string_view() : args.front();
  if (command == "--help" || command == "-h") {
    out << kUsage << kHelp;
    return kExitClean;
  }
  if (command == "--version") {
    out << "plinth-layout " << PLINTH_VERSION << '\n';
    return kExitClean;
  }
  if (command == "dump" && args.size() == 2) return Dump(args[1], search, out, err);
  if (command == "suggest") return Suggest(args.subspan(1), std::cin, out, err, search);
  if (command == "clicks") return Clicks(args.subspan(1), out, err, search);
  if (command == "scan") return Scan(args.subspan(1), out, err, search);
  if (command == "check" && args.size() >= 2) return Check(args.subspan(1), search, out, err);
  if (command != "dump" && command != "check") {
    err << "plinth-layout: "
        << (command.empty() ? "no command given"
                            : "unknown command \"" + std::string(command) + "\"")
        << '\n';
  }
  err << kUsage;
  return kExitUnreadable;
}

}  // namespace plinth::layout_tool
