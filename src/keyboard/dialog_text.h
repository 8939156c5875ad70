#pragma once

// How much of a message a dialog shows.

#include <cstddef>
#include <string>
#include <string_view>

namespace plinth {

// Longest text a dialog shows, in characters: a few lines of a dialog that
// fits on any monitor.
inline constexpr std::size_t kMaxDialogText = 300;

// The Windows-1252 ellipsis.
inline constexpr char kEllipsis = '\x85';

// `text` as a dialog shows it: unchanged up to kMaxDialogText characters;
// a longer text is cut to its start, ending in an ellipsis, kMaxDialogText
// characters in all.
std::string ShortenedForDialog(std::string_view text);

}  // namespace plinth
