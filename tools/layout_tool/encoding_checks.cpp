#include "tools/layout_tool/encoding_checks.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <string_view>

#include "tools/layout_tool/quoted_text.h"

namespace plinth::layout_tool {
namespace {

// The line number (1-based) of each offset in `text`, with the line ends
// the reader knows: CR LF, LF or a lone CR.
class LineNumbers {
 public:
  explicit LineNumbers(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
        ends_.push_back(i);
      }
    }
  }
  int At(std::size_t offset) const {
    const auto ends_before = std::lower_bound(ends_.begin(), ends_.end(), offset) - ends_.begin();
    return static_cast<int>(ends_before) + 1;
  }

 private:
  std::vector<std::size_t> ends_;
};

void AppendUtf8(char32_t code_point, std::string& text) {
  const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
  if (code_point < 0x800) {
    text += byte(0xC0 | (code_point >> 6U));
  } else if (code_point < 0x10000) {
    text += byte(0xE0 | (code_point >> 12U));
    text += byte(0x80 | ((code_point >> 6U) & 0x3FU));
  } else {
    text += byte(0xF0 | (code_point >> 18U));
    text += byte(0x80 | ((code_point >> 12U) & 0x3FU));
    text += byte(0x80 | ((code_point >> 6U) & 0x3FU));
  }
  text += byte(0x80 | (code_point & 0x3FU));
}

std::string Describe(char32_t code_point) {
  if (code_point == platform::LostCharacter::kNoCharacter) return "bytes that encode no character";
  std::array<char, 16> number{};
  std::snprintf(number.data(), number.size(), "U+%04X", static_cast<unsigned>(code_point));
  std::string text = "\"";
  AppendUtf8(code_point, text);
  return text + "\" (" + number.data() + ")";
}

// What the keyboard makes of a key line's value.
std::string Effect(const ProfileLine* line) {
  const std::string value = ShortQuoted(line->value);
  const std::string key = FoldName(line->key);
  if (key == "caption") return ": the button shows " + value;
  return ": " + std::string(line->key) + " is " + value;
}

}  // namespace

void CheckLostCharacters(const std::string& text, const std::vector<platform::LostCharacter>& lost,
                         const ProfileLines& lines, Findings& findings) {
  if (lost.empty()) return;
  const LineNumbers numbers(text);
  std::map<int, std::string> characters_by_line;
  for (const platform::LostCharacter& character : lost) {
    std::string& described = characters_by_line[numbers.At(character.offset)];
    if (!described.empty()) described += ", ";
    described += Describe(character.code_point);
  }
  for (const auto& [number, characters] : characters_by_line) {
    const auto index = static_cast<std::size_t>(number - 1);
    const ProfileLine* line = index < lines.lines().size() ? &lines.lines()[index] : nullptr;
    findings.Add(number, characters + " cannot be written in Windows-1252" +
                             (line != nullptr && line->kind == LineKind::KeyValue
                                  ? Effect(line)
                                  : std::string(" and is read as \"?\"")));
  }
}

}  // namespace plinth::layout_tool
