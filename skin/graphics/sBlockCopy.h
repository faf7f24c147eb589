#pragma once
// Block copies between 32-bit images as the system's bit-block transfers make them: a straight
// copy of every byte, a nearest-pixel stretch (colour-on-colour), and a tile repeated over a
// rectangle from its top-left corner. Each clips to both images: pieces outside either are
// skipped, the rest lands where the unclipped copy would have put it.
#include "skin/graphics/Image32.h"

namespace skin {

// W x H pixels from (SrcX, SrcY) of Src to (DstX, DstY) of Dst.
void BitBlt32(const TImage32View& dst, int dstX, int dstY, int width, int height, const TImage32View& src, int srcX,
              int srcY);
// SrcRect of Src resized onto DstRect of Dst; each destination pixel takes the source pixel under
// its centre. Nothing for an empty rectangle on either side.
void StretchBlt32(const TImage32View& dst, const TRect& dstRect, const TImage32View& src, const TRect& srcRect);
// Tile (a rectangle of Src) repeated over R of Dst, anchored at R's top-left corner; the last column
// and row are cut at R's right and bottom edges. Nothing for an empty tile.
void TileBlt32(const TImage32View& dst, const TRect& r, const TImage32View& src, const TRect& tile);

}  // namespace skin
