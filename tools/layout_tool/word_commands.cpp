#include "tools/layout_tool/word_commands.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <limits>

#include "platform/common/posix_file_system.h"
#include "platform/common/windows1252.h"
#include "src/words/word_files.h"
#include "src/words/word_suggestions.h"
#include "tools/layout_tool/layout_tool.h"
#include "tools/layout_tool/layout_typing.h"
#include "tools/layout_tool/scan_reach.h"
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

namespace {

// The layout and the text that clicks and scan read.
struct LayoutAndText {
  ResolvedLayout layout;
  std::string text;  // Windows-1252, without carriage returns
};

std::optional<LayoutAndText> ReadLayoutAndText(const char* command,
                                               std::span<const std::string> args, std::ostream& err,
                                               const LayoutSearch& search) {
  if (args.size() != 2) {
    err << "plinth-layout: " << command << " takes a layout and a text file\n";
    return std::nullopt;
  }
  const FileRead layout_file = ReadFileBytes(args[0]);
  if (!layout_file.bytes) {
    err << "plinth-layout: cannot read " << args[0] << ": " << layout_file.error << '\n';
    return std::nullopt;
  }
  const FileRead text_file = platform::ReadRegularFile(args[1], words::WordList::kMaxFileSize);
  if (!text_file.bytes) {
    err << "plinth-layout: cannot read " << args[1] << ": " << text_file.error << '\n';
    return std::nullopt;
  }
  LayoutAndText read{ResolveLayout(*layout_file.bytes, LayoutFoldersFor(args[0], search)),
                     platform::Utf8ToCp1252Lossy(*text_file.bytes)};
  std::erase(read.text, '\r');
  return read;
}

// The text typed at the layout's costs without suggestions, and with the
// suggestions of its WORD buttons when it has any.
struct SimulatedTyping {
  word_typing::TypingCost without;
  std::optional<word_typing::TypingCost> with;
};

// `unreachable` is the price of a suggestion or Backspace the layout lacks.
std::optional<SimulatedTyping> SimulateTyping(const std::string& text, const LayoutCosts& costs,
                                              double unreachable, std::ostream& err,
                                              const LayoutSearch& search) {
  word_typing::Prices prices;
  prices.character = [&costs](char c) {
    const auto found = costs.characters.find(c);
    return found == costs.characters.end() ? -1.0 : found->second;
  };
  prices.accept = [&costs, unreachable](std::size_t index) {
    const auto found = costs.suggestions.find(static_cast<int>(index) + 1);
    return found == costs.suggestions.end() ? unreachable : found->second;
  };
  const auto backspace = costs.characters.find('\b');
  prices.backspace = backspace == costs.characters.end() ? unreachable : backspace->second;

  words::LearnedWords unused;
  words::WordSuggestions none(words::WordList(), unused);
  word_typing::CoreSuggester plain(none);
  SimulatedTyping typing{word_typing::TypeText(text, plain, 0, prices), std::nullopt};
  if (costs.suggestions.empty()) return typing;
  const std::optional<words::WordList> list = LoadList("", search, err);
  if (!list) return std::nullopt;
  // As the keyboard starts for a new user: learning on, nothing learned.
  words::LearnedWords learned;
  words::WordSuggestions suggestions(*list, learned);
  word_typing::CoreSuggester keyboard(suggestions);
  const auto shown = static_cast<std::size_t>(costs.suggestions.rbegin()->first);
  typing.with = word_typing::TypeText(text, keyboard, shown, prices);
  return typing;
}

std::size_t Typed(const word_typing::TypingCost& cost) { return cost.characters - cost.untypable; }

void PrintCharacters(std::ostream& out, const std::string& path,
                     const word_typing::TypingCost& cost) {
  out << std::fixed << std::setprecision(3);
  out << path << ": " << cost.characters << " characters";
  if (cost.untypable > 0) {
    out << ", " << cost.untypable << " of which this layout cannot type (not counted)";
  }
  out << '\n';
}

// A scan's steps and choices in one price, steps first so that typing
// takes the way of fewest steps, and exact in a double for any text the
// tool reads.
constexpr double kStepPrice = 1e6;

}  // namespace

int Clicks(std::span<const std::string> args, std::ostream& out, std::ostream& err,
           const LayoutSearch& search) {
  const std::optional<LayoutAndText> read = ReadLayoutAndText("clicks", args, err, search);
  if (!read) return kExitUnreadable;
  const LayoutCosts clicks = CostsOfLayout(read->layout.table, ClicksToReach);
  const std::optional<SimulatedTyping> typing =
      SimulateTyping(read->text, clicks, 1e9, err, search);
  if (!typing) return kExitUnreadable;
  const auto per_character = [](const word_typing::TypingCost& cost) {
    return Typed(cost) == 0 ? 0.0 : cost.cost / static_cast<double>(Typed(cost));
  };
  PrintCharacters(out, args[1], typing->without);
  out << "without suggestions: " << per_character(typing->without) << " clicks per character\n";
  if (!typing->with) {
    out << "with its suggestions: the layout has no WORD buttons\n";
    return kExitClean;
  }
  out << "with its suggestions: " << per_character(*typing->with) << " clicks per character ("
      << typing->with->accepted << " words accepted)\n";
  return kExitClean;
}

int Scan(std::span<const std::string> args, std::ostream& out, std::ostream& err,
         const LayoutSearch& search) {
  const std::optional<LayoutAndText> read = ReadLayoutAndText("scan", args, err, search);
  if (!read) return kExitUnreadable;
  const TButtonArray& table = read->layout.table;
  const LayoutCosts costs = CostsOfLayout(table, [&table](int layer, int cell) {
    const std::optional<ScanReach> reach = ScanReachOf(table, layer, cell);
    return reach ? reach->steps * kStepPrice + reach->choices : -1.0;
  });
  const std::optional<SimulatedTyping> typing =
      SimulateTyping(read->text, costs, std::numeric_limits<double>::infinity(), err, search);
  if (!typing) return kExitUnreadable;
  const auto print = [&out](const char* heading, const word_typing::TypingCost& cost) {
    const double steps = std::floor(cost.cost / kStepPrice);
    const double choices = cost.cost - steps * kStepPrice;
    const auto typed = static_cast<double>(std::max<std::size_t>(Typed(cost), 1));
    out << heading << steps / typed << " steps and " << choices / typed << " choices per character";
  };
  PrintCharacters(out, args[1], typing->without);
  print("without suggestions: ", typing->without);
  out << '\n';
  if (!typing->with) {
    out << "with its suggestions: the layout has no WORD buttons\n";
    return kExitClean;
  }
  print("with its suggestions: ", *typing->with);
  out << " (" << typing->with->accepted << " words accepted)\n";
  return kExitClean;
}

}  // namespace plinth::layout_tool
