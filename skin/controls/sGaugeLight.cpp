#include "skin/controls/sGaugeLight.h"

#include <algorithm>

#include "skin/controls/sGaugeMath.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sBlockCopy.h"

namespace skin {

TBitmap32 GaugeLightStrip(const TImage32View& Png, int Thickness, int GaugeHeight) {
  if (Png.Empty() || Thickness <= 0) return {};
  int y0 = 0;
  if (GaugeHeight < Png.Height) {
    y0 = (Png.Height - Thickness) / 2 + 1;
    if (Thickness < 2 * y0) y0 = 0;
  }
  y0 = std::clamp(y0, 0, Png.Height - 1);
  TBitmap32 strip(kGaugeAnimSize, Thickness);
  StretchBlt32(strip.View(), TRect{0, 0, kGaugeAnimSize, Thickness}, Png, TRect{0, y0, Png.Width, Png.Height});
  return strip;
}

TRect GaugeLightRect(int Length, int Thickness, int AnimPos) {
  const TRect r{std::max(AnimPos, 0), 0, std::min(AnimPos + kGaugeAnimSize, Length), Thickness};
  if (r.Left >= r.Right || r.Top >= r.Bottom) return {};
  return r;
}

void GaugeApplyLight(const TImage32View& Bar, const TImage32View& Strip, const TImage32View& Mask, int AnimPos) {
  const TRect lr = GaugeLightRect(Bar.Width, Bar.Height, AnimPos);
  if (lr.Right <= lr.Left || Strip.Empty()) return;
  const int from = std::max(0, -AnimPos);
  const TRect source{from, 0, from + (lr.Right - lr.Left), Strip.Height};
  if (Mask.Empty()) {
    CopyBmp32(lr, source, Bar, Strip, TCacheInfo32{}, false, classlib::clNone, 0, false);
    return;
  }
  // The strip laid out in the bar's own coordinates, so that bar, light and mask share one rectangle.
  TBitmap32 placed(Bar.Width, Bar.Height);
  BitBlt32(placed.View(), lr.Left, 0, lr.Right - lr.Left, Bar.Height, Strip, from, 0);
  SumByMaskWith32(Bar, placed.View(), Mask, lr);
}

}  // namespace skin
