#include "skin/core/sSkinRect.h"

#include <algorithm>
#include <cstdint>

#include "skin/graphics/PixelMath.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sBlockCopy.h"
#include "skin/graphics/sStretch.h"

namespace skin {

namespace {

using i64 = long long;

bool IsKey(const TsColor_& p) { return p.U == kKeyPixel; }
int HeightOfRect(const TRect& r) { return r.Bottom - r.Top; }

int ClampState(int state, int imageCount) { return std::clamp(state, 0, std::max(imageCount - 1, 0)); }

// The blend of one masked pixel: dst = ((dst - src) * m + src * 256) >> 8 per channel, alpha kept.
void BlendThroughMask(TsColor_& d, const TsColor_& s, const TsColor_& m) {
  d.R = static_cast<std::uint8_t>(ClampByte(Mix(s.R, d.R, m.R)));
  d.G = static_cast<std::uint8_t>(ClampByte(Mix(s.G, d.G, m.G)));
  d.B = static_cast<std::uint8_t>(ClampByte(Mix(s.B, d.B, m.B)));
}

// Both rectangles of one size moved in by every overhang (left and top of either image) and cut
// to both images; false when nothing is left.
struct Span {
  int dx, dy, sx, sy, w, h;
};
bool ClipPair(i64 dx, i64 dy, i64 sx, i64 sy, i64 w, i64 h, const TImage32View& dst, const TImage32View& src,
              int srcBottom, Span& out) {
  const i64 left = std::max<i64>({0, -dx, -sx}), top = std::max<i64>({0, -dy, -sy});
  dx += left, sx += left, w -= left;
  dy += top, sy += top, h -= top;
  w = std::min({w, i64(dst.Width) - dx, i64(src.Width) - sx});
  h = std::min({h, i64(dst.Height) - dy, i64(srcBottom) - sy});
  if (w <= 0 || h <= 0) return false;
  out = {int(dx), int(dy), int(sx), int(sy), int(w), int(h)};
  return true;
}

void CopyMaster(TRect dstRect, TRect srcRect, const TImage32View& bmp, const TCacheInfo32& ci, const TsMaskData& md,
                bool fillKeys) {
  const TImage32View src = md.Source();
  if (bmp.Empty() || src.Empty()) return;
  const int maskOffset = HeightOfRect(md.R) / 2;
  const i64 w = std::min(i64(dstRect.Right) - dstRect.Left, i64(srcRect.Right) - srcRect.Left);
  const i64 h = std::min(i64(dstRect.Bottom) - dstRect.Top, i64(srcRect.Bottom) - srcRect.Top);
  Span s;
  // The mask rows must exist too: the source ends MaskOffset rows before its last row.
  if (!ClipPair(dstRect.Left, dstRect.Top, srcRect.Left, srcRect.Top, w, h, bmp, src, src.Height - maskOffset, s))
    return;
  TsColor_ fill;
  fill.U = AsPixel(ci.FillColor) | 0xFF000000u;
  for (int j = 0; j < s.h; ++j) {
    TsColor_* d = bmp.Row(s.dy + j) + s.dx;
    const TsColor_* p = src.Row(s.sy + j) + s.sx;
    const TsColor_* m = src.Row(s.sy + j + maskOffset) + s.sx;
    for (int i = 0; i < s.w; ++i) {
      if (!IsKey(p[i])) {
        BlendThroughMask(d[i], p[i], m[i]);
      } else if (!fillKeys) {
        continue;
      } else if (ci.Ready) {
        if (ci.FillColor != clFuchsia) {
          d[i].R = static_cast<std::uint8_t>(RedOf(ci.FillColor));
          d[i].G = static_cast<std::uint8_t>(GreenOf(ci.FillColor));
          d[i].B = static_cast<std::uint8_t>(BlueOf(ci.FillColor));
        } else if (const TsColor_* parent = ci.ParentPixel(s.dx + i, s.dy + j)) {
          d[i].R = parent->R, d[i].G = parent->G, d[i].B = parent->B;
        }
      } else if (ci.FillColor != clFuchsia) {
        d[i] = fill;
      }
    }
  }
}

}  // namespace

void FitMargins(int& first, int& second, int size) {
  first = std::max(first, 0);
  second = std::max(second, 0);
  if (size >= first + second) return;
  const int excess = (first + second - size) / 2;
  first = std::max(first - excess, 0);
  second = std::max(second - excess - (size % 2 != 0 ? 1 : 0), 0);
}

void CopyMasterRect(TRect dstRect, TRect srcRect, const TImage32View& bmp, const TCacheInfo32& ci,
                    const TsMaskData& md) {
  CopyMaster(dstRect, srcRect, bmp, ci, md, true);
}

void CopyMasterRectA(TRect dstRect, TRect srcRect, const TImage32View& bmp, const TCacheInfo32& ci,
                     const TsMaskData& md) {
  CopyMaster(dstRect, srcRect, bmp, ci, md, false);
}

void StretchBltMask(const TImage32View& dst, int dstX, int dstY, int dstW, int dstH, const TImage32View& src, int srcX,
                    int srcY, int srcW, int srcH, int maskOffset, bool centre) {
  if (dstX < 0 || dstY < 0 || dstW < 1 || dstH < 1 || dst.Width < 2 || dst.Height < 2 || src.Empty()) return;
  if (maskOffset == 0) {
    StretchBlt32(dst, {dstX, dstY, dstX + dstW, dstY + dstH}, src, {srcX, srcY, srcX + srcW, srcY + srcH});
    return;
  }
  // The piece and its mask must both lie in the source.
  if (srcX < 0 || srcY < 0 || srcW < 1 || srcH < 1 || i64(srcX) + srcW > src.Width ||
      i64(srcY) + srcH + maskOffset > src.Height || maskOffset < 0)
    return;
  // Overhangs past the destination's right and bottom edges are cut off.
  const int w = int(std::min<i64>(dstW, i64(dst.Width) - dstX)), h = int(std::min<i64>(dstH, i64(dst.Height) - dstY));
  if (w <= 0 || h <= 0) return;
  if (centre && srcW == 1 && srcH == 1) {
    const TsColor_ c = src.At(srcX, srcY);
    const int m = src.At(srcX, srcY + maskOffset).R;
    if (m == 255) return;
    if (m == 0) {
      TsColor_ opaque = c;
      opaque.A = 255;
      for (int y = 0; y < h; ++y) std::fill_n(dst.Row(dstY + y) + dstX, w, opaque);
      return;
    }
    TsColor_ mask;
    mask.U = 0;
    mask.R = mask.G = mask.B = static_cast<std::uint8_t>(m);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) BlendThroughMask(dst.At(dstX + x, dstY + y), c, mask);
    return;
  }
  TBitmap32 colour(dstW, dstH), mask(dstW, dstH);
  const bool shrinksOneWay = (srcW > dstW && srcH == dstH) || (srcW == dstW && srcH > dstH);
  if ((shrinksOneWay || centre) && dstW > 1 && dstH > 1) {
    // The resampler needs a source of 2 x 2 or more: a one-pixel piece goes into column (row) 1 of a
    // white work image.
    const int pw = std::max(srcW, 2), ph = std::max(srcH, 2);
    const int px = srcW == 1 ? 1 : 0, py = srcH == 1 ? 1 : 0;
    TBitmap32 piece = CreateBmp32(pw, ph), maskPiece = CreateBmp32(pw, ph);
    BitBlt32(piece.View(), px, py, srcW, srcH, src, srcX, srcY);
    BitBlt32(maskPiece.View(), px, py, srcW, srcH, src, srcX, srcY + maskOffset);
    Stretch(piece.View(), colour, dstW, dstH, TFilterType::ftMitchell);
    Stretch(maskPiece.View(), mask, dstW, dstH, TFilterType::ftHermite);
  } else {
    StretchBlt32(colour.View(), {0, 0, dstW, dstH}, src, {srcX, srcY, srcX + srcW, srcY + srcH});
    StretchBlt32(mask.View(), {0, 0, dstW, dstH}, src,
                 {srcX, srcY + maskOffset, srcX + srcW, srcY + maskOffset + srcH});
  }
  for (int y = 0; y < h; ++y) {
    TsColor_* d = dst.Row(dstY + y) + dstX;
    for (int x = 0; x < w; ++x) BlendThroughMask(d[x], colour.At(x, y), mask.At(x, y));
  }
}

