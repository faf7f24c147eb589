// Size, cut and place of a glow window, computed by hand for a control of 80 x 30 at (100, 50)
// with image margins 6 (left), 4 (top), 8 (right), 5 (bottom) and a margin of 2.
#include "skin/core/acGlowPlace.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(GlowPlace, WholeAndCutControls) {
  const TRect r{100, 50, 180, 80};
  struct Case {
    const char* what;
    TRect real;
    int cutLeft, cutTop, wndWidth, wndHeight;
    TPoint pos;
  };
  // Whole picture: 80 + 6 + 8 - 4 = 90 by 30 + 4 + 5 - 4 = 35, at (100 + 2 - 6, 50 + 2 - 4).
  const Case cases[] = {
      {"whole", {0, 0, 80, 30}, 0, 0, 90, 35, {96, 48}},
      // Left 20 hidden: cut 6 + 20 - 2 = 24; the right side stays.
      {"left hidden", {20, 0, 80, 30}, 24, 0, 66, 35, {120, 48}},
      // Right 30 hidden: right cut 80 + 8 - 50 - 2 = 36.
      {"right hidden", {0, 0, 50, 30}, 0, 0, 54, 35, {96, 48}},
      // Top 10 hidden: cut 4 + 10 - 2 = 12; bottom 5 hidden too: bottom cut 35 - 12 - 15 = 8.
      {"top and bottom hidden", {0, 10, 80, 25}, 0, 12, 90, 15, {96, 60}},
      // Both sides hidden: cut 24, right cut 90 - 24 - 30 = 36.
      {"both sides hidden", {20, 0, 50, 30}, 24, 0, 30, 35, {120, 48}},
  };
  for (const Case& c : cases) {
    const TacGlowPlace p = GlowPlace(r, c.real, 6, 4, 8, 5, 2);
    EXPECT_EQ(p.Width, 90) << c.what;
    EXPECT_EQ(p.Height, 35) << c.what;
    EXPECT_EQ(p.CutLeft, c.cutLeft) << c.what;
    EXPECT_EQ(p.CutTop, c.cutTop) << c.what;
    EXPECT_EQ(p.WndWidth, c.wndWidth) << c.what;
    EXPECT_EQ(p.WndHeight, c.wndHeight) << c.what;
    EXPECT_EQ(p.Pos, c.pos) << c.what;
    EXPECT_FALSE(p.Empty()) << c.what;
  }
}

TEST(GlowPlace, AGlowPulledInBeyondItsSizeIsEmpty) {
  // 4 + 2 + 2 - 2 x 5 = -2 wide.
  EXPECT_TRUE(GlowPlace({0, 0, 4, 30}, {0, 0, 4, 30}, 2, 2, 2, 2, 5).Empty());
  EXPECT_TRUE(GlowPlace({0, 0, 6, 30}, {0, 0, 6, 30}, 2, 2, 2, 2, 5).Empty());  // exactly 0
  EXPECT_FALSE(GlowPlace({0, 0, 7, 30}, {0, 0, 7, 30}, 2, 2, 2, 2, 5).Empty());
}

}  // namespace
}  // namespace skin
