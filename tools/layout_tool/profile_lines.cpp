#include "tools/layout_tool/profile_lines.h"

#include <algorithm>

#include "platform/common/profile_syntax.h"

namespace plinth::layout_tool {
namespace {

using platform::TrimBlanks;
using platform::Unquote;

std::string KeyIndex(int block, std::string_view key) {
  return std::to_string(block) + '\n' + FoldName(key);
}

}  // namespace

std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

ProfileLines::ProfileLines(std::string text) : text_(std::move(text)) {
  const std::string_view all = text_;
  std::size_t start = 0;
  int number = 1;
  while (start < all.size()) {
    const std::size_t end = std::min(all.find_first_of("\r\n", start), all.size());
    ReadLine(all.substr(start, end - start), number++);
    start = end + 1;
    if (end + 1 < all.size() && all[end] == '\r' && all[end + 1] == '\n') ++start;
  }
}

void ProfileLines::ReadLine(std::string_view text, int number) {
  ProfileLine line;
  line.number = number;
  line.block = blocks_.empty() ? -1 : static_cast<int>(blocks_.size()) - 1;
  text = TrimBlanks(text);
  line.text = text;

  if (text.empty()) {
    line.kind = LineKind::Blank;
  } else if (text.front() == ';') {
    line.kind = LineKind::Comment;
  } else if (const std::size_t close = text.rfind(']');
             text.front() == '[' && close != std::string_view::npos) {
    line.kind = LineKind::SectionHeader;
    line.section = TrimBlanks(text.substr(1, close - 1));
    line.trailing = TrimBlanks(text.substr(close + 1));
    line.block = static_cast<int>(blocks_.size());
    const auto [first, inserted] = first_blocks_.try_emplace(FoldName(line.section), line.block);
    blocks_.push_back({line.section, number, first->second});
  } else if (const std::size_t equals = text.find('='); equals == std::string_view::npos) {
    line.kind = LineKind::NoEquals;
  } else if (const std::string_view key = TrimBlanks(text.substr(0, equals)); key.empty()) {
    line.kind = LineKind::EmptyKey;
  } else {
    line.kind = LineKind::KeyValue;
    line.key = key;
    std::string_view value = Unquote(TrimBlanks(text.substr(equals + 1)));
    const std::size_t nul = value.find('\0');
    line.value_has_nul = nul != std::string_view::npos;
    line.value = value.substr(0, nul);
    if (line.block >= 0) first_keys_.try_emplace(KeyIndex(line.block, key), lines_.size());
  }
  lines_.push_back(line);
}

const SectionBlock* ProfileLines::FindSection(std::string_view section) const {
  const auto found = first_blocks_.find(FoldName(TrimBlanks(section)));
  return found == first_blocks_.end() ? nullptr : &blocks_[static_cast<std::size_t>(found->second)];
}

const ProfileLine* ProfileLines::FindKey(std::string_view section, std::string_view key) const {
  const auto block = first_blocks_.find(FoldName(TrimBlanks(section)));
  if (block == first_blocks_.end()) return nullptr;
  const auto found = first_keys_.find(KeyIndex(block->second, TrimBlanks(key)));
  return found == first_keys_.end() ? nullptr : &lines_[found->second];
}

const ProfileLine* ProfileLines::FirstOfKey(const ProfileLine& line) const {
  if (line.kind != LineKind::KeyValue || line.block < 0) return nullptr;
  const auto found = first_keys_.find(KeyIndex(line.block, line.key));
  return found == first_keys_.end() ? nullptr : &lines_[found->second];
}

}  // namespace plinth::layout_tool
