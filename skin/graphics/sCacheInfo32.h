#pragma once
// Where a control finds its parent's painted background, as the portable pixel routines take it:
// the parent's cache as a 32-bit view, the control's origin inside it, a fill colour for when no
// cache is ready. Win32 code converts its cache records to this at the call.
#include "skin/graphics/Image32.h"

namespace skin {

struct TCacheInfo32 {
  TImage32View Bmp;
  int X = -99;
  int Y = -99;
  TColor FillColor = clFuchsia;
  bool Ready = false;

  // The parent pixel under destination point (x, y), or nullptr when that point has none.
  const TsColor_* ParentPixel(int x, int y) const {
    const long long px = static_cast<long long>(X) + x, py = static_cast<long long>(Y) + y;
    if (Bmp.Empty() || px < 0 || py < 0 || px >= Bmp.Width || py >= Bmp.Height) return nullptr;
    return &Bmp.At(static_cast<int>(px), static_cast<int>(py));
  }
};

}  // namespace skin
