// Zoom, scroll bars and drag panning of the preview, in twips.
#include "preview/preview_geometry.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tallowmere {
namespace {

class RecordingViewport : public PreviewGeometry::Viewport {
 public:
  void DrawPicture(int zoomWidth, int zoomHeight) override { draws.emplace_back(zoomWidth, zoomHeight); }
  void PointerToDefault() override { ++pointerResets; }
  std::vector<std::pair<int, int>> draws;
  int pointerResets = 0;
};

// A window set up for a picture whose unscaled size (inner size less 2) is width x height.
class GeometryTest : public ::testing::Test {
 protected:
  void SetUpPicture(int width, int height) {
    geometry.PictureLoaded(width + 2, height + 2);
    geometry.Setup();
    viewport.draws.clear();
    viewport.pointerResets = 0;
  }
  void ZoomIn(int times) {
    for (int i = 0; i < times; ++i) geometry.ZoomStep(false);
  }
  void Drag(float fromX, float fromY, float toX, float toY) {
    geometry.MouseDown(fromX, fromY);
    geometry.MouseMove(true, toX, toY);
  }
  // The release as the window runs it: each bar to its percentage, where there is one.
  void Release() {
    if (const auto percent = geometry.HorizontalReleasePercent()) geometry.SetHScrollbarByPercent(*percent);
    if (const auto percent = geometry.VerticalReleasePercent()) geometry.SetVScrollbarByPercent(*percent);
  }

  RecordingViewport viewport;
  PreviewGeometry geometry{&viewport};
};

TEST_F(GeometryTest, ZoomStaysWithinAQuarterAndTwoAndThreeQuarters) {
  SetUpPicture(1000, 800);
  ZoomIn(7);
  EXPECT_FLOAT_EQ(geometry.Zoom(), 2.75f);
  EXPECT_EQ(geometry.PictureWidth(), 2750);
  const auto drawsAtTop = viewport.draws.size();
  ZoomIn(1);
  EXPECT_FLOAT_EQ(geometry.Zoom(), 2.75f);
  EXPECT_EQ(viewport.draws.size(), drawsAtTop) << "an eighth Zoom In must not redraw";

  SetUpPicture(1000, 800);
  for (int i = 0; i < 3; ++i) geometry.ZoomStep(true);
  EXPECT_FLOAT_EQ(geometry.Zoom(), 0.25f);
  EXPECT_EQ(geometry.PictureWidth(), 250);
  geometry.ZoomStep(true);
  EXPECT_FLOAT_EQ(geometry.Zoom(), 0.25f);
}

TEST_F(GeometryTest, ScaledSizeAtTheLimitFallsBackToOneWithoutDrawing) {
  SetUpPicture(9000, 5000);
  ZoomIn(5);
  ASSERT_FLOAT_EQ(geometry.Zoom(), 2.25f);
  EXPECT_EQ(geometry.PictureWidth(), 20250);
  geometry.SetHScrollValue(300);
  ASSERT_EQ(geometry.PictureLeft(), -3000);
  viewport.draws.clear();

  ZoomIn(1);  // 2.5 would be 22500 wide
  EXPECT_TRUE(viewport.draws.empty());
  EXPECT_FLOAT_EQ(geometry.Zoom(), 1.0f);
  EXPECT_EQ(geometry.PictureWidth(), 20250) << "the picture keeps its last drawn size";
  EXPECT_EQ(geometry.ZoomWidth(), 9000);
  EXPECT_EQ(geometry.PictureLeft(), 0);
  EXPECT_EQ(geometry.PictureTop(), 0);

  ZoomIn(1);
  EXPECT_FLOAT_EQ(geometry.Zoom(), 1.25f);
  ASSERT_EQ(viewport.draws.size(), 1u);
  EXPECT_EQ(viewport.draws[0], std::make_pair(11250, 6250));
}

TEST_F(GeometryTest, ScaledSizeIsRoundedDownAndDrawnJustBelowTheLimit) {
  SetUpPicture(8519, 3000);
  geometry.SetZoom(2.5f);
  ASSERT_EQ(viewport.draws.size(), 1u);
  EXPECT_EQ(viewport.draws[0].first, 21297);
  EXPECT_EQ(geometry.PictureWidth(), 21297);
  EXPECT_EQ(viewport.pointerResets, 1);
}

TEST_F(GeometryTest, PictureTooLargeToDrawCanStillBeZoomedOut) {
  geometry.PictureLoaded(30000, 3000);
  geometry.Setup();
  EXPECT_TRUE(viewport.draws.empty());
  EXPECT_EQ(geometry.PictureWidth(), 30000);
  EXPECT_TRUE(geometry.HScroll().enabled);
  EXPECT_EQ(geometry.HScroll().max, 2067);  // (30000 - 9330) / 10 = 2067
  geometry.ZoomStep(true);                  // 0.75: 22498 is still too wide
  EXPECT_TRUE(viewport.draws.empty());
  EXPECT_FLOAT_EQ(geometry.Zoom(), 0.75f);
  EXPECT_EQ(geometry.PictureWidth(), 30000);
  geometry.ZoomStep(true);  // 0.5
  ASSERT_EQ(viewport.draws.size(), 1u);
  EXPECT_EQ(viewport.draws[0].first, 14999);
  EXPECT_EQ(geometry.PictureWidth(), 14999);
  geometry.ZoomStep(false);  // 0.75 again: too wide, stays at 0.5's drawing
  geometry.ZoomStep(false);  // 1.0: too wide, falls back to 1.0
  EXPECT_FLOAT_EQ(geometry.Zoom(), 1.0f);
  EXPECT_EQ(geometry.PictureWidth(), 14999);
}

TEST_F(GeometryTest, BarStepAndRangeFollowTheExcessOverTheViewport) {
  struct Case {
    int pictureWidth;
    bool enabled;
    int step;
    int max;
  };
  const Case cases[] = {
      {9330, false, 0, 0},   // as wide as the viewport
      {9430, true, 1, 100},  // excess 100
      {9431, true, 10, 10},  // excess 101
      {9435, true, 10, 10},  // excess 105: 10.5 rounds to even
      {9445, true, 10, 12},  // excess 115: 11.5 rounds to even
      {20000, true, 10, 1067},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pictureWidth);
    PreviewGeometry g;
    g.PictureLoaded(c.pictureWidth + 2, 1000);
    g.Setup();
    EXPECT_EQ(g.PictureWidth(), c.pictureWidth);
    EXPECT_EQ(g.HScroll().enabled, c.enabled);
    EXPECT_EQ(g.HStep(), c.step);
    if (c.enabled) {
      EXPECT_EQ(g.HScroll().max, c.max);
    }
    EXPECT_FALSE(g.VScroll().enabled);
  }
}