void DrawSkinRect(const TImage32View& bmp, const TRect& r, const TCacheInfo32& ci, const TsMaskData& md, int state,
                  bool updateCorners) {
  if (state == 0 && (md.DrawMode & 2) != 0) return;
  const int W = r.Right - r.Left, H = r.Bottom - r.Top;
  if (W < 2 || H < 2 || md.Manager == nullptr || md.ImageCount < 1 || md.MaskType < 0 || bmp.Empty()) return;
  const TImage32View src = md.Source();
  if (src.Empty()) return;
  int wl = md.WL, wr = md.WR, wt = md.WT, wb = md.WB;
  FitMargins(wl, wr, W);
  FitMargins(wt, wb, H);
  state = ClampState(state, md.ImageCount);
  const int w = WidthOfImage(md), h = HeightOfImage(md);
  const int cw = w - wl - wr, ch = h - wt - wb;
  if (cw < 0 || ch < 0) return;
  const int x0 = md.R.Left + state * w, y0 = md.R.Top;
  const int L = r.Left, T = r.Top, Rt = r.Right, B = r.Bottom;
  const bool masked = md.MaskType != 0;
  const int maskHeight = HeightOfRect(md.R);
  const bool cornerFlag = updateCorners && md.CornerType > 0;
  const bool stretched = (md.DrawMode & 1) != 0;

  auto corner = [&](int dx, int dy, int cwid, int chei, int sx, int sy) {
    if (cwid <= 0 || chei <= 0) return;
    if (masked)
      CopyByMask({dx, dy, dx + cwid, dy + chei}, {sx, sy, sx + cwid, sy + chei}, bmp, src, ci, cornerFlag, maskHeight);
    else
      CopyTransRect(bmp, src, dx, dy, {sx, sy, sx + cwid - 1, sy + chei - 1}, clFuchsia, ci, cornerFlag);
  };
  // One tile or cut piece of an edge or the centre: masked images through their mask with the key
  // pixels skipped, unmasked ones copied as they are (key pixels included).
  auto piece = [&](int dx, int dy, int pw, int ph, int sx, int sy) {
    if (pw <= 0 || ph <= 0) return;
    if (masked)
      CopyByMask({dx, dy, dx + pw, dy + ph}, {sx, sy, sx + pw, sy + ph}, bmp, src, kEmptyCI32, false, maskHeight);
    else
      BitBlt32(bmp, dx, dy, pw, ph, src, sx, sy);
  };
  // An edge or the centre: stretched whole, or tiled from its top-left corner.
  auto edgeOrCentre = [&](const TRect& d, int sx, int sy, int tw, int th, bool isCentre) {
    const int dw = d.Right - d.Left, dh = d.Bottom - d.Top;
    if (dw <= 0 || dh <= 0) return;
    if (stretched) {
      if (masked)
        StretchBltMask(bmp, d.Left, d.Top, dw, dh, src, sx, sy, tw, th, h, isCentre);
      else
        StretchBlt32(bmp, d, src, {sx, sy, sx + tw, sy + th});
      return;
    }
    // A masked tile of no length has nothing to copy; an unmasked one still reads the cut piece
    // from the tile's start.
    if (masked && (tw == 0 || th == 0)) return;
    TileRun(d.Top, d.Bottom, th, [&](int y, int rowH) {
      TileRun(d.Left, d.Right, tw, [&](int x, int colW) { piece(x, y, colW, rowH, sx, sy); });
    });
  };

  corner(L, T, wl, wt, x0, y0);                                                                                 // 1
  edgeOrCentre({L, T + wt, L + wl, B - wb}, x0, y0 + wt, wl, ch, false);                                        // 2
  edgeOrCentre({L + wl, T, Rt - wr, T + wt}, x0 + wl, y0, cw, wt, false);                                       // 3
  corner(L, B - wb, wl, wb, x0, y0 + h - wb);                                                                   // 4
  edgeOrCentre({L + wl, B - wb, Rt - wr, B}, x0 + wl, y0 + h - wb, cw, wb, false);                              // 5
  corner(Rt - wr, B - wb, wr, wb, x0 + wl + cw, y0 + h - wb);                                                   // 6
  corner(Rt - wr, T, wr, wt, x0 + wl + cw, y0);                                                                 // 7
  edgeOrCentre({Rt - wr, T + wt, Rt, B - wb}, x0 + wl + cw, y0 + wt, wr, ch, false);                            // 8
  if ((md.DrawMode & 4) != 0) edgeOrCentre({L + wl, T + wt, Rt - wr, B - wb}, x0 + wl, y0 + wt, cw, ch, true);  // 9
}

