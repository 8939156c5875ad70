#pragma once

// The DwellTime value of [Configuration]: milliseconds of rest that click,
// 0 or absent for no dwell click.

#include <chrono>
#include <string>
#include <string_view>

namespace plinth {

struct DwellSetting {
  std::chrono::milliseconds time{0};  // 0: off
  std::string problem;                // empty, or what was wrong with the value
};

// Reads `text` as the dwell time. A value outside `shortest`..`longest`
// (0 aside) is brought into that range; a value that is no number turns
// dwell click off. Either way `problem` says why.
DwellSetting ParseDwellTime(std::string_view text, std::chrono::milliseconds shortest,
                            std::chrono::milliseconds longest);

}  // namespace plinth
