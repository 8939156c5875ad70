#include "platform/testing/test_keyboard.h"

#include <stdexcept>

namespace plinth::test_platform {

using platform::PanelId;

TestKeyboard::TestKeyboard()
    : services{.keys = keys,
               .pointer = pointer,
               .screen = screen,
               .files = files,
               .text = text,
               .app = app} {}

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
  if (const auto panel = PanelAt(pointer.moves().back())) window.MovePointerOver(*panel);
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

}  // namespace plinth::test_platform
