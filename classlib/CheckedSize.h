#pragma once
// Sizes of pictures and buffers computed without overflow. Every size that comes from a file or
// a caller (width, height, bits per pixel) is checked here before anything is allocated.
#include <cstdint>
#include <limits>
#include <optional>

namespace classlib {

// A * B when the product does not pass Limit; nullopt when it does (also where 64 bits overflow).
constexpr std::optional<std::uint64_t> CheckedMul(std::uint64_t a, std::uint64_t b,
                                                  std::uint64_t limit = std::numeric_limits<std::uint64_t>::max()) {
  if (a != 0 && b > limit / a) return std::nullopt;
  return a * b;
}

// The pixels of a Width x Height picture: nullopt when a side is negative or above MaxSide, or
// the count is above MaxPixels. A side of 0 gives 0: callers that refuse empty pictures say so.
constexpr std::optional<std::uint64_t> CheckedPixelCount(
    std::int64_t width, std::int64_t height, std::int64_t maxPixels,
    std::int64_t maxSide = std::numeric_limits<std::int64_t>::max()) {
  if (width < 0 || height < 0 || width > maxSide || height > maxSide || maxPixels < 0) return std::nullopt;
  return CheckedMul(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height),
                    static_cast<std::uint64_t>(maxPixels));
}

// Bytes of one DIB row: Width pixels of BitsPerPixel, padded to a multiple of four bytes.
constexpr std::optional<std::uint64_t> CheckedDibStride(std::int64_t width, int bitsPerPixel) {
  if (width < 0 || bitsPerPixel <= 0) return std::nullopt;
  const std::optional<std::uint64_t> bits =
      CheckedMul(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(bitsPerPixel),
                 std::numeric_limits<std::uint64_t>::max() - 31);
  if (!bits) return std::nullopt;
  return (*bits + 31) / 32 * 4;
}

}  // namespace classlib