void DrawSmallSkinRect(const TImage32View& bmp, const TRect& r, const TCacheInfo32& ci, const TsMaskData& md,
                       int state) {
  if (md.Bmp || md.Manager == nullptr || md.ImageCount < 1 || md.MaskType < 0 || bmp.Empty()) return;
  const int W = r.Right - r.Left, H = r.Bottom - r.Top;
  if (W < 2 || H < 2) return;
  const TImage32View src = md.Source();
  const int tw = (md.R.Right - md.R.Left) / (md.ImageCount * 3);
  const int th = HeightOfRect(md.R) / ((md.MaskType + 1) * 3);
  if (src.Empty() || tw <= 0 || th <= 0) return;
  state = ClampState(state, md.ImageCount);
  const bool masked = md.MaskType != 0;
  // Corner sizes: one tile, or half of a destination smaller than two tiles (the odd pixel right
  // and bottom).
  const int lw = W < 2 * tw ? W / 2 : tw, rw = W < 2 * tw ? W / 2 + W % 2 : tw;
  const int tth = H < 2 * th ? H / 2 : th, bth = H < 2 * th ? H / 2 + H % 2 : th;
  const int x0 = md.R.Left + state * tw * 3, y0 = md.R.Top;
  const int L = r.Left, T = r.Top, Rt = r.Right, B = r.Bottom;

  auto copy = [&](int dx, int dy, int pw, int ph, int sx, int sy, bool isCorner, const TCacheInfo32& pci) {
    if (pw <= 0 || ph <= 0) return;
    if (masked)
      CopyMasterRect({dx, dy, dx + pw, dy + ph}, {sx, sy, sx + pw, sy + ph}, bmp, pci, md);
    else if (isCorner)
      CopyTransRect(bmp, src, dx, dy, {sx, sy, sx + pw - 1, sy + ph - 1}, clFuchsia, pci, true);
    else
      BitBlt32(bmp, dx, dy, pw, ph, src, sx, sy);
  };
  // The middle tiles repeated between the corners; a stretched edge is one copy resized.
  auto band = [&](const TRect& d, int sx, int sy, bool stretch, const TCacheInfo32& pci) {
    if (d.Right <= d.Left || d.Bottom <= d.Top) return;
    if (stretch && !masked) {
      StretchBlt32(bmp, d, src, {sx, sy, sx + tw, sy + std::min(th, d.Bottom - d.Top)});
      return;
    }
    TileRun(d.Top, d.Bottom, th, [&](int y, int rowH) {
      TileRun(d.Left, d.Right, tw, [&](int x, int colW) { copy(x, y, colW, rowH, sx, sy, false, pci); });
    });
  };
  const bool stretch = (md.DrawMode & 1) != 0;
  copy(L, T, lw, tth, x0, y0, true, ci);
  band({L, T + tth, L + lw, B - bth}, x0, y0 + th, stretch, ci);
  band({L + lw, T, Rt - rw, T + tth}, x0 + tw, y0, stretch, ci);
  copy(L, B - bth, lw, bth, x0, y0 + 3 * th - bth, true, ci);
  band({L + lw, B - bth, Rt - rw, B}, x0 + tw, y0 + 3 * th - bth, stretch, ci);
  copy(Rt - rw, B - bth, rw, bth, x0 + 3 * tw - rw, y0 + 3 * th - bth, true, ci);
  copy(Rt - rw, T, rw, tth, x0 + 3 * tw - rw, y0, true, ci);
  band({Rt - rw, T + tth, Rt, B - bth}, x0 + 3 * tw - rw, y0 + th, false, ci);
  if ((md.DrawMode & 4) != 0) band({L + lw, T + tth, Rt - rw, B - bth}, x0 + tw, y0 + th, false, kEmptyCI32);
}

