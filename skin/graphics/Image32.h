#pragma once
// The class library's 32-bit image, its pixel unions and geometry under the names the skin
// engine's units use. skin/graphics stands on classlib alone.
#include "classlib/Image32.h"
#include "classlib/Types.h"

namespace skin {

using classlib::kKeyPixel;
using classlib::TBitmap32;
using classlib::TImage32View;
using classlib::TsColor;
using classlib::TsColor_;
using classlib::TsRGB;
using classlib::TsRGBA;

using classlib::clFuchsia;
using classlib::TColor;
using classlib::TPoint;
using classlib::TRect;
using classlib::TSize;

}  // namespace skin
