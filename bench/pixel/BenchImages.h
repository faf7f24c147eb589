#pragma once
// Images shared by the pixel benchmarks: our 32-bit bitmap and a pixman image over the same memory.
#include <pixman.h>

#include "skin/graphics/Image32.h"

namespace bench {

// Pixels from a fixed seed; with Opaque every alpha is 255, otherwise alphas cover 0..255.
skin::TBitmap32 RandomImage(int width, int height, unsigned seed, bool opaque);

// A pixman view of a bitmap (a8r8g8b8 is B, G, R, A in memory, as our rows); freed on scope end.
class PixmanImage {
 public:
  explicit PixmanImage(skin::TBitmap32& bmp);
  explicit PixmanImage(pixman_image_t* image) : image_(image) {}
  ~PixmanImage() {
    if (image_ != nullptr) pixman_image_unref(image_);
  }
  PixmanImage(const PixmanImage&) = delete;
  PixmanImage& operator=(const PixmanImage&) = delete;
  pixman_image_t* get() const { return image_; }

 private:
  pixman_image_t* image_ = nullptr;
};

// The two sizes every benchmark runs on: cache-resident and far beyond the caches.
inline constexpr int kSmall = 256;
inline constexpr int kLarge = 4096;

}  // namespace bench
