#pragma once

// Monitors and a resolution the test chooses: by default one primary
// monitor of 1024 x 768 at 96 DPI.

#include <optional>
#include <vector>

#include "platform/platform.h"

namespace plinth::test_platform {

class FixedScreen final : public platform::ScreenInfo {
 public:
  explicit FixedScreen(platform::Size size = {1024, 768})
      : monitors_{{0, 0, size.width, size.height}} {}

  platform::Size PrimaryScreenSize() override {
    return {monitors_.front().width, monitors_.front().height};
  }
  std::vector<platform::Rect> Monitors() override { return monitors_; }
  int DotsPerInch() override { return dpi_; }
  platform::Rect WorkArea() override { return work_area_.value_or(monitors_.front()); }

  // A new size of the primary monitor, which stays where it is.
  void set_size(platform::Size size) {
    monitors_.front().width = size.width;
    monitors_.front().height = size.height;
  }
  // The primary monitor first; never empty.
  void set_monitors(std::vector<platform::Rect> monitors) { monitors_ = std::move(monitors); }
  void set_dpi(int dpi) { dpi_ = dpi; }
  void set_work_area(platform::Rect area) { work_area_ = area; }

 private:
  std::vector<platform::Rect> monitors_;
  int dpi_ = 96;
  std::optional<platform::Rect> work_area_;  // the primary monitor unless set
};

}  // namespace plinth::test_platform
