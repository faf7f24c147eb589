// Creation, transforms, mask and constant-weight blends, alpha copies and colour arithmetic of
// 32-bit images, on hand-computed pixels.
#include <gtest/gtest.h>

#include "skin/graphics/PixelMath.h"
#include "skin/graphics/sBlend32.h"
#include "tests/skin/graphics/PixelTestUtil.h"

namespace skin {
namespace {

using test::Filled;
using test::U;

TEST(CreateBmp, SizesAndWhiteFill) {
  const TBitmap32 b = CreateBmp32(3, 2);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(U(b, 2, 1), 0x00FFFFFFu);
  EXPECT_TRUE(CreateBmp24(0, 5).Empty());
  TBitmap32 src(4, 7);
  EXPECT_EQ(CreateBmpLike(src.View()).Height(), 7);
}

TEST(CreateAlphaBmp, MaskBelowBecomesAlpha) {
  TBitmap32 b(3, 5, 0xFF000000u);
  b.At(1, 0).U = 0xFF102030u;  // picture row 0 of R
  b.At(1, 2).U = 0xFF400000u;  // its mask pixel: R byte 0x40
  const TBitmap32 a = CreateAlphaBmp(b.View(), {1, 0, 3, 4});
  ASSERT_EQ(a.Width(), 2);
  ASSERT_EQ(a.Height(), 2);
  EXPECT_EQ(U(a, 0, 0), 0xBF102030u);                            // 255 - 0x40
  EXPECT_EQ(a.At(1, 1).A, 255);                                  // black mask: opaque
  EXPECT_TRUE(CreateAlphaBmp(b.View(), {0, 0, 3, 1}).Empty());   // one pixel high
  EXPECT_TRUE(CreateAlphaBmp(b.View(), {0, 2, 3, 8}).Empty());   // mask below the image
  EXPECT_TRUE(CreateAlphaBmp(b.View(), {-1, 0, 2, 4}).Empty());  // left of it
}

TEST(MakeRotated90, BothDirections) {
  TBitmap32 b(3, 2);  // values 10 * x + y
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) b.At(x, y).U = static_cast<std::uint32_t>(10 * x + y);
  const TBitmap32 cw = MakeRotated90(b.View(), true);
  ASSERT_EQ(cw.Width(), 2);
  ASSERT_EQ(cw.Height(), 3);
  // Clockwise: source (x, y) -> (H - 1 - y, x).
  EXPECT_EQ(U(cw, 1, 0), 0u);
  EXPECT_EQ(U(cw, 0, 2), 21u);
  const TBitmap32 ccw = MakeRotated90(b.View(), false);
  // Counter-clockwise: result (y, x) takes source (W - 1 - x, y).
  EXPECT_EQ(U(ccw, 0, 0), 20u);
  EXPECT_EQ(U(ccw, 1, 2), 1u);
  EXPECT_TRUE(MakeRotated90(TImage32View{}, true).Empty());
}

TEST(GrayScale, AveragesAndSkipsTheTransparentColour) {
  TBitmap32 b(2, 1, 0x7F030609u);  // (3 + 6 + 9) / 3 = 6
  b.At(1, 0).U = kKeyPixel;
  TsColor key;
  key.I = static_cast<std::int32_t>(kKeyPixel);
  GrayScaleTrans(b.View(), key);
  EXPECT_EQ(U(b, 0, 0), 0x7F060606u);
  EXPECT_EQ(U(b, 1, 0), kKeyPixel);
  GrayScale(b.View());
  EXPECT_EQ(U(b, 1, 0), 0x00AAAAAAu);  // 510 / 3 = 170
}

TEST(ChangeBmpHue, LeavesKeyAndGreyPixels) {
  TBitmap32 b(3, 1, 0xFFFF0000u);  // pure red
  b.At(1, 0).U = kKeyPixel;
  b.At(2, 0).U = 0x12808080u;
  ChangeBmpHUE(b.View(), 120);
  EXPECT_EQ(U(b, 0, 0), 0xFF00FF00u);
  EXPECT_EQ(U(b, 1, 0), kKeyPixel);
  EXPECT_EQ(U(b, 2, 0), 0x12808080u);
  ChangeBmpSaturation(b.View(), -100);
  EXPECT_EQ(U(b, 0, 0), 0xFF555555u);
}

TEST(BlendTransBitmap, RoundsAndSkipsTheKey) {
  TBitmap32 b(2, 1, 0x33000064u);  // B 100
  b.At(1, 0).U = kKeyPixel;
  TsColor c;
  c.I = 0;
  c.B = 51;
  BlendTransBitmap(b.View(), 0.5, c);  // (100 - 51) * 0.5 + 51 = 75.5 -> 76
  EXPECT_EQ(U(b, 0, 0), 0x3300004Cu);
  EXPECT_EQ(U(b, 1, 0), kKeyPixel);
}

TEST(MaskBlends, BlendBmpByMask) {
  TBitmap32 b(3, 1, 0x11C8C8C8u), m(3, 1, 0);
  m.At(0, 0).U = 0x00FFFFFFu;  // white keeps the picture
  m.At(1, 0).U = 0x00808080u;
  TsColor c;
  c.I = 0x00000000;
  BlendBmpByMask(b.View(), m.View(), c);
  EXPECT_EQ(U(b, 0, 0), 0x11C7C7C7u);  // (200 * 255) div 256 = 199
  EXPECT_EQ(U(b, 1, 0), 0x11646464u);
  EXPECT_EQ(U(b, 2, 0), 0x11000000u);  // black gives the colour
  TBitmap32 other(2, 1, 0);
  BlendBmpByMask(b.View(), other.View(), c);  // unequal sizes: nothing
  EXPECT_EQ(U(b, 0, 0), 0x11C7C7C7u);
}

TEST(MaskBlends, SumBitmapsByMaskWithPercentAndMask) {
  TBitmap32 a(2, 2, 0xFF0000C8u), b(2, 2, 0xFF000064u), out(3, 3, 0x42000000u);
  SumBitmapsByMask(out.View(), a.View(), b.View(), TImage32View{}, 256);
  EXPECT_EQ(U(out, 1, 1), 0x420000C8u);
  SumBitmapsByMask(out.View(), a.View(), b.View(), TImage32View{}, 64);  // 100 + (100 * 64) div 256 = 125
  EXPECT_EQ(U(out, 0, 0), 0x4200007Du);
  EXPECT_EQ(U(out, 2, 2), 0x42000000u);
  SumBitmapsByMask(out.View(), a.View(), b.View(), TImage32View{}, 9999);  // limited to 256
  EXPECT_EQ(U(out, 0, 0), 0x420000C8u);
  TBitmap32 mask(2, 2, 0x000000FFu);
  SumBitmapsByMask(out.View(), a.View(), b.View(), mask.View(), 0);  // (100*256 + 100*255) div 256 = 199
  EXPECT_EQ(U(out, 1, 0), 0x420000C7u);
  TBitmap32 small(1, 1);
  SumBitmapsByMask(small.View(), a.View(), b.View(), TImage32View{}, 256);  // Out too small: clipped
  EXPECT_EQ(U(small, 0, 0), 0x000000C8u);
}

TEST(MaskBlends, SumByMaskClipsToAllThree) {
  TBitmap32 b1(4, 4, 0x0A0000C8u), b2(2, 2, 0xFF000000u), mask(4, 4, 0);
  SumByMask(b1.View(), b2.View(), mask.View(), {-1, -1, 3, 3});  // black mask: Bmp2's colour
  EXPECT_EQ(U(b1, 1, 1), 0x0A000000u);
  EXPECT_EQ(U(b1, 2, 2), 0x0A0000C8u);                         // beyond Bmp2
  SumByMask(b1.View(), b2.View(), mask.View(), {0, 0, 5, 4});  // wider than Bmp1: nothing
  EXPECT_EQ(U(b1, 2, 2), 0x0A0000C8u);
}

TEST(MaskBlends, SumByMaskWith32UsesMaskRedAndSourceAlpha) {
  TBitmap32 b1(3, 1, 0x11000000u), b2(3, 1, 0x80FF0000u), mask(3, 1, 0);
  mask.At(1, 0).U = 0x00FF0000u;  // k 255: unchanged
  mask.At(2, 0).U = 0x00800000u;  // k 128: f = (127 * 128) div 256 = 63
  SumByMaskWith32(b1.View(), b2.View(), mask.View(), {0, 0, 3, 1});
  EXPECT_EQ(U(b1, 0, 0), 0x117F0000u);  // mix(0, 255, 128) = 127
  EXPECT_EQ(U(b1, 1, 0), 0x11000000u);
  EXPECT_EQ(U(b1, 2, 0), 0x113E0000u);  // (255 * 63) >> 8 = 62
}

TEST(ConstantBlends, SumBitmapsAndSumBmpRect) {
  TBitmap32 d(4, 4, 0xFFFFFFFFu), s(4, 4, 0);
  TsColor alpha;
  alpha.I = 0x7F00FF;  // only the low byte counts
  SumBitmaps(d.View(), s.View(), alpha);
  EXPECT_EQ(U(d, 3, 3), 0xFEFEFEFEu);
  TBitmap32 d2(3, 3, 0);
  TBitmap32 src(2, 10);
  for (int y = 0; y < 10; ++y) src.At(0, y).U = src.At(1, y).U = static_cast<std::uint32_t>(y);
  SumBmpRect(d2.View(), src.View(), 0, {0, 7, 2, 10}, {1, -1});
  // The destination point above the image cuts one source row: rows 8, 9 go to rows 0, 1.
  EXPECT_EQ(U(d2, 1, 0), static_cast<std::uint32_t>((8 * 255 + 127) >> 8));
  EXPECT_EQ(U(d2, 2, 1), static_cast<std::uint32_t>((9 * 255 + 127) >> 8));
  EXPECT_EQ(U(d2, 0, 0), 0u);
  EXPECT_EQ(U(d2, 1, 2), 0u);
}

TEST(ConstantBlends, SumBmpRectStartsAtSrcRectTop) {
  TBitmap32 d(2, 2, 0), src(2, 12);
  for (int y = 0; y < 12; ++y) src.At(0, y).U = src.At(1, y).U = static_cast<std::uint32_t>(y * 20);
  SumBmpRect(d.View(), src.View(), 0, {0, 7, 2, 12}, {0, 0});
  EXPECT_EQ(U(d, 0, 0), static_cast<std::uint32_t>((140 * 255 + 127) >> 8));
  EXPECT_EQ(U(d, 0, 1), static_cast<std::uint32_t>((160 * 255 + 127) >> 8));
}

TEST(BlendTransRectangle, InclusiveRectangleAndNegativeStart) {
  TBitmap32 d(3, 2, 0xEE000000u), s(2, 2, 0x000000C8u);
  s.At(1, 1).U = 0x00FF00FFu;
  BlendTransRectangle(d.View(), 0, 0, s.View(), {-1, 0, 5, 1}, 0.25, static_cast<TColor>(0x00FF00FF));
  // Left -1 moves the destination right by one; columns 0..1 of the source, both rows.
  EXPECT_EQ(U(d, 0, 0), 0xEE000000u);
  EXPECT_EQ(U(d, 1, 0), 0xEE000096u);  // 200 - 200 * 0.25 = 150
  EXPECT_EQ(U(d, 2, 0), 0xEE000096u);
  EXPECT_EQ(U(d, 2, 1), 0xEE000000u);  // transparent source pixel
}

TEST(CopyByMask, MixesByAlphaAndAccumulatesAlpha) {
  TBitmap32 d(2, 1, 0x64C80000u), s(2, 1, 0x80FF0000u);
  CopyByMask({0, 0, 2, 1}, {0, 0, 2, 1}, d.View(), s.View(), TCacheInfo32{}, false);
  // R: 200 + (55 * 128) >> 8 = 227; A: 100 + (128 * 155) div 255 = 177.
  EXPECT_EQ(U(d, 0, 0), 0xB1E30000u);
}

TEST(CopyByMask, KeyPixelsTakeTheParentOrStay) {
  TBitmap32 d(4, 1, 0x10101010u), s(4, 1, kKeyPixel), parent(3, 3, 0xAA334455u);
  s.At(3, 0).U = 0xFF0000FFu;
  TCacheInfo32 ci{parent.View(), -1, 1, clFuchsia, true};
  CopyByMask({0, 0, 4, 1}, {0, 0, 4, 1}, d.View(), s.View(), ci, true);
  EXPECT_EQ(U(d, 0, 0), 0x10101010u);  // parent point (-1, 1) lies left of the parent
  EXPECT_EQ(U(d, 1, 0), 0xFF334455u);
  EXPECT_EQ(U(d, 2, 0), 0xFF334455u);
  EXPECT_EQ(U(d, 3, 0), 0xFF0000FEu);  // the walk went on past the missing parent pixel
  TBitmap32 d2(1, 1, 0x10101010u);
  CopyByMask({0, 0, 1, 1}, {0, 0, 1, 1}, d2.View(), s.View(), ci, false);
  EXPECT_EQ(U(d2, 0, 0), 0x10101010u);
}

TEST(CopyByMask, NegativeStartsLoseExactlyThatMuch) {
  TBitmap32 d(5, 5, 0), s = Filled(5, 5, 0xFF123456u);
  CopyByMask({-2, 0, 3, 5}, {-2, -2, 3, 3}, d.View(), s.View(), TCacheInfo32{}, false);
  int touched = 0;
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) touched += U(d, x, y) != 0;
  // 5 - 2 columns and 5 - 2 rows.
  EXPECT_EQ(touched, 9);
  EXPECT_NE(U(d, 0, 2), 0u);
  EXPECT_EQ(U(d, 0, 1), 0u);
  // Rectangles far beyond either image: nothing, no access outside.
  CopyByMask({3, 3, 900, 900}, {-700, 2, 900, 900}, d.View(), s.View(), TCacheInfo32{}, false);
  CopyByMask({0, 0, 5, 5}, {0, 0, 5, 5}, d.View(), TImage32View{}, TCacheInfo32{}, false);
}

