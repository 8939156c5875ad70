#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/form_design.h"
#include "platform/win32/win32_keyboard_window.h"
#include "platform/win32/windows_api.h"
#include "src/keyboard/scaling.h"
#include "tests/win32/recording_events.h"

namespace plinth::platform::win32 {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// Where a child window lies in its parent's client area.
RECT PlaceInParent(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class KeyboardWindowTest : public ::testing::Test {
 protected:
  KeyboardWindowTest() { window_.SetEventSink(&events_); }

  HWND Button(int cell) const { return window_.button(cell)->handle(); }
  HWND Panel(PanelId panel) const { return window_.panel(panel).handle(); }

  void Click(HWND target, int x = 5, int y = 5) {
    SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
    SendMessageA(target, WM_LBUTTONUP, 0, At(x, y));
  }

  // The pixels of a child window's client area as it paints itself, row by row.
  static std::vector<COLORREF> Painted(HWND child) {
    RECT client;
    GetClientRect(child, &client);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageA(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y) {
      for (int x = 0; x < client.right; ++x) pixels.push_back(GetPixel(memory, x, y));
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
  }

  static std::ptrdiff_t CountPixels(HWND child, COLORREF colour) {
    const std::vector<COLORREF> pixels = Painted(child);
    return std::count(pixels.begin(), pixels.end(), colour);
  }

  // What the caption of a cell's button adds to the button: its pixels
  // beside those of the same button painted without a caption. Whatever font
  // stands in for the button's face and however it is smoothed, every such
  // pixel lies between the face and the text colour.
  struct CaptionInk {
    std::vector<COLORREF> with_caption;
    std::vector<COLORREF> without_caption;
    int width = 0;

    // The first and the last column the caption changed, or -1, -1.
    std::pair<int, int> InkColumns() const {
      int first = -1;
      int last = -1;
      for (std::size_t i = 0; i < with_caption.size(); ++i) {
        if (with_caption[i] == without_caption[i]) continue;
        const int column = static_cast<int>(i) % width;
        if (first < 0 || column < first) first = column;
        last = std::max(last, column);
      }
      return {first, last};
    }

    // Pixels drawn nearer `text` than the face beneath them: the strokes.
    std::ptrdiff_t StrokesIn(COLORREF text) const {
      std::ptrdiff_t strokes = 0;
      for (std::size_t i = 0; i < with_caption.size(); ++i) {
        if (Distance(with_caption[i], text) < Distance(with_caption[i], without_caption[i])) {
          ++strokes;
        }
      }
      return strokes;
    }
    // Every changed pixel is a blend of the face and `text`, channel by channel.
    bool OnlyBlendsOf(COLORREF text) const {
      for (std::size_t i = 0; i < with_caption.size(); ++i) {
        if (!Between(GetRValue(with_caption[i]), GetRValue(without_caption[i]), GetRValue(text)) ||
            !Between(GetGValue(with_caption[i]), GetGValue(without_caption[i]), GetGValue(text)) ||
            !Between(GetBValue(with_caption[i]), GetBValue(without_caption[i]), GetBValue(text))) {
          return false;
        }
      }
      return true;
    }
    // Painted in `text`: strokes enough for a letter, and nothing of another colour.
    bool IsIn(COLORREF text) const { return StrokesIn(text) > 5 && OnlyBlendsOf(text); }

    static int Distance(COLORREF a, COLORREF b) {
      const auto square = [](int d) { return d * d; };
      return square(GetRValue(a) - GetRValue(b)) + square(GetGValue(a) - GetGValue(b)) +
             square(GetBValue(a) - GetBValue(b));
    }
    static bool Between(int value, int end1, int end2) {
      return value >= std::min(end1, end2) && value <= std::max(end1, end2);
    }
  };

  CaptionInk InkOf(int cell) {
    const std::string caption = window_.button(cell)->caption();
    RECT client;
    GetClientRect(Button(cell), &client);
    CaptionInk ink{Painted(Button(cell)), {}, client.right};
    window_.SetButtonCaption(cell, "");
    ink.without_caption = Painted(Button(cell));
    window_.SetButtonCaption(cell, caption);
    return ink;
  }

  Win32KeyboardWindow window_;
  RecordingEvents events_;
};

// ---------------------------------------------------------------- the frame

TEST_F(KeyboardWindowTest, DesignedPlaceAndClientSize) {
  EXPECT_EQ(window_.OuterPosition(), (Point{design::kWindowLeft, design::kWindowTop}));
  RECT client;
  GetClientRect(window_.handle(), &client);
  EXPECT_EQ(client.right, design::kClientWidth);
  EXPECT_EQ(client.bottom, design::kClientHeight);

  RECT outer{0, 0, design::kClientWidth, design::kClientHeight};
  AdjustWindowRectEx(&outer, Win32KeyboardWindow::kStyle, FALSE, Win32KeyboardWindow::kExStyle);
  EXPECT_EQ(window_.OuterSize(), (Size{outer.right - outer.left, outer.bottom - outer.top}));
}

TEST_F(KeyboardWindowTest, LaysItselfOutAtAGivenGeometry) {
  const FormGeometry big = GeometryForPitch(64);
  window_.SetGeometry(big);
  RECT client;
  GetClientRect(window_.handle(), &client);
  EXPECT_EQ(client.right, big.client.width);
  EXPECT_EQ(client.bottom, big.client.height);
  EXPECT_EQ(window_.OuterPosition(), (Point{design::kWindowLeft, design::kWindowTop}));
  RECT cell_49;
  GetWindowRect(Button(49), &cell_49);
  MapWindowPoints(nullptr, window_.handle(), reinterpret_cast<POINT*>(&cell_49), 2);
  EXPECT_EQ(cell_49.left, big.Cell(49).left);
  EXPECT_EQ(cell_49.right - cell_49.left, big.Cell(49).size);
  RECT shift;
  GetWindowRect(Panel(PanelId::Shift), &shift);
  MapWindowPoints(nullptr, window_.handle(), reinterpret_cast<POINT*>(&shift), 2);
  EXPECT_EQ(shift.left, big.shift_panel.left);
  EXPECT_EQ(shift.right - shift.left, big.shift_panel.size);
}

TEST_F(KeyboardWindowTest, AMoveToAMonitorOfAnotherResolutionIsPassedOn) {
  RECT suggested{300, 200, 800, 700};
  SendMessageA(window_.handle(), Win32KeyboardWindow::kDpiChanged, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_THAT(events_.log(), ElementsAre("FormDpiChanged 192"));
  EXPECT_EQ(window_.OuterPosition(), (Point{300, 200}));
}

TEST_F(KeyboardWindowTest, ANewResolutionOrAMonitorUnpluggedIsPassedOnAsAScreenChange) {
  // Windows tells every top-level window of both, and of the work area's
  // change, with these messages.
  SendMessageA(window_.handle(), WM_DISPLAYCHANGE, 24, MAKELPARAM(800, 600));
  SendMessageA(window_.handle(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  // Other settings are no change of the screen.
  SendMessageA(window_.handle(), WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
  EXPECT_THAT(events_.log(), ElementsAre("ScreenChanged", "ScreenChanged"));
}

// ---------------------------------------------------------------- a drag of the border

// The outer size of a client size, with the window's frame.
Size Outer(Size client) {
  RECT outer{0, 0, client.width, client.height};
  AdjustWindowRectEx(&outer, Win32KeyboardWindow::kStyle, FALSE, Win32KeyboardWindow::kExStyle);
  return {outer.right - outer.left, outer.bottom - outer.top};
}

TEST_F(KeyboardWindowTest, ADragTakesTheSizeTheKeyboardAnswersKeepingTheEdgesNotDragged) {
  const Size frame = Outer({0, 0});
  const Size answer{446, 448};
  events_.AnswerResizeWith(answer);
  const struct {
    WPARAM edge;
    POINT fixed_corner;  // of the outer rectangle, which stays where it was
    bool fixed_right;
    bool fixed_bottom;
  } edges[] = {
      {WMSZ_BOTTOMRIGHT, {100, 100}, false, false}, {WMSZ_RIGHT, {100, 100}, false, false},
      {WMSZ_BOTTOM, {100, 100}, false, false},      {WMSZ_TOPLEFT, {400, 420}, true, true},
      {WMSZ_LEFT, {400, 100}, true, false},         {WMSZ_TOPRIGHT, {100, 420}, false, true}};
  for (const auto& row : edges) {
    SCOPED_TRACE(row.edge);
    RECT dragged{100, 100, 400, 420};
    EXPECT_EQ(
        SendMessageA(window_.handle(), WM_SIZING, row.edge, reinterpret_cast<LPARAM>(&dragged)),
        TRUE);
    EXPECT_EQ((Size{dragged.right - dragged.left, dragged.bottom - dragged.top}),
              (Size{answer.width + frame.width, answer.height + frame.height}));
    EXPECT_EQ(row.fixed_right ? dragged.right : dragged.left, row.fixed_corner.x);
    EXPECT_EQ(row.fixed_bottom ? dragged.bottom : dragged.top, row.fixed_corner.y);
  }
  EXPECT_EQ(events_.log().front(), "FormCanResize " + std::to_string(300 - frame.width) + "x" +
                                       std::to_string(320 - frame.height));
}

TEST_F(KeyboardWindowTest, TheBorderIsDraggedWithinTheResizeLimits) {
  window_.SetResizeLimits({110, 112}, {446, 448});
  MINMAXINFO limits{};
  SendMessageA(window_.handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ((Size{limits.ptMinTrackSize.x, limits.ptMinTrackSize.y}), Outer({110, 112}));
  EXPECT_EQ((Size{limits.ptMaxTrackSize.x, limits.ptMaxTrackSize.y}), Outer({446, 448}));
}

TEST_F(KeyboardWindowTest, ASizeTheUserGaveIsPassedOnOneTheKeyboardSetIsNot) {
  window_.SetResizeLimits({110, 112}, {446, 448});
  const Size outer = Outer({334, 336});
  SetWindowPos(window_.handle(), nullptr, 0, 0, outer.width, outer.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  window_.SetGeometry(GeometryForPitch(40));
  EXPECT_THAT(events_.log(), ElementsAre("FormResize 334x336"));
  // A size refused is undone even when the layout stays as it was.
  SetWindowPos(window_.handle(), nullptr, 0, 0, outer.width + 9, outer.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  window_.SetGeometry(GeometryForPitch(40));
  EXPECT_EQ(window_.OuterSize(), Outer(GeometryForPitch(40).client));
}

TEST_F(KeyboardWindowTest, FrameOffsetIsWhereTheClientAreaStarts) {
  const Point offset = window_.FrameOffset();
  POINT origin{0, 0};
  ClientToScreen(window_.handle(), &origin);
  EXPECT_EQ(offset, (Point{origin.x - design::kWindowLeft, origin.y - design::kWindowTop}));
  EXPECT_GT(offset.y, offset.x) << "the caption bar lies above the client area";

  window_.MoveTo({0, 0});
  EXPECT_EQ(window_.OuterPosition(), (Point{0, 0}));
  EXPECT_EQ(window_.FrameOffset(), offset);
}

TEST_F(KeyboardWindowTest, AlwaysOnTopToolWindowWithASizingBorderAndACloseBoxOnly) {
  const auto style = static_cast<DWORD>(GetWindowLongA(window_.handle(), GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongA(window_.handle(), GWL_EXSTYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME),
            static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME));
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
  EXPECT_NE(ex_style & WS_EX_TOOLWINDOW, 0u);
  EXPECT_NE(ex_style & WS_EX_TOPMOST, 0u);

  char caption[32] = {};
  GetWindowTextA(window_.handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Plinth");
  window_.SetCaption("A - 65");
  GetWindowTextA(window_.handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, "A - 65");
}

TEST_F(KeyboardWindowTest, MadeNonActivatingByItsExtendedStyle) {
  const auto before = static_cast<DWORD>(GetWindowLongA(window_.handle(), GWL_EXSTYLE));
  EXPECT_EQ(before & WS_EX_NOACTIVATE, 0u);
  window_.MakeNonActivating();
  const auto after = static_cast<DWORD>(GetWindowLongA(window_.handle(), GWL_EXSTYLE));
  EXPECT_EQ(after, before | WS_EX_NOACTIVATE);
}

TEST_F(KeyboardWindowTest, AClickNeverActivatesTheWindow) {
  const auto activate = [](HWND target) {
    return SendMessageA(target, WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  };
  EXPECT_EQ(activate(window_.handle()), MA_NOACTIVATE);
  EXPECT_EQ(activate(Button(7)), MA_NOACTIVATE);
  EXPECT_EQ(activate(Panel(PanelId::Shift)), MA_NOACTIVATE);
  // Nor does a move or a resize, such as the system's drag of the border.
  WINDOWPOS moved{window_.handle(), nullptr, 10, 10, 300, 300, SWP_NOZORDER};
  SendMessageA(window_.handle(), WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&moved));
  EXPECT_NE(moved.flags & SWP_NOACTIVATE, 0u);
}

TEST_F(KeyboardWindowTest, ClosingEndsTheMessageLoopDestroyingDoesNot) {
  { Win32KeyboardWindow other; }
  MSG quit;
  EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

  SendMessageA(window_.handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window_.handle()));
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// ---------------------------------------------------------------- the grid

TEST_F(KeyboardWindowTest, FortyEightButtonsInTheirCells) {
  EXPECT_EQ(window_.button(design::kCentreCell), nullptr);
  for (int cell = 1; cell <= design::kCellCount; ++cell) {
    if (cell == design::kCentreCell) continue;
    ASSERT_NE(window_.button(cell), nullptr) << cell;
    const RECT place = PlaceInParent(Button(cell));
    EXPECT_EQ(place.left, design::CellLeft(cell)) << cell;
    EXPECT_EQ(place.top, design::CellTop(cell)) << cell;
    EXPECT_EQ(place.right - place.left, design::kButtonSize) << cell;
    EXPECT_EQ(place.bottom - place.top, design::kButtonSize) << cell;
    EXPECT_EQ(window_.button(cell)->caption(), std::to_string(cell)) << cell;
  }
}

TEST_F(KeyboardWindowTest, ButtonsTellTheirNames) {
  Click(Button(3));
  Click(Button(30));
  Click(Button(49));
  EXPECT_THAT(events_.log(), ElementsAre("doclick SpeedButton3", "doclick SpeedButton30",
                                         "doclick SpeedButton49"));
}

TEST_F(KeyboardWindowTest, EveryPressOfAQuickDoubleClickCounts) {
  // The class asks for no double-click messages, so the second press
  // arrives as a plain press.
  const auto class_style = GetClassLongPtrA(Button(7), GCL_STYLE);
  EXPECT_EQ(class_style & CS_DBLCLKS, 0u);
  Click(Button(7));
  Click(Button(7));
  EXPECT_THAT(events_.log(), ElementsAre("doclick SpeedButton7", "doclick SpeedButton7"));
}

TEST_F(KeyboardWindowTest, APressReleasedOutsideTheButtonIsNoClick) {
  SendMessageA(Button(7), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  SendMessageA(Button(7), WM_MOUSEMOVE, MK_LBUTTON, At(40, 5));
  SendMessageA(Button(7), WM_LBUTTONUP, 0, At(40, 5));
  EXPECT_THAT(events_.log(), IsEmpty());
}

TEST_F(KeyboardWindowTest, CaptionsAndFontColoursArePainted) {
  window_.SetButtonCaption(7, "W");
  EXPECT_EQ(window_.button(7)->caption(), "W");
  char text[8] = {};
  GetWindowTextA(Button(7), text, sizeof text);
  EXPECT_STREQ(text, "W");

  constexpr COLORREF kPurple = RGB(128, 0, 128);
  const COLORREF window_text = GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_TRUE(InkOf(7).IsIn(window_text));
  EXPECT_FALSE(InkOf(7).OnlyBlendsOf(kPurple));
  window_.SetButtonFontColour(7, FontColour::Purple);
  EXPECT_EQ(window_.button(7)->font_colour(), FontColour::Purple);
  EXPECT_TRUE(InkOf(7).IsIn(kPurple));
  window_.SetButtonFontColour(7, FontColour::WindowText);
  EXPECT_TRUE(InkOf(7).IsIn(window_text));
}

TEST_F(KeyboardWindowTest, CaptionsAreShownAsWritten) {
  window_.SetButtonCaption(8, "&");
  window_.SetButtonCaption(9, "");
  EXPECT_GT(InkOf(8).StrokesIn(GetSysColor(COLOR_WINDOWTEXT)), 5) << "'&' is no prefix";
  window_.SetButtonCaption(10, "");
  EXPECT_EQ(Painted(Button(9)), Painted(Button(10))) << "an empty caption paints the bare face";
}

TEST_F(KeyboardWindowTest, ACaptionTooWideShrinksThenEndsInAnEllipsisNeverCutAtItsStart) {
  const GridButton& button = *window_.button(5);
  const int room_end = design::kButtonSize - 3;  // clear of the bevel
  for (const char* caption : {"Enter", "Paste", "Backspace", "PrintScreen"}) {
    SCOPED_TRACE(caption);
    window_.SetButtonCaption(5, caption);
    const FittedCaption shown = button.ShownCaption();
    EXPECT_GE(shown.font_size, FormGeometry{}.smallest_button_font);
    const std::string start =
        shown.whole ? shown.text : shown.text.substr(0, shown.text.size() - 1);
    EXPECT_EQ(std::string(caption).substr(0, start.size()), start);
    EXPECT_TRUE(shown.whole || shown.text.back() == '\x85');
    const auto [first, last] = InkOf(5).InkColumns();
    EXPECT_GE(first, 3) << "the caption's start is cut off";
    EXPECT_LE(last, room_end - 1) << "the caption's end runs into the bevel";
  }
  window_.SetButtonCaption(5, "W");
  EXPECT_EQ(button.ShownCaption(), (FittedCaption{"W", FormGeometry{}.button_font, true}));
}

// Brightness alone, as a user who cannot tell the colours apart sees it.
int Brightness(COLORREF c) {
  return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000;
}

TEST_F(KeyboardWindowTest, AnOnButtonHasADarkFrameAndAModeAMarker) {
  struct StateCase {
    ButtonState state;
    bool framed;
    bool marked;
  };
  window_.SetButtonCaption(7, "");  // no text among the pixels compared
  const auto brightness = [](const std::vector<COLORREF>& pixels, int x, int y) {
    return Brightness(pixels[static_cast<std::size_t>(y * design::kButtonSize + x)]);
  };
  const int face = brightness(Painted(Button(7)), 16, 2);
  for (const StateCase& c :
       {StateCase{ButtonState::On, true, false}, StateCase{ButtonState::Mode, true, true},
        StateCase{ButtonState::Off, false, false}}) {
    window_.SetButtonState(7, c.state);
    EXPECT_EQ(window_.button(7)->state(), c.state);
    const std::vector<COLORREF> pixels = Painted(Button(7));
    EXPECT_EQ(brightness(pixels, 16, 2) < face - 100, c.framed) << "top frame";
    EXPECT_EQ(brightness(pixels, 2, 16) < face - 100, c.framed) << "left frame";
    EXPECT_EQ(brightness(pixels, 5, 5) < face - 100, c.marked) << "corner marker";
  }
}

TEST_F(KeyboardWindowTest, CellsWithoutAButtonAreIgnored) {
  for (int cell : {0, design::kCentreCell, design::kCellCount + 1}) {
    window_.SetButtonCaption(cell, "x");
    window_.SetButtonFontColour(cell, FontColour::Purple);
  }
  EXPECT_EQ(window_.button(24)->caption(), "24");
}

TEST_F(KeyboardWindowTest, TheWindowClassCarriesPlinthsIcon) {
  for (const auto& [index, metric] :
       {std::pair{GCLP_HICON, SM_CXICON}, std::pair{GCLP_HICONSM, SM_CXSMICON}}) {
    const auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(window_.handle(), index));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(metric));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
}

// ---------------------------------------------------------------- the panels

TEST_F(KeyboardWindowTest, PanelsNestedInTheCentreCell) {
  const RECT extend = PlaceInParent(Panel(PanelId::Extend));
  EXPECT_EQ(GetParent(Panel(PanelId::Extend)), window_.handle());
  EXPECT_EQ(extend.left, design::kExtendPanelLeft);
  EXPECT_EQ(extend.top, design::kExtendPanelTop);
  EXPECT_EQ(extend.right - extend.left, design::kExtendPanelSize);

  // The Shift panel lies inside the Extend panel's border: client 105..119.
  EXPECT_EQ(GetParent(Panel(PanelId::Shift)), Panel(PanelId::Extend));
  RECT shift;
  GetWindowRect(Panel(PanelId::Shift), &shift);
  MapWindowPoints(nullptr, window_.handle(), reinterpret_cast<POINT*>(&shift), 2);
  EXPECT_EQ(shift.left, 105);
  EXPECT_EQ(shift.top, 105);
  EXPECT_EQ(shift.right, 120);
  EXPECT_EQ(shift.bottom, 120);

  EXPECT_EQ(ChildWindowFromPoint(window_.handle(), POINT{112, 112}), Panel(PanelId::Extend));
  EXPECT_EQ(ChildWindowFromPoint(Panel(PanelId::Extend), POINT{8, 8}), Panel(PanelId::Shift));
}

TEST_F(KeyboardWindowTest, PanelsAreSeparateTargets) {
  SendMessageA(Panel(PanelId::Shift), WM_MOUSEMOVE, 0, At(3, 3));
  SendMessageA(Panel(PanelId::Extend), WM_MOUSEMOVE, 0, At(2, 2));
  Click(Panel(PanelId::Shift), 3, 3);
  Click(Panel(PanelId::Extend), 2, 2);
  EXPECT_THAT(events_.log(), ElementsAre("PanelMouseMove Shift", "PanelMouseMove Extend",
                                         "PanelClick Shift", "PanelClick Extend"));
}

TEST_F(KeyboardWindowTest, AQuickDoubleClickOnAPanelCountsOnce) {
  const auto class_style = GetClassLongPtrA(Panel(PanelId::Shift), GCL_STYLE);
  EXPECT_NE(class_style & CS_DBLCLKS, 0u);
  const HWND shift = Panel(PanelId::Shift);
  SendMessageA(shift, WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
  SendMessageA(shift, WM_LBUTTONUP, 0, At(3, 3));
  SendMessageA(shift, WM_LBUTTONDBLCLK, MK_LBUTTON, At(3, 3));
  SendMessageA(shift, WM_LBUTTONUP, 0, At(3, 3));
  EXPECT_THAT(events_.log(), ElementsAre("PanelClick Shift"));
}

TEST_F(KeyboardWindowTest, APressReleasedOutsideThePanelIsNoClick) {
  SendMessageA(Panel(PanelId::Shift), WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
  SendMessageA(Panel(PanelId::Shift), WM_LBUTTONUP, 0, At(30, 3));
  EXPECT_THAT(events_.log(), IsEmpty());
}

// An armed panel has a light frame inside as well: one pixel in from its
// border, the 40 pixels around an 11 x 11 square.
TEST_F(KeyboardWindowTest, PanelsShowTheirStateAsASquareOfColourAnArmedOneFramed) {
  const struct {
    PanelState state;
    COLORREF colour;
    int pixels;
  } states[] = {{PanelState::Hover, RGB(0, 128, 128), 13 * 13},
                {PanelState::Armed, RGB(0, 0, 0), 13 * 13 - 40},
                {PanelState::Idle, GetSysColor(COLOR_BTNFACE), 13 * 13}};
  for (const auto& [state, colour, pixels] : states) {
    window_.SetPanelState(PanelId::Shift, state);
    EXPECT_EQ(window_.panel(PanelId::Shift).state(), state);
    EXPECT_EQ(CountPixels(Panel(PanelId::Shift), colour), pixels);
    if (state == PanelState::Armed) {
      EXPECT_GT(Brightness(Painted(Panel(PanelId::Shift))[6 * 13 + 1]), 150) << "a light frame";
    }
  }
  window_.SetPanelState(PanelId::Extend, PanelState::Armed);
  EXPECT_EQ(Painted(Panel(PanelId::Extend)).front(), RGB(0, 0, 0));
  EXPECT_EQ(window_.panel(PanelId::Shift).state(), PanelState::Idle);
}

// ---------------------------------------------------------------- the popup menu

TEST_F(KeyboardWindowTest, PopupMenuHoldsTheItemsOfTheTableInItsOrder) {
  const HMENU menu = window_.popup_menu();
  ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(kPopupMenu.size()));
  for (UINT position = 0; position < kPopupMenu.size(); ++position) {
    char text[32] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, kPopupMenu[position].caption);
    EXPECT_EQ(GetMenuItemID(menu, static_cast<int>(position)),
              Win32KeyboardWindow::CommandOf(kPopupMenu[position].id));
  }
}

TEST_F(KeyboardWindowTest, EveryCheckItemShowsItsOwnMark) {
  const HMENU menu = window_.popup_menu();
  const auto marks = [menu] {
    std::string shown;
    for (UINT position = 0; position < kPopupMenu.size(); ++position) {
      shown += (GetMenuState(menu, position, MF_BYPOSITION) & MF_CHECKED) != 0 ? 'x' : '-';
    }
    return shown;
  };
  const std::string none(kPopupMenu.size(), '-');
  EXPECT_EQ(marks(), none);
  // Each item alone, then every item at once, then each unticked in turn.
  std::string all = none;
  for (const MenuItem& item : kPopupMenu) {
    SCOPED_TRACE(item.caption);
    std::string alone = none;
    alone[MenuRow(item.id)] = 'x';
    window_.SetMenuItemChecked(item.id, true);
    EXPECT_EQ(marks(), alone);
    window_.SetMenuItemChecked(item.id, false);
    EXPECT_EQ(marks(), none);
    all[MenuRow(item.id)] = 'x';
  }
  for (const MenuItem& item : kPopupMenu) window_.SetMenuItemChecked(item.id, true);
  EXPECT_EQ(marks(), all);
  for (const MenuItem& item : kPopupMenu) {
    window_.SetMenuItemChecked(item.id, false);
    all[MenuRow(item.id)] = '-';
    EXPECT_EQ(marks(), all) << item.caption;
  }
}

// ---------------------------------------------------------------- dwell click

TEST_F(KeyboardWindowTest, EveryWindowTellsWhatAClickThereWouldHit) {
  EXPECT_EQ(window_.TargetOfWindow(Button(1)), PointerTarget::Button(1));
  EXPECT_EQ(window_.TargetOfWindow(Button(49)), PointerTarget::Button(49));
  EXPECT_EQ(window_.TargetOfWindow(Panel(PanelId::Shift)), PointerTarget::Panel(PanelId::Shift));
  EXPECT_EQ(window_.TargetOfWindow(Panel(PanelId::Extend)), PointerTarget::Panel(PanelId::Extend));
  EXPECT_EQ(window_.TargetOfWindow(window_.handle()), PointerTarget{}) << "between the buttons";
  EXPECT_EQ(window_.TargetOfWindow(GetDesktopWindow()), PointerTarget{});
  EXPECT_EQ(window_.TargetOfWindow(nullptr), PointerTarget{});
}

// Takes the thread's messages, as the program's loop does, until `done`
// or for at most five seconds.
template <class Done>
bool PumpUntil(Done done) {
  for (int round = 0; round < 250 && !done(); ++round) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(20);
  }
  return done();
}

TEST_F(KeyboardWindowTest, ThePointerIsReportedOverTheWindowAndWhenItLeaves) {
  { Win32KeyboardWindow other; }  // a window made and gone leaves this one reporting
  window_.Show();
  RECT button;
  GetWindowRect(Button(9), &button);
  const auto last_is = [this](PointerTarget target) {
    return !events_.pointer_targets().empty() && events_.pointer_targets().back() == target;
  };
  SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
  EXPECT_TRUE(PumpUntil([&] { return last_is(PointerTarget::Button(9)); }));
  RECT shift;
  GetWindowRect(Panel(PanelId::Shift), &shift);
  SetCursorPos(shift.left + 3, shift.top + 3);
  EXPECT_TRUE(PumpUntil([&] { return last_is(PointerTarget::Panel(PanelId::Shift)); }));
  // Far from the keyboard: no window of ours is told of a move there.
  RECT frame;
  GetWindowRect(window_.handle(), &frame);
  SetCursorPos(frame.right + 100, frame.bottom + 100);
  EXPECT_TRUE(PumpUntil([&] { return last_is(PointerTarget{}); }));
  EXPECT_THAT(events_.log(), Not(Contains(StartsWith("doclick")))) << "moves click nothing";
}

// The keyboard decides what a held button means for dwell click: the
// window tells it of the press, of the moves with the button held and of the
// release, before the click the release makes.
TEST_F(KeyboardWindowTest, APressItsMovesAndItsReleaseAreReportedBeforeTheClick) {
  window_.Show();
  RECT button;
  GetWindowRect(Button(9), &button);
  SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
  ASSERT_TRUE(PumpUntil([&] {
    return !events_.pointer_targets().empty() &&
           events_.pointer_targets().back() == PointerTarget::Button(9);
  }));
  const std::size_t before = events_.pointer_targets().size();
  PostMessageA(Button(9), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  PostMessageA(Button(9), WM_MOUSEMOVE, MK_LBUTTON, At(6, 5));
  PostMessageA(Button(9), WM_LBUTTONUP, 0, At(6, 5));
  EXPECT_TRUE(PumpUntil([&] { return events_.log().size() >= 3; }));
  EXPECT_THAT(events_.log(),
              ElementsAre("MouseButtonPressed", "MouseButtonReleased", "doclick SpeedButton9"));
  EXPECT_GT(events_.pointer_targets().size(), before) << "a move with the button held";
}

// The colour the keyboard gives the dwell bar's fill.
COLORREF BarFill() {
  const Rgb fill = FormGeometry{}.dwell_bar.fill;
  return RGB(fill.red, fill.green, fill.blue);
}

// The dwell bar's pixels in a child window: where they lie, and how many.
struct BarPixels {
  int count = 0;
  RECT box{};  // the smallest rectangle around them
};

BarPixels OrangeIn(const std::vector<COLORREF>& pixels, int width) {
  BarPixels bar{0, {width, 1 << 20, -1, -1}};
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    if (pixels[i] != BarFill()) continue;
    const int x = static_cast<int>(i) % width;
    const int y = static_cast<int>(i) / width;
    ++bar.count;
    bar.box = {std::min<LONG>(bar.box.left, x), std::min<LONG>(bar.box.top, y),
               std::max<LONG>(bar.box.right, x + 1), std::max<LONG>(bar.box.bottom, y + 1)};
  }
  return bar;
}

TEST_F(KeyboardWindowTest, TheDwellBarFillsTheBottomSixthOfItsTargetAtEverySize) {
  for (const int pitch : {32, 64, 96}) {
    window_.SetGeometry(GeometryForPitch(pitch));
    const struct {
      PointerTarget target;
      HWND window;
    } targets[] = {{PointerTarget::Button(7), Button(7)},
                   {PointerTarget::Panel(PanelId::Shift), Panel(PanelId::Shift)},
                   {PointerTarget::Panel(PanelId::Extend), Panel(PanelId::Extend)}};
    for (const auto& [target, window] : targets) {
      RECT client;
      GetClientRect(window, &client);
      window_.ShowDwellProgress(target, 500);
      const BarPixels half = OrangeIn(Painted(window), client.right);
      window_.ShowDwellProgress(target, 1000);
      const BarPixels full = OrangeIn(Painted(window), client.right);
      SCOPED_TRACE(testing::Message() << "pitch " << pitch << ", window " << window);
      ASSERT_GT(half.count, 0);
      // A sixth of the height, in its frame, at the bottom.
      const int frame = GeometryForPitch(pitch).dwell_bar.frame;
      const int height = half.box.bottom - half.box.top + 2 * frame;
      EXPECT_NEAR(height, client.bottom / 6, 2);
      EXPECT_GE(half.box.bottom, client.bottom - 2 - frame);
      EXPECT_NEAR(full.box.right - full.box.left, 2 * (half.box.right - half.box.left), 3);
      EXPECT_NEAR(full.box.right - full.box.left, client.right, 4 + 2 * frame)
          << "the full bar spans it";
    }
    for (const auto& [target, window] : targets) {
      window_.ShowDwellProgress(target, 0);
      EXPECT_EQ(CountPixels(window, BarFill()), 0) << "the bar went with the rest";
    }
  }
}

// The keyboard decides where the bar shows; the window draws each target's
// bar as it is told, and takes it off when told 0.
TEST_F(KeyboardWindowTest, EachTargetShowsTheBarItIsGiven) {
  window_.ShowDwellProgress(PointerTarget::Button(7), 600);
  window_.ShowDwellProgress(PointerTarget::Panel(PanelId::Shift), 400);
  EXPECT_GT(CountPixels(Button(7), BarFill()), 0);
  EXPECT_GT(CountPixels(Panel(PanelId::Shift), BarFill()), 0);
  window_.ShowDwellProgress(PointerTarget::Button(7), 0);
  EXPECT_EQ(CountPixels(Button(7), BarFill()), 0);
  EXPECT_GT(CountPixels(Panel(PanelId::Shift), BarFill()), 0);
  window_.ShowDwellProgress(PointerTarget::Panel(PanelId::Shift), 0);
  EXPECT_EQ(CountPixels(Panel(PanelId::Shift), BarFill()), 0);
}

TEST_F(KeyboardWindowTest, ThePopupMenuGrowsWithTheKeyboard) {
  const HMENU menu = window_.popup_menu();
  const auto item = [menu](UINT position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return info;
  };
  const auto height_of = [&](UINT position) {
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, item(position).wID, 0, 0, item(position).dwItemData};
    SendMessageA(window_.handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    return static_cast<int>(measure.itemHeight);
  };
  const int count = GetMenuItemCount(menu);
  for (int pitch : {64, 32}) {
    window_.SetGeometry(GeometryForPitch(pitch));
    for (UINT position = 0; position < static_cast<UINT>(count); ++position) {
      SCOPED_TRACE(pitch);
      // At the designed size the system draws the menu as it draws any.
      EXPECT_EQ((item(position).fType & MFT_OWNERDRAW) != 0, pitch != 32);
      if (pitch != 32) {
        EXPECT_GE(height_of(position), GeometryForPitch(pitch).text_font);
      }
    }
  }
  char text[32] = {};
  GetMenuStringA(menu, 1, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Show All");
}

}  // namespace
}  // namespace plinth::platform::win32
