#include "skin/core/Sborders.h"

#include <algorithm>

#include "skin/core/sSkinRect.h"
#include "skin/graphics/PixelMath.h"

namespace skin {

namespace {

using i64 = long long;

}  // namespace

void CopyMask(int dstX1, int dstY1, int dstX2, int dstY2, int srcX1, int srcY1, int srcX2, int srcY2,
              const TImage32View& bmp, TAOR* runs, const TsMaskData& md, bool collectRgn) {
  if (dstX1 < 0 || dstY1 < 0 || bmp.Width < 2 || bmp.Height < 2 || md.Manager == nullptr) return;
  const TImage32View src = md.Source();
  if (src.Empty() || srcX1 < 0 || srcY1 < 0) return;
  const bool masked = md.MaskType == 1;
  const int maskOffset = masked ? (md.R.Bottom - md.R.Top) / 2 : 0;
  // Columns and rows that both rectangles and both bitmaps hold (the mask rows included).
  const i64 cols =
      std::min({i64(dstX2) - dstX1, i64(srcX2) - srcX1, i64(bmp.Width) - 1 - dstX1, i64(src.Width) - 1 - srcX1}) + 1;
  const i64 rows = std::min({i64(dstY2) - dstY1, i64(srcY2) - srcY1, i64(bmp.Height) - 1 - dstY1,
                             i64(src.Height) - 1 - maskOffset - srcY1}) +
                   1;
  if (cols <= 0 || rows <= 0) return;
  for (int j = 0; j < rows; ++j) {
    TsColor_* d = bmp.Row(dstY1 + j) + dstX1;
    const TsColor_* s = src.Row(srcY1 + j) + srcX1;
    const TsColor_* m = src.Row(srcY1 + j + maskOffset) + srcX1;
    int runStart = -1;
    for (int i = 0; i <= cols; ++i) {
      const bool key = i < cols && collectRgn && s[i].U == kKeyPixel;
      if (collectRgn && runs != nullptr) {
        if (key && runStart < 0) runStart = i;
        if (!key && runStart >= 0) {
          runs->push_back({dstX1 + runStart, dstY1 + j, dstX1 + i, dstY1 + j + 1});
          runStart = -1;
        }
      }
      if (i == cols || key) continue;
      if (masked) {
        d[i].R = static_cast<std::uint8_t>(ClampByte(Mix(s[i].R, d[i].R, m[i].R)));
        d[i].G = static_cast<std::uint8_t>(ClampByte(Mix(s[i].G, d[i].G, m[i].G)));
        d[i].B = static_cast<std::uint8_t>(ClampByte(Mix(s[i].B, d[i].B, m[i].B)));
      } else {
        d[i] = s[i];
      }
    }
  }
}

void PaintRgnBorder(const TImage32View& bmp, TAOR* runs, bool filling, const TsMaskData& md, int state) {
  if (bmp.Width < 2 || bmp.Height < 2 || md.Manager == nullptr || md.MaskType < 0) return;
  const int W = bmp.Width, H = bmp.Height;
  int wl = md.WL, wr = md.WR, wt = md.WT, wb = md.WB;
  FitMargins(wl, wr, W);
  FitMargins(wt, wb, H);
  // An image that declares no cells is one cell over its own bitmap.
  int imageCount = md.ImageCount;
  TRect r = md.R;
  if (imageCount < 1) {
    if (!md.Bmp) return;
    imageCount = 1;
    r = {0, 0, md.Bmp->Width(), md.Bmp->Height()};
  }
  state = std::clamp(state, 0, imageCount - 1);
  const int w = (r.Right - r.Left) / imageCount;
  const int h = md.MaskType != 0 ? (r.Bottom - r.Top) / (md.MaskType + 1) : r.Bottom - r.Top;
  const int cw = std::max(w - wl - wr, 0), ch = std::max(h - wt - wb, 0);
  const int x0 = r.Left + state * w, y0 = r.Top;
  const bool stretched = (md.DrawMode & 1) != 0;
  const TImage32View src = md.Source();
  const int maskOffset = md.MaskType != 0 ? h : 0;

  auto copy = [&](int dx1, int dy1, int dx2, int dy2, int sx1, int sy1, int sx2, int sy2, bool collect) {
    CopyMask(dx1, dy1, dx2, dy2, sx1, sy1, sx2, sy2, bmp, runs, md, collect);
  };
  // An edge or the centre: stretched in one piece, or tiled.
  auto band = [&](int dl, int dt, int dr, int db, int sx, int sy, int tw, int th, bool centre) {
    if (dr <= dl || db <= dt || tw <= 0 || th <= 0) return;
    if (stretched) {
      StretchBltMask(bmp, dl, dt, dr - dl, db - dt, src, sx, sy, tw, th, maskOffset, centre);
      return;
    }
    TileRun(dt, db, th, [&](int y, int rh) {
      TileRun(dl, dr, tw,
              [&](int x, int rw) { copy(x, y, x + rw - 1, y + rh - 1, sx, sy, sx + rw - 1, sy + rh - 1, false); });
    });
  };
  copy(0, 0, wl - 1, wt - 1, x0, y0, x0 + wl - 1, y0 + wt - 1, true);
  copy(0, H - wb, wl - 1, H - 1, x0, y0 + h - wb, x0 + wl - 1, y0 + h - 1, true);
  if (ch > 0) band(0, wt, wl, H - wb, x0, y0 + wt, wl, ch, false);
  if (cw > 0) band(wl, 0, W - wr, wt, x0 + wl, y0, cw, wt, false);
  if (cw > 0) band(wl, H - wb, W - wr, H, x0 + wl, y0 + h - wb, cw, wb, false);
  if (ch > 0) band(W - wr, wt, W, H - wb, x0 + w - wr, y0 + wt, wr, ch, false);
  copy(W - wr, H - wb, W - 1, H - 1, x0 + w - wr, y0 + h - wb, x0 + w - 1, y0 + h - 1, true);
  copy(W - wr, 0, W - 1, wt - 1, x0 + w - wr, y0, x0 + w - 1, y0 + wt - 1, true);
  if (filling && (md.DrawMode & 4) != 0 && cw > 0 && ch > 0)
    band(wl, wt, W - wr, H - wb, x0 + wl, y0 + wt, cw, ch, true);
}

}  // namespace skin
