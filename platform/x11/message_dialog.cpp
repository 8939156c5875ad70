#include "platform/x11/message_dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/common/text_wrap.h"
#include "platform/form_design.h"
#include "platform/x11/dwell_bar.h"
#include "platform/x11/scan_frame.h"
#include "platform/x11/widget_look.h"
#include "platform/x11/window_manager_hints.h"
#include "platform/x11/x11_application.h"
#include "platform/x11/x11_screen.h"

namespace plinth::platform::x11 {
namespace {

using namespace dialog;  // the measures shared with the other drawn dialog

class MessageIconBox final : public Fl_Widget {
 public:
  MessageIconBox(int x, int y, MessageIcon icon)
      : Fl_Widget(x, y, kIconSize, kIconSize), icon_(icon) {
    clear_visible_focus();
  }
  int handle(int /*event*/) override { return 0; }

 protected:
  void draw() override {
    const int left = x();
    const int top = y();
    if (icon_ == MessageIcon::Warning) {
      // A yellow triangle with an exclamation mark.
      fl_color(fl_rgb_color(255, 204, 0));
      fl_polygon(left + kIconSize / 2, top + 1, left + kIconSize - 1, top + kIconSize - 2, left,
                 top + kIconSize - 2);
      fl_color(FL_BLACK);
      fl_loop(left + kIconSize / 2, top + 1, left + kIconSize - 1, top + kIconSize - 2, left,
              top + kIconSize - 2);
      fl_rectf(left + kIconSize / 2 - 1, top + 10, 3, 12);
      fl_rectf(left + kIconSize / 2 - 1, top + 24, 3, 3);
    } else {
      // A red disc with a white cross.
      fl_color(fl_rgb_color(200, 0, 0));
      fl_pie(left, top, kIconSize, kIconSize, 0, 360);
      fl_color(FL_WHITE);
      fl_line_style(FL_SOLID, 3);
      fl_line(left + 10, top + 10, left + kIconSize - 11, top + kIconSize - 11);
      fl_line(left + kIconSize - 11, top + 10, left + 10, top + kIconSize - 11);
      fl_line_style(0);
    }
  }

 private:
  MessageIcon icon_;
};

// The message as plain text, already broken into lines: no '@' symbols,
// no '&' shortcuts. Lines beyond the dialog's foot are cut off.
class PlainText final : public Fl_Widget {
 public:
  PlainText(int x, int y, int w, int h, const std::string& text, int text_size)
      : Fl_Widget(x, y, w, h), text_(text), text_size_(text_size) {
    clear_visible_focus();
  }
  int handle(int /*event*/) override { return 0; }

 protected:
  void draw() override {
    fl_font(look::kTextFont, text_size_);
    fl_color(look::kWindowText);
    fl_draw(text_.c_str(), x(), y(), w(), h(),
            FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_CLIP, nullptr, 0);
  }

 private:
  std::string text_;
  int text_size_;
};

// Room a window manager's frame may take around the dialog.
constexpr int kFrameAllowance = 40;

// The dialog's size follows its text, within the monitor.
struct DialogLayout {
  std::string lines;
  int text_size = 0;
  int button_width = 0;
  int button_height = 0;
  int text_width = 0;
  int text_height = 0;
  int width = 0;
  int height = 0;
};

// Measures designed for the standard text size grow with a larger one.
int ForTextSize(int measure, int text_size) {
  return std::max(measure, measure * text_size / look::kTextFontSize);
}

DialogLayout LayOut(const std::string& text, int text_size, const platform::Rect& monitor) {
  DialogLayout layout;
  layout.text_size = text_size;
  layout.button_width = ForTextSize(kButtonWidth, text_size);
  layout.button_height = ForTextSize(kButtonHeight, text_size);
  fl_font(look::kTextFont, text_size);
  const int beside_text = kMargin + kIconSize + kMargin + kMargin;
  const int room = monitor.width - beside_text - kFrameAllowance;
  const int max_width = std::max(kIconSize, std::min(ForTextSize(kMaxTextWidth, text_size), room));
  layout.lines = WrapText(text, max_width, [](std::string_view piece) {
    return fl_width(piece.data(), static_cast<int>(piece.size()));
  });
  fl_measure(layout.lines.c_str(), layout.text_width, layout.text_height, 0);
  const int below_text = kMargin + layout.button_height + kMargin;
  const int max_height = monitor.height - kMargin - below_text - kFrameAllowance;
  layout.text_width = std::max(layout.text_width, std::min(kMinTextWidth, max_width));
  layout.text_height = std::max(std::min(layout.text_height, max_height), kIconSize);
  layout.width = beside_text + layout.text_width;
  layout.height = kMargin + layout.text_height + below_text;
  return layout;
}

// The frame scanning draws on the OK button of any dialog.
ScanFrameLook ok_scan_frame;

// The OK button, with room for the dwell indicator and the scan frame.
class OkButton final : public Fl_Return_Button {
 public:
  OkButton(int x, int y, int w, int h) : Fl_Return_Button(x, y, w, h, "OK") {}
  void SetDwellProgress(int permille, const platform::DwellBarLook& look) {
    if (permille == dwell_permille_ && look == dwell_bar_look_) return;
    dwell_permille_ = permille;
    dwell_bar_look_ = look;
    redraw();
  }

