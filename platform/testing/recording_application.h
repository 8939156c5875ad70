#pragma once

// An application whose end request is only counted and whose standard
// error is kept.

#include <string>
#include <vector>

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

  void ReportOnStandardError(const std::string& text) override { standard_error_.push_back(text); }

  int terminate_requests() const { return terminate_requests_; }
  // Every line written to standard error, in order.
  const std::vector<std::string>& standard_error() const { return standard_error_; }
  int runs() const { return runs_; }

 private:
  int terminate_requests_ = 0;
  int runs_ = 0;
  std::vector<std::string> standard_error_;
};

}  // namespace plinth::test_platform
