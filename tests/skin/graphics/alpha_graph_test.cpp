// Row access, fills, the constant-weight blender, the disabled look and the background copy into
// transparent places.
#include <gtest/gtest.h>

#include "skin/graphics/sAlphaGraph.h"
#include "tests/skin/graphics/PixelTestUtil.h"

namespace skin {
namespace {

using test::Filled;
using test::U;

TEST(TacFast32, ReadsAndWritesInTColorOrder) {
  TBitmap32 b(3, 2);
  b.At(1, 1).U = 0x281E140Au;  // bytes B 10, G 20, R 30, A 40
  TacFast32 f;
  ASSERT_TRUE(f.Attach(b.View()));
  const TsColor c = f.GetPixel(1, 1);
  EXPECT_EQ(c.R, 30);
  EXPECT_EQ(c.G, 20);
  EXPECT_EQ(c.B, 10);
  EXPECT_EQ(c.A, 40);
  f.SetPixel(0, 0, c);
  EXPECT_EQ(U(b, 0, 0), 0x281E140Au);
  // Outside the image: nothing written, zero read.
  f.SetPixel(3, 0, c);
  f.SetPixel(-1, 5, c);
  EXPECT_EQ(f.GetPixel(7, 7).I, 0);
}

TEST(TacFast32, RefusesImagesLowerThanTwoRows) {
  TBitmap32 row(5, 1);
  TacFast32 f;
  EXPECT_FALSE(f.Attach(row.View()));
  EXPECT_EQ(f.Width(), 0);
  EXPECT_FALSE(f.Attach(TImage32View{}));
}

TEST(FillRect32, FillsOpaqueInRowOrderAndClips) {
  TBitmap32 b(4, 3, 0x01020304u);
  FillRect32(b.View(), {-5, 1, 2, 99}, 0x00332211);  // R 0x11, G 0x22, B 0x33
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(U(b, x, y), (y >= 1 && x < 2) ? 0xFF112233u : 0x01020304u) << x << "," << y;
  FillRect32(b.View(), {5, 0, 9, 3}, 0);  // wholly outside
  FillRect32(b.View(), {3, 2, 1, 3}, 0);  // inverted
  EXPECT_EQ(U(b, 3, 2), 0x01020304u);
}

TEST(FillRect32, SingleRowImage) {
  TBitmap32 b(8, 1);
  FillRect32(b.View(), {2, 0, 5, 1}, 0x0000FF);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(U(b, x, 0), (x >= 2 && x < 5) ? 0xFFFF0000u : 0u) << x;
  TBitmap32 c(8, 1);
  FillRect32(c.View(), {2, 1, 5, 2}, 0x0000FF);
  FillRect32(c.View(), {-3, 0, 50, 1}, 0x00FF00);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(U(c, x, 0), 0xFF00FF00u);
}

TEST(FillAlphaRect, SkipsKeyPixelsOnlyWhenAsked) {
  TBitmap32 b(3, 2, 0x80102030u);
  b.At(1, 0).U = kKeyPixel;
  b.At(2, 0).U = 0x01FF00FFu;  // magenta with another alpha is an ordinary pixel
  FillAlphaRect(b.View(), {0, 0, 9, 1}, 0x40, true);
  EXPECT_EQ(U(b, 0, 0), 0x40102030u);
  EXPECT_EQ(U(b, 1, 0), kKeyPixel);
  EXPECT_EQ(U(b, 2, 0), 0x40FF00FFu);
  EXPECT_EQ(U(b, 0, 1), 0x80102030u);
  FillAlphaRect(b.View(), {0, 0, 3, 1}, 0x7F, false);
  EXPECT_EQ(U(b, 1, 0), 0x7FFF00FFu);
}

TEST(FillDCBorder32, FillsFourStripsAndLeavesTheInside) {
  TBitmap32 b(6, 5);
  FillDCBorder32(b.View(), {0, 0, 6, 5}, 1, 2, 1, 1, 0xFFFFFF);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool border = y < 2 || x == 0 || y == 4 || x == 5;
      EXPECT_EQ(U(b, x, y), border ? 0xFFFFFFFFu : 0u) << x << "," << y;
    }
}

TEST(BlendColorRect, RoundsHalvesToEvenAndTreatsRightBottomInclusive) {
  TBitmap32 b(3, 3, 0x770B0D00u);  // R 11, G 13
  BlendColorRect(b.View(), {0, 0, 1, 1}, 50, 0x000000);
  // 5.5 -> 6 and 6.5 -> 6; columns and rows 0..1; alpha kept.
  EXPECT_EQ(U(b, 0, 0), 0x77060600u);
  EXPECT_EQ(U(b, 1, 1), 0x77060600u);
  EXPECT_EQ(U(b, 2, 1), 0x770B0D00u);
  EXPECT_EQ(U(b, 1, 2), 0x770B0D00u);
  // Limited to the image: a rectangle far beyond it blends the whole image once.
  TBitmap32 c(2, 2, 0xFF000000u);
  BlendColorRect(c.View(), {-4, -4, 40, 40}, 0, 0x0000FF);
  EXPECT_EQ(U(c, 1, 1), 0xFFFF0000u);
}

TEST(TacFastSum32, BlendsRowsMatchedFromTheBottom) {
  TBitmap32 src(2, 4), dst(2, 2, 0);
  for (int y = 0; y < 4; ++y) src.At(0, y).U = src.At(1, y).U = 0x01010101u * static_cast<std::uint32_t>(y * 40);
  TacFastSum32 s;
  ASSERT_TRUE(s.Attach(src.View(), dst.View()));
  s.Alpha = 0;  // source only: (src * 255 + 127) >> 8
  s.DstX1 = 0, s.DstY1 = 0, s.DstX2 = 2, s.DstY2 = 2;
  s.SrcX1 = 0, s.SrcY1 = 1, s.SrcX2 = 2, s.SrcY2 = 4;  // three rows given, the bottom two pair
  s.BlendBitmapsRect();
  EXPECT_EQ(U(dst, 0, 0), 0x01010101u * ((80 * 255 + 127) >> 8));
  EXPECT_EQ(U(dst, 1, 1), 0x01010101u * ((120 * 255 + 127) >> 8));
}

TEST(TacFastSum32, ClipsBothRectanglesAndRefusesTinyImages) {
  TBitmap32 src(4, 4, 0xFFFFFFFFu), dst(4, 4, 0);
  TacFastSum32 s;
  ASSERT_TRUE(s.Attach(src.View(), dst.View()));
  s.Alpha = 0;
  s.DstX1 = -2, s.DstY1 = 2, s.DstX2 = 9, s.DstY2 = 9;
  s.SrcX1 = 1, s.SrcY1 = -5, s.SrcX2 = 12, s.SrcY2 = 2;
  s.BlendBitmapsRect();
  // Destination column x pairs with source column x + 3; destination row y with y - 7: no source
  // row exists for any destination row, so nothing is blended.
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(U(dst, x, y), 0u);
  s.SrcY2 = 9;  // now destination rows 2, 3 pair with source rows 2, 3; column 0 with column 3
  s.BlendBitmapsRect();
  EXPECT_EQ(U(dst, 0, 2), 0xFEFEFEFEu);
  EXPECT_EQ(U(dst, 0, 3), 0xFEFEFEFEu);
  EXPECT_EQ(U(dst, 1, 2), 0u);
  EXPECT_EQ(U(dst, 0, 1), 0u);
  TBitmap32 thin(1, 4);
  EXPECT_FALSE(s.Attach(thin.View(), dst.View()));
}

TEST(ColourOrder, SwapsRedAndBlueAndKeepsTheRest) {
  EXPECT_EQ(SwapColor(0x11223344), 0x11443322);
  EXPECT_EQ(SwapRedBlue(SwapColor(0x7F010203)), 0x7F010203);
  EXPECT_EQ(static_cast<std::uint32_t>(CorrectColor32(0x00123456)), 0xFF123456u);
  std::uint32_t v[4] = {1, 1, 1, 1};
  FillLongword(v, 3, 9);
  FillLongword(v, 0, 5);
  FillLongword(v, -2, 5);
  EXPECT_EQ(v[2], 9u);
  EXPECT_EQ(v[3], 1u);
}

TEST(BmpDisabledKind, GreysThenBlendsWithTheParent) {
  TBitmap32 img(2, 1, 0xFF0000FFu);  // blue 255 -> grey 85
  TBitmap32 parent(4, 4, 0xFF646464u);
  parent.At(2, 1).U = kKeyPixel;  // under the second pixel
  TCacheInfo32 ci{parent.View(), 1, 1, clFuchsia, true};
  BmpDisabledKind(img.View(), true, true, ci, {0, 0}, 0);
  // round(0.6 * 100 + 0.4 * 85) = 94; the pixel over the parent's key pixel only greyed.
  EXPECT_EQ(U(img, 0, 0), 0xFF5E5E5Eu);
  EXPECT_EQ(U(img, 1, 0), 0xFF555555u);
}

TEST(BmpDisabledKind, WithoutCacheBlendsHalfWithFillOrControlColour) {
  TBitmap32 img(2, 2, 0xFF0A0A0Au);
  TCacheInfo32 ci;
  ci.FillColor = 0x00C8C8C8;
  BmpDisabledKind(img.View(), false, true, ci, {0, 0}, 0);
  EXPECT_EQ(U(img, 1, 1), 0xFF696969u);  // (10 + 200) / 2 = 105
  TBitmap32 img2(2, 2, 0xFF0A0A0Au);
  ci.FillColor = clFuchsia;
  BmpDisabledKind(img2.View(), false, true, ci, {0, 0}, 0x000000);
  EXPECT_EQ(U(img2, 0, 0), 0xFF050505u);
}

TEST(FillTransPixels32, ReplacesKeyColouredPlacesOnlyAndClips) {
  TBitmap32 dst(4, 3, 0xFF111111u);
  dst.At(0, 0).U = kKeyPixel;
  dst.At(1, 0).U = 0x80FF00FFu;  // any alpha: the low 24 bits decide
  dst.At(3, 2).U = kKeyPixel;
  const TBitmap32 src = test::Noise(3, 3, 7);
  FillTransPixels32(dst.View(), const_cast<TBitmap32&>(src).View(), {0, 0, 10, 10}, {0, 0});
  EXPECT_EQ(U(dst, 0, 0), U(src, 0, 0));
  EXPECT_EQ(U(dst, 1, 0), U(src, 1, 0));
  EXPECT_EQ(U(dst, 2, 0), 0xFF111111u);
  EXPECT_EQ(U(dst, 3, 2), kKeyPixel);  // beyond the source's width
  // From a source point off the source: the part with source pixels only.
  dst.At(0, 0).U = kKeyPixel;
  FillTransPixels32(dst.View(), const_cast<TBitmap32&>(src).View(), {0, 0, 4, 3}, {-1, 0});
  EXPECT_EQ(U(dst, 0, 0), kKeyPixel);
}

TEST(FillTransPixels32, TestsTheMaskCornerBlock) {
  TBitmap32 dst(2, 2, 0xFF111111u), src(2, 2, 0xFF222222u), mask(6, 4, 0);
  EXPECT_EQ(CornerBlockOrigin({1, 0, 7, 4}, 5, 4, 2, 2, 17).X, 4);
  const TPoint o = CornerBlockOrigin({1, 0, 7, 4}, 5, 4, 2, 2, 17);
  EXPECT_EQ(o.Y, 2);
  mask.At(5, 3).U = 0x00FF00FFu;
  FillTransPixels32(dst.View(), src.View(), {0, 0, 2, 2}, {0, 0}, mask.View(), o);
  EXPECT_EQ(U(dst, 1, 1), 0xFF222222u);
  EXPECT_EQ(U(dst, 0, 0), 0xFF111111u);
  // A block origin that runs off the mask is skipped, not read.
  FillTransPixels32(dst.View(), src.View(), {0, 0, 2, 2}, {0, 0}, mask.View(), {5, 3});
  EXPECT_EQ(U(dst, 0, 0), 0xFF222222u);
  EXPECT_EQ(U(dst, 1, 0), 0xFF111111u);
}

TEST(ApplyTextCoverage32, MixesTheTextColourByDarkness) {
  TBitmap32 dst(3, 1, 0x00C8C8C8u), cov(3, 1, 0x00FFFFFFu);
  cov.At(0, 0).U = 0x00000000u;  // full coverage
  cov.At(1, 0).U = 0x00808080u;  // half: c = 128
  cov.At(2, 0).U = 0xFFFFFFFFu;  // white with alpha: still background
  ApplyTextCoverage32(dst.View(), {-1, 0, 2, 1}, cov.View(), 0x0000FF);
  // Sample 0 falls left of the image; sample 1 lands on x = 0: ((200 - c) * 128 + c * 256) >> 8.
  EXPECT_EQ(dst.At(0, 0).R, (((200 - 255) * 128 + 255 * 256) >> 8));
  EXPECT_EQ(dst.At(0, 0).G, ((200 * 128) >> 8));
  EXPECT_EQ(dst.At(0, 0).A, 255);
  EXPECT_EQ(U(dst, 1, 0), 0x00C8C8C8u);
}

}  // namespace
}  // namespace skin
