#include "platform/common/profile_file.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/common/profile_syntax.h"
#include "platform/common/profile_text.h"

namespace plinth::platform {
namespace {

// Positions in the text are kept in 32 bits; text beyond that is ignored.
constexpr std::size_t kMaxTextSize = std::numeric_limits<std::uint32_t>::max();

unsigned char FoldAscii(char ch) {
  const auto byte = static_cast<unsigned char>(ch);
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

// Orders names without regard to ASCII letter case: <0, 0 or >0.
int CompareNames(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = FoldAscii(a[i]);
    const unsigned char y = FoldAscii(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace

std::size_t ProfileFile::NameHash::operator()(std::string_view name) const {
  std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a over the folded bytes
  for (const char ch : name) {
    hash = (hash ^ FoldAscii(ch)) * 1099511628211ULL;
  }
  return static_cast<std::size_t>(hash);
}

bool ProfileFile::NameEqual::operator()(std::string_view a, std::string_view b) const {
  return a.size() == b.size() && CompareNames(a, b) == 0;
}

ProfileFile::ProfileFile(std::string bytes) : text_(DecodeProfileBytes(std::move(bytes))) {
  if (text_.size() > kMaxTextSize) text_.resize(kMaxTextSize);
  Parse();
}

std::optional<std::string> ProfileFile::FindValue(std::string_view section, std::string_view key) {
  const auto value = Find(section, key);  // already cut to length while parsing
  if (!value) return std::nullopt;
  return std::string(*value);
}

void ProfileFile::Parse() {
  Section* section = nullptr;  // where key lines go; null outside a section's first block
  const char* const end = text_.data() + text_.size();
  for (const char* line = text_.data(); line != end;) {
    const char* stop = line;
    while (stop != end && *stop != '\n' && *stop != '\r') ++stop;
    ReadLine(std::string_view(line, static_cast<std::size_t>(stop - line)), section);
    if (stop == end) break;
    line = stop + 1;
    if (*stop == '\r' && line != end && *line == '\n') ++line;
  }
}

void ProfileFile::ReadLine(std::string_view line, Section*& section) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() == ';') return;
  if (line.front() == '[') {
    // The name runs to the last ']' of the line: "[a]b]" is the section a]b.
    const std::size_t close = line.rfind(']');
    if (close != std::string_view::npos) {
      section = StartSection(TrimBlanks(line.substr(1, close - 1)));
      return;
    }
  }
  const std::size_t equals = line.find('=');
  if (section == nullptr || equals == std::string_view::npos) return;
  const std::string_view key = TrimBlanks(line.substr(0, equals));
  if (key.empty()) return;
  std::string_view value = Unquote(TrimBlanks(line.substr(equals + 1)));
  value = value.substr(0, value.find('\0'));
  value = value.substr(0, kMaxValueLength);

  entries_.push_back({Offset(key), static_cast<std::uint32_t>(key.size()), Offset(value),
                      static_cast<std::uint32_t>(value.size())});
  ++section->count;
}

ProfileFile::Section* ProfileFile::StartSection(std::string_view name) {
  const auto first = static_cast<std::uint32_t>(entries_.size());
  auto [it, inserted] = sections_.try_emplace(name, Section{first, 0, false});
  // Elements of an unordered_map stay in place when it grows, so the
  // pointer remains valid while later sections are added.
  return inserted ? &it->second : nullptr;
}

// Sorts a section's keys by name; among equal names the earlier line comes
// first, so that a lookup finds the key's first line.
void ProfileFile::SortKeys(Section& section) {
  const std::span<Entry> keys = Keys(section);
  std::sort(keys.begin(), keys.end(), [this](const Entry& a, const Entry& b) {
    const int order = CompareNames(Key(a), Key(b));
    return order != 0 ? order < 0 : a.key_offset < b.key_offset;
  });
  section.sorted = true;
}

std::optional<std::string_view> ProfileFile::Find(std::string_view section_name,
                                                  std::string_view key) {
  const auto found = sections_.find(TrimBlanks(section_name));
  if (found == sections_.end()) return std::nullopt;
  Section& section = found->second;
  if (!section.sorted) SortKeys(section);
  key = TrimBlanks(key);
  const std::span<const Entry> keys = Keys(section);
  const auto entry = std::lower_bound(
      keys.begin(), keys.end(), key,
      [this](const Entry& e, std::string_view k) { return CompareNames(Key(e), k) < 0; });
  if (entry == keys.end() || CompareNames(Key(*entry), key) != 0) return std::nullopt;
  return Value(*entry);
}

std::span<ProfileFile::Entry> ProfileFile::Keys(const Section& section) {
  return std::span(entries_).subspan(section.first, section.count);
}

std::string_view ProfileFile::Key(const Entry& entry) const {
  return std::string_view(text_).substr(entry.key_offset, entry.key_length);
}

std::string_view ProfileFile::Value(const Entry& entry) const {
  return std::string_view(text_).substr(entry.value_offset, entry.value_length);
}

std::uint32_t ProfileFile::Offset(std::string_view part) const {
  return static_cast<std::uint32_t>(part.data() - text_.data());
}

}  // namespace plinth::platform