TEST_F(GeometryTest, BarValueMovesThePictureBeyondTheSixteenBitRange) {
  geometry.PictureLoaded(50000, 3000);  // too large to draw; bar max 4067
  geometry.Setup();
  ASSERT_EQ(geometry.HStep(), 10);
  geometry.SetHScrollValue(4000);
  EXPECT_EQ(geometry.PictureLeft(), -40000);
  geometry.SetHScrollValue(99999);
  EXPECT_EQ(geometry.HScroll().value, geometry.HScroll().max) << "a value beyond the range is held at its end";
  EXPECT_EQ(geometry.PictureLeft(), -40670);
  geometry.PictureLoaded(600000, 3000);
  geometry.Setup();
  EXPECT_EQ(geometry.HScroll().max, 32767) << "the range is held at 16 bits";
}

TEST_F(GeometryTest, SettingABarByPercentage) {
  SetUpPicture(20000, 15000);
  ASSERT_EQ(geometry.HScroll().max, 1067);
  geometry.SetHScrollbarByPercent(50);
  EXPECT_EQ(geometry.HScroll().value, 534);  // 533.5 rounds to even
  EXPECT_EQ(geometry.PictureLeft(), -5340);
  geometry.SetHScrollbarByPercent(-1);
  EXPECT_EQ(geometry.HScroll().value, 534);
  geometry.SetHScrollbarByPercent(0);
  EXPECT_EQ(geometry.HScroll().value, 0);
  EXPECT_EQ(geometry.PictureLeft(), 0);
  geometry.SetHScrollbarByPercent(150);
  EXPECT_EQ(geometry.HScroll().value, 1067);
  geometry.SetVScrollbarByPercent(100);
  EXPECT_EQ(geometry.VScroll().value, geometry.VScroll().max);
  EXPECT_EQ(geometry.PictureTop(), -10.0 * geometry.VScroll().max);
}

