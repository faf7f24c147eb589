// JPEG data from hostile sources: refused with EInvalidGraphic or decoded into a picture whose
// buffer matches its size, at full and reduced scale.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "classlib/GraphicsErrors.h"
#include "classlib/JpegCodec.h"

using namespace classlib::jpeg;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  for (int denominator : {1, 8}) {
    try {
      const Image im = Decode(input, {denominator, size % 2 == 1, false});
      if (im.Pixels.size() != static_cast<std::size_t>(im.Width) * im.Height * im.Channels) std::abort();
    } catch (const classlib::EInvalidGraphic&) {
    }
  }
  return 0;
}
