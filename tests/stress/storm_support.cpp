#include "tests/stress/storm_support.h"

#include <X11/extensions/XTest.h>

#include <array>
#include <fstream>
#include <string>

#include "platform/form_design.h"

namespace plinth::stress {
namespace {

namespace design = platform::design;

// Offsets inside a panel, each more than the double-click distance from
// the next.
constexpr std::array<int, 3> kShiftOffsets{3, 7, 11};
constexpr std::array<int, 3> kRingOffsets{2, 5, 28};

}  // namespace

void FastClick(Display* display, ScreenPoint point) {
  XTestFakeMotionEvent(display, DefaultScreen(display), point.x, point.y, CurrentTime);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XFlush(display);
}

ScreenPoint ShiftPanelPoint(const x11_test::KeyboardProgram& keyboard, std::size_t turn) {
  const int left = design::kExtendPanelLeft + design::kPanelBorder + design::kShiftPanelOffset;
  const int top = design::kExtendPanelTop + design::kPanelBorder + design::kShiftPanelOffset;
  const int offset = kShiftOffsets[turn % kShiftOffsets.size()];
  return keyboard.AtClient(left + offset, top + offset);
}

ScreenPoint ExtendPanelPoint(const x11_test::KeyboardProgram& keyboard, std::size_t turn) {
  const int offset = kRingOffsets[turn % kRingOffsets.size()];
  return keyboard.AtClient(design::kExtendPanelLeft + offset, design::kExtendPanelTop + 3);
}

std::optional<long> MemoryKilobytes(pid_t pid, const std::string& field) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string word;
  while (status >> word) {
    if (word == field + ":") {
      long kilobytes = 0;
      status >> kilobytes;
      return kilobytes;
    }
  }
  return std::nullopt;
}

}  // namespace plinth::stress