TEST(CopyByMask, MaskedImageCases) {
  // Source: row 0 picture (a key pixel and a grey one), row 1 its mask.
  TBitmap32 s(2, 2);
  s.At(0, 0).U = kKeyPixel;
  s.At(1, 0).U = 0xFF646464u;
  s.At(0, 1).U = s.At(1, 1).U = 0x00808080u;
  TBitmap32 parent(2, 1, 0x11ABCDEFu);
  const TCacheInfo32 ready{parent.View(), 0, 0, clFuchsia, true};
  TCacheInfo32 fill;
  fill.FillColor = 0x7F0000FF;
  struct Case {
    const TCacheInfo32* ci;
    bool update;
    std::uint32_t key, other;
  } cases[] = {
      {&ready, true, 0xFFABCDEFu, 0xFF969696u},   // d = (100 * 256 + 100 * 128) >> 8 = 150
      {&ready, false, 0x00E364E3u, 0x00969696u},  // the key pixel mixed like any other
      {&fill, true, 0x7FFF0000u, 0x00969696u},
      {&fill, false, 0x00C8C8C8u, 0x00969696u},
  };
  for (const Case& c : cases) {
    TBitmap32 d(2, 1, 0x00C8C8C8u);
    CopyByMask({0, 0, 2, 1}, {0, 0, 2, 1}, d.View(), s.View(), *c.ci, c.update, 2);
    EXPECT_EQ(U(d, 0, 0), c.key) << c.update;
    EXPECT_EQ(U(d, 1, 0), c.other) << c.update;
  }
}

