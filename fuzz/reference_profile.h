#pragma once

// The profile rules written out as plainly as possible, line by line and
// with linear searches, to check the real reader against: a lookup must
// give the same value from both.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plinth::fuzz {

class ReferenceProfile {
 public:
  // `text` is the file's text after decoding (Windows-1252).
  explicit ReferenceProfile(std::string_view text);

  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;  // file order
  };

  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // The value of the key's first line in `section`.
  static std::optional<std::string> FindIn(const Section& section, std::string_view key);
  const std::vector<Section>& sections() const { return sections_; }

 private:
  std::vector<Section> sections_;  // first blocks only
};

// ASCII-only case-insensitive equality, as names are compared.
bool SameName(std::string_view a, std::string_view b);

}  // namespace plinth::fuzz
