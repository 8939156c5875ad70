#include "tools/layout_tool/word_commands.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iomanip>

#include "platform/common/posix_file_system.h"
#include "platform/common/windows1252.h"
#include "src/words/word_files.h"
#include "src/words/word_suggestions.h"
#include "tools/layout_tool/layout_tool.h"
#include "tools/layout_tool/layout_typing.h"
#include "tools/words/core_suggester.h"

namespace plinth::layout_tool {
namespace {

// The word list named on the command line, else the bundled one where the
// keyboard finds it.
std::optional<std::string> WordListPath(const std::string& given, const LayoutSearch& search) {
  if (!given.empty()) return given;
  for (const std::string& folder : {search.user_folder, search.keyboard_folder}) {
    if (folder.empty()) continue;
    std::error_code error;
    if (std::filesystem::is_regular_file(folder + kDefaultWordList, error)) {
      return folder + kDefaultWordList;
    }
  }
  return std::nullopt;
}

std::optional<words::WordList> LoadList(const std::string& given, const LayoutSearch& search,
                                        std::ostream& err) {
  const std::optional<std::string> path = WordListPath(given, search);
  if (!path) {
    std::vector<std::string> folders;
    for (const std::string& folder : {search.user_folder, search.keyboard_folder}) {
      if (!folder.empty()) folders.push_back(folder);
    }
    err << "plinth-layout: no " << kDefaultWordList << " in "
        << (folders.empty() ? "any folder: none is known" : FolderList(folders)) << '\n';
    return std::nullopt;
  }
  platform::PosixFileSystem files;
  words::WordListRead read = words::LoadWordList(files, *path);
  if (!read.error.empty()) {
    err << "plinth-layout: " << read.error << '\n';
    return std::nullopt;
  }
  return std::move(read.list);
}

}  // namespace

std::optional<std::string> KeysOfLine(std::string_view line, std::string& error) {
  std::string keys;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '\\') {
      keys += line[i];
      continue;
    }
    const char escaped = i + 1 < line.size() ? line[++i] : '\0';
    switch (escaped) {
      case 'n':
        keys += '\n';
        break;
      case 't':
        keys += '\t';
        break;
      case 'b':
        keys += '\b';
        break;
      case '\\':
        keys += '\\';
        break;
      default:
        error = escaped == '\0' ? "a \\ ends the line"
                                : std::string("unknown escape \\") + escaped +
                                      " (known: \\n Enter, \\t Tab, \\b Backspace, \\\\)";
        return std::nullopt;
    }
  }
  return keys;
}

int Suggest(std::span<const std::string> args, std::istream& in, std::ostream& out,
            std::ostream& err, const LayoutSearch& search) {
  std::size_t count = 5;
  std::string list_path;
  bool learn = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-n" && i + 1 < args.size()) {
      const std::string& value = args[++i];
      const auto [end, status] = std::from_chars(value.data(), value.data() + value.size(), count);
      if (status != std::errc() || end != value.data() + value.size() || count < 1 ||
          count > words::WordSuggestions::kMaxSuggestions) {
        err << "plinth-layout: -n takes a number from 1 to "
            << words::WordSuggestions::kMaxSuggestions << ", not \"" << value << "\"\n";
        return kExitUnreadable;
      }
    } else if (args[i] == "--words" && i + 1 < args.size()) {
      list_path = args[++i];
    } else if (args[i] == "--learn") {
      learn = true;
    } else {
      err << "plinth-layout: suggest does not take \"" << args[i] << "\"\n";
      return kExitUnreadable;
    }
  }
  const std::optional<words::WordList> list = LoadList(list_path, search, err);
  if (!list) return kExitUnreadable;

  // A store of its own, empty: the user's learned words are never read or
  // written.
  words::LearnedWords learned;
  words::WordSuggestions suggestions(*list, learned);
  suggestions.set_learning(learn);
  word_typing::CoreSuggester keyboard(suggestions);
  std::string line;
  for (std::size_t number = 1; std::getline(in, line); ++number) {
    std::string error;
    const std::optional<std::string> keys = KeysOfLine(line, error);
    if (!keys) {
      err << "plinth-layout: line " << number << ": " << error << '\n';
      return kExitUnreadable;
    }
    for (const char key : platform::Utf8ToCp1252Lossy(*keys)) keyboard.Type(key);
    const std::vector<std::string> shown = keyboard.Suggestions(count);
    for (std::size_t i = 0; i < shown.size(); ++i) {
      out << (i == 0 ? "" : "\t") << platform::Cp1252ToUtf8(shown[i]);
    }
    out << std::endl;
  }
  return kExitClean;
}

