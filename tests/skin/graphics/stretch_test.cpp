// Filtered resampling: hand-computed small cases, sizes 1 and 2, mirrored edges and refusals.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "skin/graphics/sStretch.h"
#include "tests/skin/graphics/PixelTestUtil.h"

namespace skin {
namespace {

using test::U;

constexpr TFilterType kAllFilters[] = {TFilterType::ftBox,     TFilterType::ftTriangle, TFilterType::ftHermite,
                                       TFilterType::ftBell,    TFilterType::ftSpline,   TFilterType::ftLanczos3,
                                       TFilterType::ftMitchell};

// The failure is the library's exception class, which callers catch.
TEST(Stretch, SourceBelowTwoPixelsRaisesAndChangesNothing) {
  TBitmap32 src(1, 5), dst(3, 3, 0x11111111u);
  try {
    Stretch(src.View(), dst, 4, 4, TFilterType::ftBox);
    FAIL() << "no exception";
  } catch (const classlib::Exception& e) {
    EXPECT_EQ(e.Message(), L"Source bitmap is too small");
  }
  EXPECT_EQ(dst.Width(), 3);
  EXPECT_EQ(U(dst, 0, 0), 0x11111111u);
}

TEST(Stretch, TargetOfZeroOrLessIsRefused) {
  TBitmap32 src = test::Noise(4, 4, 1), dst(2, 2, 0x22u);
  for (auto [w, h] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{-3, 4}, std::pair{4, -1}}) {
    Stretch(src.View(), dst, w, h, TFilterType::ftTriangle);
    EXPECT_EQ(dst.Width(), 2);
    EXPECT_EQ(U(dst, 1, 1), 0x22u);
  }
}

TEST(Stretch, EqualSizesCopyExactlyForEveryFilter) {
  TBitmap32 src = test::Noise(5, 3, 2);
  for (TFilterType f : kAllFilters) {
    TBitmap32 dst;
    Stretch(src.View(), dst, 5, 3, f);
    ASSERT_EQ(dst.Width(), 5);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) ASSERT_EQ(U(dst, x, y), U(src, x, y));
  }
}

TEST(Stretch, BoxEnlargementSamplesEachSourcePixel) {
  TBitmap32 src = test::Noise(2, 2, 3), dst;
  Stretch(src.View(), dst, 4, 4, TFilterType::ftBox);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) ASSERT_EQ(U(dst, x, y), U(src, x / 2, y / 2)) << x << "," << y;  // alpha too
}

TEST(Stretch, TriangleDoublingOfTwoPixels) {
  TBitmap32 src(2, 2), dst;
  src.At(0, 0).U = src.At(0, 1).U = 0x0A0A0A0Au;  // 10
  src.At(1, 0).U = src.At(1, 1).U = 0x15151515u;  // 21
  Stretch(src.View(), dst, 4, 2, TFilterType::ftTriangle);
  // Centres 0, 0.5, 1, 1.5: [10, (10 + 21) / 2 floored, 21, 21 (the mirrored sample)].
  const std::uint32_t expected[] = {0x0A0A0A0Au, 0x0F0F0F0Fu, 0x15151515u, 0x15151515u};
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(U(dst, x, 0), expected[x]) << x;
    EXPECT_EQ(U(dst, x, 1), expected[x]) << x;
  }
}

TEST(Contributions, ShrinkingTriangleWeightsAddUp) {
  const TContributions c = BuildContributions(100, 10, TFilterType::ftTriangle);
  ASSERT_EQ(c.First.size(), 11u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_LE(c.First[i + 1] - c.First[i], 21);
    long sum = 0;
    for (int k = c.First[i]; k < c.First[i + 1]; ++k) sum += c.Weight[k];
    EXPECT_NEAR(sum, 65536, 12) << i;
  }
}

