#pragma once
// Skin images drawn into 32-bit images: border images cut into nine slices and stretched or tiled
// to any rectangle, glyph cells, pieces of the master bitmap copied through their mask, and the
// stretched slices of masked images. Images are the records of a loaded skin (TsMaskData); a
// masked image keeps its mask below its cells, and a mask channel m weighs the destination:
// dst = ((dst - src) * m + src * 256) >> 8 (0 shows the image, 255 keeps the destination).
// Key pixels (0x00FF00FF) are transparent. Every routine clips to the images it is given and
// draws nothing for an image without cells (ImageCount < 1), without bands (MaskType < 0) or
// without records behind it.
#include "skin/core/acSkinRecords.h"
#include "skin/core/sMaskData.h"
#include "skin/graphics/sCacheInfo32.h"

namespace skin {

// Two opposite margins fitted to a side of Size pixels: the excess taken from both evenly, the odd
// pixel from the second; negative results become 0.
void FitMargins(int& first, int& second, int size);

// Whole tiles of length Tile from Start while they end before End, then the rest as one shorter
// piece: Place(position, length). A tile length of 0 places no whole tiles.
template <class Place>
void TileRun(int start, int end, int tile, Place&& place) {
  int p = start;
  if (tile > 0)
    for (; p < end - tile; p += tile) place(p, tile);
  if (p < end) place(p, end - p);
}

// The cache description of a missing parent background: not ready, no fill colour.
inline const TCacheInfo32 kEmptyCI32{};

// Nine slices of cell State of MaskData over R of Bmp. Margins WL/WR (WT/WB) larger than R are
// cut down evenly, the odd pixel from the right (bottom). DrawMode bit 1 stretches edges and the
// centre instead of tiling them, bit 2 draws nothing for state 0, bit 4 draws the centre. With
// UpdateCorners and a CornerType above 0 the key pixels of the corners take the parent's pixels
// from CI.
void DrawSkinRect(const TImage32View& bmp, const TRect& r, const TCacheInfo32& ci, const TsMaskData& md, int state,
                  bool updateCorners);
// One slice of a masked image stretched to DstW x DstH at (DstX, DstY) and blended through its
// mask, MaskOffset rows below the piece (0: a plain stretch). Centre smooths a one-pixel centre.
void StretchBltMask(const TImage32View& dst, int dstX, int dstY, int dstW, int dstH, const TImage32View& src, int srcX,
                    int srcY, int srcW, int srcH, int maskOffset, bool centre);
// Nine slices for images in the master bitmap that carry no margins: a cell is a 3 x 3 grid.
void DrawSmallSkinRect(const TImage32View& bmp, const TRect& r, const TCacheInfo32& ci, const TsMaskData& md,
                       int state);
// The common part of DstRect and SrcRect (from the image's bitmap) blended through the mask half
// the image's height lower; key pixels take the parent's pixel (CI ready: at the destination point
// moved by CI.X, CI.Y, or CI.FillColor when it is not clFuchsia), or CI.FillColor when CI is not
// ready. The A form leaves key pixels untouched.
void CopyMasterRect(TRect dstRect, TRect srcRect, const TImage32View& bmp, const TCacheInfo32& ci,
                    const TsMaskData& md);
void CopyMasterRectA(TRect dstRect, TRect srcRect, const TImage32View& bmp, const TCacheInfo32& ci,
                     const TsMaskData& md);
// Cell State of a glyph image with its top-left corner at P. Mode 1 draws it as it is; any other
// mode (2 for disabled controls) fades it. Parts outside Bmp are cut off.
void DrawSkinGlyph(const TImage32View& bmp, TPoint p, int state, int mode, const TsMaskData& md,
                   const TCacheInfo32& ci);
// The masked glyph blend of DrawSkinGlyph: SrcRect and DstRect inclusive and of equal size.
void BlendGlyphByMask(TRect dstRect, TRect srcRect, const TImage32View& dst, const TsMaskData& md, int mode);

// Dst pixels of R take the Src pixel at the same place from P on where the corner block (Corner:
// 13 top-left, 14 top-right, 16 bottom-left, 17 bottom-right, others as 13) of image MaskIndex's
// first cell holds the key colour; without a valid image, where Dst itself holds it.
void FillTransPixels32(const TImage32View& dst, const TImage32View& src, const TRect& r, TPoint p, int maskIndex,
                       const TacSkinRecords* sm, int corner);

}  // namespace skin
