// The keyboard's size: every measure from one scale, the Scale setting, the
// screen's resolution, a resize by the user.

#include "src/keyboard/scaling.h"
#include "tests/core/keyboard_test.h"

namespace plinth {
namespace {

using platform::FormGeometry;
using platform::Size;
using platform::Square;

TEST(GeometryTest, TheDesignedPitchIsTheWindowAsDesigned) {
  EXPECT_EQ(GeometryForPitch(32), FormGeometry{});
  EXPECT_EQ(FormGeometry{}.client, (Size{222, 224}));
  EXPECT_EQ(FormGeometry{}.shift_panel, (Square{105, 105, 15}));
  EXPECT_EQ(FormGeometry{}.Cell(49), (Square{192, 192, 33}));
}

struct ScaledWindow {
  int percent;
  Size client;
  Square cell_49;
  Square extend_panel;
  Square shift_panel;
  int button_font;
  int text_font;
};

class ScaledGeometryTest : public ::testing::TestWithParam<ScaledWindow> {};

TEST_P(ScaledGeometryTest, EveryMeasureFollowsTheScale) {
  const ScaledWindow& want = GetParam();
  const FormGeometry g = GeometryForPitch(PitchForScale(want.percent));
  EXPECT_EQ(g.client, want.client);
  EXPECT_EQ(g.Cell(49), want.cell_49);
  EXPECT_EQ(g.extend_panel, want.extend_panel);
  EXPECT_EQ(g.shift_panel, want.shift_panel);
  EXPECT_EQ(g.button_font, want.button_font);
  EXPECT_EQ(g.text_font, want.text_font);
  // The cells stay square and the client area keeps its shape.
  EXPECT_EQ(g.Cell(7).size, g.Cell(43).size);
  EXPECT_EQ(PitchForClientSize(g.client), g.pitch);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, ScaledGeometryTest,
    ::testing::Values(
        ScaledWindow{100, {222, 224}, {192, 192, 33}, {96, 96, 33}, {105, 105, 15}, 12, 12},
        ScaledWindow{150, {334, 336}, {288, 288, 49}, {144, 144, 49}, {157, 157, 23}, 18, 18},
        ScaledWindow{200, {446, 448}, {384, 384, 65}, {192, 192, 65}, {209, 209, 30}, 24, 24},
        ScaledWindow{50, {110, 112}, {96, 96, 17}, {48, 48, 17}, {52, 52, 8}, 6, 6}));

// The marks of an on state, the dwell bar and the scan frame, which both
// platforms draw.
TEST(GeometryTest, TheMarksOfStatesAndTheDwellBarFollowTheScale) {
  const struct {
    int percent;
    int state_frame;
    int armed_panel_frame;
    int bar_least_height;
    int bar_frame;
    int scan_frame;
  } rows[] = {
      {50, 1, 1, 3, 1, 2}, {100, 2, 1, 3, 1, 4}, {200, 4, 2, 6, 2, 8}, {300, 6, 3, 9, 3, 12}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.percent);
    const FormGeometry g = GeometryForPitch(PitchForScale(row.percent));
    EXPECT_EQ(g.state_frame, row.state_frame);
    EXPECT_EQ(g.armed_panel_frame, row.armed_panel_frame);
    EXPECT_EQ(g.dwell_bar.least_height, row.bar_least_height);
    EXPECT_EQ(g.dwell_bar.frame, row.bar_frame);
    EXPECT_EQ(g.dwell_bar.fill, FormGeometry{}.dwell_bar.fill) << "colours do not scale";
    EXPECT_EQ(g.scan_frame, row.scan_frame);
    EXPECT_GT(g.scan_frame, g.state_frame) << "the scan frame is the thicker";
    EXPECT_EQ(g.Row(1), (platform::Rect{0, 0, g.client.width, g.button_size}));
  }
}

TEST(GeometryTest, TheDwellBarLiesAlongTheBottomOfItsTargetAndFillsFromTheLeft) {
  using platform::Rect;
  const struct {
    Rect area;
    int permille;
    Rect whole;
    int filled_width;
  } rows[] = {
      {{10, 20, 29, 29}, 500, {10, 45, 29, 4}, 14},  // a button's face: a sixth of it
      {{0, 0, 13, 13}, 1000, {0, 10, 13, 3}, 13},    // the Shift panel: no lower than 3
      {{0, 0, 60, 60}, 0, {0, 50, 60, 10}, 0},
      {{0, 0, 60, 60}, 1500, {0, 50, 60, 10}, 60},  // never beyond the whole
      {{0, 0, 60, 60}, -20, {0, 50, 60, 10}, 0},
      {{5, 5, 8, 2}, 500, {5, 5, 8, 2}, 4},  // never higher than the area
  };
  const platform::DwellBarLook look;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.permille);
    const platform::DwellBarLook::Bar bar = look.In(row.area, row.permille);
    EXPECT_EQ(bar.whole, row.whole);
    EXPECT_EQ(bar.filled, (Rect{row.whole.x, row.whole.y, row.filled_width, row.whole.height}));
  }
}

