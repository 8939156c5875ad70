#pragma once

// A profile (INI) file read into memory once and then looked up by the
// rules of the Windows profile reader, so that a layout file written for
// Windows reads the same everywhere:
//
// - Lines end with CR LF, LF or a lone CR; the last line needs no ending.
// - Blanks and tabs at the start and end of a line, around a section name
//   within its brackets, around a key name and around a value are dropped.
// - A line whose first non-blank character is ';' is a comment. '#' starts
//   no comment, and a ';' after a value is part of the value.
// - "[name]" starts a section: the name ends at the last ']' of the line
//   ("[a]b]" names the section a]b) and anything after that ']' is ignored.
//   A '[' line without ']' is read like any other.
// - Any other line is "key=value", split at the first '=' ("a=b=c" sets a to
//   "b=c"). A line without '=', or with nothing before the '=', is ignored,
//   and so is every key before the first section.
// - Section and key names are compared without regard to ASCII letter case;
//   other bytes must match exactly. Blanks and tabs around the names asked
//   for are dropped as well.
// - Of a section that occurs more than once only the first block counts; in
//   a section, the first line of a key counts.
// - A value enclosed in a matching pair of double or single quotes loses
//   them; an unmatched quote stays. A value ends at a NUL byte, as a C
//   string would end it, and is cut to Profile::kMaxValueLength characters.
// - Text is Windows-1252; files in UTF-8 or UTF-16 are decoded into it
//   (profile_text.h).
// - A key the file does not give is reported as missing, never replaced by
//   a default, so that the caller keeps what it had byte for byte.
//
// NUL bytes, binary noise and very large texts are read without harm.
// Reading costs one pass over the text; a lookup costs a hash of the section
// name and a binary search among that section's keys, which are sorted when
// the section is first asked for, so that sections never asked for cost
// nothing more.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"

namespace plinth::platform {

class ProfileFile final : public Profile {
 public:
  // Parses the bytes of a whole file. Throws std::bad_alloc when memory runs
  // out; no other input makes it fail.
  explicit ProfileFile(std::string bytes);

  // Names and values point into the text this object holds.
  ProfileFile(const ProfileFile&) = delete;
  ProfileFile& operator=(const ProfileFile&) = delete;

  std::optional<std::string> FindValue(std::string_view section, std::string_view key) override;

 private:
  // One key line of a section; positions in text_.
  struct Entry {
    std::uint32_t key_offset;
    std::uint32_t key_length;
    std::uint32_t value_offset;
    std::uint32_t value_length;
  };
  // A section's keys: entries_[first, first + count), in file order until
  // the section is first looked up, then sorted by name.
  struct Section {
    std::uint32_t first;
    std::uint32_t count;
    bool sorted;
  };
  struct NameHash {
    std::size_t operator()(std::string_view name) const;
  };
  struct NameEqual {
    bool operator()(std::string_view a, std::string_view b) const;
  };

  void Parse();
  void ReadLine(std::string_view line, Section*& section);
  Section* StartSection(std::string_view name);
  void SortKeys(Section& section);
  std::optional<std::string_view> Find(std::string_view section, std::string_view key);
  std::span<Entry> Keys(const Section& section);
  std::string_view Key(const Entry& entry) const;
  std::string_view Value(const Entry& entry) const;
  std::uint32_t Offset(std::string_view part) const;

  std::string text_;  // the file's text in Windows-1252
  std::vector<Entry> entries_;
  std::unordered_map<std::string_view, Section, NameHash, NameEqual> sections_;
};

}  // namespace plinth::platform
