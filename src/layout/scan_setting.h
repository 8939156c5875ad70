#pragma once

// The switch-scanning values of [Configuration]: Scan (AUTO, STEP or OFF),
// ScanTime (milliseconds a step in AUTO), ScanCycles (passes without a
// choice before scanning rests), SwitchKey (the key that chooses) and
// StepKey (the key that moves on, in STEP), both names of the key-name
// table.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "src/scan/scanner.h"

namespace plinth {

// The values as the layout gives them; empty when absent.
struct ScanSettingTexts {
  std::string mode;
  std::string step_time;
  std::string cycles;
  std::string switch_key;
  std::string step_key;
};

struct ScanSetting {
  static constexpr std::uint16_t kDefaultSwitchKey = 0x7B;  // F12
  static constexpr std::uint16_t kDefaultStepKey = 0x7A;    // F11
  static constexpr int kMostCycles = 1000;

  scan::ScanMode mode = scan::ScanMode::Off;
  std::chrono::milliseconds step_time = scan::Scanner::kDefaultStep;
  int cycles = scan::Scanner::kDefaultCycles;
  std::uint16_t switch_key = kDefaultSwitchKey;
  std::uint16_t step_key = kDefaultStepKey;
  // One line for each value that was wrong, saying what is used instead.
  std::vector<std::string> problems;
};

ScanSetting ParseScanSetting(const ScanSettingTexts& texts);

}  // namespace plinth
