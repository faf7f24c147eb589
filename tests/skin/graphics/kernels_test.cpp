// The SSE2 row kernels against their plain forms, on random rows of every length up to a few vectors
// and on the extreme weights.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "skin/graphics/PixelKernels.h"

namespace skin::kernels {
namespace {

std::vector<std::uint32_t> RandomRow(std::mt19937& rng, int n) {
  std::vector<std::uint32_t> v(static_cast<std::size_t>(n));
  for (auto& p : v) {
    p = static_cast<std::uint32_t>(rng());
    // Plenty of the alpha extremes and the key pixel.
    switch (rng() % 6) {
      case 0: p &= 0x00FFFFFFu; break;
      case 1: p |= 0xFF000000u; break;
      case 2: p = 0x00FF00FFu; break;
      default: break;
    }
  }
  return v;
}

TEST(Kernels, BlendConstMatchesPlainForEveryWeight) {
  std::mt19937 rng(1);
  for (int a = 0; a <= 255; ++a) {
    const int n = 1 + a % 13;
    auto d = RandomRow(rng, n), s = RandomRow(rng, n), expected = d;
    BlendConstPlain(expected.data(), s.data(), n, a);
    BlendConst(d.data(), s.data(), n, a);
    ASSERT_EQ(d, expected) << "alpha " << a;
  }
}

TEST(Kernels, BlendConstFormula) {
  std::uint32_t d[1] = {0xFF00FF80u}, s[1] = {0xFF00FF80u};
  BlendConst(d, s, 1, 255);
  // (255 * v + 127) >> 8 for v = src = dst: 255 -> 254, 0 -> 0, 128 -> 127.
  EXPECT_EQ(d[0], 0xFE00FE7Fu);
}

TEST(Kernels, MixByAlphaMatchesPlain) {
  std::mt19937 rng(2);
  for (int round = 0; round < 400; ++round) {
    const int n = 1 + round % 17;
    auto d = RandomRow(rng, n), s = RandomRow(rng, n), expected = d;
    MixByAlphaPlain(expected.data(), s.data(), n);
    MixByAlpha(d.data(), s.data(), n);
    ASSERT_EQ(d, expected) << "round " << round;
  }
}

TEST(Kernels, MixByAlphaFormula) {
  // R: mix(0, 255, 255) = 254; G: mix(200, 0, 255) = 0; alpha 100 + (255 * 155) / 255 = 255.
  std::uint32_t d[1] = {0x6400C800u};
  const std::uint32_t s[1] = {0xFFFF0000u};
  MixByAlpha(d, s, 1);
  EXPECT_EQ(d[0], 0xFFFE0000u);
  // Alpha 128 over alpha 100: 100 + (128 * 155) div 255 = 177.
  std::uint32_t d2[1] = {0x64000000u};
  const std::uint32_t s2[1] = {0x80000000u};
  MixByAlpha(d2, s2, 1);
  EXPECT_EQ(d2[0] >> 24, 177u);
}

TEST(Kernels, MixByMaskAndWeightMatchPlain) {
  std::mt19937 rng(3);
  for (int round = 0; round < 300; ++round) {
    const int n = 1 + round % 11;
    auto o = RandomRow(rng, n), b = RandomRow(rng, n), t = RandomRow(rng, n), m = RandomRow(rng, n);
    auto e1 = o, r1 = o;
    MixByMaskPlain(e1.data(), b.data(), t.data(), m.data(), n);
    MixByMask(r1.data(), b.data(), t.data(), m.data(), n);
    ASSERT_EQ(r1, e1);
    const int w = static_cast<int>(rng() % 257);
    auto e2 = o, r2 = o;
    MixByWeightPlain(e2.data(), b.data(), t.data(), w, n);
    MixByWeight(r2.data(), b.data(), t.data(), w, n);
    ASSERT_EQ(r2, e2) << "weight " << w;
  }
  // Weight 256 takes Top entirely, alpha from Out.
  std::uint32_t out[1] = {0x11000000u};
  const std::uint32_t base[1] = {0xFF102030u}, top[1] = {0xFFA0B0C0u};
  MixByWeight(out, base, top, 256, 1);
  EXPECT_EQ(out[0], 0x11A0B0C0u);
}

// Widening 24-bit rows: every length up to a few vectors, the key colour and its near misses.
TEST(Kernels, OpaqueFromBgrMatchesPlainAndKeepsTheKey) {
  std::mt19937 rng(5);
  for (int n = 0; n <= 37; ++n) {
    std::vector<std::uint8_t> src(static_cast<std::size_t>(n) * 3);
    for (std::size_t i = 0; i < src.size(); i += 3) {
      const std::uint32_t r = static_cast<std::uint32_t>(rng());
      const std::uint32_t px = r % 3 == 0 ? 0xFF00FFu : r % 3 == 1 ? 0xFF00FEu : r >> 8;
      src[i] = static_cast<std::uint8_t>(px);
      src[i + 1] = static_cast<std::uint8_t>(px >> 8);
      src[i + 2] = static_cast<std::uint8_t>(px >> 16);
    }
    std::vector<std::uint32_t> got(static_cast<std::size_t>(n)), expected(static_cast<std::size_t>(n));
    OpaqueFromBgr(got.data(), src.data(), n);
    OpaqueFromBgrPlain(expected.data(), src.data(), n);
    EXPECT_EQ(got, expected) << n;
  }
  const std::uint8_t row[] = {0xFF, 0x00, 0xFF, 0x30, 0x20, 0x10, 0xFE, 0x00, 0xFF};
  std::uint32_t out[3];
  OpaqueFromBgrPlain(out, row, 3);
  EXPECT_EQ(out[0], 0x00FF00FFu);
  EXPECT_EQ(out[1], 0xFF102030u);
  EXPECT_EQ(out[2], 0xFFFF00FEu);
}

}  // namespace
}  // namespace skin::kernels