// Weights worked out by hand from each filter's formula (exact fractions; Lanczos in double
// precision): Round(weight(|centre - j| x scale) x scale x 65536), sample index mirrored at both ends.
// One enlargement (4 -> 5, scale 1) and one reduction (8 -> 3, scale 3/8, width = support x 8/3).
TEST(Contributions, LiteralWeightsOfTheCurvedFilters) {
  using Row = std::vector<std::pair<int, std::int32_t>>;  // (source index, weight) in order of j
  const struct {
    TFilterType filter;
    int src, dst;
    std::vector<Row> rows;
  } cases[] = {
      // clang-format off
      {TFilterType::ftBell, 8, 3,
       {{{3, 1728}, {2, 6912}, {1, 14976}, {0, 18432}, {1, 14976}, {2, 6912}, {3, 1728}},
        {{1, 192}, {0, 3072}, {1, 9408}, {2, 16896}, {3, 18048}, {4, 12288}, {5, 4800}, {6, 768}},
        {{2, 768}, {3, 4800}, {4, 12288}, {5, 18048}, {6, 16896}, {7, 9408}, {7, 3072}, {6, 192}}}},
      {TFilterType::ftSpline, 4, 5,
       {{{1, 10923}, {0, 43691}, {1, 10923}},
        {{1, 87}, {0, 18525}, {1, 41331}, {2, 5592}},
        {{0, 699}, {1, 27176}, {2, 35302}, {3, 2359}},
        {{1, 2359}, {2, 35302}, {3, 27176}, {3, 699}},
        {{2, 5592}, {3, 41331}, {3, 18525}, {2, 87}}}},
      // sin(pi x) vanishes at whole distances: the centre on a sample takes that sample alone.
      {TFilterType::ftLanczos3, 4, 5,
       {{{0, 65536}},
        {{2, 524}, {1, -3685}, {0, 13744}, {1, 60900}, {2, -7936}, {3, 2048}},
        {{1, 1513}, {0, -7747}, {1, 31118}, {2, 48287}, {3, -9975}, {3, 2327}},
        {{0, 2327}, {1, -9975}, {2, 48287}, {3, 31118}, {3, -7747}, {2, 1513}},
        {{1, 2048}, {2, -7936}, {3, 60900}, {3, 13744}, {2, -3685}, {1, 524}}}},
      {TFilterType::ftMitchell, 8, 3,
       {{{5, -109}, {4, -853}, {3, 131}, {2, 6293}, {1, 16445}, {0, 21845}, {1, 16445}, {2, 6293}, {3, 131},
         {4, -853}, {5, -109}},
        {{2, -363}, {1, -867}, {0, 1365}, {1, 9645}, {2, 19221}, {3, 21133}, {4, 13141}, {5, 3421}, {6, -576},
         {7, -648}},
        {{1, -648}, {2, -576}, {3, 3421}, {4, 13141}, {5, 21133}, {6, 19221}, {7, 9645}, {7, 1365}, {6, -867},
         {5, -363}}}},
      // clang-format on
  };
  for (const auto& c : cases) {
    const TContributions built = BuildContributions(c.src, c.dst, c.filter);
    ASSERT_EQ(built.First.size(), c.rows.size() + 1) << static_cast<int>(c.filter);
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
      Row row;
      for (int k = built.First[i]; k < built.First[i + 1]; ++k) row.emplace_back(built.Index[k], built.Weight[k]);
      EXPECT_EQ(row, c.rows[i]) << static_cast<int>(c.filter) << " " << c.src << "->" << c.dst << " index " << i;
    }
  }
}

TEST(Contributions, EdgesMirrorAndStayInsideForAnySize) {
  // Spline over 4 samples: index -1 reads sample 1, index 4 reads sample 3.
  const TContributions c = BuildContributions(4, 4, TFilterType::ftSpline);
  EXPECT_EQ(c.Index[c.First[0]], 1);
  EXPECT_EQ(c.Index[c.First[4] - 1], 3);
  // Kernels far wider than the source: shrinking to one sample, Lanczos over two.
  for (auto [src, dst] : {std::pair{2, 1}, std::pair{2, 9}, std::pair{3, 1}, std::pair{1000, 1}, std::pair{2, 2}})
    for (TFilterType f : kAllFilters) {
      const TContributions k = BuildContributions(src, dst, f);
      for (int index : k.Index) ASSERT_TRUE(index >= 0 && index < src) << src << "->" << dst << ": " << index;
    }
}