void BlendGlyphByMask(TRect dstRect, TRect srcRect, const TImage32View& dst, const TsMaskData& md, int mode) {
  const TImage32View src = md.Source();
  if (dst.Empty() || src.Empty() || md.MaskType < 0) return;
  if (md.MaskType == 0) {
    CopyTransRectA(dst, src, dstRect.Left, dstRect.Top, srcRect, clFuchsia);
    return;
  }
  const int maskOffset = HeightOfRect(md.R) / (md.MaskType + 1);
  const i64 w = std::min(i64(dstRect.Right) - dstRect.Left, i64(srcRect.Right) - srcRect.Left) + 1;
  const i64 h = std::min(i64(dstRect.Bottom) - dstRect.Top, i64(srcRect.Bottom) - srcRect.Top) + 1;
  Span s;
  if (!ClipPair(dstRect.Left, dstRect.Top, srcRect.Left, srcRect.Top, w, h, dst, src, src.Height - maskOffset, s))
    return;
  for (int j = 0; j < s.h; ++j) {
    TsColor_* d = dst.Row(s.dy + j) + s.dx;
    const TsColor_* p = src.Row(s.sy + j) + s.sx;
    const TsColor_* m = src.Row(s.sy + j + maskOffset) + s.sx;
    for (int i = 0; i < s.w; ++i) {
      if (IsKey(p[i]) || m[i].R == 255) continue;
      TsColor_ weight = m[i];
      if (mode != 1)  // faded: every mask channel 100 higher, 155 and above fully transparent
        for (std::uint8_t* c : {&weight.R, &weight.G, &weight.B})
          *c = static_cast<std::uint8_t>(*c >= 155 ? 255 : *c + 100);
      BlendThroughMask(d[i], p[i], weight);
      d[i].A = static_cast<std::uint8_t>(d[i].A + ((255 - d[i].A) * (255 - m[i].R)) / 255);
    }
  }
}

