#pragma once
// Multi-segment colour gradients of skin sections: parsed once from the skin's text, painted into a
// 32-bit image alone or mixed with a texture. Gradient pixels are written with alpha 255.
#include <cstdint>
#include <string>
#include <vector>

#include "skin/graphics/Image32.h"

namespace skin {

using TPercent = int;  // 0..100

// One gradient segment.
struct TsGradPie {
  TColor Color1 = 0;
  TColor Color2 = 0;
  TPercent Percent = 0;
  std::int32_t Mode1 = 0;
  std::int32_t Mode2 = 0;
};
using TsGradArray = std::vector<TsGradPie>;

// "Color1;Color2;Percent;Mode1;Mode2;..." -> one segment per five words. Colours below 0 become 0,
// Percent is limited to 0..100, Mode2 stays 0. Empty text gives one zeroed segment. A bad number
// raises the run-time library's classlib::EConvertError with Arr already at its new length.
void PrepareGradArray(const std::string& text, TsGradArray& arr);

// The first segment's Mode1 orients the whole gradient: 0 top to bottom, 1 left to right, 2 four
// corners (where the system can draw it), others nothing. R is limited to the image.
void PaintGrad(const TImage32View& bmp, const TRect& r, const std::string& text);
void PaintGrad(const TImage32View& bmp, TRect r, const TsGradArray& arr, int extra = 0, int spare = 0);
// The gradient mixed with a texture anchored at the image's origin; Blend (0..255) weighs the texture.
void PaintGradTxt(const TImage32View& bmp, TRect r, const TsGradArray& arr, const TImage32View& texture,
                  TRect textureRect, int blend);

// Four triangles from the corners of R to its centre, vertex colours in the order top-left, centre,
// top-right, bottom-right, bottom-left; false when the system has no gradient function.
bool PaintCornerGradient(const TImage32View& bmp, const TRect& r, const TColor (&colors)[5]);

}  // namespace skin