TEST(ScaleForDpiTest, FollowsTheResolutionInQuarterSteps) {
  for (const auto& [dpi, percent] : {std::pair{96, 100},
                                     {100, 100},
                                     {120, 125},
                                     {144, 150},
                                     {192, 200},
                                     {288, 300},
                                     {72, 75},
                                     {10, 50}}) {
    EXPECT_EQ(ScaleForDpi(dpi), percent) << dpi;
  }
}

class ScaleTest : public KeyboardTest {
 protected:
  void StartWithScale(const std::string& scale) {
    Start("[Configuration]\r\nScale=" + scale + "\r\n[Button1]\r\nCaption=a\r\n");
  }
  // The client point of the pointer's last return.
  platform::Point LastHomeInClient() {
    const platform::Point outer = window.OuterPosition();
    const platform::Point frame = window.FrameOffset();
    const platform::Point at = pointer.moves().back();
    return {at.x - outer.x - frame.x, at.y - outer.y - frame.y};
  }
};

TEST_F(ScaleTest, WithoutASettingAt96DpiNothingChanges) {
  Start("[Button1]\r\nCaption=a\r\n");
  EXPECT_EQ(window.geometry(), FormGeometry{});
  EXPECT_EQ(window.geometry_changes(), 0);
  EXPECT_EQ(window.OuterSize(), test_platform::FakeKeyboardWindow::kOuterSize);
  EXPECT_EQ(form().HomeX, 114);
  EXPECT_EQ(form().HomeY, 132);
  EXPECT_TRUE(Warnings().empty());
}

TEST_F(ScaleTest, TheSettingSizesTheWindowAndTheHomePointStaysOnTheShiftPanel) {
  StartWithScale("200");
  EXPECT_EQ(window.geometry(), GeometryForPitch(64));
  EXPECT_EQ(form().HomeX, 192 + 32 + 2);
  EXPECT_EQ(form().HomeY, 192 + 32 + 20);
  Click(1);
  EXPECT_EQ(PanelAt(pointer.moves().back()), PanelId::Shift);
  EXPECT_EQ(LastHomeInClient(), (platform::Point{224, 224}));
}

TEST_F(ScaleTest, TheScreenResolutionMultipliesTheSetting) {
  screen.set_dpi(144);
  StartWithScale("200");
  EXPECT_EQ(window.geometry().pitch, PitchForScale(300));
}

TEST_F(ScaleTest, AHighResolutionAloneEnlargesTheWindow) {
  screen.set_dpi(192);
  Start("");
  EXPECT_EQ(window.geometry(), GeometryForPitch(64));
}

TEST_F(ScaleTest, AGarbageSettingIsReportedAndTheDesignedSizeKept) {
  StartWithScale("huge");
  EXPECT_THAT(Warnings(), ::testing::ElementsAre("Error - Invalid Scale huge"));
  EXPECT_EQ(window.geometry(), FormGeometry{});
}

TEST_F(ScaleTest, OnlyTheStartUpLayoutSetsTheSize) {
  PutLayout("Big", "[Configuration]\r\nScale=300\r\n");
  Start("[Button1]\r\nType=ACTION\r\nHandler=EXTEND\r\nAction=LOADINI\r\nParam1=Big\r\n",
        "[Configuration]\r\nScale=400\r\n");
  Click(1);
  EXPECT_EQ(window.geometry(), FormGeometry{});
}

TEST_F(ScaleTest, TheWindowNeverGrowsTallerThanTheScreen) {
  screen.set_size({1024, 768});
  StartWithScale("1000");
  const int frame_height = test_platform::FakeKeyboardWindow::kFrameSize.height;
  EXPECT_EQ(window.geometry().pitch, (768 - frame_height) / 7);
  EXPECT_LE(window.OuterSize().height, 768);
  EXPECT_EQ(window.largest_client(), window.geometry().client);
  EXPECT_EQ(window.smallest_client(), GeometryForPitch(16).client);
}

TEST_F(ScaleTest, DockingUsesTheOuterSizeAtTheNewSize) {
  StartWithScale("200");
  form().PlaceWindow("RIGHT", "BOTTOM");
  EXPECT_EQ(window.position(), (platform::Point{1024 - 446 - 4, 768 - 448 - 22}));
}

TEST_F(ScaleTest, ADockedWindowStaysInItsCornerWhenResized) {
  Start("");
  form().PlaceWindow("RIGHT", "BOTTOM");
  window.DragBorderTo({446, 448});
  EXPECT_EQ(window.position(), (platform::Point{1024 - 446 - 4, 768 - 448 - 22}));
}

