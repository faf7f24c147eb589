// The device-context routines on real DIB sections under Wine: what each writes and what it leaves.
#include <gtest/gtest.h>

#include "skin/graphics/Dib32.h"
#include "skin/graphics/sAlphaGraphWin32.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {
namespace {

std::uint32_t Rgb24(const TImage32View& v, int x, int y) { return v.At(x, y).U & 0x00FFFFFFu; }

TEST(GraphicsWin, FillDCAndBorderStrips) {
  TDib32 d(6, 5);
  ASSERT_TRUE(d.Valid());
  FillDC(d.DC(), {0, 0, 6, 5}, 0x000000);
  FillDCBorder(d.DC(), {0, 0, 6, 5}, 1, 2, 1, 1, 0x0000FF);
  const TImage32View v = d.View();
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool border = y < 2 || x == 0 || y == 4 || x == 5;
      EXPECT_EQ(Rgb24(v, x, y), border ? 0xFF0000u : 0u) << x << "," << y;
    }
}

TEST(GraphicsWin, BitBltBorderWritesOnlyTheFrame) {
  TDib32 src(20, 20), dst(20, 20);
  FillDC(src.DC(), {0, 0, 20, 20}, 0xFFFFFF);
  FillDC(dst.DC(), {0, 0, 20, 20}, 0x000000);
  BitBltBorder(dst.DC(), 10, 5, 6, 7, src.DC(), 0, 0, 2);
  const TImage32View v = dst.View();
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inArea = x >= 10 && x < 16 && y >= 5 && y < 12;
      const bool inFrame = inArea && (x < 12 || x >= 14 || y < 7 || y >= 10);
      EXPECT_EQ(Rgb24(v, x, y), inFrame ? 0xFFFFFFu : 0u) << x << "," << y;
    }
}

TEST(GraphicsWin, FadeRectExtremes) {
  TDib32 src(4, 4), dst(4, 4);
  FillDC(src.DC(), {0, 0, 4, 4}, 0x00FF00);
  FillDC(dst.DC(), {0, 0, 4, 4}, 0x000000);
  FadeRect(src.DC(), {0, 0, 4, 4}, dst.DC(), {0, 0}, 100, 0x0000FF, 1, false);
  EXPECT_EQ(Rgb24(dst.View(), 3, 3), 0x00FF00u);  // only copied
  FadeRect(src.DC(), {0, 0, 4, 4}, dst.DC(), {0, 0}, 0, 0x0000FF, 1, false);
  EXPECT_EQ(Rgb24(dst.View(), 3, 3), 0xFF0000u);  // only filled
}

TEST(GraphicsWin, FadeBmpTintsTheCentreMostAndTheEdgeLeast) {
  TBitmap32 b(20, 20, 0xFF000000u);
  TsColor white;
  white.I = 0xFFFFFF;
  FadeBmp(b.View(), {0, 0, 20, 20}, 50, white, 4, 0);
  // Centre under the grey of Transparency 50 (127): (255 * 256 - 255 * 127) div 256 = 128; the edge
  // ring is white and keeps the picture.
  EXPECT_EQ(b.At(10, 10).R, 128);
  EXPECT_EQ(b.At(0, 10).R, 0);
  EXPECT_GT(b.At(3, 10).R, 0);
  EXPECT_EQ(b.At(10, 10).A, 255);                        // alpha kept
  FadeBmp(b.View(), {15, 15, 40, 40}, 50, white, 2, 0);  // beyond the image: limited to it, no fault
}

TEST(GraphicsWin, FadeBmpWithoutBlurTintsEveryPixelAlike) {
  // (255 * 256 - 255 * 153) div 256 = 102 for Transparency 60 (grey 153) over black towards white: the last
  // column and row as well as the first.
  TBitmap32 b(7, 5, 0xFF000000u);
  TsColor white;
  white.I = 0xFFFFFF;
  FadeBmp(b.View(), {0, 0, 7, 5}, 60, white, 0, 0);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(b.At(x, y).G, 102) << x << "," << y;
}

TEST(GraphicsWin, DrawRectangleOnDCRings) {
  TDib32 d(8, 8);
  FillDC(d.DC(), {0, 0, 8, 8}, 0x000000);
  TRect r{1, 1, 7, 7};
  int width = 2;
  DrawRectangleOnDC(d.DC(), r, 0x0000FF, 0xFF0000, width);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(r, (TRect{3, 3, 5, 5}));  // less 1 on the far sides, shrunk twice, then the 1 given back
  const TImage32View v = d.View();
  EXPECT_EQ(Rgb24(v, 1, 1), 0xFF0000u);  // top-left corner: first colour
  EXPECT_EQ(Rgb24(v, 6, 6), 0x0000FFu);  // bottom-right: second colour, used as RGB
  EXPECT_EQ(Rgb24(v, 2, 3), 0xFF0000u);  // second ring
  EXPECT_EQ(Rgb24(v, 3, 3), 0u);         // inside the rings
}