TEST(CopyBmp32, BlendTintAndAlphaRules) {
  TBitmap32 s(1, 1, 0x80FF0000u);
  TBitmap32 d(1, 1, 0x20000000u);
  const TBitmap32 parent(1, 1);
  TCacheInfo32 ready{const_cast<TBitmap32&>(parent).View(), 0, 0, clFuchsia, true};
  CopyBmp32({0, 0, 1, 1}, {0, 0, 1, 1}, d.View(), s.View(), ready, false, classlib::clNone, 100, false);
  EXPECT_EQ(U(d, 0, 0), 0x20000000u);  // Blend 100: nothing
  CopyBmp32({0, 0, 1, 1}, {0, 0, 1, 1}, d.View(), s.View(), ready, false, classlib::clNone, 0, false);
  EXPECT_EQ(U(d, 0, 0), 0x807F0000u);  // larger alpha taken
  TBitmap32 d2(1, 1, 0x20000000u);
  CopyBmp32({0, 0, 1, 1}, {0, 0, 1, 1}, d2.View(), s.View(), TCacheInfo32{}, false, classlib::clNone, 50, false);
  EXPECT_EQ(U(d2, 0, 0), 0x203F0000u);  // w = 64, alpha kept without a ready cache
  // Tint: g = 85, red channel 255 / 255 -> 85, green 0, blue 128 / 255 -> Round(42.67) = 43.
  TBitmap32 s2(1, 1, 0xFF0000FFu), d3(1, 1, 0);
  CopyBmp32({0, 0, 1, 1}, {0, 0, 1, 1}, d3.View(), s2.View(), TCacheInfo32{}, false, 0x008000FF, 0, false);
  EXPECT_EQ(U(d3, 0, 0), 0x0054002Au);  // mix with w = 255: 85 -> 84, 43 -> 42
}

