// The shadowed label's blur and reach, and the gauge's arithmetic; expected values worked by hand.
#include <gtest/gtest.h>

#include <vector>

#include "skin/controls/sGaugeLight.h"
#include "skin/controls/sGaugeMath.h"
#include "skin/controls/sLabelShadow.h"

namespace skin {
namespace {

struct TPixels {
  std::vector<classlib::TsColor_> px;
  int w, h;
  TPixels(int W, int H) : px(std::size_t(W * H)), w(W), h(H) {
    for (auto& p : px) p.U = 0;
  }
  classlib::TImage32View View() { return {reinterpret_cast<std::uint8_t*>(px.data()), w, h, std::ptrdiff_t(w * 4)}; }
};

TEST(LabelShadow, ReachGrowsAMeasuredRectByBothSides) {
  struct Case {
    int d, b, tl, rb, growth;
  };
  for (const Case c : {Case{1, 4, -3, 5, 8}, Case{0, 0, 0, 0, 0}, Case{6, 2, 0, 8, 8}, Case{-3, 1, -4, 0, 4}}) {
    const TsShadowReach r = ShadowReach(c.d, c.b);
    EXPECT_EQ(r.TopLeft, c.tl) << c.d << "," << c.b;
    EXPECT_EQ(r.RightBottom, c.rb) << c.d << "," << c.b;
    EXPECT_EQ(r.Growth(), c.growth) << c.d << "," << c.b;
  }
}

TEST(LabelShadow, BlurAveragesInPlaceRowByRow) {
  TPixels mask(3, 1);
  mask.px[1].B = 255;  // one text pixel in the middle
  TsBlurGrid grid;
  grid.Blur(mask.View(), 1);
  // Left cell: right neighbour 255 / 4; middle: the updated left 63 / 4; right: 15 / 4.
  EXPECT_EQ(grid.At(0, 0), 63);
  EXPECT_EQ(grid.At(1, 0), 15);
  EXPECT_EQ(grid.At(2, 0), 3);
  grid.Blur(mask.View(), 2);
  // Second pass restamps 255 over (63, 15, 3): 255/4, (63+3)/4, 16/4.
  EXPECT_EQ(grid.At(0, 0), 63);
  EXPECT_EQ(grid.At(1, 0), 16);
  EXPECT_EQ(grid.At(2, 0), 4);
  grid.Blur(mask.View(), 0);
  EXPECT_EQ(grid.At(1, 0), 0);
}

TEST(LabelShadow, GridStorageOnlyGrows) {
  TsBlurGrid grid;
  TPixels a(3, 1), b(1, 1), c(10, 10);
  grid.Blur(a.View(), 1);
  EXPECT_EQ(grid.Allocated(), 30u);  // (3 + 2) * (1 + 2) * 2
  grid.Blur(b.View(), 1);
  EXPECT_EQ(grid.Allocated(), 30u);
  grid.Blur(c.View(), 1);
  EXPECT_EQ(grid.Allocated(), 288u);  // 12 * 12 * 2
}

TEST(LabelShadow, ComposeWeighsShadowAgainstBackgroundAndKeepsAlpha) {
  TPixels mask(3, 1);
  mask.px[1].B = 255;
  TsBlurGrid grid;
  grid.Blur(mask.View(), 1);  // weights 63, 15, 3
  TPixels bg(3, 1);
  for (auto& p : bg.px) {
    p.R = 200;
    p.G = 100;
    p.B = 0;
    p.A = 77;
  }
  ComposeShadow(bg.View(), grid, 255, 0, 0);
  EXPECT_EQ(bg.px[0].R, 213);  // (192 * 200 + 255 * 63) / 255
  EXPECT_EQ(bg.px[0].G, 75);   // 192 * 100 / 255
  EXPECT_EQ(bg.px[0].B, 0);
  EXPECT_EQ(bg.px[2].R, 200);  // (252 * 200 + 255 * 3) / 255
  EXPECT_EQ(bg.px[2].A, 77);
}

TEST(LabelShadow, BackgroundWithoutShadowKeepsItsColour) {
  TPixels mask(2, 1);  // no text: every weight 0
  TsBlurGrid grid;
  grid.Blur(mask.View(), 4);
  TPixels bg(2, 1);
  for (auto& p : bg.px) p.U = 0xFFFFFFFFu;
  ComposeShadow(bg.View(), grid, 0, 0, 0);
  EXPECT_EQ(bg.px[0].U, 0xFFFFFFFFu);
  EXPECT_EQ(bg.px[1].U, 0xFFFFFFFFu);
}

TEST(GaugeMath, PercentDoneTruncatesAndSurvivesWideRanges) {
  struct Case {
    std::int32_t p, lo, hi;
    int want;
  };
  for (const Case c : {Case{47, 0, 100, 47}, Case{5, 5, 5, 0}, Case{-1, -3, 0, 66}, Case{-5, -10, 10, 25},
                       Case{30'000'000, 0, 40'000'000, 75}, Case{2147483647, -2147483647 - 1, 2147483647, 100},
                       Case{0, -2147483647 - 1, 2147483647, 50}})
    EXPECT_EQ(GaugePercentDone(c.p, c.lo, c.hi), c.want) << c.p << " in " << c.lo << ".." << c.hi;
}

TEST(GaugeMath, FilledLengths) {
  EXPECT_EQ(GaugeFilledLength(200, 47), 94);
  EXPECT_EQ(GaugeFilledLength(200, 100), 200);
  EXPECT_EQ(GaugeFilledLength(7, 50), 3);
  EXPECT_EQ(GaugeFilledLength(200, 0), 0);
  // An unskinned vertical bar at 100 % leaves its last row empty.
  EXPECT_EQ(GaugeUnskinnedVerticalFill(21, 100), 20);
  EXPECT_EQ(GaugeUnskinnedVerticalFill(21, 50), 10);
}

TEST(GaugeMath, AnimStepHasAFloorAndNoDivisionByZero) {
  EXPECT_EQ(GaugeAnimStep(300, 2222), 15);   // 300 / 50.5 = 5.9, raised to 15
  EXPECT_EQ(GaugeAnimStep(3000, 2222), 59);  // 3000 / 50.5 = 59.4
  EXPECT_EQ(GaugeAnimStep(100, 0), 100);     // no pause: one tick crosses the bar
  EXPECT_EQ(GaugeAnimStep(5, 0), 15);
}

TEST(GaugeMath, ValueText) {
  EXPECT_EQ(GaugeText(47, 0, 100, true, L"%"), L"47%");
  EXPECT_EQ(GaugeText(47, 0, 100, false, L"%"), L"47%");
  EXPECT_EQ(GaugeText(30, 0, 60, true, L"%"), L"50%");
  EXPECT_EQ(GaugeText(30, 0, 60, false, L" pcs"), L"30 pcs");
}

TEST(GaugeLight, WhereTheStripLiesAndWhichRowsItTakes) {
  struct Case {
    int length, pos;
    TRect want;
  };
  const Case cases[] = {
      {56, -300, {}}, {56, -290, {0, 0, 10, 30}}, {56, 20, {20, 0, 56, 30}}, {56, 56, {}}, {400, 50, {50, 0, 350, 30}}};
  for (const Case& c : cases) {
    const TRect r = GaugeLightRect(c.length, 30, c.pos);
    EXPECT_EQ(r.Left, c.want.Left) << c.pos;
    EXPECT_EQ(r.Right, c.want.Right) << c.pos;
    if (c.want.Right > c.want.Left) {
      EXPECT_EQ(r.Bottom, 30) << c.pos;
    }
  }
  // A picture of 40 rows, each row's blue channel its number. A gauge lower than the picture takes
  // its middle from row (40 - 30) / 2 + 1 = 6; a gauge as high as the picture takes it whole.
  TPixels png(4, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 4; ++x) png.px[std::size_t(y * 4 + x)].U = 0xFF000000u | unsigned(y);
  const TBitmap32 middle = GaugeLightStrip(png.View(), 30, 30);
  ASSERT_EQ(middle.Width(), 300);
  ASSERT_EQ(middle.Height(), 30);
  EXPECT_EQ(middle.At(0, 0).U & 0xFF, 6u);
  EXPECT_EQ(middle.At(299, 29).U & 0xFF, 39u);
  EXPECT_EQ(GaugeLightStrip(png.View(), 30, 40).At(0, 0).U & 0xFF, 0u);
  // Too thin for the cut (4 < 2 * 19): all 40 rows onto 4, the first taking row 5 (a cut would give 21).
  EXPECT_EQ(GaugeLightStrip(png.View(), 4, 10).At(0, 0).U & 0xFF, 5u);
}

}  // namespace
}  // namespace skin
