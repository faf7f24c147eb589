// The extended-border window's arithmetic: frame zones, the shadow, the region's rectangles, the
// blur area and snapping, against values worked out by hand for a 300 x 200 border window with a
// 9-pixel shadow all round.
#include "skin/forms/acBorderGeometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace skin {
namespace {

constexpr TRect kShadow{9, 9, 9, 9};

TacBorderHitInput Frame(int sysBorder) {
  TacBorderHitInput in;
  in.Shadow = kShadow;
  in.Width = 300;
  in.Height = 200;
  in.SysBorder = sysBorder;
  in.Caption = 22;  // title band: 0 .. 9 + 22 = 31
  in.Menu = 20;     // menu band: 32 .. 51
  in.Sizeable = true;
  in.IconRect = TRect{13, 12, 29, 28};
  return in;
}

TEST(BorderGeometryTest, FrameZonesOfASizeableForm) {
  struct Case {
    int sysBorder;
    TPoint p;
    int code;
  };
  // Right band 287 .. 291 and bottom band 187 .. 191 with a 4-pixel system frame.
  const Case cases[] = {
      {4, {100, 9}, 12},   {4, {100, 13}, 12},  {4, {100, 14}, 2},   {8, {100, 13}, 12},  {8, {100, 15}, 2},
      {4, {9, 9}, 13},     {4, {290, 10}, 14},  {4, {9, 100}, 10},   {4, {13, 100}, 10},  {4, {14, 100}, 0},
      {4, {287, 100}, 11}, {4, {291, 100}, 11}, {4, {100, 187}, 15}, {4, {100, 191}, 15}, {4, {100, 186}, 0},
      {4, {9, 190}, 16},   {4, {290, 190}, 17}, {4, {20, 20}, 3},    {4, {29, 20}, 2},    {4, {100, 31}, 2},
      {4, {100, 32}, 5},   {4, {100, 51}, 5},   {4, {100, 52}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "BW " << c.sysBorder << " at " << c.p.X << "," << c.p.Y);
    EXPECT_EQ(BorderFrameHit(Frame(c.sysBorder), c.p), c.code);
  }
}

TEST(BorderGeometryTest, MaximisedOrFixedFramesDoNotSize) {
  for (const bool maximised : {true, false}) {
    TacBorderHitInput in = Frame(4);
    in.Maximized = maximised;
    in.Sizeable = maximised;  // a maximised frame does not size even with WS_THICKFRAME
    EXPECT_EQ(BorderFrameHit(in, {100, 10}), 2);
    EXPECT_EQ(BorderFrameHit(in, {9, 100}), 0);
    EXPECT_EQ(BorderFrameHit(in, {100, 190}), 0);
  }
}

TEST(BorderGeometryTest, ShadowIsOutsideTheFrameUnlessMaximised) {
  EXPECT_TRUE(AboveTheShadow(kShadow, 300, 200, {8, 100}, false));
  EXPECT_FALSE(AboveTheShadow(kShadow, 300, 200, {9, 100}, false));
  EXPECT_FALSE(AboveTheShadow(kShadow, 300, 200, {291, 191}, false));
  EXPECT_TRUE(AboveTheShadow(kShadow, 300, 200, {292, 100}, false));
  EXPECT_TRUE(AboveTheShadow(kShadow, 300, 200, {100, 192}, false));
  EXPECT_TRUE(AboveTheShadow(kShadow, 300, 200, {100, 0}, false));
  EXPECT_FALSE(AboveTheShadow(kShadow, 300, 200, {0, 0}, true));
}

TEST(BorderGeometryTest, TitleButtonsInTheOrderTheyStand) {
  TacTitleHitInput all;
  all.VisibleMax = all.EnabledMax = all.VisibleMin = all.EnabledMin = all.ContextHelp = true;
  TacTitleHitInput minOnly;
  minOnly.VisibleMin = minOnly.EnabledMin = minOnly.ContextHelp = true;
  TacTitleHitInput disabled = all;
  disabled.EnabledMax = disabled.EnabledMin = false;
  TacTitleHitInput restoreOnly = disabled;
  restoreOnly.EnabledRestore = true;
  TacTitleHitInput iconic = disabled;
  iconic.Iconic = true;
  iconic.EnabledRestore = true;
  TacTitleHitInput noClose = all;
  noClose.CloseHidden = true;
  TacTitleHitInput noMenu = all;
  noMenu.SysMenu = false;
  struct Case {
    const char* name;
    const TacTitleHitInput& in;
    int count;
    std::vector<int> codes;  // buttons 1 .. count + 1
  };
  const Case cases[] = {
      {"all", all, 4, {20, 9, 8, 21, 0}},
      {"minimise and help", minOnly, 3, {20, 8, 21, 0}},
      {"disabled max and min drag", disabled, 4, {20, 2, 2, 21, 0}},
      {"restore enabled", restoreOnly, 4, {20, 9, 2, 21, 0}},
      {"iconic", iconic, 4, {20, 2, 8, 21, 0}},
      {"close hidden", noClose, 4, {0, 9, 8, 21, 0}},
      {"no system menu", noMenu, 0, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SysTitleButtonCount(c.in), c.count);
    std::vector<int> seen;
    for (int i = 1; i <= c.count + 1; ++i) seen.push_back(SysTitleButtonHit(c.in, i));
    EXPECT_EQ(seen, c.codes);
  }
}

TEST(BorderGeometryTest, RegionOfAMaximisedOwnerIsTheInnerRectangle) {
  TacBorderRgnInput in;
  in.Shadow = kShadow;
  in.Width = 300;
  in.Height = 200;
  in.SysBorder = 4;
  in.DiffBorder = 3;
  in.Maximized = true;
  in.Hole = TRect{20, 40, 280, 180};
  const TacBorderRgnShape s = BorderRgnShape(in);
  EXPECT_FALSE(s.Whole);
  ASSERT_TRUE(s.HasBase);
  EXPECT_EQ(s.Base, (TRect{16, 13, 284, 184}));
  ASSERT_TRUE(s.HasHole);
  EXPECT_EQ(s.Hole, in.Hole);

  in.ShowsWholeImage = true;
  const TacBorderRgnShape picture = BorderRgnShape(in);
  EXPECT_TRUE(picture.HasBase);
  EXPECT_FALSE(picture.HasHole);

  in.Maximized = false;
  const TacBorderRgnShape whole = BorderRgnShape(in);
  EXPECT_TRUE(whole.Whole);
  EXPECT_FALSE(whole.HasBase);
  EXPECT_FALSE(whole.HasHole);

  in.ShowsWholeImage = false;
  const TacBorderRgnShape normal = BorderRgnShape(in);
  EXPECT_FALSE(normal.Whole);
  EXPECT_FALSE(normal.HasBase);
  EXPECT_TRUE(normal.HasHole);
}

TEST(BorderGeometryTest, HoleFollowsTheClientAreaAndSizeChanges) {
  TacBorderHoleInput in;
  in.Left = 14;
  in.Top = 40;
  in.ClientWidth = 200;
  in.ClientHeight = 100;
  in.VScrollWidth = 17;
  in.HScrollHeight = 16;
  EXPECT_EQ(BorderHole(in), (TRect{14, 40, 231, 156}));
  in.MenuLines = 2;
  in.MenuHeight = 19;
  EXPECT_EQ(BorderHole(in), (TRect{14, 2, 231, 156}));
  in.MenuLines = 0;

  // Shrinking to a new outer size 250 x 150 from 280 x 180: the hole takes the new client size.
  in.SizeChange = true;
  in.LastClientWidth = 200;
  in.LastClientHeight = 100;
  in.FormWidth = 280;
  in.FormHeight = 180;
  in.NewWidth = 250;
  in.NewHeight = 150;
  EXPECT_EQ(BorderHole(in), (TRect{14, 40, 184, 110}));
  // A constraint at or above the new size keeps the client size; a smaller last client area wins.
  in.MinWidth = 250;
  in.LastClientHeight = 90;
  EXPECT_EQ(BorderHole(in), (TRect{14, 40, 214, 130}));
}

TEST(BorderGeometryTest, BlurLeavesOutBlackCornerPixelsOnly) {
  // 20 x 20 white picture, shadow 3: blur frame (2, 2, 18, 18), corner squares 2 x 2.
  std::vector<std::uint32_t> px(20 * 20, 0xFFFFFFFFu);
  auto at = [&](int x, int y) -> std::uint32_t& { return px[std::size_t(y) * 20 + std::size_t(x)]; };
  at(2, 2) = at(3, 2) = at(2, 3) = 0xFF000000u;  // black, opaque: cut
  at(17, 17) = 0x00000000u;                      // black, transparent: cut
  at(10, 2) = 0xFF000000u;                       // black outside a corner: kept
  at(4, 2) = 0xFF000000u;                        // just beside the corner square: kept
  const TImage32View view{reinterpret_cast<std::uint8_t*>(px.data()), 20, 20, 80};
  const std::vector<TRect> rects = BlurRects(TRect{3, 3, 3, 3}, 20, 20, 1, view);
  int covered[20][20] = {};
  for (const TRect& r : rects)
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) ++covered[y][x];
  int total = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      EXPECT_LE(covered[y][x], 1) << x << "," << y;
      total += covered[y][x];
    }
  EXPECT_EQ(total, 16 * 16 - 4);
  EXPECT_EQ(covered[2][2] + covered[2][3] + covered[3][2] + covered[17][17], 0);
  EXPECT_EQ(covered[2][10] + covered[2][4] + covered[3][3] + covered[16][16], 4);
  EXPECT_EQ(covered[1][5] + covered[5][18], 0);
}

