#pragma once

// The Scale value of [Configuration]: the keyboard's size in percent of
// its designed size.

#include <optional>
#include <string_view>

namespace plinth {

inline constexpr int kDesignedScale = 100;  // percent
// Scale settings outside these percentages are brought to the nearer one.
inline constexpr int kSmallestScale = 50;
inline constexpr int kLargestScale = 1000;

// The percentage a Scale setting asks for: digits only, with a "%" after
// them perhaps, brought into kSmallestScale..kLargestScale. Nothing for an
// empty setting (the default) and for one that is not a number.
struct ScaleSetting {
  std::optional<int> percent;
  bool valid = true;
};
ScaleSetting ParseScaleSetting(std::string_view text);

}  // namespace plinth
