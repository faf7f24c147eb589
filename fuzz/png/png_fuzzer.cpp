// Any bytes at all: the reader either decodes them or raises one of its errors, and never
// touches memory outside its buffers. A decoded picture is read back whole. The chunk CRCs and
// the image data's Adler-32 are put right first, so that mutations reach the decoder.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/common/ChecksumRepair.h"
#include "skin/graphics/ColorManager.h"
#include "skin/graphics/GraphicErrors.h"
#include "skin/graphics/PngReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Bytes png(data, data + size);
  fuzz::RepairPng(png);
  skin::TPngReader reader;
  reader.MaxImageBytes = std::size_t{1} << 20;  // a fuzzer's claimed sizes cost time, not coverage
  skin::TRasterImage image;
  bool decoded = false;
  try {
    const std::size_t used = reader.LoadFromMemory(std::span<const std::uint8_t>(png), image);
    if (used > png.size()) __builtin_trap();
    decoded = true;
  } catch (const skin::EInvalidGraphic&) {
  } catch (const skin::EReadError&) {
  } catch (const skin::EGraphicCompression&) {
  } catch (const skin::EColorConversionError&) {
  }
  // Whatever was built, decoded or partly, is readable pixel by pixel.
  std::uint32_t sum = 0;
  for (int y = 0; y < image.Height(); y += 1 + image.Height() / 64)
    for (int x = 0; x < image.Width(); x += 1 + image.Width() / 64) sum += image.PixelRGBA(x, y);
  if (decoded && image.Empty()) __builtin_trap();
  return static_cast<int>(sum & 0);
}
