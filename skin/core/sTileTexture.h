#pragma once
// Textures repeated or stretched over a rectangle by a skin image's fill mode. The mode-driven
// routines take R in and out: on return it is the part left for the caller to fill with the
// section colour, or (-1, -1, -1, -1) when nothing is left.
#include "skin/core/sConstTypes.h"
#include "skin/core/sMaskData.h"
#include "skin/graphics/sCacheInfo32.h"

namespace skin {

inline constexpr TRect kNothingLeft{-1, -1, -1, -1};

// A whole picture repeated over R from R's top-left corner (nothing for an empty picture).
void TileBitmap(const TImage32View& dst, const TRect& r, const TImage32View& graphic);
// Graphic when it has pixels (then R is all covered); otherwise the rectangle R of the image's
// bitmap by FillMode. Bands of one tile (the horizontal, vertical, bottom and right modes) leave
// the rest of R to the caller; the discontinuous mode places whole tiles only and leaves the strip
// below them. Modes without a band of their own (the stretched bands at the bottom and right, the
// discontinuous bands) tile nothing and leave all of R to the caller.
void TileBitmap(const TImage32View& dst, TRect& r, const TImage32View& graphic, const TsMaskData& md,
                TacFillMode fillMode);
// A masked image's first cell through its mask (key pixels from CI): fmTiled covers R with tiles
// cut at its right and bottom edges; fmDisTiled places whole tiles only and fills the strips right
// of and below them from the parent (CI's bitmap when ready, else its fill colour). Other modes
// draw nothing and leave R as it is.
void TileMasked(const TImage32View& dst, TRect& r, const TCacheInfo32& ci, const TsMaskData& md, TacFillMode fillMode);

}  // namespace skin
