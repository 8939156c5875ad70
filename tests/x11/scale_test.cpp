// The keyboard at twice its size, by the Scale setting and by the screen's
// resolution: clicks type, the pointer returns onto the Shift panel,
// docking puts the outer frame on the corner; a resize by the window
// manager keeps the cells square and clicks still land.

#include <X11/Xatom.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/x11/frame_extents.h"
#include "src/keyboard/scaling.h"
#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

namespace plinth::x11_test {
namespace {

constexpr ScreenPoint kTypepadPlace{600, 40};

const std::string kDockRightBottom =
    "[Button49]\r\nType=ACTION\r\nCaption=mv\r\nHandler=DEFAULT\r\nAction=MOVE\r\n"
    "Param1=BOTTOM\r\nParam2=RIGHT\r\n\r\n";

class ScaleTest : public OnDisplay {
 protected:
  void StartTypepad() {
    typepad_ = std::make_unique<Typepad>(session, "Typepad", kTypepadPlace);
    ASSERT_TRUE(typepad_->WaitForWindow());
    XSetInputFocus(display(), typepad_->window(), RevertToPointerRoot, CurrentTime);
    XSync(display(), False);
  }

  bool Typed(const std::string& line) const {
    return WaitUntil([&] { return typepad_->Log().find(line) != std::string::npos; });
  }

  // Desktops announce their scaling in the Xft.dpi resource.
  void SetXftDpi(int dpi) {
    const std::string resources = "Xft.dpi:\t" + std::to_string(dpi) + "\n";
    XChangeProperty(display(), DefaultRootWindow(display()),
                    XInternAtom(display(), "RESOURCE_MANAGER", False), XA_STRING, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(resources.data()),
                    static_cast<int>(resources.size()));
    XSync(display(), False);
  }

  // A click on a cell types its key and the pointer comes back onto the
  // Shift panel; docking then puts the outer frame on the corner.
  void ExpectTheKeyboardWorksAt(KeyboardProgram& keyboard, int pitch) {
    const platform::Size client = GeometryForPitch(pitch).client;
    ASSERT_TRUE(WaitUntil([&] {
      return ClientSize(display(), keyboard.window()) ==
             std::make_pair(client.width, client.height);
    })) << ClientSize(display(), keyboard.window()).first;
    ClickAt(display(), keyboard.CellCentre(1));
    EXPECT_TRUE(Typed("key 61 a\n")) << typepad_->Log();
    EXPECT_TRUE(WaitUntil([&] { return PointerPosition(display()) == keyboard.Home(); }));
    const platform::Square shift = keyboard.Geometry().shift_panel;
    const ScreenPoint home = keyboard.Home();
    const ScreenPoint shift_corner = keyboard.AtClient(shift.left, shift.top);
    EXPECT_GE(home.x, shift_corner.x);
    EXPECT_LT(home.x, shift_corner.x + shift.size);
    EXPECT_GE(home.y, shift_corner.y);
    EXPECT_LT(home.y, shift_corner.y + shift.size);

    ClickAt(display(), keyboard.CellCentre(49));
    const platform::x11::FrameExtents frame = Frame(keyboard.window());
    const ScreenPoint docked{XSession::kScreenWidth - frame.right - client.width,
                             XSession::kScreenHeight - frame.bottom - client.height};
    EXPECT_TRUE(WaitUntil([&] { return ClientOrigin(display(), keyboard.window()) == docked; }));
  }

  const LayoutFiles kLayouts{{"Extend", ""}};
  std::unique_ptr<Typepad> typepad_;
};

TEST_P(ScaleTest, TheScaleSettingDoublesTheKeyboard) {
  StartTypepad();
  KeyboardProgram keyboard(session, {{"Default", "[Configuration]\r\nScale=200\r\n" +
                                                     KeyLayout({{1, "a"}}) + kDockRightBottom},
                                     {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  ExpectTheKeyboardWorksAt(keyboard, 64);
}

TEST_P(ScaleTest, AHighResolutionScreenDoublesTheKeyboard) {
  SetXftDpi(192);
  StartTypepad();
  KeyboardProgram keyboard(session,
                           {{"Default", KeyLayout({{1, "a"}}) + kDockRightBottom}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  ExpectTheKeyboardWorksAt(keyboard, 64);
}

TEST_P(ScaleTest, AResizeKeepsTheCellsSquareAndClicksLand) {
  StartTypepad();
  KeyboardProgram keyboard(session,
                           {{"Default", KeyLayout({{1, "a"}}) + kDockRightBottom}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  ASSERT_TRUE(WaitUntil([&] { return keyboard.Geometry().pitch == 32; }));
  // As the window manager does when the user drags the border: wider than
  // high, so the height decides.
  XResizeWindow(display(), keyboard.window(), 700, 400);
  XSync(display(), False);
  const int pitch = PitchForClientSize({700, 400});
  ExpectTheKeyboardWorksAt(keyboard, pitch);
}

PLINTH_ON_EVERY_DISPLAY(ScaleTest);

}  // namespace
}  // namespace plinth::x11_test
