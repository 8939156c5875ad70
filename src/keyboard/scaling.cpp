#include "src/keyboard/scaling.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace plinth {
namespace {

namespace design = platform::design;

constexpr int kColumns = design::kGridColumns;
// The seventh column reaches two pixels further than the client area, the
// seventh row not at all (222 x 224 at a pitch of 32).
constexpr int kRightOverhang = 2;

// `value` designed at a pitch of 32, at `pitch`, rounded to the nearest.
int Scaled(int value, int pitch) {
  return (value * pitch + design::kButtonStep / 2) / design::kButtonStep;
}

}  // namespace

platform::FormGeometry GeometryForPitch(int pitch) {
  platform::FormGeometry g;
  g.pitch = pitch;
  g.client = {kColumns * pitch - kRightOverhang, kColumns * pitch};
  g.button_size = pitch + 1;
  const int centre = (kColumns / 2) * pitch;
  g.extend_panel = {centre, centre, g.button_size};
  g.panel_border = std::max(1, pitch / design::kButtonStep);
  // The Shift panel sits in the middle of the area inside the border.
  const int inner = g.extend_panel.size - 2 * g.panel_border;
  const int shift_size = Scaled(design::kShiftPanelSize, pitch);
  const int shift_left = centre + g.panel_border + (inner - shift_size) / 2;
  g.shift_panel = {shift_left, shift_left, shift_size};
  g.state_frame = std::max(1, Scaled(2, pitch));
  g.mode_marker = std::max(3, Scaled(6, pitch));
  g.armed_panel_frame = std::max(1, g.state_frame / 2);
  g.dwell_bar.least_height = std::max(3, Scaled(3, pitch));
  g.dwell_bar.frame = std::max(1, Scaled(1, pitch));
  g.scan_frame = std::max(2, Scaled(4, pitch));
  g.button_font = Scaled(12, pitch);
  g.smallest_button_font = std::max(1, Scaled(8, pitch));
  g.window_font = Scaled(11, pitch);
  g.text_font = Scaled(12, pitch);
  return g;
}

platform::FormGeometry GeometryFittedInto(platform::Size client) {
  platform::FormGeometry g = GeometryForPitch(std::max(1, PitchForClientSize(client)));
  const platform::Point offset{(client.width - g.client.width) / 2,
                               (client.height - g.client.height) / 2};
  g.client = client;
  g.grid_origin = offset;
  for (platform::Square* panel : {&g.extend_panel, &g.shift_panel}) {
    panel->left += offset.x;
    panel->top += offset.y;
  }
  return g;
}

int PitchForScale(int percent) {
  const std::int64_t pitch = (std::int64_t{design::kButtonStep} * percent + 50) / 100;
  return static_cast<int>(std::max<std::int64_t>(pitch, 1));
}

int PitchForClientSize(platform::Size client) {
  return std::min((client.width + kRightOverhang) / kColumns, client.height / kColumns);
}

int PitchForDrag(platform::Size dragged, platform::Size current) {
  const int width_moved = std::abs(dragged.width - current.width);
  const int height_moved = std::abs(dragged.height - current.height);
  const int along = width_moved >= height_moved ? dragged.width + kRightOverhang : dragged.height;
  return std::max(1, (along + kColumns / 2) / kColumns);
}

int ScaleForDpi(int dpi) {
  constexpr int kStep = 25;
  const int percent = (dpi * 100 + kDesignedDpi / 2) / kDesignedDpi;
  const int stepped = (percent + kStep / 2) / kStep * kStep;
  return std::max(kSmallestScale, stepped);
}

int PitchLimits::Clamp(int pitch) const { return std::clamp(pitch, smallest, largest); }

PitchLimits LimitsForScreen(platform::Size room, platform::Size frame) {
  const int smallest = PitchForScale(kSmallestScale);
  const int largest = std::min((room.width - frame.width + kRightOverhang) / kColumns,
                               (room.height - frame.height) / kColumns);
  return {.smallest = smallest, .largest = std::max(smallest, largest)};
}

}  // namespace plinth
