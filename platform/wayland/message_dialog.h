#pragma once

// A message box on a layer surface of its own, centred on the keyboard's
// output, above the keyboard: a title line, an icon, the wrapped text and
// one OK button. It
// takes no keyboard focus, so it is closed by a click on OK or by a dwell
// there (PressOk); every pointer movement over it is reported, so that the
// keyboard's dwell logic can watch the OK button.

#include <functional>
#include <memory>
#include <string>

#include "platform/form_geometry.h"
#include "platform/wayland/layer_window.h"

namespace plinth::platform::wayland {

enum class MessageIcon { Warning, Error };

// Whether the pointer is over OK, and where on the screen.
using DialogPointerMoved = std::function<void(bool over_ok, Point screen_point)>;

class MessageDialog final : public PointerHandler {
 public:
  // Shown at once on `output`, whose area is `monitor`: a popup of
  // `keyboard` when it is shown, its outer top-left corner at
  // `keyboard_outer`, else a window of its own.
  MessageDialog(WaylandConnection& connection, const std::string& title_utf8, MessageIcon icon,
                const std::string& text_utf8, int text_size, const wl_output* output, Rect monitor,
                const LayerWindow* keyboard, Point keyboard_outer,
                DialogPointerMoved pointer_moved);

  bool closed() const { return closed_; }
  void PressOk();
  void ShowDwellProgress(int permille, const DwellBarLook& look);
  void DrawIfNeeded() { window_->DrawIfNeeded(); }

  void PointerEntered(double x, double y) override;
  void PointerMotion(double x, double y) override;
  void PointerLeft() override;
  void PointerButton(std::uint32_t button, bool pressed) override;
  Point ScreenPointAt(double x, double y) const override;

 private:
  void Paint(cairo_t* cairo, Size size) const;
  bool OverOk(double x, double y) const;

  std::string title_;
  MessageIcon icon_;
  int text_size_;
  std::string lines_;
  Rect monitor_;
  Size size_;
  Rect text_area_;
  Rect ok_;
  DialogPointerMoved pointer_moved_;
  std::unique_ptr<LayerWindow> window_;
  bool closed_ = false;
  bool ok_pressed_ = false;
  int dwell_permille_ = 0;
  DwellBarLook dwell_bar_look_;
};

}  // namespace plinth::platform::wayland
