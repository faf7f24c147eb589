// BMP files and packed DIBs from hostile sources: refused or decoded into a consistent bitmap,
// and what was decoded writes and reads back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "classlib/BmpFormat.h"
#include "classlib/GraphicsErrors.h"

using namespace classlib::bmp;

namespace {
void Check(const Dib& d) {
  if (d.Bits.size() != d.Stride() * static_cast<std::size_t>(d.Height)) std::abort();
  if (d.BitCount <= 8 && d.Palette.size() != (std::size_t{1} << d.BitCount)) std::abort();
  const Dib again = ReadBmpFile(WriteBmpFile(d));
  if (again.Bits != d.Bits || again.Palette != d.Palette || again.Width != d.Width || again.Height != d.Height)
    std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  try {
    Check(ReadBmpFile(input));
  } catch (const classlib::EInvalidGraphic&) {
  }
  try {
    Check(ReadPackedDib(input));
  } catch (const classlib::EInvalidGraphic&) {
  }
  return 0;
}