 protected:
  void draw() override {
    Fl_Return_Button::draw();
    DrawDwellBar(*this, dwell_permille_, Fl::box_dx(box()), dwell_bar_look_);
    DrawScanFrame({x(), y(), w(), h()}, ok_scan_frame);
  }

 private:
  int dwell_permille_ = 0;
  platform::DwellBarLook dwell_bar_look_;
};

// The widgets are members: each leaves the window as it is destroyed,
// before the window itself.
class MessageDialog final : public Fl_Window {
 public:
  MessageDialog(const DialogLayout& layout, const std::string& title, MessageIcon icon,
                const std::string& text, DialogPointerMoved pointer_moved)
      : Fl_Window(layout.width, layout.height),
        pointer_moved_(std::move(pointer_moved)),
        icon_(kMargin, kMargin, icon),
        text_(kMargin + kIconSize + kMargin, kMargin, layout.text_width, layout.text_height, text,
              layout.text_size),
        ok_((layout.width - layout.button_width) / 2,
            layout.height - kMargin - layout.button_height, layout.button_width,
            layout.button_height) {
    end();
    copy_label(title.c_str());
    ok_.labelsize(layout.text_size);
    ok_.clear_visible_focus();
    ok_.callback(Close, this);
    set_modal();
  }

  int handle(int event) override {
    if ((event == FL_ENTER || event == FL_MOVE || event == FL_LEAVE) && pointer_moved_) {
      pointer_moved_(event != FL_LEAVE && Fl::event_inside(&ok_), Fl::event_x_root(),
                     Fl::event_y_root());
    }
    return Fl_Window::handle(event);
  }

  void PressOk() { hide(); }
  void ShowDwellProgress(int permille, const platform::DwellBarLook& look) {
    ok_.SetDwellProgress(permille, look);
  }
  void RedrawOk() { ok_.redraw(); }

 private:
  static void Close(Fl_Widget* /*button*/, void* dialog) {
    static_cast<MessageDialog*>(dialog)->hide();
  }

  DialogPointerMoved pointer_moved_;
  MessageIconBox icon_;
  PlainText text_;
  OkButton ok_;
};

MessageDialog* open_dialog = nullptr;

}  // namespace

void RunMessageDialog(const std::string& title_utf8, MessageIcon icon, const std::string& text_utf8,
                      int text_size, DialogPointerMoved pointer_moved) {
  if (X11Application::Ending()) return;
  // Read now: the monitors may have changed since the program started.
  const platform::Rect monitor = X11ScreenInfo(fl_display).Monitors().front();
  const DialogLayout layout = LayOut(text_utf8, text_size, monitor);
  MessageDialog dialog(layout, title_utf8, icon, layout.lines, std::move(pointer_moved));
  dialog.position(monitor.x + std::max(0, (monitor.width - layout.width) / 2),
                  monitor.y + std::max(0, (monitor.height - layout.height) / 2));

  MessageDialog* const outer_dialog = open_dialog;
  open_dialog = &dialog;
  ShowWithRole(dialog, WindowRole::Dialog);
  while (dialog.shown()) Fl::wait();
  open_dialog = outer_dialog;
}

void PressOpenDialogOk() {
  if (open_dialog != nullptr) open_dialog->PressOk();
}

void ShowOpenDialogDwellProgress(int permille, const platform::DwellBarLook& look) {
  if (open_dialog != nullptr) open_dialog->ShowDwellProgress(permille, look);
}

void ShowDialogOkScanFrame(const ScanFrameLook& look) {
  if (look == ok_scan_frame) return;
  ok_scan_frame = look;
  if (open_dialog != nullptr) open_dialog->RedrawOk();
}

}  // namespace plinth::platform::x11
