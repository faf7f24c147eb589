#include "bench/pixel/BenchImages.h"

#include <random>

namespace bench {

skin::TBitmap32 RandomImage(int width, int height, unsigned seed, bool opaque) {
  skin::TBitmap32 b(width, height);
  std::mt19937 rng(seed);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.At(x, y).U = static_cast<std::uint32_t>(rng()) | (opaque ? 0xFF000000u : 0u);
  return b;
}

PixmanImage::PixmanImage(skin::TBitmap32& bmp) {
  const skin::TImage32View v = bmp.View();
  image_ = pixman_image_create_bits(PIXMAN_a8r8g8b8, v.Width, v.Height, reinterpret_cast<uint32_t*>(v.Bits),
                                    static_cast<int>(v.Stride));
}

}  // namespace bench
