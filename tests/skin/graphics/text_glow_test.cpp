// The glow arithmetic: blur kernel and blur of 8-bit masks, the glow margin's cap, and the mix of
// the glow colour into 32-bit pixels, against values computed by hand.
#include <gtest/gtest.h>

#include <vector>

#include "skin/graphics/sTextGlow.h"

namespace skin {
namespace {

// A W x H 8-bit image in its own bytes, rows padded to 4 bytes as a DIB's are.
struct Mask8 {
  Mask8(int w, int h, std::uint8_t fill) : w(w), h(h), stride((w + 3) & ~3), bytes(stride * h, fill) {}
  TImage8View View() { return {bytes.data(), w, h, stride}; }
  std::uint8_t& At(int x, int y) { return bytes[y * stride + x]; }
  int w, h, stride;
  std::vector<std::uint8_t> bytes;
};

TEST(TextGlow, MarginIsCapped) {
  struct Case {
    int glowSize, margin;
  } cases[] = {{0, 4}, {6, 10}, {100, 104}, {1000000, 104}, {2147483647, 104}, {-10, 0}};
  for (const Case& c : cases) EXPECT_EQ(GlowMargin(c.glowSize), c.margin) << c.glowSize;
}

TEST(TextGlow, KernelForRadiusOne) {
  // exp(-j*j/2) for j = 0..3 over their sum 2.505950 (the tail from 4 on is below 1/510).
  const double expected[] = {0.011109 / 2.505950, 0.135335 / 2.505950, 0.606531 / 2.505950, 1 / 2.505950};
  const std::vector<float> k = BlurKernel(1.0);
  ASSERT_EQ(k.size(), 7u);
  for (int j = 0; j < 7; ++j) EXPECT_NEAR(k[j], expected[j < 4 ? j : 6 - j], 1e-5) << j;
  EXPECT_EQ(BlurKernel(-1.0), k);           // the bell is even in the radius
  EXPECT_EQ(BlurKernel(1e6).size(), 201u);  // a flat bell reaches the limit
  EXPECT_EQ(BlurKernel(0.01).size(), 3u);   // a needle keeps the smallest reach
  EXPECT_TRUE(BlurKernel(0.0).empty());
}

TEST(TextGlow, BlurOfOneDarkPixelInARow) {
  Mask8 m(7, 1, 255);
  m.At(3, 0) = 0;
  Blur8(m.View(), 1.0);
  // 255 * (1 - k(j)) with k from the hand-computed kernel above; the edge repeats sample 0.
  const std::uint8_t expected[] = {253, 241, 193, 153, 193, 241, 253};
  for (int x = 0; x < 7; ++x) EXPECT_EQ(m.At(x, 0), expected[x]) << x;
}

TEST(TextGlow, BlurKeepsConstantsAndSymmetry) {
  for (const std::uint8_t v : {std::uint8_t{255}, std::uint8_t{0}, std::uint8_t{77}})
    for (const double r : {0.5, 3.0, 40.0}) {
      Mask8 m(13, 5, v);
      Blur8(m.View(), r);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x) ASSERT_EQ(m.At(x, y), v) << int(v) << " r " << r << " at " << x << "," << y;
    }

  Mask8 m(21, 21, 255);
  m.At(10, 10) = 0;
  m.At(10, 9) = 40;
  m.At(9, 10) = 40;
  m.At(11, 10) = 40;
  m.At(10, 11) = 40;  // a plus sign: symmetric in both axes
  Blur8(m.View(), 2.5);
  EXPECT_LT(m.At(10, 10), 255);
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 21; ++x) {
      ASSERT_EQ(m.At(x, y), m.At(20 - x, y)) << x << "," << y;
      ASSERT_EQ(m.At(x, y), m.At(x, 20 - y)) << x << "," << y;
    }
}

TEST(TextGlow, RadiusZeroAndEmptyImagesChangeNothing) {
  Mask8 m(4, 3, 200);
  m.At(1, 1) = 0;
  const std::vector<std::uint8_t> before = m.bytes;
  Blur8(m.View(), 0.0);
  EXPECT_EQ(m.bytes, before);
  Blur8(TImage8View{}, 2.0);
  Blur8(TImage8View{m.bytes.data(), 0, 3, m.stride}, 2.0);
  EXPECT_EQ(m.bytes, before);
}

TEST(TextGlow, BottomUpRowsBlurAsTopDown) {
  Mask8 a(5, 6, 255), b(5, 6, 255);
  a.At(1, 2) = 0;
  b.At(1, 6 - 1 - 2) = 0;  // the same picture stored bottom-up
  Blur8(a.View(), 1.5);
  Blur8(TImage8View{b.bytes.data() + b.stride * 5, 5, 6, -b.stride}, 1.5);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 5; ++x) ASSERT_EQ(a.At(x, y), b.At(x, 5 - y)) << x << "," << y;
}

TEST(TextGlow, MaskMixesTheColourAndClips) {
  TBitmap32 dst(2, 2, 0x00C86400u);  // A 0, R 200, G 100, B 0
  Mask8 m(3, 3, 255);
  m.At(1, 1) = 100;                                         // lands on (0, 0)
  m.At(2, 2) = 0;                                           // lands on (1, 1)
  m.At(0, 0) = 0;                                           // lands outside
  ApplyGlowMask(dst.View(), m.View(), {-1, -1}, 0x1E140A);  // R 10, G 20, B 30
  // R: 10 + 190 * 100 div 255 = 84; G: 20 + 80 * 100 div 255 = 51; B: 30 + (-30 * 100) div 255
  // = 30 - 11 = 19 (towards zero); A: 155 * 255 div 255 = 155.
  EXPECT_EQ(dst.At(0, 0).U, 0x9B543313u);
  EXPECT_EQ(dst.At(1, 1).U, 0xFF0A141Eu);  // full text: the glow colour, opaque
  EXPECT_EQ(dst.At(1, 0).U, 0x00C86400u);  // m 255 untouched
  EXPECT_EQ(dst.At(0, 1).U, 0x00C86400u);
}

}  // namespace
}  // namespace skin