TEST_F(ScaleTest, AResizeByTheUserKeepsTheCellsSquare) {
  Start("[Button1]\r\nCaption=a\r\n");
  struct Row {
    Size dragged_to;
    int pitch;
  };
  for (const Row& row : {Row{{600, 300}, 42}, Row{{300, 600}, 43}, Row{{20, 20}, 16},
                         Row{{5000, 5000}, (768 - 22) / 7}}) {
    window.DragBorderTo(row.dragged_to);
    EXPECT_EQ(window.geometry(), GeometryForPitch(row.pitch));
    Click(1);
    EXPECT_EQ(PanelAt(pointer.moves().back()), PanelId::Shift);
  }
}

TEST_F(ScaleTest, ADragThatKeepsTheAspectFollowsTheSideThatMovedTheMore) {
  Start("[Button1]\r\nCaption=a\r\n");
  struct Row {
    Size toward;
    int pitch;
  };
  // From the designed 222 x 224: the right edge, the bottom edge, a corner,
  // below the smallest and beyond the screen's height.
  for (const Row& row :
       {Row{{330, 224}, 47}, Row{{330, 100}, 16}, Row{{222, 300}, 43}, Row{{400, 250}, 57},
        Row{{90, 224}, 16}, Row{{222, 9000}, (768 - 22) / 7}}) {
    SCOPED_TRACE(row.toward.width);
    window.DragBorderTo(FormGeometry{}.client);
    window.DragBorderKeepingAspect(row.toward);
    EXPECT_EQ(window.geometry(), GeometryForPitch(row.pitch));
    Click(1);
    EXPECT_EQ(PanelAt(pointer.moves().back()), PanelId::Shift);
  }
}

TEST_F(ScaleTest, ASizeTheWindowManagerKeepsIsTakenWithTheGridFittedInTheMiddle) {
  Start("[Button1]\r\nCaption=a\r\n");
  // A tiling window manager holds the window at its tile, whatever the
  // keyboard asks for, and tells it so after every request.
  const Size tile{1000, 380};
  for (int report = 0; report < 5; ++report) window.DragBorderTo(tile);
  EXPECT_EQ(window.size_requests(), 1) << "asked for the grid's own size once only";
  const FormGeometry fitted = window.geometry();
  EXPECT_EQ(fitted, GeometryFittedInto(tile));
  EXPECT_EQ(fitted.client, tile);
  EXPECT_EQ(fitted.pitch, 380 / 7);
  EXPECT_EQ(fitted.grid_origin, (platform::Point{(1000 - (7 * 54 - 2)) / 2, (380 - 7 * 54) / 2}));
  EXPECT_EQ(fitted.Cell(1).left, fitted.grid_origin.x);
  EXPECT_EQ(fitted.extend_panel.left, fitted.grid_origin.x + 3 * 54);
  // The pointer still returns onto the Shift panel, in the middle.
  Click(1);
  EXPECT_EQ(PanelAt(pointer.moves().back()), PanelId::Shift);
  // A screen change asks for the grid's size again, and the same tile is
  // taken at once.
  window.ChangeScreen();
  window.DragBorderTo(tile);
  EXPECT_EQ(window.size_requests(), 2);
  EXPECT_EQ(window.geometry(), fitted);
  // Another tile is tried once with square cells, and kept when refused.
  for (int report = 0; report < 3; ++report) window.DragBorderTo({500, 700});
  EXPECT_EQ(window.size_requests(), 3);
  EXPECT_EQ(window.geometry(), GeometryFittedInto({500, 700}));
  EXPECT_TRUE(Warnings().empty());
}

TEST(GeometryTest, TheGridFittedIntoItsOwnSizeIsTheGridAtThatPitch) {
  for (const int pitch : {16, 32, 47, 64}) {
    EXPECT_EQ(GeometryFittedInto(GeometryForPitch(pitch).client), GeometryForPitch(pitch)) << pitch;
  }
  // An area too small for any cell still gets cells of a pixel.
  EXPECT_EQ(GeometryFittedInto({3, 3}).pitch, 1);
}

TEST_F(ScaleTest, TheWorkAreaBoundsTheWindowsHeight) {
  screen.set_work_area({0, 0, 1024, 728});  // a taskbar of 40 pixels
  StartWithScale("1000");
  EXPECT_EQ(window.geometry().pitch, (728 - 22) / 7);
}

TEST_F(ScaleTest, AScreenOfAnotherResolutionRescalesTheSetting) {
  StartWithScale("150");
  window.MoveToScreenOfDpi(192);
  EXPECT_EQ(window.geometry().pitch, PitchForScale(300));
  window.MoveToScreenOfDpi(96);
  EXPECT_EQ(window.geometry().pitch, PitchForScale(150));
}

}  // namespace
}  // namespace plinth
