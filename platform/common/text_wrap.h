#pragma once

// Breaks text into lines no wider than a limit: at blanks where it can, and
// within a word that is wider than a line by itself.

#include <functional>
#include <string>
#include <string_view>

namespace plinth::platform {

// The width of a piece of text, as drawn.
using TextWidth = std::function<double(std::string_view)>;

// `utf8` with its line breaks kept and new ones put in, joined by '\n'.
// Never breaks inside a UTF-8 character; a line holds at least one.
std::string WrapText(std::string_view utf8, double max_width, const TextWidth& width);

}  // namespace plinth::platform