TEST(CopyBmp32, ReflectionFadesBelowTheCopy) {
  TBitmap32 s(1, 4, 0xFFFFFFFFu), d(1, 8, 0);
  s.At(0, 1).U = kKeyPixel;
  CopyBmp32({0, 0, 1, 4}, {0, 0, 1, 4}, d.View(), s.View(), TCacheInfo32{}, false, classlib::clNone, 0, true);
  // half = 2, n = min(8 - 4 - 1, 1) = 1; row 5 takes source row 4 - 1 - 1 = 2; w = (85 * 255) / 255.
  EXPECT_EQ(U(d, 0, 4), 0u);
  EXPECT_EQ(U(d, 0, 5), 0x00545454u);
  EXPECT_EQ(U(d, 0, 6), 0u);
}

TEST(CopyTransBitmaps, PlacesTheWholeSourceClipped) {
  TBitmap32 d(3, 3, 0), s(2, 5, 0x00112233u);
  s.At(0, 3).U = 0x00332211u;  // TransColor 0x112233 in pixel order
  TsColor t;
  t.I = 0x00112233;
  CopyTransBitmaps(d.View(), s.View(), 1, -3, t);
  // Source rows 3 and 4 into destination rows 0 and 1.
  EXPECT_EQ(U(d, 1, 0), 0u);
  EXPECT_EQ(U(d, 2, 0), 0xFF112233u);
  EXPECT_EQ(U(d, 1, 1), 0xFF112233u);
  EXPECT_EQ(U(d, 1, 2), 0u);
}

