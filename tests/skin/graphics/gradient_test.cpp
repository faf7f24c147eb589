// Gradient text parsing and painting: segments, their boundary rows and columns, clamping, and the
// texture mix.
#include <gtest/gtest.h>

#include "classlib/Exception.h"
#include "skin/graphics/sGradient.h"
#include "tests/skin/graphics/PixelTestUtil.h"

namespace skin {
namespace {

using test::U;

TEST(PrepareGradArray, ParsesFiveWordsPerSegment) {
  TsGradArray a;
  PrepareGradArray("255;16711680;150;1;7;-5;;;3;-20;0;9", a);
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0].Color1, 255);
  EXPECT_EQ(a[0].Color2, 16711680);
  EXPECT_EQ(a[0].Percent, 100);  // 150 limited
  EXPECT_EQ(a[0].Mode1, 1);
  EXPECT_EQ(a[0].Mode2, 0);   // never read
  EXPECT_EQ(a[1].Color1, 0);  // negative colour
  EXPECT_EQ(a[1].Color2, 3);  // empty words between separators do not count
  EXPECT_EQ(a[1].Percent, 0);
  PrepareGradArray("1;2;3;4", a);
  EXPECT_TRUE(a.empty());
  PrepareGradArray("", a);
  ASSERT_EQ(a.size(), 1u);
  EXPECT_EQ(a[0].Percent, 0);
}

TEST(PrepareGradArray, BadNumberRaisesAfterSizing) {
  TsGradArray a;
  EXPECT_THROW(PrepareGradArray("1;2;3;4;5;6;q7;8;9;10", a), classlib::EConvertError);
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0].Color1, 1);
  EXPECT_THROW(PrepareGradArray("1;2;99999999999;0;0", a), classlib::EConvertError);
  EXPECT_THROW(PrepareGradArray("1;2;3 ;0;0", a), classlib::EConvertError);
  PrepareGradArray("$FF;2;3;0;0", a);  // the run-time conversion reads hexadecimal too
  EXPECT_EQ(a[0].Color1, 255);
}

TEST(PaintGrad, VerticalRedToBlue) {
  TBitmap32 b(2, 5);
  PaintGrad(b.View(), {0, 0, 2, 5}, "255;16711680;100;0;0");
  // Steps of 63.75 from either end; 127.5 rounds to 128 both ways.
  const int red[] = {255, 191, 128, 64, 0};
  const int blue[] = {0, 64, 128, 191, 255};
  for (int y = 0; y < 5; ++y) {
    EXPECT_EQ(b.At(1, y).R, red[y]) << y;
    EXPECT_EQ(b.At(0, y).B, blue[y]) << y;
    EXPECT_EQ(b.At(0, y).A, 255);
  }
}

