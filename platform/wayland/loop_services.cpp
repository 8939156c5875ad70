#include "platform/wayland/loop_services.h"

#include <iostream>

#include "platform/common/windows1252.h"

namespace plinth::platform::wayland {

int LoopApplication::Run() {
  loop_.RunUntil([] { return false; });
  return 0;
}

void LoopApplication::ReportOnStandardError(const std::string& text) {
  std::cerr << "plinth: " << Cp1252ToUtf8(text) << std::endl;
}

std::chrono::milliseconds LoopTimer::Now() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

}  // namespace plinth::platform::wayland