TEST(CopyTransRect, ThreeCacheCases) {
  TBitmap32 s(2, 1, 0xFF010203u);
  s.At(1, 0).U = 0x00FF00FFu;
  TBitmap32 parent(4, 4, 0x12345678u);
  TCacheInfo32 ready{parent.View(), 1, 1, clFuchsia, true};
  TCacheInfo32 notReady;
  notReady.FillColor = 0x000000FF;
  const TColor key = static_cast<TColor>(0x00FF00FF);

  TBitmap32 d(3, 1, 0x77777777u);
  CopyTransRect(d.View(), s.View(), 1, 0, {-3, 0, 9, 0}, key, ready, true);
  EXPECT_EQ(U(d, 0, 0), 0x77777777u);
  EXPECT_EQ(U(d, 1, 0), 0xFF010203u);
  EXPECT_EQ(U(d, 2, 0), 0xFF345678u);

  TBitmap32 d2(2, 1, 0x77777777u);
  CopyTransRect(d2.View(), s.View(), 0, 0, {0, 0, 1, 0}, key, ready, false);
  EXPECT_EQ(U(d2, 0, 0), 0xFF010203u);
  EXPECT_EQ(U(d2, 1, 0), 0x77777777u);

  TBitmap32 d3(2, 1, 0x77777777u);
  CopyTransRect(d3.View(), s.View(), 0, 0, {0, 0, 1, 0}, key, notReady, false);
  EXPECT_EQ(U(d3, 1, 0), 0xFFFF0000u);

  // Drawing into the parent itself: key pixels are skipped.
  TCacheInfo32 self{d2.View(), 0, 0, clFuchsia, true};
  TBitmap32 tall(2, 2, 0x77777777u);
  self.Bmp = tall.View();
  CopyTransRect(tall.View(), s.View(), 0, 0, {0, 0, 1, 0}, key, self, true);
  EXPECT_EQ(U(tall, 1, 0), 0x77777777u);

  TBitmap32 d4(2, 1, 0x77777777u);
  CopyTransRectA(d4.View(), s.View(), 0, 0, {0, 0, 1, 0}, key);
  EXPECT_EQ(U(d4, 0, 0), 0xFF010203u);
  EXPECT_EQ(U(d4, 1, 0), 0x77777777u);
}

TEST(ColourArithmetic, MixAverageChange) {
  EXPECT_EQ(MixColors(0x11000064, 0x220000C8, 0.5), 0x11000096);
  EXPECT_EQ(MixColors(0x00000001, 0x00000000, 0.5), 0x00000000);                     // 0.5 -> 0 (even)
  EXPECT_EQ(MixColors(0x00000003, 0x00000000, 0.5), 0x00000002);                     // 1.5 -> 2
  EXPECT_EQ(AverageColor(static_cast<TColor>(0xFF0000FF), 0x00000000), 0x0000007E);  // 255 * 127 >> 8
  EXPECT_EQ(AverageColor(0x00000000, 0x000000FF), 0x00000080);
  EXPECT_EQ(ChangeColor(0x000000FF, 0x00000000, 0.5), 0x00000080);  // 127.5 -> 128
  EXPECT_EQ(ChangeColor(0x00000000, 0x000000FF, 1.2), 0x000000FF);  // 306 limited to 255
}

}  // namespace
}  // namespace skin
