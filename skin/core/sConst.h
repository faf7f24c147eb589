#pragma once
// Records and constants shared by every unit of the skinning engine.
#include <cstdint>
#include <vector>

#include "classlib/Types.h"

namespace skin {

using classlib::TColor;
using classlib::TPoint;
using classlib::TRect;
using classlib::TSize;
using classlib::clFuchsia;

// One pixel of a 24-bit row and of a 32-bit row.
struct TsRGB {
  std::uint8_t B, G, R;
};
struct TsRGBA {
  std::uint8_t B, G, R, A;
};

// A colour in TColor byte order (red lowest) with alpha on top, readable whole or by channel.
union TsColor {
  TColor C;
  std::int32_t I;
  struct {
    std::uint8_t R, G, B, A;
  };
  TsRGBA sBGRA;
};

// The same four bytes in the order of a 32-bit bitmap row (blue lowest).
union TsColor_ {
  TColor C;
  std::int32_t I;
  std::uint32_t U;
  struct {
    std::uint8_t B, G, R, A;
  };
  TsRGBA sBGRA;
};
static_assert(sizeof(TsColor) == 4 && sizeof(TsColor_) == 4);

// The key pixel of a 32-bit skin image, exactly as stored in a bitmap row.
inline constexpr std::uint32_t kKeyPixel = 0x00FF00FFu;

using TPercent = int;

// One gradient segment.
struct TsGradPie {
  TColor Color1 = 0;
  TColor Color2 = 0;
  TPercent Percent = 0;
  std::int32_t Mode1 = 0;
  std::int32_t Mode2 = 0;
};
using TsGradArray = std::vector<TsGradPie>;

}  // namespace skin
