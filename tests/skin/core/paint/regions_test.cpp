// Key-pixel runs of border corners, the region border painter and the template copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "skin/core/Sborders.h"
#include "skin/core/sSkinRegions.h"
#include "tests/skin/core/paint/PaintFixture.h"

namespace skin {
namespace {

using test::At;

std::set<std::pair<int, int>> Pixels(const TAOR& runs) {
  std::set<std::pair<int, int>> s;
  for (const TRect& r : runs) {
    EXPECT_EQ(r.Bottom - r.Top, 1);
    for (int x = r.Left; x < r.Right; ++x) s.insert({x, r.Top});
  }
  return s;
}

// A button border image: one 8 x 8 cell, margins 3, key pixels in every corner and on the edges.
struct Button {
  test::PaintSkin skin;
  int index = skin.Image("BUTTON", "BORDERSMASK", {0, 0, 8, 8}, 1, 0);
  Button() {
    skin.Fill({0, 0, 8, 8}, 0xFF405060u);
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {2, 0}, {0, 1}, {7, 0}, {6, 0}, {7, 1}, {0, 7}, {7, 7}, {6, 7}})
      skin.Put(x, y, kKeyPixel);
    skin.Put(4, 0, kKeyPixel);  // top edge: stays in the region
    TsMaskData& md = skin.Mask(index);
    md.WL = md.WT = md.WR = md.WB = 3;
    md.DrawMode = 4;
  }
};

TEST(Regions, CornerRunsOfABorderImage) {
  Button b;
  TAOR runs;
  AddRgn(runs, 20, b.skin.Mask(b.index), false, 0);
  EXPECT_EQ(Pixels(runs), (std::set<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {18, 0}, {19, 0}, {19, 1}}));
  EXPECT_EQ(runs.front(), (TRect{0, 0, 3, 1}));
  const TAOR all = CornerRuns(b.skin.sm, b.index, 20, 10);
  EXPECT_EQ(Pixels(all).count({0, 9}), 1u);
  EXPECT_EQ(Pixels(all).count({19, 9}), 1u);
  EXPECT_EQ(Pixels(all).count({18, 9}), 1u);
  // A right corner reaching outside the bitmap reads nothing there.
  Button wide;
  wide.skin.Mask(wide.index).WR = 12;
  TAOR cut;
  AddRgn(cut, 20, wide.skin.Mask(wide.index), false, 0);
  EXPECT_FALSE(Pixels(cut).empty());
}

TEST(PaintRgnBorder, CutsExactlyTheCornersKeyPixelsEveryTime) {
  Button b;
  TBitmap32 bmp(20, 10, 0xFF000000u);
  TAOR runs;
  PaintRgnBorder(bmp.View(), &runs, true, b.skin.Mask(b.index), 0);
  const std::set<std::pair<int, int>> expected{{0, 0},  {1, 0},  {2, 0}, {0, 1},  {19, 0},
                                               {18, 0}, {19, 1}, {0, 9}, {19, 9}, {18, 9}};
  EXPECT_EQ(Pixels(runs), expected);
  EXPECT_EQ(At(bmp, 0, 0), 0xFF000000u);  // key pixels leave the image alone
  EXPECT_EQ(At(bmp, 3, 0), 0xFF405060u);
  EXPECT_EQ(At(bmp, 10, 5), 0xFF405060u);  // centre drawn
  TAOR again;
  PaintRgnBorder(bmp.View(), &again, true, b.skin.Mask(b.index), 0);
  EXPECT_EQ(Pixels(again), expected);
  TBitmap32 hollow(20, 10, 0xFF000000u);
  PaintRgnBorder(hollow.View(), nullptr, false, b.skin.Mask(b.index), 0);
  EXPECT_EQ(At(hollow, 10, 5), 0xFF000000u);
}

TEST(CopyMask, ColumnsCutAtBothBitmaps) {
  Button b;
  TBitmap32 bmp(4, 4, 0xFF000000u);
  // Asked for 10 columns into a 4-wide image from an 8-wide cell: 4 columns land, nothing outside.
  CopyMask(0, 0, 9, 1, 3, 2, 12, 3, bmp.View(), nullptr, b.skin.Mask(b.index), false);
  EXPECT_EQ(At(bmp, 3, 0), 0xFF405060u);
  EXPECT_EQ(At(bmp, 0, 2), 0xFF000000u);
}

TEST(PaintControlByTemplate, CornersAsLWhenEdgesAreThin) {
  TBitmap32 src(6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) src.At(x, y).U = 0xFF000000u | std::uint32_t(x << 8 | y);
  TBitmap32 dst(10, 10, 0);
  PaintControlByTemplate(dst.View(), src.View(), {0, 0, 10, 10}, {0, 0, 6, 6}, {2, 2, 2, 2}, {1, 1, 1, 1}, {2, 2, 2, 2},
                         false, false);
  EXPECT_EQ(At(dst, 1, 0), 0xFF000100u);  // top arm of the top-left L
  EXPECT_EQ(At(dst, 0, 1), 0xFF000001u);  // left arm
  EXPECT_EQ(At(dst, 1, 1), 0u);           // inside the L: untouched
  EXPECT_EQ(At(dst, 5, 0), 0u);           // side mode 2: untouched
  EXPECT_EQ(At(dst, 8, 9), 0xFF000405u);
}

}  // namespace
}  // namespace skin
