// Hue, saturation, brightness, HSV conversions, the hand-drawn marks and the button layout.
#include <gtest/gtest.h>

#include <cmath>

#include "skin/graphics/sColorUtils.h"
#include "tests/skin/graphics/PixelTestUtil.h"

namespace skin {
namespace {

TsColor_ Bgr(int r, int g, int b, int a = 255) {
  TsColor_ c;
  c.R = static_cast<std::uint8_t>(r);
  c.G = static_cast<std::uint8_t>(g);
  c.B = static_cast<std::uint8_t>(b);
  c.A = static_cast<std::uint8_t>(a);
  return c;
}

TEST(ChangeHue, TurnsPureColoursAndWrapsAngles) {
  const struct {
    int delta;
    std::uint32_t expected;
  } cases[] = {{120, 0xFF00FF00u}, {-120, 0xFF0000FFu}, {480, 0xFF00FF00u}, {240, 0xFF0000FFu}, {360, 0xFFFF0000u}};
  for (const auto& c : cases) EXPECT_EQ(ChangeHue(c.delta, Bgr(255, 0, 0)).U, c.expected) << c.delta;
  // (255, 128, 0) has hue 30.1; turned by 30 it lands on 60: yellow, R and G = 255.
  EXPECT_EQ(ChangeHue(30, Bgr(255, 128, 0)).U, Bgr(255, 255, 0).U);
}

TEST(ChangeHue, GreyStaysAndTColorFormKeepsTopByte) {
  for (int delta : {0, 45, -300}) EXPECT_EQ(ChangeHue(delta, Bgr(77, 77, 77, 9)).U, Bgr(77, 77, 77, 9).U);
  EXPECT_EQ(ChangeHue(0, static_cast<TColor>(0x12345678)), 0x12345678);
  EXPECT_EQ(ChangeHue(120, static_cast<TColor>(0x550000FF)), 0x5500FF00);  // red -> green, top byte kept
}

TEST(ChangeSaturation, MovesAroundTheGreyAverage) {
  EXPECT_EQ(ChangeSaturation(100, Bgr(200, 100, 0, 7)).U, Bgr(255, 100, 0, 7).U);
  EXPECT_EQ(ChangeSaturation(-50, Bgr(200, 100, 0)).U, Bgr(150, 100, 50).U);
  EXPECT_EQ(ChangeSaturation(0, Bgr(1, 2, 3)).U, Bgr(1, 2, 3).U);
  EXPECT_EQ(ChangeSaturation(static_cast<TColor>(0x000064C8), 100), 0x000064FF);  // (200, 100, 0) as TColor
}

TEST(ChangeBrightness, TowardWhiteOrBlackKeepingTopByte) {
  EXPECT_EQ(static_cast<std::uint32_t>(ChangeBrightness(static_cast<TColor>(0x7F123456), 100)), 0x7FFFFFFFu);
  EXPECT_EQ(static_cast<std::uint32_t>(ChangeBrightness(static_cast<TColor>(0x7F123456), -100)), 0x7F000000u);
  // 100 + 50 * 1.55 = 177.5 -> 178; 0 + 50 * 2.55 is 127.4999... in doubles -> 127.
  EXPECT_EQ(ChangeBrightness(0x00000064, 50), 0x007F7FB2);
  EXPECT_EQ(ChangeBrightness(0x00000064, 0), 0x00000064);
}

TEST(Hsv, ConversionsAndRoundTrips) {
  EXPECT_EQ(Hsv2Rgb(360, 1, 1), 0x0000FF);
  EXPECT_EQ(Hsv2Rgb(0, 1, 1), 0x0000FF);
  EXPECT_EQ(Hsv2Rgb(120, 1, 1), 0x00FF00);
  EXPECT_EQ(Hsv2Rgb(10, 0, 0.5), 0x808080);  // 127.5 -> 128
  for (std::uint32_t rgb : {0x0000FFu, 0x00FF00u, 0xFF0000u, 0x0080FFu, 0xFFFF00u, 0xFF00FFu}) {
    TsColor c;
    c.I = static_cast<std::int32_t>(rgb);
    const TsHSV h = Rgb2Hsv(c);
    EXPECT_EQ(Hsv2Rgb(h.h, h.s, h.v), static_cast<TColor>(rgb)) << std::hex << rgb;
  }
  TsColor blue;
  blue.I = 0xFF0000;
  EXPECT_EQ(Rgb2Hsv(blue).h, 240);
  TsColor grey;
  grey.I = 0x404040;
  EXPECT_EQ(Rgb2Hsv(grey).h, 0);
  EXPECT_EQ(Rgb2Hsv(grey).s, 0.0);
}

TEST(Hsv, RealFormsRoundTripAndEdgeRules) {
  double h = -1, s = -1, v = -1, r = -1, g = -1, b = -1;
  RGBToHSV(0.2, 0.6, 0.4, h, s, v);
  HSVtoRGB(h, s, v, r, g, b);
  EXPECT_NEAR(r, 0.2, 1e-12);
  EXPECT_NEAR(g, 0.6, 1e-12);
  EXPECT_NEAR(b, 0.4, 1e-12);
  r = g = b = 7;
  HSVtoRGB(30, 0.0001, 0.5, r, g, b);  // too little saturation: outputs untouched
  EXPECT_EQ(r, 7);
  HSVtoRGB(std::nan(""), 0.5, 0.25, r, g, b);
  EXPECT_EQ(g, 0.25);
  h = 99;
  RGBToHSV(0.3, 0.3, 0.3, h, s, v);  // grey: H untouched
  EXPECT_EQ(h, 99);
  EXPECT_EQ(s, 0);
}

TEST(SwapInteger, ExchangesBytesZeroAndTwo) { EXPECT_EQ(SwapInteger(0x00123456), 0x00563412); }

TEST(DrawColorArrow, RightArrowGeometry) {
  TBitmap32 b(9, 13);
  DrawColorArrow(b.View(), 0x0000FF, {0, 0, 9, 13}, 4);
  int widest = 0, tip = 0;
  for (int y = 0; y < 13; ++y) {
    widest += b.At(3, y).U == 0xFFFF0000u;
    tip += b.At(6, y).U == 0xFFFF0000u;
  }
  EXPECT_EQ(widest, 7);
  EXPECT_EQ(b.At(3, 3).U, 0xFFFF0000u);
  EXPECT_EQ(b.At(3, 9).U, 0xFFFF0000u);
  EXPECT_EQ(tip, 1);
  EXPECT_EQ(b.At(6, 6).U, 0xFFFF0000u);
  EXPECT_EQ(b.At(7, 6).U, 0u);
}

TEST(DrawColorArrow, DownArrowAndOtherDirections) {
  TBitmap32 b(12, 5);
  DrawColorArrow(b.View(), 0x00FF00, {0, 0, 12, 5}, 8);
  // x0 = 2, y0 = 0: row 0 spans 2..9, row 3 spans 5..6.
  EXPECT_EQ(b.At(2, 0).U, 0xFF00FF00u);
  EXPECT_EQ(b.At(9, 0).U, 0xFF00FF00u);
  EXPECT_EQ(b.At(10, 0).U, 0u);
  EXPECT_EQ(b.At(5, 3).U, 0xFF00FF00u);
  EXPECT_EQ(b.At(4, 3).U, 0u);
  TBitmap32 c(12, 5);
  DrawColorArrow(c.View(), 0x00FF00, {0, 0, 12, 5}, 2);
  DrawColorArrow(c.View(), 0x00FF00, {-40, -40, -30, -30}, 4);  // wholly outside: skipped
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 12; ++x) EXPECT_EQ(c.At(x, y).U, 0u);
}

TEST(FocusRect, DotsStartOnePixelOutside) {
  TBitmap32 b(9, 6);
  FocusRect(b.View(), {1, 1, 7, 4}, 0x0000FF, 0xFF0000);
  const std::uint32_t c1 = 0xFFFF0000u, c2 = 0xFF0000FFu;
  EXPECT_EQ(b.At(0, 1).U, c1);
  EXPECT_EQ(b.At(1, 0).U, c1);
  EXPECT_EQ(b.At(1, 1).U, c2);
  EXPECT_EQ(b.At(4, 3).U, c2);
  EXPECT_EQ(b.At(6, 1).U, c2);  // a colour-1 dot of the top row, drawn over by the right column
  EXPECT_EQ(b.At(1, 3).U, c1);
  EXPECT_EQ(b.At(2, 1).U, 0u);
}

TEST(CalcButtonLayout, AutomaticMarginAndSpacing) {
  TPoint glyph;
  TRect text;
  CalcButtonLayout({0, 0, 100, 30}, {16, 16}, {40, 13}, TButtonLayout::blGlyphLeft, TAlignment::taLeftJustify, -1, -1,
                   glyph, text, 0);
  EXPECT_EQ(glyph.X, 14);
  EXPECT_EQ(text.Left, 44);
  EXPECT_EQ(glyph.Y, 7);  // (30 - 16 + 1) div 2
  EXPECT_EQ(text.Top, 9);
  EXPECT_EQ(text.Right, 84);
}

TEST(CalcButtonLayout, EmptyCaptionZeroesSpacing) {
  TPoint glyph;
  TRect text;
  CalcButtonLayout({5, 0, 105, 30}, {16, 16}, {0, 0}, TButtonLayout::blGlyphLeft, TAlignment::taLeftJustify, 4, 5,
                   glyph, text, 0);
  EXPECT_EQ(glyph.X, 9);
  EXPECT_EQ(text.Left, 5 + 4 + 16);
}

TEST(CalcButtonLayout, VerticalAndMirrored) {
  TPoint glyph;
  TRect text;
  CalcButtonLayout({10, 20, 110, 80}, {16, 16}, {40, 12}, TButtonLayout::blGlyphTop, TAlignment::taCenter, -1, 4, glyph,
                   text, 0);
  EXPECT_EQ(glyph.X, 52);
  EXPECT_EQ(glyph.Y, 34);
  EXPECT_EQ(text, (TRect{40, 54, 80, 66}));
  CalcButtonLayout({0, 0, 100, 30}, {16, 16}, {40, 13}, TButtonLayout::blGlyphLeft, TAlignment::taLeftJustify, -1, 4,
                   glyph, text, 2);
  // Mirrored to glyph-right: margin 2, glyph after the text and the spacing.
  EXPECT_EQ(glyph.X, 46);
  EXPECT_EQ(text.Left, 2);
}

}  // namespace
}  // namespace skin
