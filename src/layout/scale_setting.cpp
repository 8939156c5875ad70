#include "src/layout/scale_setting.h"

#include <algorithm>

namespace plinth {

ScaleSetting ParseScaleSetting(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.empty() && text.back() == '%') text.remove_suffix(1);
  if (text.empty()) return {};
  int percent = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return {.percent = std::nullopt, .valid = false};
    // Saturates: a huge number is as large as the largest scale.
    percent = std::min(percent * 10 + (c - '0'), kLargestScale * 10);
  }
  return {.percent = std::clamp(percent, kSmallestScale, kLargestScale)};
}

}  // namespace plinth
