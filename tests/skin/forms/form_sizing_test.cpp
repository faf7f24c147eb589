// Moving and sizing arithmetic of a skinned form; every expected value is worked out by hand for a
// work area (0, 0, 1000, 700) and a form 300 x 200.
#include <gtest/gtest.h>

#include "skin/forms/acFormSizing.h"

namespace skin {
namespace {

constexpr TRect kWorkArea{0, 0, 1000, 700};
constexpr TSize kForm{300, 200};

TEST(FormSizing, SnapsOnlyCloserThanTheBuffer) {
  struct Case {
    const char* name;
    TPoint pos;
    int margin, topMargin;
    TPoint snapped;
  } const cases[] = {
      {"left 9 away", {9, 300}, 0, 0, {0, 300}},
      {"left 10 away", {10, 300}, 0, 0, {10, 300}},
      {"left 9 outside", {-9, 300}, 0, 0, {0, 300}},
      {"right 9 away", {691, 300}, 0, 0, {700, 300}},
      {"right 10 away", {690, 300}, 0, 0, {690, 300}},
      {"bottom 9 away", {400, 491}, 0, 0, {400, 500}},
      {"top 9 away", {400, 9}, 0, 0, {400, 0}},
      {"corner", {-5, 495}, 0, 0, {0, 500}},
      // A frame window around the form reaches 6 beyond it (20 above): its edges snap.
      {"margin left", {-2, 300}, 6, 20, {6, 300}},
      {"margin right", {700, 300}, 6, 20, {694, 300}},
      {"margin bottom", {400, 502}, 6, 20, {400, 494}},
      {"margin top", {400, 15}, 6, 20, {400, 20}},
      {"middle", {350, 250}, 0, 0, {350, 250}},
  };
  for (const Case& c : cases) {
    const TPoint p = SnapToWorkArea({c.pos, kForm, kWorkArea, c.margin, c.topMargin, 10});
    EXPECT_EQ(p.X, c.snapped.X) << c.name;
    EXPECT_EQ(p.Y, c.snapped.Y) << c.name;
  }
}

TEST(FormSizing, AFormWiderThanTheWorkAreaEndsOnItsLeftEdge) {
  // Right first (1000 - 1005 = -5 away: x = -5), then the left edge pulls it to 0.
  const TPoint p = SnapToWorkArea({{3, 100}, {1005, 200}, kWorkArea, 0, 0, 10});
  EXPECT_EQ(p.X, 0);
}

TEST(FormSizing, MaximizedBoundsPutTheFrameOutsideTheWorkArea) {
  const TacMaxBounds plain = MaximizedBoundsOf(TRect{0, 0, 1024, 738}, 4, 0);
  EXPECT_EQ(plain.Position.X, -4);
  EXPECT_EQ(plain.Position.Y, -4);
  EXPECT_EQ(plain.Size.cx, 1032);
  EXPECT_EQ(plain.Size.cy, 746);
  const TacMaxBounds shifted = MaximizedBoundsOf(TRect{100, 50, 900, 650}, 3, 7);
  EXPECT_EQ(shifted.Position.Y, -10);
  EXPECT_EQ(shifted.Size.cx, 806);
  EXPECT_EQ(shifted.Size.cy, 613);
}

TEST(FormSizing, SizedOutlineMovesTheEdgesOfTheHitCode) {
  const TRect form{100, 100, 400, 300};
  struct Case {
    int edge;
    TPoint delta;
    TRect outline;
  } const cases[] = {
      {kHtLeft, {-20, 15}, {80, 100, 400, 300}},
      {kHtRight, {20, 15}, {100, 100, 420, 300}},
      {kHtTop, {20, -15}, {100, 85, 400, 300}},
      {kHtTopLeft, {-20, -15}, {80, 85, 400, 300}},
      {kHtTopRight, {20, -15}, {100, 85, 420, 300}},
      {kHtBottom, {20, 15}, {100, 100, 400, 315}},
      {kHtBottomLeft, {-20, 15}, {80, 100, 400, 315}},
      {kHtBottomRight, {20, 15}, {100, 100, 420, 315}},
      {2, {20, 15}, {100, 100, 420, 315}},
      // Limits of 120 x 90: the moving edges stop there.
      {kHtTopLeft, {250, 250}, {280, 210, 400, 300}},
      {kHtBottomRight, {-250, -250}, {100, 100, 220, 190}},
  };
  for (const Case& c : cases) {
    const TRect r = SizedOutline(form, c.edge, c.delta, 120, 90);
    EXPECT_EQ(r.Left, c.outline.Left) << c.edge;
    EXPECT_EQ(r.Top, c.outline.Top) << c.edge;
    EXPECT_EQ(r.Right, c.outline.Right) << c.edge;
    EXPECT_EQ(r.Bottom, c.outline.Bottom) << c.edge;
  }
}

}  // namespace
}  // namespace skin
