#pragma once

// A window's event sink that writes down what reaches it, one line each,
// and can be told to fail in a handler.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/keyboard_window.h"

namespace plinth::platform::win32 {

class RecordingEvents final : public WindowEvents {
 public:
  void doclick(std::string_view sender_name) override {
    Record("doclick " + std::string(sender_name));
  }
  void PanelMouseMove(PanelId sender) override { Record("PanelMouseMove " + Name(sender)); }
  void PanelClick(PanelId sender) override { Record("PanelClick " + Name(sender)); }
  void Available1Click(MenuItemId sender) override {
    Record("Available1Click " + std::string(kPopupMenu.at(MenuRow(sender)).caption));
  }
  void FormResize(Size client) override {
    Record("FormResize " + std::to_string(client.width) + "x" + std::to_string(client.height));
  }
  // Answers with the size set by AnswerResizeWith, else the size asked for.
  Size FormCanResize(Size client) override {
    Record("FormCanResize " + std::to_string(client.width) + "x" + std::to_string(client.height));
    return resize_answer_.value_or(client);
  }
  void FormDpiChanged(int dpi) override { Record("FormDpiChanged " + std::to_string(dpi)); }
  // Kept apart from the log: the real pointer may move over the windows.
  void PointerMoved(PointerTarget target, Point /*screen_point*/) override {
    pointer_targets_.push_back(target);
  }

  void MouseButtonPressed() override { Record("MouseButtonPressed"); }
  void MouseButtonReleased(Point /*screen_point*/) override { Record("MouseButtonReleased"); }

  void ScreenChanged() override { Record("ScreenChanged"); }
  void SwitchKeyPressed(std::uint16_t code) override {
    Record("SwitchKeyPressed " + std::to_string(code));
  }
  void SwitchKeyReleased(std::uint16_t code) override {
    Record("SwitchKeyReleased " + std::to_string(code));
  }

  const std::vector<std::string>& log() const { return log_; }
  const std::vector<PointerTarget>& pointer_targets() const { return pointer_targets_; }
  // The next handler throws this failure after recording its event.
  void FailNextWith(std::string message) { failure_ = std::move(message); }
  void AnswerResizeWith(Size client) { resize_answer_ = client; }

 private:
  static std::string Name(PanelId panel) { return panel == PanelId::Shift ? "Shift" : "Extend"; }
  void Record(std::string line) {
    log_.push_back(std::move(line));
    if (!failure_.empty()) {
      const std::string message = std::move(failure_);
      failure_.clear();
      throw std::runtime_error(message);
    }
  }

  std::vector<std::string> log_;
  std::vector<PointerTarget> pointer_targets_;
  std::string failure_;
  std::optional<Size> resize_answer_;
};

}  // namespace plinth::platform::win32