TEST_F(GeometryTest, DragKeepsALargePictureCoveringTheViewport) {
  SetUpPicture(20000, 15000);
  Drag(500, 500, 300, 400);
  EXPECT_EQ(geometry.PictureLeft(), -200) << "the grabbed spot follows the pointer";
  EXPECT_EQ(geometry.PictureTop(), -100);
  geometry.MouseMove(true, -50000, -50000);
  EXPECT_EQ(geometry.PictureLeft(), -10700);
  EXPECT_EQ(geometry.PictureTop(), -7605);
  geometry.MouseMove(false, 90000, 90000);
  EXPECT_EQ(geometry.PictureLeft(), -10700) << "moving without a button does nothing";
  geometry.MouseMove(true, 90000, 90000);
  EXPECT_EQ(geometry.PictureLeft(), 0);
  EXPECT_EQ(geometry.PictureTop(), 0);
  EXPECT_EQ(geometry.HScroll().value, 0) << "bars follow only at the release";
}

TEST_F(GeometryTest, ReleaseSettlesThePictureOnTheBarGrid) {
  SetUpPicture(20000, 15000);
  Drag(0, 0, -5000, 0);
  ASSERT_EQ(geometry.PictureLeft(), -5000);
  Release();
  EXPECT_EQ(geometry.HScroll().value, 501);  // 47 % of 1067 = 501.49
  EXPECT_EQ(geometry.PictureLeft(), -5010);
  EXPECT_EQ(geometry.VScroll().value, 0);
  Release();  // releasing again without a move keeps it on the grid
  EXPECT_EQ(geometry.PictureLeft(), -5010);
}

TEST_F(GeometryTest, PictureNarrowerThanTheViewportSticksToAnEdge) {
  SetUpPicture(5000, 15000);
  Drag(100, 100, 150, 100);
  EXPECT_EQ(geometry.PictureLeft(), 0);
  geometry.MouseMove(true, 50, 100);
  EXPECT_EQ(geometry.PictureLeft(), 4300) << "right-aligned inside the viewport";
  Release();
  EXPECT_EQ(geometry.HScroll().value, 0);
  EXPECT_EQ(geometry.PictureLeft(), 4300);
}

TEST_F(GeometryTest, ReleaseWithEqualWidthsLeavesTheBarAlone) {
  SetUpPicture(9330, 15000);
  Drag(100, 100, 0, 0);
  EXPECT_EQ(geometry.PictureLeft(), -30);  // inner 9300 less outer 9330
  EXPECT_EQ(geometry.PictureTop(), -100);
  Release();
  EXPECT_EQ(geometry.PictureLeft(), -30);
  EXPECT_EQ(geometry.HScroll().value, 0);
  EXPECT_EQ(geometry.VScroll().value, 8);  // 100 / 7575 is 1 %; 1 % of 758 is 7.58
  EXPECT_EQ(geometry.PictureTop(), -80);
}

TEST_F(GeometryTest, ReleasePastTheEndOfTheBarRangeTakesItsMaximum) {
  SetUpPicture(9340, 15000);
  ASSERT_EQ(geometry.HScroll().max, 10);
  Drag(100, 0, -1000, 0);
  ASSERT_EQ(geometry.PictureLeft(), -40);  // 400 % of the bar's range
  Release();
  EXPECT_EQ(geometry.HScroll().value, 10);
  EXPECT_EQ(geometry.PictureLeft(), -10);
}

TEST_F(GeometryTest, SetupRunsOncePerHandOver) {
  SetUpPicture(10000, 9000);
  ZoomIn(1);
  geometry.SetVScrollValue(50);
  geometry.Setup();  // re-activation of the same report
  EXPECT_FLOAT_EQ(geometry.Zoom(), 1.25f);
  EXPECT_EQ(geometry.VScroll().value, 50);

  geometry.PictureLoaded(3000, 2000);
  ASSERT_TRUE(geometry.NeedsSetup());
  geometry.Setup();
  EXPECT_FLOAT_EQ(geometry.Zoom(), 1.0f);
  EXPECT_EQ(geometry.PictureWidth(), 2998);
  EXPECT_EQ(geometry.PictureTop(), 0);
  EXPECT_FALSE(geometry.HScroll().enabled);
  EXPECT_FALSE(geometry.VScroll().enabled);
  EXPECT_EQ(geometry.VScroll().value, 0);
  ASSERT_EQ(viewport.draws.size(), 2u);
  EXPECT_EQ(viewport.draws.back(), std::make_pair(2998, 1998));
}

}  // namespace
}  // namespace tallowmere
