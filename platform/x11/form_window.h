#pragma once

// The keyboard's top-level window. A right-click anywhere in it, on a
// button and on a panel too, opens the popup menu and reaches no widget.

#include <FL/Fl_Double_Window.H>

#include <functional>

namespace plinth::platform::x11 {

class FormWindow final : public Fl_Double_Window {
 public:
  FormWindow(int width, int height, std::function<void()> on_context_menu);
  int handle(int event) override;

 private:
  static void CloseRequested(Fl_Widget* widget, void* data);

  std::function<void()> on_context_menu_;
};

}  // namespace plinth::platform::x11
