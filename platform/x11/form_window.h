#pragma once

// The keyboard's top-level window. A right-click anywhere in it, on a
// button and on a panel too, opens the popup menu and reaches no widget.

#include <FL/Fl_Double_Window.H>

#include <functional>
#include <utility>

namespace plinth::platform::x11 {

class FormWindow final : public Fl_Double_Window {
 public:
  FormWindow(int width, int height, std::function<void()> on_context_menu);
  int handle(int event) override;
  // Runs after each left press has reached its target (Fl::pushed()).
  void OnLeftPress(std::function<void()> handler) { on_left_press_ = std::move(handler); }
  // Runs soon after someone else (a window manager minimising it) unmapped
  // the window; not when the program hides it.
  void OnUnmappedByOthers(std::function<void()> handler) {
    on_unmapped_by_others_ = std::move(handler);
  }
  ~FormWindow() override;

 private:
  static void CloseRequested(Fl_Widget* widget, void* data);
  static void CheckUnmapped(void* window);

  std::function<void()> on_context_menu_;
  std::function<void()> on_left_press_;
  std::function<void()> on_unmapped_by_others_;
};

}  // namespace plinth::platform::x11