int Clicks(std::span<const std::string> args, std::ostream& out, std::ostream& err,
           const LayoutSearch& search) {
  if (args.size() != 2) {
    err << "plinth-layout: clicks takes a layout and a text file\n";
    return kExitUnreadable;
  }
  const FileRead layout_file = ReadFileBytes(args[0]);
  if (!layout_file.bytes) {
    err << "plinth-layout: cannot read " << args[0] << ": " << layout_file.error << '\n';
    return kExitUnreadable;
  }
  const FileRead text_file = platform::ReadRegularFile(args[1], words::WordList::kMaxFileSize);
  if (!text_file.bytes) {
    err << "plinth-layout: cannot read " << args[1] << ": " << text_file.error << '\n';
    return kExitUnreadable;
  }
  const ResolvedLayout layout =
      ResolveLayout(*layout_file.bytes, LayoutFoldersFor(args[0], search));
  const LayoutClicks clicks = ClicksOfLayout(layout.table);
  std::string text = platform::Utf8ToCp1252Lossy(*text_file.bytes);
  std::erase(text, '\r');

  word_typing::Prices prices;
  prices.character = [&clicks](char c) {
    const auto found = clicks.characters.find(c);
    return found == clicks.characters.end() ? -1.0 : found->second;
  };
  prices.accept = [&clicks](std::size_t index) {
    const auto found = clicks.suggestions.find(static_cast<int>(index) + 1);
    return found == clicks.suggestions.end() ? 1e9 : found->second;
  };
  const auto backspace = clicks.characters.find('\b');
  prices.backspace = backspace == clicks.characters.end() ? 1e9 : backspace->second;

  words::LearnedWords unused;
  words::WordSuggestions none(words::WordList(), unused);
  word_typing::CoreSuggester plain(none);
  const word_typing::TypingCost without = word_typing::TypeText(text, plain, 0, prices);
  const auto per_character = [](const word_typing::TypingCost& cost) {
    const std::size_t typed = cost.characters - cost.untypable;
    return typed == 0 ? 0.0 : cost.cost / static_cast<double>(typed);
  };

  out << std::fixed << std::setprecision(3);
  out << args[1] << ": " << without.characters << " characters";
  if (without.untypable > 0) {
    out << ", " << without.untypable << " of which this layout cannot type (not counted)";
  }
  out << '\n' << "without suggestions: " << per_character(without) << " clicks per character\n";
  if (clicks.suggestions.empty()) {
    out << "with its suggestions: the layout has no WORD buttons\n";
    return kExitClean;
  }
  const std::optional<words::WordList> list = LoadList("", search, err);
  if (!list) return kExitUnreadable;
  // As the keyboard starts for a new user: learning on, nothing learned.
  words::LearnedWords learned;
  words::WordSuggestions suggestions(*list, learned);
  word_typing::CoreSuggester keyboard(suggestions);
  const std::size_t shown = static_cast<std::size_t>(clicks.suggestions.rbegin()->first);
  const word_typing::TypingCost with = word_typing::TypeText(text, keyboard, shown, prices);
  out << "with its suggestions: " << per_character(with) << " clicks per character ("
      << with.accepted << " words accepted)\n";
  return kExitClean;
}

}  // namespace plinth::layout_tool
