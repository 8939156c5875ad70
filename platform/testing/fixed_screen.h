#pragma once

// A primary screen of a size the test chooses.

#include "platform/platform.h"

namespace plinth::test_platform {

class FixedScreen final : public platform::ScreenInfo {
 public:
  explicit FixedScreen(platform::Size size = {1024, 768}) : size_(size) {}

  platform::Size PrimaryScreenSize() override { return size_; }
  void set_size(platform::Size size) { size_ = size; }

 private:
  platform::Size size_;
};

}  // namespace plinth::test_platform
