#pragma once

// One push button of the 7 x 7 grid, raised, or sunken with a thick frame
// while the state it switches is on. It reacts to the left mouse
// button only, never takes the focus, and shows its caption as plain text:
// '&' and '@', which FLTK labels would read as a shortcut or a symbol, are
// shown as they are.

#include <FL/Fl_Button.H>

#include <functional>
#include <string>

#include "platform/common/caption_fit.h"
#include "platform/form_geometry.h"
#include "platform/keyboard_window.h"

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
  // How far the dwell bar is filled, in thousandths (0 hides it), and how
  // it looks at the window's present size.
  void SetDwellProgress(int permille, const platform::DwellBarLook& look);
  // Whether the state the button switches is on; an unchanged state is not
  // redrawn.
  void SetState(platform::ButtonState state);
  platform::ButtonState state() const { return state_; }
  // The width of the frame of an on button and the side of a mode's marker.
  void set_state_look(int frame, int marker) {
    state_frame_ = frame;
    mode_marker_ = marker;
  }

  // Whether (x, y) in the window lies on the button. A left release that
  // FLTK gives the button (the press went to it) completes a click when it
  // lies on it: the release's own place decides, as FLTK tells the button
  // of the moves that came with the release only after it.
  bool Contains(int x, int y) const {
    return x >= this->x() && x < this->x() + w() && y >= this->y() && y < this->y() + h();
  }

  int handle(int event) override;

 protected:
  void draw() override;

 private:
  static void Clicked(Fl_Widget* widget, void* data);
  // The frame inside the face of an on button, and a mode's corner marker.
  void DrawStateMarks(int inset) const;

  CoveredEdges covered_;
  std::string caption_;
  platform::CaptionFitCache fitted_caption_;
  int smallest_font_ = 8;
  std::function<void()> on_click_;
  int dwell_permille_ = 0;
  platform::DwellBarLook dwell_bar_look_;
  platform::ButtonState state_ = platform::ButtonState::Off;
  int state_frame_ = 2;
  int mode_marker_ = 6;
};

}  // namespace plinth::platform::x11
