// Any bytes at all as an icon file: the reader either decodes an entry or raises one of the
// component library's errors, and never touches memory outside its buffers. The first byte picks
// the size asked for, so that the entry choice is fuzzed too; a decoded picture is read whole.
#include <cstddef>
#include <cstdint>
#include <span>

#include "classlib/Exception.h"
#include "skin/graphics/IcoReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int side = data[0] % 64;
  const std::span<const std::uint8_t> file(data + 1, size - 1);
  try {
    const skin::TBitmap32 picture = skin::ReadIco(file, side, side);
    std::uint32_t sum = 0;
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x) sum += picture.At(x, y).U;
    if (skin::IcoEntryBitCount(file, side, side) <= 0) __builtin_trap();
    volatile std::uint32_t keep = sum;
    (void)keep;
  } catch (const classlib::Exception&) {}
  return 0;
}
