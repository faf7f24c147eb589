// DrawAlphaImgList of one 16 × 16 PNG item into a 32-bit bitmap: the first draw (the PNG decoded
// into the item's cache) against cached draws, in one run. Prints the mean time of each and their
// ratio.
#include <windows.h>

#include "bench/Win32Clock.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "skin/graphics/acAlphaImageList.h"
#include "tools/skingen/PngEncoder.h"

using namespace classlib;
using namespace skin;

namespace {

using bench::Seconds;

}  // namespace

int main() {
  std::vector<std::uint32_t> pixels(16 * 16);
  for (int i = 0; i < 256; ++i)
    pixels[i] = static_cast<std::uint32_t>((i * 255 / 256) << 24 | 0x2070C0 | (i & 0xF) << 4);
  const std::vector<std::uint8_t> png = skingen::EncodePng(16, 16, pixels);

  TsAlphaImageList* list = Create<TsAlphaImageList>(nullptr, 16, 16);
  if (!list->AddImageFromBytes(png, ifPNG)) return 1;
  TBitmap dest;
  dest.SetPixelFormat(pf32bit);
  dest.SetSize(64, 64);

  constexpr int kRounds = 2000;
  double first = 0;
  for (int i = 0; i < kRounds; ++i) {
    list->Items()[0]->CacheBmp.reset();  // as after a skin or size change: decode again
    const double t0 = Seconds();
    DrawAlphaImgList(list, &dest, 8, 8, 0, 0, clNone, 0, 1, false);
    first += Seconds() - t0;
  }
  const double t0 = Seconds();
  for (int i = 0; i < kRounds; ++i) DrawAlphaImgList(list, &dest, 8, 8, 0, 0, clNone, 0, 1, false);
  const double cached = Seconds() - t0;
  std::printf("DrawAlphaImgList 16x16 PNG item, %d draws each\n", kRounds);
  std::printf("  first draw (decode):  %8.2f us\n", first / kRounds * 1e6);
  std::printf("  cached draw:          %8.2f us\n", cached / kRounds * 1e6);
  std::printf("  ratio first / cached: %8.2f\n", first / cached);
  Free(list);
  return 0;
}