TEST(Stretch, TinySizesWithWideKernels) {
  TBitmap32 src(2, 2, 0xFF808080u), dst;
  for (TFilterType f : kAllFilters) {
    Stretch(src.View(), dst, 1, 1, f);
    ASSERT_EQ(dst.Width(), 1);
    Stretch(src.View(), dst, 7, 3, f);
    ASSERT_EQ(dst.Height(), 3);
    // A flat image stays flat up to the rounding of the weights.
    EXPECT_NEAR(dst.At(3, 1).G, 128, 2) << static_cast<int>(f);
  }
}

TEST(Stretch, DestinationMayBeTheSource) {
  TBitmap32 b = test::Noise(2, 2, 4);
  const std::uint32_t topLeft = U(b, 0, 0);
  Stretch(b.View(), b, 4, 4, TFilterType::ftBox);
  ASSERT_EQ(b.Width(), 4);
  EXPECT_EQ(U(b, 1, 1), topLeft);
  Stretch(b.View(), b, 4, 4, TFilterType::ftBox);  // same size, same image: nothing
  EXPECT_EQ(U(b, 1, 1), topLeft);
}

TEST(StretchPixels, TwentyFourBitRows) {
  const std::uint8_t src[2 * 6] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};  // 2 x 2, 3 bytes a pixel
  std::uint8_t dst[4 * 4 * 3] = {};
  StretchPixels(src, 2, 2, 6, 3, dst, 4, 4, 12, TFilterType::ftBox);
  EXPECT_EQ(dst[0], 1);
  EXPECT_EQ(dst[3 * 2 + 2], 6);            // (2, 0) is source (1, 0)
  EXPECT_EQ(dst[3 * 12 + 3 * 3 + 1], 11);  // (3, 3) is source (1, 1)
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

// The two passes written straight from their definition: per destination sample, the contributions'
// bytes times their weights summed in 32 bits, then below 0 -> 0, from 0xFF0001 on -> 255, else >> 16.
std::vector<std::uint8_t> ReferenceStretch(const TBitmap32& src, int newW, int newH, TFilterType f) {
  const auto toByte = [](std::int32_t s) {
    return static_cast<std::uint8_t>(s < 0 ? 0 : (s >= 0xFF0001 ? 255 : s >> 16));
  };
  const int w = src.Width(), h = src.Height();
  const TContributions ch = BuildContributions(w, newW, f), cv = BuildContributions(h, newH, f);
  std::vector<std::uint8_t> work(static_cast<std::size_t>(newW) * h * 4),
      out(static_cast<std::size_t>(newW) * newH * 4);
  for (int y = 0; y < h; ++y)
    for (int i = 0; i < newW; ++i)
      for (int c = 0; c < 4; ++c) {
        std::int32_t sum = 0;
        for (int k = ch.First[i]; k < ch.First[i + 1]; ++k)
          sum += (src.At(ch.Index[k], y).U >> (8 * c) & 0xFF) * ch.Weight[k];
        work[(static_cast<std::size_t>(y) * newW + i) * 4 + c] = toByte(sum);
      }
  for (int x = 0; x < newW; ++x)
    for (int i = 0; i < newH; ++i)
      for (int c = 0; c < 4; ++c) {
        std::int32_t sum = 0;
        for (int k = cv.First[i]; k < cv.First[i + 1]; ++k)
          sum += work[(static_cast<std::size_t>(cv.Index[k]) * newW + x) * 4 + c] * cv.Weight[k];
        out[(static_cast<std::size_t>(i) * newW + x) * 4 + c] = toByte(sum);
      }
  return out;
}

TEST(Stretch, EqualsTheDefinitionForEveryFilterAndSize) {
  const TBitmap32 src = test::Noise(13, 9, 5);
  for (TFilterType f : kAllFilters)
    for (auto [w, h] : {std::pair{5, 4}, std::pair{29, 17}, std::pair{13, 2}, std::pair{1, 21}, std::pair{7, 9}}) {
      TBitmap32 dst;
      Stretch(const_cast<TBitmap32&>(src).View(), dst, w, h, f);
      const std::vector<std::uint8_t> expected = ReferenceStretch(src, w, h, f);
      ASSERT_EQ(std::memcmp(dst.View().Bits, expected.data(), expected.size()), 0)
          << static_cast<int>(f) << ": " << w << "x" << h;
    }
}

}  // namespace
}  // namespace skin
