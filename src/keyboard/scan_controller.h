#pragma once

// Switch scanning for the keyboard window: it reads the settings, keeps the
// scanner's rows in step with the layer on show, times AUTO's steps on the
// platform's scan timer, hands the switch keys the window reports to the
// scanner, shows what is lit, and passes a choice to the keyboard. While
// scanning is on, the window holds the switch keys for the keyboard alone.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/keyboard_window.h"
#include "platform/platform.h"
#include "src/layout/scan_setting.h"
#include "src/scan/scanner.h"

namespace plinth {

class ScanController {
 public:
  // Whether the button of a cell does anything in the layer on show.
  using InUse = std::function<bool(int cell)>;
  // Acts on a chosen stop.
  using Choose = std::function<void(scan::Stop stop)>;

  ScanController(platform::Timer& timer, platform::KeyboardWindow& window, InUse in_use,
                 Choose choose);
  // Gives the switch keys back.
  ~ScanController();
  ScanController(const ScanController&) = delete;
  ScanController& operator=(const ScanController&) = delete;

  // Keeps the settings of the start-up layout for Configure().
  void KeepSetting(ScanSettingTexts texts) { texts_ = std::move(texts); }
  // Starts scanning when the kept setting asks for it; returns what is
  // wrong with the setting, one line a value.
  std::vector<std::string> Configure();
  // The popup item "Scanning" and the SCAN action: off, or on in the mode
  // of the setting (AUTO when it says OFF).
  void Toggle();
  bool running() const { return scanner_.running(); }
  const scan::Scanner& scanner() const { return scanner_; }
  const ScanSetting& setting() const { return setting_; }

  // The layer on show, or what its buttons do, may have changed.
  void RowsChanged();
  // What the window reports of the switch keys.
  void SwitchKeyPressed(std::uint16_t code);
  void SwitchKeyReleased(std::uint16_t code);
  // Shows a modal dialog; while it is open its OK is the only stop.
  void RunDialog(const std::function<void()>& show);

 private:
  void Start();
  void Stop();
  std::optional<scan::Switch> SwitchOf(std::uint16_t code) const;
  // After every change of the scanner: the frame and the timer follow.
  void Follow();
  void Tick();

  platform::Timer& timer_;
  platform::KeyboardWindow& window_;
  InUse in_use_;
  Choose choose_;
  ScanSettingTexts texts_;
  ScanSetting setting_;
  scan::ScanMode chosen_mode_ = scan::ScanMode::Auto;
  scan::Scanner scanner_;
  bool dialog_open_ = false;
  bool ticking_ = false;
  bool grabbed_ = false;
  platform::ScanHighlight shown_;
};

}  // namespace plinth
