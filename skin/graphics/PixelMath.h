#pragma once
// Integer and rounding helpers shared by the pixel routines. Every formula here is exact, so the
// host and win32 builds give the same bytes.
#include <cmath>
#include <cstdint>

#include "skin/graphics/Image32.h"

namespace skin {

// Weight w (0..255) of colour c over destination d: floor(d + (c - d) * w / 256).
constexpr int Mix(int d, int c, int w) { return (d * 256 + (c - d) * w) >> 8; }

// Nearest integer, halves to the even neighbour (the default rounding mode of IEEE arithmetic).
inline double RoundHalfEven(double x) { return std::nearbyint(x); }
inline int RoundToInt(double x) {
  const double r = std::nearbyint(x);
  if (!(r > -2147483648.0)) return INT32_MIN;  // also NaN
  if (r > 2147483647.0) return INT32_MAX;
  return static_cast<int>(r);
}
constexpr int ClampByte(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
inline int RoundByte(double x) { return ClampByte(RoundToInt(x)); }

// Red and blue exchanged, green and the top byte kept: TColor order <-> pixel order.
constexpr std::uint32_t SwapRB(std::uint32_t c) {
  return (c & 0xFF00FF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
}
constexpr std::uint32_t AsPixel(TColor c) { return SwapRB(static_cast<std::uint32_t>(c)); }
constexpr int RedOf(TColor c) { return c & 0xFF; }
constexpr int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(TColor c) { return (c >> 16) & 0xFF; }

}  // namespace skin
