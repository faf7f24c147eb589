#include "skin/graphics/SkinImagePasses.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(SkinImagePasses, TransparentWhiteBecomesTransparentBlack) {
  TBitmap32 bmp(4, 1);
  const std::uint32_t before[4] = {0x00FFFFFFu, 0x01FFFFFFu, 0xFFFFFFFFu, 0x00FFFFFEu};
  for (int x = 0; x < 4; ++x) bmp.At(x, 0).U = before[x];
  UpdateTransPixels(bmp.View());
  EXPECT_EQ(bmp.At(0, 0).U, 0u);
  for (int x = 1; x < 4; ++x) EXPECT_EQ(bmp.At(x, 0).U, before[x]) << x;
}

TEST(SkinImagePasses, PremultipliesColourByAlpha) {
  TBitmap32 bmp(3, 2);
  bmp.At(0, 0).U = 0x80C86432u;  // A 128, R 200, G 100, B 50
  bmp.At(1, 0).U = 0xFF123456u;
  bmp.At(2, 1).U = 0x00FFFFFFu;
  UpdateAlpha(bmp.View());
  EXPECT_EQ(bmp.At(0, 0).U, 0x80643219u);  // 200*128/255 = 100, 100*128/255 = 50, 50*128/255 = 25
  EXPECT_EQ(bmp.At(1, 0).U, 0xFF123456u);
  EXPECT_EQ(bmp.At(2, 1).U, 0u);
  UpdateAlpha(TImage32View{});  // nothing to do, nothing touched
}

}  // namespace
}  // namespace skin
