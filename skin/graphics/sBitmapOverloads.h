#pragma once
// The class library's bitmaps handed to the pixel routines. Win32 only.
#include "classlib/Bitmap.h"
#include "skin/graphics/Image32.h"
#include "skin/graphics/sStretch.h"

namespace skin {

// The view of a pf32bit bitmap (rows bottom-up, negative stride); an empty view for none, an empty
// bitmap or any other pixel format, so that a routine given it draws nothing.
TImage32View View32(classlib::TBitmap* bmp);

// Stretch between bitmaps: a pf32bit source keeps 32 bits and its alpha; any other is converted to
// pf24bit first (the caller's bitmap changes, as the resampler works on 3- or 4-byte pixels). Dst takes
// the source's format and the new size; Src and Dst may be the same bitmap.
void Stretch(classlib::TBitmap* src, classlib::TBitmap* dst, int newWidth, int newHeight, TFilterType filter,
             int unused = 0);

}  // namespace skin
