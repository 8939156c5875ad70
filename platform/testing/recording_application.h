#pragma once

// An application whose end request is only counted.

#include "platform/platform.h"

namespace plinth::test_platform {

class RecordingApplication final : public platform::Application {
 public:
  void Terminate() override { ++terminate_requests_; }
  // There is no message loop: returns at once.
  int Run() override {
    ++runs_;
    return 0;
  }

  int terminate_requests() const { return terminate_requests_; }
  int runs() const { return runs_; }

 private:
  int terminate_requests_ = 0;
  int runs_ = 0;
};

}  // namespace plinth::test_platform
