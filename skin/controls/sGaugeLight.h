#pragma once
// The gauge's light: the strip cut from the light picture for a bar's thickness, where it lies on
// the filled part, and its blend onto that part (shaped by a mask or by its own alpha). Portable.
#include "skin/graphics/Image32.h"

namespace skin {

// The light strip for a bar Thickness pixels thick on a gauge GaugeHeight pixels high: the picture
// Png, from row y0 down, stretched onto kGaugeAnimSize x Thickness. y0 is 0 unless the gauge is lower
// than the picture; then the middle of the picture is taken, unless the bar is too thin for it.
TBitmap32 GaugeLightStrip(const TImage32View& Png, int Thickness, int GaugeHeight);
// The part of a filled bar Length x Thickness that the strip covers with its left edge at AnimPos;
// empty when none.
TRect GaugeLightRect(int Length, int Thickness, int AnimPos);
// The strip blended onto Bar where it covers it. With a Mask of Bar's size its red channel shapes the
// light (0 full, 255 none); without one (an empty view) the strip's own alpha does.
void GaugeApplyLight(const TImage32View& Bar, const TImage32View& Strip, const TImage32View& Mask, int AnimPos);

}  // namespace skin