TEST(GraphicsWin, MarksThroughThePixelSetter) {
  TDib32 d(9, 13);
  FillDC(d.DC(), {0, 0, 9, 13}, 0x000000);
  DrawColorArrow(d.DC(), 0x0000FF, {0, 0, 9, 13}, 4);
  EXPECT_EQ(Rgb24(d.View(), 3, 9), 0xFF0000u);
  EXPECT_EQ(Rgb24(d.View(), 6, 6), 0xFF0000u);
  EXPECT_EQ(Rgb24(d.View(), 6, 5), 0u);
}

TEST(GraphicsWin, FontMetricsAndStartUp) {
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_GT(GetFontHeight(font), 6);
  const SIZE s = GetStringSize(font, L"Тарвисель");
  EXPECT_GT(s.cx, 0);
  EXPECT_EQ(GetStringSize(font, L"").cx, 0);
  EXPECT_TRUE(acLayered());
  EXPECT_NE(SetLayeredWindowAttributesProc(), nullptr);
  EXPECT_GT(SystemCheckWidth(), 0);
  EXPECT_GT(SystemCheckHeight(), 0);
}

TEST(GraphicsWin, WriteText32LeavesTouchedPixelsOpaque) {
  TBitmap32 b(60, 20, 0x00FFFFFFu);
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  TTextColors32 colors;
  colors.Color = 0x0000FF;
  WriteText32(b.View(), L"", font, false, {0, 0, 60, 20}, DT_LEFT | DT_TOP | DT_SINGLELINE, colors);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(b.At(x, y).U, 0x00FFFFFFu);
  WriteText32(b.View(), L"WWW", font, false, {-3, 0, 60, 20}, DT_LEFT | DT_TOP | DT_SINGLELINE, colors);
  int opaque = 0, reddish = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) {
      opaque += b.At(x, y).A == 255;
      reddish += b.At(x, y).A == 255 && b.At(x, y).R == 255 && b.At(x, y).G < 255;
    }
  EXPECT_GT(opaque, 10);
  EXPECT_EQ(opaque, reddish);  // every touched pixel moved toward the text colour only
}

}  // namespace
}  // namespace skin

#include "skin/graphics/sBitmapOverloads.h"

namespace skin {
namespace {

TEST(BitmapOverloads, ViewOnlyOfThirtyTwoBitBitmaps) {
  classlib::TBitmap b(3, 2);
  b.SetPixelFormat(classlib::pf24bit);
  EXPECT_TRUE(View32(&b).Empty());
  EXPECT_TRUE(View32(nullptr).Empty());
  b.SetPixelFormat(classlib::pf32bit);
  const TImage32View v = View32(&b);
  ASSERT_FALSE(v.Empty());
  v.At(2, 1).U = 0x11223344u;
  EXPECT_EQ(b.Canvas()->Pixels(2, 1) & 0xFFFFFF, 0x443322);
}

TEST(BitmapOverloads, StretchKeepsTheFormatAndMayWorkInPlace) {
  classlib::TBitmap b(2, 2);
  b.SetPixelFormat(classlib::pf32bit);
  TImage32View v = View32(&b);
  v.At(0, 0).U = 0x10203040u;
  v.At(1, 0).U = 0x50607080u;
  v.At(0, 1).U = 0x90A0B0C0u;
  v.At(1, 1).U = 0xD0E0F000u;
  Stretch(&b, &b, 4, 4, TFilterType::ftBox);
  ASSERT_EQ(b.Width(), 4);
  v = View32(&b);
  EXPECT_EQ(v.At(1, 1).U, 0x10203040u);  // alpha resampled too
  EXPECT_EQ(v.At(3, 2).U, 0xD0E0F000u);
  classlib::TBitmap c(2, 2), d;
  c.SetPixelFormat(classlib::pf24bit);
  c.Canvas()->SetPixels(1, 1, 0x0000FF);
  Stretch(&c, &d, 4, 4, TFilterType::ftBox);
  EXPECT_EQ(d.PixelFormat(), classlib::pf24bit);
  EXPECT_EQ(d.Canvas()->Pixels(3, 3) & 0xFFFFFF, 0x0000FF);
  classlib::TBitmap thin(1, 5);
  EXPECT_THROW(Stretch(&thin, &d, 3, 3, TFilterType::ftBox), classlib::Exception);
}

}  // namespace
}  // namespace skin
