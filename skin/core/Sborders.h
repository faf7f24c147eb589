#pragma once
// Border painters on the nine-slice rules: a button's border image painted over its whole cache
// while the key pixels of the image's corners are collected as runs to cut out of the button's
// window region, so that shaped buttons get rounded outlines. The Win32 forms apply the runs to a
// region (sSkinPaintWin32.h).
#include "skin/core/sConstTypes.h"
#include "skin/core/sMaskData.h"

namespace skin {

// Nine slices of cell State over the whole of Bmp; the corners' key pixels become runs in Runs
// (nullptr: none collected) and leave Bmp untouched. The centre is drawn with Filling and DrawMode
// bit 4. An image without cells is taken as one cell over its own bitmap.
void PaintRgnBorder(const TImage32View& bmp, TAOR* runs, bool filling, const TsMaskData& md, int state);
// One slice: the inclusive rectangle (SrcX1, SrcY1)-(SrcX2, SrcY2) of the image's bitmap at the
// inclusive destination rectangle, cut to both rectangles and both bitmaps. A mask type of 1 blends
// through the mask half the image's height lower, other images copy. With CollectRgn key pixels
// are skipped and their runs added to Runs; without it every pixel is drawn.
void CopyMask(int dstX1, int dstY1, int dstX2, int dstY2, int srcX1, int srcY1, int srcX2, int srcY2,
              const TImage32View& bmp, TAOR* runs, const TsMaskData& md, bool collectRgn);

}  // namespace skin
