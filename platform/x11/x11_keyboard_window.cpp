#include "platform/x11/x11_keyboard_window.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <chrono>
#include <thread>
#include <utility>

#include "platform/common/windows1252.h"
#include "platform/x11/focus_watch.h"
#include "platform/x11/form_window.h"
#include "platform/x11/grid_button.h"
#include "platform/x11/message_dialog.h"
#include "platform/x11/mouse_button_watch.h"
#include "platform/x11/screen_watch.h"
#include "platform/x11/widget_look.h"
#include "platform/x11/window_manager_hints.h"

namespace plinth::platform::x11 {
namespace {

namespace design = platform::design;
using platform::MenuItemId;
using platform::PanelId;

// How long a move may take the window manager before OuterPosition() is
// trusted again.
constexpr std::chrono::milliseconds kMoveTimeout{500};

// Buttons are built in the order of their cells and the centre panels last,
// so a button lies under its right and lower neighbours and under the
// panels.
CoveredEdges CoveredEdgesOfCell(int cell) {
  const int column = (cell - 1) % design::kGridColumns;
  const int row = (cell - 1) / design::kGridColumns;
  const int last = design::kGridColumns - 1;
  return {.left = cell == design::kCentreCell + 1,
          .top = cell == design::kCentreCell + design::kGridColumns,
          .right = column < last,
          .bottom = row < last};
}

// `caption` is the item's caption in UTF-8, kept by the caller.
void SetUpMenuItem(Fl_Menu_Item& item, const platform::MenuItem& row, const std::string& caption) {
  item.text = caption.c_str();
  item.flags = row.kind == platform::MenuItemKind::Check ? FL_MENU_TOGGLE : 0;
  item.labeltype_ = FL_NORMAL_LABEL;
  item.labelfont_ = look::kTextFont;
  item.labelsize_ = look::kTextFontSize;
  item.labelcolor_ = look::kWindowText;
}

}  // namespace

X11KeyboardWindow::X11KeyboardWindow(SwitchKeyGrab::KeycodeOf keycode_of)
    : switch_keys_(std::make_unique<SwitchKeyGrab>(fl_display, std::move(keycode_of))) {
  // A widget that takes FLTK's focus makes FLTK ask the window manager to
  // activate its window.
  Fl::visible_focus(0);

  form_ = std::make_unique<FormWindow>(geometry_.client.width, geometry_.client.height,
                                       [this] { OpenPopupMenu(); });
  form_->label(design::kCaption);
  // The panels record their own presses, before they decide on a click;
  // a press anywhere else is recorded here, so that it ends a panel's
  // double-click.
  form_->OnLeftPress([this] {
    const Fl_Widget* target = Fl::pushed() != nullptr ? Fl::pushed() : form_.get();
    if (target == extend_panel_ || target == &extend_panel_->shift_panel()) return;
    presses_.Press(target, fl_event_time, Fl::event_x_root(), Fl::event_y_root());
  });
  // The keyboard has no place in a taskbar to come back from.
  form_->OnPointerMoved([this](bool inside) {
    ReportPointer(inside ? TargetAt(Fl::event_x(), Fl::event_y()) : platform::PointerTarget{});
  });
  form_->OnUnmappedByOthers([this] {
    if (non_activating_) SetRoleProperties(fl_display, fl_xid(form_.get()), WindowRole::Keyboard);
    form_->show();
  });
  BuildGrid();
  form_->end();
  form_->size_range(geometry_.client.width, geometry_.client.height, geometry_.client.width,
                    geometry_.client.height);
  form_->OnResize([this](int width, int height) {
    if (events_ != nullptr) events_->FormResize({width, height});
  });

  reported_frame_ = std::make_unique<ReportedFrame>();
  screen_watch_ = std::make_unique<ScreenWatch>([this] {
    if (events_ != nullptr) events_->ScreenChanged();
  });
  focus_watch_ = std::make_unique<FocusWatch>([this] {
    if (events_ != nullptr) events_->FocusMoved();
  });
  button_watch_ = std::make_unique<MouseButtonWatch>(
      [this] {
        if (events_ != nullptr) events_->MouseButtonPressed();
      },
      [this](platform::Point screen_point) {
        if (events_ != nullptr) events_->MouseButtonReleased(screen_point);
      });

  // Added after every other watch of the window, so that FLTK asks it first.
  Fl::add_system_handler(SeeClickCompleting, this);

  for (std::size_t row = 0; row < platform::kPopupMenu.size(); ++row) {
    menu_captions_[row] = Cp1252ToUtf8(platform::kPopupMenu[row].caption);
    SetUpMenuItem(popup_menu_[row], platform::kPopupMenu[row], menu_captions_[row]);
  }
}

X11KeyboardWindow::~X11KeyboardWindow() {
  Fl::remove_system_handler(SeeClickCompleting);
  Fl::remove_system_handler(HandleSwitchKey);
}

int X11KeyboardWindow::SeeClickCompleting(void* event, void* window) {
  auto& self = *static_cast<X11KeyboardWindow*>(window);
  const auto& button = static_cast<const XEvent*>(event)->xbutton;
  if ((button.type != ButtonPress && button.type != ButtonRelease) || button.button != Button1 ||
      self.events_ == nullptr || !self.form_->shown() ||
      button.window != fl_xid(self.form_.get()) || Fl::grab() != nullptr) {
    return 0;
  }
  if (button.type == ButtonRelease) {
    if (std::exchange(self.click_told_at_press_, 0) != 0) return 0;
    // FLTK gives a left release to the button the press went to, which
    // then calls back for the click exactly when the release lies on it.
    const Fl_Widget* pushed = Fl::pushed();
    for (int cell = 1; cell <= design::kCellCount; ++cell) {
      const GridButton* grid_button = self.buttons_[static_cast<std::size_t>(cell)];
      if (grid_button != nullptr && grid_button == pushed) {
        if (grid_button->Contains(button.x, button.y)) self.events_->ClickCompleting(cell);
        break;
      }
    }
    return 0;
  }
  // A press whose release is already read, next in the queue, makes a
  // click when both lie on the button FLTK gives the press to.
  self.click_told_at_press_ = 0;
  if (Fl::pushed() != nullptr || (Fl::modal() != nullptr && Fl::modal() != self.form_.get()) ||
      XEventsQueued(fl_display, QueuedAlready) == 0) {
    return 0;
  }
  XEvent next{};
  XPeekEvent(fl_display, &next);
  const XButtonEvent& release = next.xbutton;
  if (next.type != ButtonRelease || release.button != Button1 || release.window != button.window) {
    return 0;
  }
  const int cell = self.CellTakingPress(button.x, button.y);
  if (cell == 0 || !self.buttons_[static_cast<std::size_t>(cell)]->Contains(release.x, release.y)) {
    return 0;
  }
  self.click_told_at_press_ = cell;
  self.events_->ClickCompleting(cell);
  return 0;  // FLTK handles the press and the release as ever, and the click follows
}

int X11KeyboardWindow::CellTakingPress(int x, int y) const {
  int taken_by = 0;
  for (int child = 0; child < form_->children(); ++child) {
    const Fl_Widget* widget = form_->child(child);
    const bool covers = widget->takesevents() && x >= widget->x() &&
                        x < widget->x() + widget->w() && y >= widget->y() &&
                        y < widget->y() + widget->h();
    if (!covers) continue;
    // FLTK asks the last child first: a grid button laid over another one
    // takes the press; anything else there may take it instead.
    const auto* grid_button = dynamic_cast<const GridButton*>(widget);
    if (grid_button == nullptr) return 0;
    for (int cell = 1; cell <= design::kCellCount; ++cell) {
      if (buttons_[static_cast<std::size_t>(cell)] == grid_button) taken_by = cell;
    }
  }
  return taken_by;
}

void X11KeyboardWindow::GrabSwitchKeys(const std::vector<std::uint16_t>& codes) {
  Fl::remove_system_handler(HandleSwitchKey);
  switch_keys_->Grab(codes);
  if (!codes.empty()) Fl::add_system_handler(HandleSwitchKey, this);
}

int X11KeyboardWindow::HandleSwitchKey(void* event, void* window) {
  auto* self = static_cast<X11KeyboardWindow*>(window);
  const auto report = self->switch_keys_->Match(*static_cast<XEvent*>(event));
  if (!report) return 0;
  if (self->events_ != nullptr) {
    if (report->pressed) {
      self->events_->SwitchKeyPressed(report->code);
    } else {
      self->events_->SwitchKeyReleased(report->code);
    }
  }
  return 1;
}

void X11KeyboardWindow::ShowScanHighlight(const platform::ScanHighlight& lit) {
  scan_lit_ = lit;
  DrawScanHighlight();
}

void X11KeyboardWindow::DrawScanHighlight() {
  const ScanFrameLook look = ScanFrameOf(geometry_);
  ShowDialogOkScanFrame(scan_lit_.LightsDialogOk() ? look : ScanFrameLook{});
  form_->SetScanFrame(platform::ScanFrameArea(geometry_, scan_lit_), look);
}

void X11KeyboardWindow::BuildGrid() {
  for (int cell = 1; cell <= design::kCellCount; ++cell) {
    if (cell == design::kCentreCell) continue;
    const platform::Square place = geometry_.Cell(cell);
    auto* button =
        new GridButton(place.left, place.top, place.size, CoveredEdgesOfCell(cell), [this, cell] {
          if (events_ != nullptr) events_->doclick(design::ButtonName(cell));
        });
    button->SetCaption(std::to_string(cell));
    buttons_[static_cast<std::size_t>(cell)] = button;
  }
  // Added last, so that its border lies above the neighbours' edges.
  auto panel_handlers = [this](PanelId panel) {
    return PanelHandlers{.pointer_moved =
                             [this, panel] {
                               if (events_ != nullptr) events_->PanelMouseMove(panel);
                             },
                         .clicked =
                             [this, panel] {
                               if (events_ != nullptr) events_->PanelClick(panel);
                             }};
  };
  extend_panel_ = new ExtendPanel(geometry_, panel_handlers(PanelId::Extend),
                                  panel_handlers(PanelId::Shift), presses_);
}

void X11KeyboardWindow::SetGeometry(const platform::FormGeometry& geometry) {
  if (geometry == geometry_ && form_->w() == geometry.client.width &&
      form_->h() == geometry.client.height) {
    return;
  }
  geometry_ = geometry;
  for (int cell = 1; cell <= design::kCellCount; ++cell) {
    GridButton* button = ButtonOfCell(cell);
    if (button == nullptr) continue;
    const platform::Square place = geometry.Cell(cell);
    button->resize(place.left, place.top, place.size, place.size);
    button->labelsize(geometry.button_font);
    button->set_smallest_font(geometry.smallest_button_font);
    button->set_state_look(geometry.state_frame, geometry.mode_marker);
  }
  extend_panel_->Place(geometry);
  DrawScanHighlight();
  for (Fl_Menu_Item& item : popup_menu_) item.labelsize_ = geometry.text_font;
  form_->ResizeClient(geometry.client.width, geometry.client.height);
  // FLTK fixes the size range of a window resized by the program.
  SetResizeLimits(smallest_client_, largest_client_);
  form_->redraw();
}

void X11KeyboardWindow::SetResizeLimits(platform::Size smallest, platform::Size largest) {
  smallest_client_ = smallest;
  largest_client_ = largest;
  form_->size_range(smallest.width, smallest.height, largest.width, largest.height);
}

void X11KeyboardWindow::OpenPopupMenu() {
  const Fl_Menu_Item* picked = popup_menu_[0].popup(Fl::event_x(), Fl::event_y());
  if (picked == nullptr || events_ == nullptr) return;
  // The check mark changes only when the keyboard logic sets it.
  const auto row = static_cast<std::size_t>(picked - popup_menu_.data());
  if (row < platform::kPopupMenu.size()) events_->Available1Click(platform::kPopupMenu[row].id);
}

platform::PointerTarget X11KeyboardWindow::TargetAt(int x, int y) const {
  const auto inside = [x, y](const Fl_Widget& widget) {
    return x >= widget.x() && x < widget.x() + widget.w() && y >= widget.y() &&
           y < widget.y() + widget.h();
  };
  if (inside(extend_panel_->shift_panel())) return platform::PointerTarget::Panel(PanelId::Shift);
  if (inside(*extend_panel_)) return platform::PointerTarget::Panel(PanelId::Extend);
  // Later buttons lie on top of the edges they share with earlier ones.
  for (int cell = design::kCellCount; cell >= 1; --cell) {
    const GridButton* button = ButtonOfCell(cell);
    if (button != nullptr && inside(*button)) return platform::PointerTarget::Button(cell);
  }
  return {};
}

void X11KeyboardWindow::ReportPointer(platform::PointerTarget target) {
  if (events_ != nullptr) events_->PointerMoved(target, {Fl::event_x_root(), Fl::event_y_root()});
}

void X11KeyboardWindow::MakeNonActivating() {
  non_activating_ = true;
  if (Mapped()) ApplyRoleToMappedWindow(fl_display, fl_xid(form_.get()), WindowRole::Keyboard);
}

void X11KeyboardWindow::Show() {
  const FrameExtents frame = Frame();
  form_->position(outer_position_.x + frame.left, outer_position_.y + frame.top);
  if (non_activating_) {
    ShowWithRole(*form_, WindowRole::Keyboard);
  } else {
    form_->show();
  }
}

void X11KeyboardWindow::SetCaption(const std::string& text) {
  // A new title is several properties for the server to change and tell
  // of: only when it is new.
  const std::string utf8 = Cp1252ToUtf8(text);
  if (form_->label() != nullptr && utf8 == form_->label()) return;
  form_->copy_label(utf8.c_str());
}

GridButton* X11KeyboardWindow::ButtonOfCell(int cell) const {
  if (cell < 1 || cell > design::kCellCount) return nullptr;
  return buttons_[static_cast<std::size_t>(cell)];
}

void X11KeyboardWindow::SetButtonCaption(int cell, const std::string& text) {
  if (GridButton* button = ButtonOfCell(cell)) button->SetCaption(Cp1252ToUtf8(text));
}

void X11KeyboardWindow::SetButtonFontColour(int cell, platform::FontColour colour) {
  GridButton* button = ButtonOfCell(cell);
  if (button == nullptr) return;
  const Fl_Color wanted =
      colour == platform::FontColour::Purple ? look::Purple() : look::kWindowText;
  if (button->labelcolor() == wanted) return;
  button->labelcolor(wanted);
  button->redraw();
}

void X11KeyboardWindow::SetButtonState(int cell, platform::ButtonState state) {
  if (GridButton* button = ButtonOfCell(cell)) button->SetState(state);
}

void X11KeyboardWindow::SetPanelState(PanelId panel, platform::PanelState state) {
  if (panel == PanelId::Extend) {
    extend_panel_->SetState(state);
  } else {
    extend_panel_->shift_panel().SetState(state);
  }
}

void X11KeyboardWindow::SetMenuItemChecked(MenuItemId item, bool checked) {
  Fl_Menu_Item& entry = popup_menu_.at(platform::MenuRow(item));
  if (entry.checkbox() == 0) return;
  if (checked) {
    entry.set();
  } else {
    entry.clear();
  }
}

bool X11KeyboardWindow::Mapped() const { return form_->shown() != 0; }

FrameExtents X11KeyboardWindow::Frame() {
  if (Mapped()) {
    if (const auto reported = reported_frame_->Of(fl_xid(form_.get()))) return *reported;
  }
  if (!announced_frame_) {
    announced_frame_ =
        ProbeKeyboardFrame(fl_display, geometry_.client.width, geometry_.client.height);
  }
  return *announced_frame_;
}

namespace {

// Where the client area of a mapped window is, in root coordinates.
platform::Point ClientOnScreen(Fl_Window& window) {
  int x = 0;
  int y = 0;
  Window child = 0;
  XTranslateCoordinates(fl_display, fl_xid(&window), RootWindow(fl_display, fl_screen), 0, 0, &x,
                        &y, &child);
  return {x, y};
}

}  // namespace

platform::Point X11KeyboardWindow::OuterPosition() {
  if (!Mapped()) return outer_position_;
  const FrameExtents frame = Frame();
  // FLTK keeps the client area's place on the screen as the server tells
  // it, without a round trip; only after a move that the window manager
  // did not make as asked is FLTK's idea of the place behind until the
  // server tells of it.
  platform::Point client{form_->x(), form_->y()};
  if (place_unsettled_) {
    client = ClientOnScreen(*form_);
    place_unsettled_ = client != platform::Point{form_->x(), form_->y()};
  }
  return {client.x - frame.left, client.y - frame.top};
}

platform::Size X11KeyboardWindow::OuterSize() {
  const FrameExtents frame = Frame();
  return {form_->w() + frame.left + frame.right, form_->h() + frame.top + frame.bottom};
}

void X11KeyboardWindow::MoveTo(platform::Point outer) {
  outer_position_ = outer;
  if (!Mapped()) return;
  const FrameExtents frame = Frame();
  const platform::Point client{outer.x + frame.left, outer.y + frame.top};
  form_->position(client.x, client.y);
  XFlush(fl_display);
  // The window manager moves the window in its own time; wait for it, so
  // that the pointer's return after this click already finds the window at
  // its new place.
  const auto deadline = std::chrono::steady_clock::now() + kMoveTimeout;
  while (ClientOnScreen(*form_) != client && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  place_unsettled_ = ClientOnScreen(*form_) != client;
}

platform::Point X11KeyboardWindow::FrameOffset() {
  const FrameExtents frame = Frame();
  return {frame.left, frame.top};
}

void X11KeyboardWindow::ShowWarning(const std::string& text) {
  RunMessageDialog("Warning", MessageIcon::Warning, Cp1252ToUtf8(text), geometry_.text_font,
                   DialogPointerReporter());
}

void X11KeyboardWindow::ShowApplicationError(const std::string& text) {
  RunMessageDialog(design::kCaption, MessageIcon::Error, Cp1252ToUtf8(text), geometry_.text_font,
                   DialogPointerReporter());
}

DialogPointerMoved X11KeyboardWindow::DialogPointerReporter() {
  return [this](bool over_ok, int x_root, int y_root) {
    if (events_ == nullptr) return;
    events_->PointerMoved(over_ok ? platform::PointerTarget::DialogOk() : platform::PointerTarget{},
                          {x_root, y_root});
  };
}

void X11KeyboardWindow::ShowDwellProgress(platform::PointerTarget target, int permille) {
  using Kind = platform::PointerTarget::Kind;
  switch (target.kind) {
    case Kind::Button:
      if (GridButton* button = ButtonOfCell(target.cell)) {
        button->SetDwellProgress(permille, geometry_.dwell_bar);
      }
      break;
    case Kind::Panel:
      if (target.panel == PanelId::Shift) {
        extend_panel_->shift_panel().SetDwellProgress(permille, geometry_.dwell_bar);
      } else {
        extend_panel_->SetDwellProgress(permille, geometry_.dwell_bar);
      }
      break;
    case Kind::DialogOk:
      ShowOpenDialogDwellProgress(permille, geometry_.dwell_bar);
      break;
    case Kind::Nothing:
      break;
  }
}

void X11KeyboardWindow::PressDialogOk() { PressOpenDialogOk(); }

}  // namespace plinth::platform::x11
