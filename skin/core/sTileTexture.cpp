#include "skin/core/sTileTexture.h"

#include <algorithm>

#include "skin/core/sSkinRect.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBlockCopy.h"

namespace skin {

namespace {

using i64 = long long;

// Whole tiles only: the end of the last one that fits before End (Start when none does).
int WholeTilesEnd(int start, int end, int tile) {
  if (tile <= 0 || end - i64(tile) <= start) return start;
  const i64 count = (i64(end) - tile - start + tile - 1) / tile;  // positions p < end - tile
  return int(start + count * tile);
}

}  // namespace

void TileBitmap(const TImage32View& dst, const TRect& r, const TImage32View& graphic) {
  if (graphic.Empty()) return;
  TileBlt32(dst, r, graphic, {0, 0, graphic.Width, graphic.Height});
}

void TileBitmap(const TImage32View& dst, TRect& r, const TImage32View& graphic, const TsMaskData& md,
                TacFillMode fillMode) {
  if (!graphic.Empty()) {
    TileBitmap(dst, r, graphic);
    r = kNothingLeft;
    return;
  }
  const TImage32View src = md.Source();
  const int w = md.R.Right - md.R.Left, h = md.R.Bottom - md.R.Top;
  if (src.Empty() || w <= 0 || h <= 0) return;
  const TRect tile{md.R.Left, md.R.Top, md.R.Right, md.R.Bottom};
  const TRect entry = r;
  switch (fillMode) {
    case TacFillMode::fmStretched:
      StretchBlt32(dst, r, src, tile);
      r = kNothingLeft;
      return;
    case TacFillMode::fmStretchHorz:
      StretchBlt32(dst, {r.Left, r.Top, r.Right, r.Top + h}, src, tile);
      r.Top += h;
      return;
    case TacFillMode::fmStretchVert:
      StretchBlt32(dst, {r.Left, r.Top, r.Left + w, r.Bottom}, src, tile);
      r.Left += w;
      return;
    case TacFillMode::fmDisTiled: {
      // Columns to the right edge (the last one cut), rows of whole tiles only; the strip below
      // them goes back to the caller.
      const int bottom = WholeTilesEnd(r.Top, r.Bottom, h);
      TileBlt32(dst, {r.Left, r.Top, r.Right, bottom}, src, tile);
      r = bottom < r.Bottom ? TRect{r.Left, bottom, r.Right, r.Bottom} : kNothingLeft;
      return;
    }
    case TacFillMode::fmTiled:
      TileBlt32(dst, r, src, tile);
      r = kNothingLeft;
      return;
    case TacFillMode::fmTiledHorz:
      TileBlt32(dst, {r.Left, r.Top, r.Right, std::min(r.Bottom, r.Top + h)}, src, tile);
      r.Top += h;
      return;
    case TacFillMode::fmTiledVert:
      TileBlt32(dst, {r.Left, r.Top, std::min(r.Right, r.Left + w), r.Bottom}, src, tile);
      r.Left += w;
      return;
    case TacFillMode::fmTileHorBtm:
      TileBlt32(dst, {r.Left, std::max(r.Top, r.Bottom - h), r.Right, r.Bottom}, src, tile);
      r = {entry.Left, entry.Top, entry.Right, entry.Bottom - h};
      return;
    case TacFillMode::fmTileVertRight:
      TileBlt32(dst, {std::max(r.Left, r.Right - w), r.Top, r.Right, r.Bottom}, src, tile);
      r = {entry.Left, entry.Top, entry.Right - w, entry.Bottom};
      return;
    default:
      // No band of its own: the whole rectangle is the caller's to fill.
      return;
  }
}

void TileMasked(const TImage32View& dst, TRect& r, const TCacheInfo32& ci, const TsMaskData& md, TacFillMode fillMode) {
  if (md.Manager == nullptr || md.ImageCount < 1 || md.MaskType < 0) return;
  if (fillMode != TacFillMode::fmTiled && fillMode != TacFillMode::fmDisTiled) return;
  const int w = (md.R.Right - md.R.Left) / md.ImageCount, h = (md.R.Bottom - md.R.Top) / 2;
  if (w <= 0 || h <= 0 || dst.Empty()) return;
  const TRect clip = dst.Clip(r);
  auto tile = [&](int x, int y, int right, int bottom) {
    CopyMasterRect({x, y, std::min(x + w, right), std::min(y + h, bottom)}, md.R, dst, ci, md);
  };
  if (fillMode == TacFillMode::fmTiled) {
    if (clip.Right > clip.Left) {
      // Only the tiles that reach into the image, still anchored at R's corner.
      const i64 x0 = r.Left + (clip.Left - i64(r.Left)) / w * w, y0 = r.Top + (clip.Top - i64(r.Top)) / h * h;
      for (i64 y = y0; y < clip.Bottom; y += h)
        for (i64 x = x0; x < clip.Right; x += w) tile(int(x), int(y), r.Right, r.Bottom);
    }
    r = kNothingLeft;
    return;
  }
  const int right = WholeTilesEnd(r.Left, r.Right, w), bottom = WholeTilesEnd(r.Top, r.Bottom, h);
  if (clip.Right > clip.Left)
    for (i64 y = r.Top + (std::max<i64>(clip.Top - i64(r.Top), 0)) / h * h; y < std::min(bottom, clip.Bottom); y += h)
      for (i64 x = r.Left + (std::max<i64>(clip.Left - i64(r.Left), 0)) / w * w; x < std::min(right, clip.Right);
           x += w)
        tile(int(x), int(y), right, bottom);
  const TRect below{r.Left, bottom, r.Right, r.Bottom}, beside{right, r.Top, r.Right, r.Bottom};
  for (const TRect& strip : {below, beside}) {
    if (strip.Right <= strip.Left || strip.Bottom <= strip.Top) continue;
    if (ci.Ready)
      BitBlt32(dst, strip.Left, strip.Top, strip.Right - strip.Left, strip.Bottom - strip.Top, ci.Bmp,
               strip.Left + ci.X, strip.Top + ci.Y);
    else
      FillRect32(dst, strip, ci.FillColor);
  }
  r = kNothingLeft;
}

}  // namespace skin
