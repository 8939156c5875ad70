#pragma once

// Layout-file text (Windows-1252) shown on a terminal.

#include <cstddef>
#include <string>
#include <string_view>

namespace plinth::layout_tool {

// `cp1252` in double quotes, as UTF-8: '"' and '\' escaped with a
// backslash, control characters and the code page's five undefined bytes
// written as \xHH.
std::string QuotedText(std::string_view cp1252);

// As QuotedText, with at most `max_chars` characters of the text followed by
// "..." when it is longer: for messages about huge values.
std::string ShortQuoted(std::string_view cp1252, std::size_t max_chars = 40);

}  // namespace plinth::layout_tool
