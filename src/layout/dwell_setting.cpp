#include "src/layout/dwell_setting.h"

#include <algorithm>

#include "src/layout/profile_values.h"

namespace plinth {

DwellSetting ParseDwellTime(std::string_view text, std::chrono::milliseconds shortest,
                            std::chrono::milliseconds longest) {
  if (text.empty()) return {};
  const std::string shown(text);
  const auto value = ParseProfileInteger(text);
  if (!value) {
    return {.time = std::chrono::milliseconds{0},
            .problem = "DwellTime " + shown + " is no number; dwell click is off"};
  }
  if (*value == 0) return {};
  const std::chrono::milliseconds wanted{*value};
  const auto time = std::clamp(wanted, shortest, longest);
  if (time == wanted) return {.time = time, .problem = {}};
  return {.time = time,
          .problem = "DwellTime " + shown + " is outside " + std::to_string(shortest.count()) +
                     ".." + std::to_string(longest.count()) + " ms; " +
                     std::to_string(time.count()) + " ms is used"};
}

}  // namespace plinth