void DrawSkinGlyph(const TImage32View& bmp, TPoint p, int state, int mode, const TsMaskData& md,
                   const TCacheInfo32& ci) {
  if (md.ImageCount < 1 || md.MaskType < 0 || bmp.Empty()) return;
  state = ClampState(state, md.ImageCount);
  const int w = WidthOfImage(md), h = HeightOfImage(md);
  if (w <= 0 || h <= 0) return;
  const int x = md.R.Left + state * w, y = md.R.Top;
  const TRect cell{x, y, x + w - 1, y + h - 1};
  const TRect place{p.X, p.Y, p.X + w - 1, p.Y + h - 1};
  if (md.Bmp) {
    if (md.Bmp->Width() >= md.R.Right && md.Bmp->Height() >= md.R.Bottom) BlendGlyphByMask(place, cell, bmp, md, mode);
    return;
  }
  if (md.Manager == nullptr) return;
  if (md.MaskType > 0) {
    BlendGlyphByMask(place, cell, bmp, md, mode);
    return;
  }
  // Unmasked cells of the master bitmap: cut to the destination here, since the copy routines
  // place the whole cell.
  const int left = std::max(0, -p.X), top = std::max(0, -p.Y);
  const TRect visible{cell.Left + left, cell.Top + top, cell.Right, cell.Bottom};
  if (visible.Left > visible.Right || visible.Top > visible.Bottom) return;
  const TImage32View src = md.Source();
  if (mode == 1)
    CopyTransRect(bmp, src, p.X + left, p.Y + top, visible, clFuchsia, ci, true);
  else
    BlendTransRectangle(bmp, p.X + left, p.Y + top, src, visible, 0.5, clFuchsia);
}

void FillTransPixels32(const TImage32View& dst, const TImage32View& src, const TRect& r, TPoint p, int maskIndex,
                       const TacSkinRecords* sm, int corner) {
  if (sm == nullptr || !sm->IsValidImgIndex(maskIndex)) {
    FillTransPixels32(dst, src, r, p);
    return;
  }
  const TsMaskData& md = sm->ma[std::size_t(maskIndex)];
  const TImage32View mask = md.Source();
  if (mask.Empty() || md.ImageCount < 1 || md.MaskType < 0) return;
  const TPoint origin = CornerBlockOrigin(md.R, WidthOfImage(md), HeightOfImage(md), md.WR, md.WB, corner);
  FillTransPixels32(dst, src, r, p, mask, origin);
}

}  // namespace skin