TEST(BorderGeometryTest, BlurOutsideThePictureIsKept) {
  std::vector<std::uint32_t> px(4 * 4, 0u);  // all black, smaller than the blur frame
  const TImage32View view{reinterpret_cast<std::uint8_t*>(px.data()), 4, 4, 16};
  const std::vector<TRect> rects = BlurRects(TRect{3, 3, 3, 3}, 20, 20, 1, view);
  int total = 0;
  for (const TRect& r : rects) total += (r.Right - r.Left) * (r.Bottom - r.Top);
  EXPECT_EQ(total, 16 * 16 - 4);  // only (2, 2), (3, 2), (2, 3), (3, 3) lie in the picture
}

TEST(BorderGeometryTest, SnapsTheVisibleFrameToTheWorkArea) {
  const TRect wa{0, 0, 1000, 800};
  // Visible right edge x + 300 + 2 - 9: 988 is 12 away, 993 snaps to 1000.
  EXPECT_EQ(SnapBorderWindow({695, 100}, 300, 200, wa, kShadow, 2, 10), (TPoint{695, 100}));
  EXPECT_EQ(SnapBorderWindow({700, 100}, 300, 200, wa, kShadow, 2, 10), (TPoint{707, 100}));
  EXPECT_EQ(SnapBorderWindow({-5, -3}, 300, 200, wa, kShadow, 2, 10), (TPoint{-7, -7}));
  EXPECT_EQ(SnapBorderWindow({100, 600}, 300, 200, wa, kShadow, 2, 10), (TPoint{100, 607}));
}

}  // namespace
}  // namespace skin
