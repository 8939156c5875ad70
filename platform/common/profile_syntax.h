#pragma once

// The small pieces of profile-file syntax that both the profile reader and
// the layout checker apply to a line: blanks around names and values, and
// one pair of matching quotes around a value.

#include <string_view>

namespace plinth::platform {

inline constexpr std::string_view kProfileBlanks = " \t";

// `text` without blanks and tabs at either end. An all-blank text gives an
// empty view that still points into it.
inline std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kProfileBlanks);
  if (first == std::string_view::npos) return text.substr(text.size());
  return text.substr(first, text.find_last_not_of(kProfileBlanks) - first + 1);
}

// A value enclosed in matching double or single quotes loses them; an
// unmatched quote stays.
inline std::string_view Unquote(std::string_view value) {
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  return quoted ? value.substr(1, value.size() - 2) : value;
}

}  // namespace plinth::platform
