#pragma once

// The keyboard's top-level window. A right-click anywhere in it, on a
// button and on a panel too, opens the popup menu and reaches no widget.
// Its widgets keep their places when it is resized: the keyboard lays them
// out anew.

#include <FL/Fl_Double_Window.H>

#include <functional>
#include <optional>
#include <utility>

#include "platform/x11/scan_frame.h"

namespace plinth::platform::x11 {

class FormWindow final : public Fl_Double_Window {
 public:
  FormWindow(int width, int height, std::function<void()> on_context_menu);
  int handle(int event) override;
  // Runs after each left press has reached its target (Fl::pushed()).
  void OnLeftPress(std::function<void()> handler) { on_left_press_ = std::move(handler); }
  // Runs for every pointer movement FLTK tells the window of, a button held
  // or not, after its widgets have seen it, and when the pointer leaves the
  // window (`inside` false).
  void OnPointerMoved(std::function<void(bool inside)> handler) {
    on_pointer_moved_ = std::move(handler);
  }
  // Runs soon after someone else (a window manager minimising it) unmapped
  // the window; not when the program hides it.
  void OnUnmappedByOthers(std::function<void()> handler) {
    on_unmapped_by_others_ = std::move(handler);
  }
  ~FormWindow() override;
  // Told of every new size but those set with ResizeClient.
  void OnResize(std::function<void(int width, int height)> on_resize) {
    on_resize_ = std::move(on_resize);
  }
  // Sizes the window from the program's side.
  void ResizeClient(int width, int height);
  void resize(int x, int y, int width, int height) override;
  // Frames `area` (client coordinates) above every widget, or nothing.
  void SetScanFrame(std::optional<platform::Rect> area, const ScanFrameLook& look);

 protected:
  void draw() override;

 private:
  static void CloseRequested(Fl_Widget* widget, void* data);
  static void CheckUnmapped(void* window);

  std::function<void()> on_context_menu_;
  std::function<void()> on_left_press_;
  std::function<void(bool inside)> on_pointer_moved_;
  std::function<void()> on_unmapped_by_others_;
  std::function<void(int, int)> on_resize_;
  bool resizing_ = false;
  std::optional<platform::Rect> scan_area_;
  ScanFrameLook scan_look_;
};

}  // namespace plinth::platform::x11
