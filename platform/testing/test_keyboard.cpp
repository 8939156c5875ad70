#include "platform/testing/test_keyboard.h"

#include <algorithm>
#include <stdexcept>

namespace plinth::test_platform {

using platform::PanelId;

TestKeyboard::TestKeyboard()
    : services{.keys = keys,
               .pointer = pointer,
               .screen = screen,
               .files = files,
               .text = text,
               .app = app,
               .timer = timer,
               .scan_timer = scan_timer} {}

TestKeyboard::~TestKeyboard() { window.SetEventSink(nullptr); }

void TestKeyboard::PutLayout(const std::string& name, std::string ini_text) {
  files.WriteBesideExecutable(name + ".ini", std::move(ini_text));
}

TForm1& TestKeyboard::Create() {
  form_ = std::make_unique<TForm1>(services, window);
  window.SetEventSink(form_.get());
  form_->FormCreate();
  window.Show();
  return *form_;
}

TForm1& TestKeyboard::form() {
  if (!form_) throw std::logic_error("the keyboard is not created yet");
  return *form_;
}

void TestKeyboard::Click(int cell) {
  const std::size_t moves_before = pointer.moves().size();
  window.ClickButton(cell);
  if (!deliver_pointer_motion_ || pointer.moves().size() == moves_before) return;
  MovePointer(pointer.moves().back());
}

void TestKeyboard::TapSwitch(std::uint16_t code) {
  window.PressSwitchKey(code);
  Wait(std::chrono::milliseconds{10});
  window.ReleaseSwitchKey(code);
}

void TestKeyboard::MovePointer(platform::Point screen_point) {
  if (const auto panel = PanelAt(screen_point)) window.MovePointerOver(*panel);
  window.MovePointerTo(TargetAt(screen_point), screen_point);
}

void TestKeyboard::ArmPanel(PanelId panel) {
  HoverPanel(panel);
  ClickPanel(panel);
}

const TButtonRec& TestKeyboard::Shown(int cell) {
  TForm1& f = form();
  return f.CurrentTable->at(f.CurrentLayer, cell);
}

std::optional<PanelId> TestKeyboard::PanelAt(platform::Point screen_point) {
  const platform::Point outer = window.OuterPosition();
  const platform::Point frame = window.FrameOffset();
  const int x = screen_point.x - outer.x - frame.x;
  const int y = screen_point.y - outer.y - frame.y;
  const auto inside = [x, y](const platform::Square& square) {
    return x >= square.left && x < square.left + square.size && y >= square.top &&
           y < square.top + square.size;
  };
  const platform::FormGeometry& geometry = window.geometry();
  if (inside(geometry.shift_panel)) return PanelId::Shift;
  if (inside(geometry.extend_panel)) return PanelId::Extend;
  return std::nullopt;
}

platform::PointerTarget TestKeyboard::TargetAt(platform::Point screen_point) {
  namespace design = platform::design;
  if (const auto panel = PanelAt(screen_point)) return platform::PointerTarget::Panel(*panel);
  const platform::Point outer = window.OuterPosition();
  const platform::Point frame = window.FrameOffset();
  const int x = screen_point.x - outer.x - frame.x;
  const int y = screen_point.y - outer.y - frame.y;
  const platform::FormGeometry& geometry = window.geometry();
  if (x < 0 || y < 0 || x >= geometry.client.width || y >= geometry.client.height) return {};
  // Neighbours overlap by a pixel, and the later button lies on top.
  const int column = std::min(x / geometry.pitch, design::kGridColumns - 1);
  const int row = std::min(y / geometry.pitch, design::kGridColumns - 1);
  const int cell = row * design::kGridColumns + column + 1;
  if (cell == design::kCentreCell) return {};
  return platform::PointerTarget::Button(cell);
}

platform::Point TestKeyboard::CellCentre(int cell) {
  const platform::Point outer = window.OuterPosition();
  const platform::Point frame = window.FrameOffset();
  const platform::Square square = window.geometry().Cell(cell);
  return {outer.x + frame.x + square.left + square.size / 2,
          outer.y + frame.y + square.top + square.size / 2};
}

}  // namespace plinth::test_platform