TEST(PaintGrad, HorizontalSegmentsShareTheBoundaryColumn) {
  TBitmap32 b(10, 3);
  PaintGrad(b.View(), {0, 0, 10, 3}, "255;16711680;50;1;0;16711680;65280;50;1;0");
  EXPECT_EQ(U(b, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(U(b, 2, 0), 0xFF990066u);  // 255 - 2 * 51, 2 * 51
  EXPECT_EQ(U(b, 5, 0), 0xFF0000FFu);  // the second segment's first colour
  EXPECT_EQ(U(b, 9, 0), 0xFF00FF00u);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(U(b, x, 2), U(b, x, 0));
}

TEST(PaintGrad, ShortPercentagesStillReachTheEdge) {
  TBitmap32 b(1, 10);
  PaintGrad(b.View(), {0, 0, 1, 10}, "0;0;10;0;0;255;255;10;0;0");
  EXPECT_EQ(U(b, 0, 0), 0xFF000000u);
  EXPECT_EQ(U(b, 0, 1), 0xFFFF0000u);  // the boundary row repainted by the second segment
  EXPECT_EQ(U(b, 0, 9), 0xFFFF0000u);
}

TEST(PaintGrad, RectangleLimitedToTheImage) {
  TBitmap32 b(4, 4);
  PaintGrad(b.View(), {-5, -5, 3, 3}, "255;255;100;0;0");
  EXPECT_EQ(U(b, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(U(b, 2, 2), 0xFFFF0000u);
  EXPECT_EQ(U(b, 3, 2), 0u);
  EXPECT_EQ(U(b, 2, 3), 0u);
  TBitmap32 c(4, 4);
  PaintGrad(c.View(), {5, 5, 9, 9}, "255;255;100;0;0");    // wholly beyond: empty after limiting
  PaintGrad(c.View(), {0, 0, 4, 4}, "255;255;100;7;0");    // unknown orientation
  PaintGrad(c.View(), {0, 0, 4, 4}, TsGradArray{}, 0, 0);  // no segments
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(U(c, x, y), 0u);
}

TEST(PaintGrad, FourCornersNeedTheSystemFunction) {
  TBitmap32 b(8, 8);
  TsGradArray a(1);
  a[0].Color1 = 0x0000FF;
  a[0].Mode1 = 2;
  PaintGrad(b.View(), {0, 0, 8, 8}, a);
  const TColor colours[5] = {0, 0, 0, 0, 0};
  if (PaintCornerGradient(b.View(), {0, 0, 0, 0}, colours) || b.At(4, 4).A != 0) {
    // Every vertex takes the only segment's colour: solid red, opaque.
    EXPECT_EQ(U(b, 4, 4), 0xFFFF0000u);
    EXPECT_EQ(U(b, 0, 7), 0xFFFF0000u);
  } else {
    EXPECT_EQ(U(b, 4, 4), 0u);
  }
}

TEST(PaintGradTxt, BlendExtremesAndTextureRepeat) {
  TBitmap32 tex(2, 1, 0xFFFFFFFFu);
  tex.At(1, 0).U = 0xFF000000u;
  TsGradArray a;
  PrepareGradArray("0;0;100;0;0", a);
  TBitmap32 b(5, 3, 0x12345678u);
  PaintGradTxt(b.View(), {0, 0, 5, 3}, a, tex.View(), {0, 0, 0, 0}, 255);
  // Gradient 0 under a white texture pixel: 254; under black: 0; period 2 from the image's origin.
  EXPECT_EQ(U(b, 0, 0), 0xFFFEFEFEu);
  EXPECT_EQ(U(b, 1, 0), 0xFF000000u);
  EXPECT_EQ(U(b, 4, 2), 0xFFFEFEFEu);
  PaintGradTxt(b.View(), {1, 1, 5, 3}, a, tex.View(), {1, 0, 2, 1}, 0);
  EXPECT_EQ(U(b, 2, 1), 0xFF000000u);  // Blend 0: the plain gradient
  EXPECT_EQ(U(b, 0, 0), 0xFFFEFEFEu);
}

TEST(PaintGradTxt, TextureRectOutsideTheTextureDrawsNothing) {
  TBitmap32 tex(2, 2, 0xFFFFFFFFu), b(3, 3);
  TsGradArray a;
  PrepareGradArray("0;0;100;0;0", a);
  PaintGradTxt(b.View(), {0, 0, 3, 3}, a, tex.View(), {2, 0, 4, 2}, 128);   // zero width left
  PaintGradTxt(b.View(), {0, 0, 3, 3}, a, tex.View(), {-1, 0, 1, 2}, 128);  // starts left of it
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(U(b, x, y), 0u);
}

TEST(PaintGradTxt, MatchesPaintGradRowsWithBlendZero) {
  TsGradArray a;
  PrepareGradArray("255;65280;40;1;0;65280;16711680;60;1;0", a);
  TBitmap32 plain(37, 4), mixed(37, 4), tex(3, 3, 0xFF808080u);
  PaintGrad(plain.View(), {0, 0, 37, 4}, a);
  PaintGradTxt(mixed.View(), {0, 0, 37, 4}, a, tex.View(), {0, 0, 0, 0}, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 37; ++x) ASSERT_EQ(U(mixed, x, y), U(plain, x, y)) << x << "," << y;
}

}  // namespace
}  // namespace skin
