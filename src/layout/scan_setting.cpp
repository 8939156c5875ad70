#include "src/layout/scan_setting.h"

#include <algorithm>

#include "src/layout/profile_values.h"
#include "src/postkeys/key_names.h"

namespace plinth {
namespace {

using std::chrono::milliseconds;

std::string Decimal(std::int64_t value) { return std::to_string(value); }

// An integer setting: absent keeps `fallback`; no number or out of range
// says so and uses `fallback` or the nearest bound.
std::int64_t ReadBounded(std::string_view name, const std::string& text, std::int64_t fallback,
                         std::int64_t least, std::int64_t most, std::string_view unit,
                         std::vector<std::string>& problems) {
  if (text.empty()) return fallback;
  const auto value = ParseProfileInteger(text);
  if (!value) {
    problems.push_back(std::string(name) + " " + text + " is no number; " + Decimal(fallback) +
                       std::string(unit) + " is used");
    return fallback;
  }
  const std::int64_t used = std::clamp<std::int64_t>(*value, least, most);
  if (used != *value) {
    problems.push_back(std::string(name) + " " + text + " is outside " + Decimal(least) + ".." +
                       Decimal(most) + std::string(unit) + "; " + Decimal(used) +
                       std::string(unit) + " is used");
  }
  return used;
}

std::uint16_t ReadKey(std::string_view name, const std::string& text, std::uint16_t fallback,
                      std::string_view fallback_name, std::vector<std::string>& problems) {
  if (text.empty()) return fallback;
  const std::string upper = AsciiUpper(text);
  const std::uint16_t code = LookupKeyName(std::string_view(upper).substr(0, kMaxKeyNameLength));
  if (code != NotFoundKey) return code;
  problems.push_back(std::string(name) + " " + text + " is no key name; " +
                     std::string(fallback_name) + " is used");
  return fallback;
}

}  // namespace

ScanSetting ParseScanSetting(const ScanSettingTexts& texts) {
  ScanSetting setting;
  auto& problems = setting.problems;
  const std::string mode = AsciiUpper(texts.mode);
  if (mode == "AUTO") {
    setting.mode = scan::ScanMode::Auto;
  } else if (mode == "STEP") {
    setting.mode = scan::ScanMode::Step;
  } else if (!mode.empty() && mode != "OFF") {
    problems.push_back("Scan " + texts.mode + " is none of AUTO, STEP, OFF; scanning is off");
  }
  setting.step_time = milliseconds{ReadBounded(
      "ScanTime", texts.step_time, scan::Scanner::kDefaultStep.count(),
      scan::Scanner::kShortestStep.count(), scan::Scanner::kLongestStep.count(), " ms", problems)};
  setting.cycles =
      static_cast<int>(ReadBounded("ScanCycles", texts.cycles, scan::Scanner::kDefaultCycles, 1,
                                   ScanSetting::kMostCycles, "", problems));
  setting.switch_key =
      ReadKey("SwitchKey", texts.switch_key, ScanSetting::kDefaultSwitchKey, "F12", problems);
  setting.step_key =
      ReadKey("StepKey", texts.step_key, ScanSetting::kDefaultStepKey, "F11", problems);
  if (setting.step_key == setting.switch_key) {
    // One key cannot both move and choose.
    const bool f11_free = setting.switch_key != ScanSetting::kDefaultStepKey;
    setting.step_key = f11_free ? ScanSetting::kDefaultStepKey : ScanSetting::kDefaultSwitchKey;
    const std::string shown = texts.step_key.empty() ? "F11" : texts.step_key;
    problems.push_back("StepKey " + shown + " is the SwitchKey too; " + (f11_free ? "F11" : "F12") +
                       " is used");
  }
  return setting;
}

}  // namespace plinth
