#pragma once

// One raised push button of the 7 x 7 grid. It reacts to the left mouse
// button only, never takes the focus, and shows its caption as plain text:
// '&' and '@', which FLTK labels would read as a shortcut or a symbol, are
// shown as they are.

#include <FL/Fl_Button.H>

#include <functional>
#include <string>

namespace plinth::platform::x11 {

// The edges of a button that a widget drawn after it covers: neighbours
// overlap by one pixel, and the later one shows there.
struct CoveredEdges {
  bool left = false;
  bool top = false;
  bool right = false;
  bool bottom = false;
};

class GridButton final : public Fl_Button {
 public:
  GridButton(int x, int y, int size, CoveredEdges covered, std::function<void()> on_click);

  // `utf8` as shown; an unchanged caption is not redrawn.
  void SetCaption(const std::string& utf8);
  const std::string& caption() const { return caption_; }
  // A caption too wide for the button shrinks down to this size, then ends
  // in an ellipsis.
  void set_smallest_font(int size) { smallest_font_ = size; }
  // How far the dwell indicator is filled, in thousandths; 0 hides it.
  void SetDwellProgress(int permille);

  int handle(int event) override;

 protected:
  void draw() override;

 private:
  static void Clicked(Fl_Widget* widget, void* data);

  CoveredEdges covered_;
  std::string caption_;
  int smallest_font_ = 8;
  std::function<void()> on_click_;
  int dwell_permille_ = 0;
};

}  // namespace plinth::platform::x11
