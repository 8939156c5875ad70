#pragma once

// The lines of a profile (INI) file as the profile reader sees them, with
// their line numbers: which lines start sections, which give keys, which
// the reader drops. The reader itself (ProfileFile) keeps no line numbers;
// this scan follows the same rules so that a finding can name its line.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plinth::layout_tool {

enum class LineKind {
  Blank,
  Comment,        // first non-blank character ';'
  SectionHeader,  // "[name]"
  KeyValue,       // "key=value"
  NoEquals,       // anything else: dropped by the reader
  EmptyKey,       // "=value": dropped by the reader
};

struct ProfileLine {
  int number = 0;  // 1-based
  LineKind kind = LineKind::Blank;
  std::string_view text;       // the whole line without blanks around it
  std::string_view section;    // SectionHeader: the name between the brackets, trimmed
  std::string_view trailing;   // SectionHeader: what follows the ']', trimmed
  std::string_view key;        // KeyValue: the key name, trimmed
  std::string_view value;      // KeyValue: the value before the length cut
  bool value_has_nul = false;  // KeyValue: the reader ends the value at a NUL byte
  int block = -1;              // the section block the line lies in; -1 before any
};

// One "[name]" and the lines up to the next one.
struct SectionBlock {
  std::string_view name;
  int header_line = 0;
  int first_block = 0;  // the first block of the same name; only that one counts
};

class ProfileLines {
 public:
  // `text` is the file's text after decoding (platform::DecodeProfileBytes).
  explicit ProfileLines(std::string text);
  ProfileLines(const ProfileLines&) = delete;
  ProfileLines& operator=(const ProfileLines&) = delete;

  const std::vector<ProfileLine>& lines() const { return lines_; }
  const std::vector<SectionBlock>& blocks() const { return blocks_; }

  // The block the reader takes `section` from, or nullptr.
  const SectionBlock* FindSection(std::string_view section) const;
  // The line whose value the reader returns for `key` in `section`: the
  // key's first line in the section's first block; nullptr when missing.
  const ProfileLine* FindKey(std::string_view section, std::string_view key) const;
  // Earlier line of the same key in the same block, for a repeated key.
  const ProfileLine* FirstOfKey(const ProfileLine& line) const;

 private:
  void ReadLine(std::string_view line, int number);

  std::string text_;
  std::vector<ProfileLine> lines_;
  std::vector<SectionBlock> blocks_;
  // Folded section name -> first block; (block, folded key) -> first line.
  std::unordered_map<std::string, int> first_blocks_;
  std::unordered_map<std::string, std::size_t> first_keys_;
};

// ASCII letters folded to lower case, as the reader compares names.
std::string FoldName(std::string_view name);

}  // namespace plinth::layout_tool
