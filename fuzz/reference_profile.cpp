#include "fuzz/reference_profile.h"

#include <cctype>

#include "platform/platform.h"

namespace plinth::fuzz {
namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char Fold(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

ReferenceProfile::ReferenceProfile(std::string_view text) {
  Section* current = nullptr;
  for (std::string_view line : SplitLines(text)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[' && line.find(']') != std::string_view::npos) {
      const std::string_view name = Trim(line.substr(1, line.rfind(']') - 1));  // to the last ']'
      current = nullptr;
      bool seen = false;
      for (const Section& section : sections_) seen = seen || SameName(section.name, name);
      if (!seen) current = &sections_.emplace_back(Section{std::string(name), {}});
      continue;
    }
    const std::size_t equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, equals));
    if (key.empty()) continue;
    std::string_view value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
      value = value.substr(1, value.size() - 2);
    }
    value = value.substr(0, value.find('\0'));
    value = value.substr(0, platform::Profile::kMaxValueLength);
    current->keys.emplace_back(std::string(key), std::string(value));
  }
}

std::optional<std::string> ReferenceProfile::Find(std::string_view section,
                                                  std::string_view key) const {
  section = Trim(section);
  for (const Section& candidate : sections_) {
    if (SameName(candidate.name, section)) return FindIn(candidate, key);
  }
  return std::nullopt;
}

std::optional<std::string> ReferenceProfile::FindIn(const Section& section, std::string_view key) {
  key = Trim(key);
  for (const auto& [name, value] : section.keys) {
    if (SameName(name, key)) return value;
  }
  return std::nullopt;
}

}  // namespace plinth::fuzz
