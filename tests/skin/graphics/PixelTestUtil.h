#pragma once
// Small fixtures for pixel tests: images from literal pixel values and readable pixel comparisons.
#include <cstdint>
#include <initializer_list>
#include <random>

#include "skin/graphics/Image32.h"

namespace skin::test {

inline TsColor_ Px(std::uint32_t argb) {
  TsColor_ c;
  c.U = argb;
  return c;
}

// A W x H image filled with one value.
inline TBitmap32 Filled(int w, int h, std::uint32_t argb) { return TBitmap32(w, h, argb); }

// An image of random pixels from a fixed seed.
inline TBitmap32 Noise(int w, int h, unsigned seed) {
  TBitmap32 b(w, h);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.At(x, y).U = static_cast<std::uint32_t>(rng());
  return b;
}

inline std::uint32_t U(const TBitmap32& b, int x, int y) { return b.At(x, y).U; }

}  // namespace skin::test
