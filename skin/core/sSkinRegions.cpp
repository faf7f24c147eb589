#include "skin/core/sSkinRegions.h"

#include <algorithm>

#include "skin/core/sSkinRect.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBlockCopy.h"

namespace skin {

namespace {

// Collects the runs of one row: Key(x) tells whether column x is a key pixel.
template <class IsKey>
void RowRuns(TAOR& arr, int columns, int rowY, int placeX, IsKey&& isKey) {
  int start = -1;
  for (int x = 0; x <= columns; ++x) {
    const bool key = x < columns && isKey(x);
    if (key && start < 0) start = x;
    if (!key && start >= 0) {
      arr.push_back({placeX + start, rowY, placeX + x, rowY + 1});
      start = -1;
    }
  }
}

}  // namespace

void AddRgnBmp(TAOR& arr, const TImage32View& bmp, TColor transColor) {
  TacFast32 fast;
  if (!fast.Attach(bmp)) return;
  for (int y = 0; y < bmp.Height; ++y)
    RowRuns(arr, bmp.Width, y, 0, [&](int x) { return fast.GetPixel(x, y).C == transColor; });
}

void AddRgn(TAOR& arr, int width, const TsMaskData& md, bool bottom, int y) {
  if (md.Manager == nullptr || md.MaskType < 0 || md.ImageCount < 1) return;
  const TImage32View src = md.Source();
  if (src.Empty()) return;
  const int rows = bottom ? md.WB : md.WT;
  const int s0 = md.R.Top + (bottom ? (md.R.Bottom - md.R.Top) / (md.MaskType + 1) - md.WB : 0);
  if (rows <= 0 || s0 < 0 || s0 + rows > src.Height) return;
  const int cw = (md.R.Right - md.R.Left) / md.ImageCount;
  // A column outside the source holds no key pixel.
  auto isKey = [&](int column, int row) {
    const int sx = md.R.Left + column;
    return sx >= 0 && sx < src.Width && src.At(sx, s0 + row).U == kKeyPixel;
  };
  for (int r = 0; r < rows; ++r) RowRuns(arr, md.WL, y + r, 0, [&](int c) { return isKey(c, r); });
  const int first = cw - md.WR;
  for (int r = 0; r < rows; ++r)
    RowRuns(arr, md.WR, y + r, width - cw + first, [&](int c) { return isKey(first + c, r); });
}

TAOR CornerRuns(const TacSkinRecords& sm, int maskIndex, int width, int height) {
  TAOR runs;
  if (!sm.IsValidImgIndex(maskIndex)) return runs;
  const TsMaskData& md = sm.ma[std::size_t(maskIndex)];
  AddRgn(runs, width, md, false, 0);
  // The bottom corners' last row lies on the window's last row.
  AddRgn(runs, width, md, true, height - md.WB);
  return runs;
}

void PaintControlByTemplate(const TImage32View& dst, const TImage32View& src, const TRect& d, const TRect& s,
                            const TRect& b, const TRect& edge, const TRect& sideModes, bool stretchCenter,
                            bool drawCenter) {
  if (dst.Empty() || src.Empty()) return;
  const int el = std::min(b.Left, edge.Left), et = std::min(b.Top, edge.Top);
  const int er = std::min(b.Right, edge.Right), eb = std::min(b.Bottom, edge.Bottom);
  auto blt = [&](int x, int y, int w, int h, int sx, int sy) {
    if (w > 0 && h > 0) BitBlt32(dst, x, y, w, h, src, sx, sy);
  };
  auto stretch = [&](int x, int y, int w, int h, int sx, int sy, int sw, int sh) {
    if (w > 0 && h > 0 && sw > 0 && sh > 0) StretchBlt32(dst, {x, y, x + w, y + h}, src, {sx, sy, sx + sw, sy + sh});
  };
  // Corners.
  blt(d.Left, d.Top, b.Left, et, s.Left, s.Top);
  if (et != b.Top) blt(d.Left, d.Top + et, el, b.Top - et, s.Left, s.Top + et);
  blt(d.Left, d.Bottom - eb, b.Left, eb, s.Left, s.Bottom - eb);
  if (eb != b.Bottom) blt(d.Left, d.Bottom - b.Bottom, el, b.Bottom - eb, s.Left, s.Bottom - b.Bottom);
  blt(d.Right - b.Right, d.Top, b.Right, et, s.Right - b.Right, s.Top);
  if (et != b.Top) blt(d.Right - er, d.Top + et, er, b.Top - et, s.Right - er, s.Top + et);
  blt(d.Right - b.Right, d.Bottom - eb, b.Right, eb, s.Right - b.Right, s.Bottom - eb);
  if (eb != b.Bottom) blt(d.Right - er, d.Bottom - b.Bottom, er, b.Bottom - eb, s.Right - er, s.Bottom - b.Bottom);
  const int cx = std::max(s.Right - s.Left - b.Right - b.Left, 0),
            cy = std::max(s.Bottom - s.Top - b.Bottom - b.Top, 0);
  const int dh = d.Bottom - d.Top - b.Top - b.Bottom, dw = d.Right - d.Left - b.Left - b.Right;
  const int sh = s.Bottom - s.Top - b.Top - b.Bottom, sw = s.Right - s.Left - b.Left - b.Right;
  // Sides.
  if (cy > 0) {
    if (sideModes.Left == 0)
      TileRun(d.Top + b.Top, d.Bottom - b.Bottom, cy,
              [&](int y, int n) { blt(d.Left, y, el, n, s.Left, s.Top + b.Top); });
    else if (sideModes.Left == 1)
      stretch(d.Left, d.Top + b.Top, el, dh, s.Left, s.Top + b.Top, el, sh);
  }
  if (cx > 0) {
    if (sideModes.Top == 0)
      TileRun(d.Left + b.Left, d.Right - b.Right, cx,
              [&](int x, int n) { blt(x, d.Top, n, et, s.Left + b.Left, s.Top); });
    else if (sideModes.Top == 1)
      stretch(d.Left + b.Left, d.Top, dw, et, s.Left + b.Left, s.Top, sw, et);
  }
  if (cy > 0) {
    if (sideModes.Right == 0)
      TileRun(d.Top + b.Top, d.Bottom - b.Bottom, cy,
              [&](int y, int n) { blt(d.Right - er, y, er, n, s.Right - er, s.Top + b.Top); });
    else if (sideModes.Right == 1)
      stretch(d.Right - er, d.Top + b.Top, er, dh, s.Right - er, s.Top + b.Top, er, sh);
  }
  if (cx > 0) {
    if (sideModes.Bottom == 0)
      TileRun(d.Left + b.Left, d.Right - b.Right, cx,
              [&](int x, int n) { blt(x, d.Bottom - eb, n, eb, s.Left + b.Left, s.Bottom - eb); });
    else if (sideModes.Bottom == 1)
      stretch(d.Left + b.Left, d.Bottom - eb, dw, eb, s.Left + b.Left, s.Bottom - eb, sw, eb);
  }
  if (!drawCenter) return;
  if (stretchCenter) {
    stretch(d.Left + b.Left, d.Top + b.Top, dw, dh, s.Left + b.Left, s.Top + b.Top, sw, sh);
  } else if (cx > 0 && cy > 0) {
    TileRun(d.Left + b.Left, d.Right - b.Right, cx, [&](int x, int w) {
      TileRun(d.Top + b.Top, d.Bottom - b.Bottom, cy,
              [&](int y, int h) { blt(x, y, w, h, s.Left + b.Left, s.Top + b.Top); });
    });
  }
}

void CopyChannel32(const TImage32View& dst, const TImage32View& src, int channel) {
  if (dst.Empty() || src.Empty() || channel < 0 || channel > 3) return;
  const int w = std::min(dst.Width, src.Width), h = std::min(dst.Height, src.Height);
  for (int y = 0; y < h; ++y) {
    auto* d = reinterpret_cast<std::uint8_t*>(dst.Row(y));
    const auto* s = reinterpret_cast<const std::uint8_t*>(src.Row(y));
    for (int x = 0; x < w; ++x) d[x * 4 + channel] = s[x * 4 + channel];
  }
}

void CopyChannel(const TImage32View& bmp32, std::uint8_t* plane, std::ptrdiff_t stride, int planeWidth, int planeHeight,
                 int channel, bool from32) {
  if (bmp32.Empty() || plane == nullptr || channel < 0 || channel > 3) return;
  const int w = std::min(bmp32.Width, planeWidth), h = std::min(bmp32.Height, planeHeight);
  for (int y = 0; y < h; ++y) {
    auto* px = reinterpret_cast<std::uint8_t*>(bmp32.Row(y));
    std::uint8_t* row = plane + stride * y;
    for (int x = 0; x < w; ++x) {
      if (from32)
        row[x] = px[x * 4 + channel];
      else
        px[x * 4 + channel] = row[x];
    }
  }
}

}  // namespace skin
