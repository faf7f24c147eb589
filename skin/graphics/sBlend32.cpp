#include "skin/graphics/sBlend32.h"

#include <algorithm>
#include <array>
#include <vector>

#include "skin/graphics/PixelKernels.h"
#include "skin/graphics/PixelMath.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sColorUtils.h"

namespace skin {
namespace {

using i64 = long long;

std::uint32_t* RowU(const TImage32View& v, int y) { return reinterpret_cast<std::uint32_t*>(v.Row(y)); }
bool IsKey(const TsColor_& p) { return p.U == kKeyPixel; }
bool IsGrey(const TsColor_& p) { return p.R == p.G && p.G == p.B; }

// The pairing of two rectangles of two images: destination (DL + i, DT + j) with source (SL + i, ST + j).
struct Overlap {
  int dl = 0, dt = 0, sl = 0, st = 0, cols = 0, rows = 0;
};

// Extent limited by both rectangles and both images; a negative start moves both starts on and
// shortens the extent, so that neither side is read or written outside its image.
bool Pair(i64 dStart, i64 dLen, i64 dSize, i64 sStart, i64 sLen, i64 sSize, i64& dOut, i64& sOut, i64& len) {
  len = std::min({dLen, sLen, dSize - dStart, sSize - sStart});
  if (sStart <= dStart) {
    if (sStart < 0) {
      dStart -= sStart;
      len += sStart;
      sStart = 0;
    }
  } else if (dStart < 0) {
    sStart -= dStart;
    len += dStart;
    dStart = 0;
  }
  len = std::min({len, dSize - dStart, sSize - sStart});
  dOut = dStart;
  sOut = sStart;
  return len > 0;
}

bool ComputeOverlap(const TRect& d, const TRect& s, const TImage32View& dst, const TImage32View& src, Overlap& o) {
  if (dst.Empty() || src.Empty()) return false;
  i64 dl, sl, cols, dt, st, rows;
  if (!Pair(d.Left, i64(d.Right) - d.Left, dst.Width, s.Left, i64(s.Right) - s.Left, src.Width, dl, sl, cols))
    return false;
  if (!Pair(d.Top, i64(d.Bottom) - d.Top, dst.Height, s.Top, i64(s.Bottom) - s.Top, src.Height, dt, st, rows))
    return false;
  o = {int(dl), int(dt), int(sl), int(st), int(cols), int(rows)};
  return true;
}

void TakeParentRGB(TsColor_& d, const TCacheInfo32& ci, int x, int y) {
  if (const TsColor_* p = ci.ParentPixel(x, y)) {
    d.R = p->R;
    d.G = p->G;
    d.B = p->B;
  }
}

// g -> min(255, Round(g * channel / 255)) for each channel of a tint colour.
struct Tint {
  std::array<std::array<std::uint8_t, 256>, 3> table{};  // B, G, R
  explicit Tint(TColor c) {
    const int ch[3] = {BlueOf(c), GreenOf(c), RedOf(c)};
    for (int k = 0; k < 3; ++k) {
      const double f = ch[k] / 255.0;
      for (int g = 0; g < 256; ++g) table[k][g] = static_cast<std::uint8_t>(std::min(255, RoundToInt(g * f)));
    }
  }
  void Apply(const TsColor_& s, int& b, int& g, int& r) const {
    const int grey = (s.R + s.G + s.B) / 3;
    b = table[0][grey];
    g = table[1][grey];
    r = table[2][grey];
  }
};

}  // namespace

// Creating images

TBitmap32 CreateBmp32(int width, int height) { return TBitmap32(width, height, 0x00FFFFFFu); }
TBitmap32 CreateBmp24(int width, int height) { return CreateBmp32(width, height); }
TBitmap32 CreateBmpLike(const TImage32View& bmp) { return CreateBmp32(bmp.Width, bmp.Height); }

TBitmap32 CreateAlphaBmp(const TImage32View& bmp, const TRect& r) {
  const i64 w = i64(r.Right) - r.Left, h = (i64(r.Bottom) - r.Top) / 2;
  if (w <= 0 || h <= 0 || bmp.Empty() || r.Left < 0 || r.Top < 0 || r.Left + w > bmp.Width ||
      r.Top + 2 * h > bmp.Height)
    return {};
  TBitmap32 out(static_cast<int>(w), static_cast<int>(h));
  for (int y = 0; y < h; ++y) {
    const TsColor_* pic = bmp.Row(r.Top + y) + r.Left;
    const TsColor_* mask = bmp.Row(int(r.Top + h + y)) + r.Left;
    for (int x = 0; x < w; ++x) {
      TsColor_& p = out.At(x, y);
      p = pic[x];
      p.A = static_cast<std::uint8_t>(255 - mask[x].R);
    }
  }
  return out;
}

TBitmap32 MakeRotated90(const TImage32View& bmp, bool clockwise) {
  if (bmp.Empty()) return {};
  const int w = bmp.Width, h = bmp.Height;
  TBitmap32 out(h, w);
  for (int y = 0; y < w; ++y)
    for (int x = 0; x < h; ++x) out.At(x, y) = clockwise ? bmp.At(y, h - 1 - x) : bmp.At(w - 1 - y, x);
  return out;
}

// Whole-image transforms

void GrayScale(const TImage32View& bmp) {
  if (bmp.Empty()) return;
  for (int y = 0; y < bmp.Height; ++y) {
    TsColor_* row = bmp.Row(y);
    for (int x = 0; x < bmp.Width; ++x) {
      TsColor_& p = row[x];
      p.R = p.G = p.B = static_cast<std::uint8_t>((p.R + p.G + p.B) / 3);
    }
  }
}

void GrayScaleTrans(const TImage32View& bmp, TsColor transColor) {
  if (bmp.Empty()) return;
  const std::uint32_t t = static_cast<std::uint32_t>(transColor.I);
  for (int y = 0; y < bmp.Height; ++y) {
    TsColor_* row = bmp.Row(y);
    for (int x = 0; x < bmp.Width; ++x) {
      TsColor_& p = row[x];
      if (p.U != t) p.R = p.G = p.B = static_cast<std::uint8_t>((p.R + p.G + p.B) / 3);
    }
  }
}

namespace {
template <typename F>
void MapColouredPixels(const TImage32View& bmp, F change) {
  if (bmp.Empty()) return;
  // Skin images repeat colours in long runs: the last answer is kept.
  TsColor_ lastIn, lastOut;
  lastIn.U = kKeyPixel;
  lastOut.U = kKeyPixel;
  for (int y = 0; y < bmp.Height; ++y) {
    TsColor_* row = bmp.Row(y);
    for (int x = 0; x < bmp.Width; ++x) {
      TsColor_& p = row[x];
      if (IsKey(p) || IsGrey(p)) continue;
      if (p.U != lastIn.U) {
        lastIn = p;
        lastOut = change(p);
      }
      p = lastOut;
    }
  }
}
}  // namespace

void ChangeBmpHUE(const TImage32View& bmp, int delta) {
  MapColouredPixels(bmp, [delta](TsColor_ p) { return ChangeHue(delta, p); });
}

void ChangeBmpSaturation(const TImage32View& bmp, int delta) {
  MapColouredPixels(bmp, [delta](TsColor_ p) { return ChangeSaturation(delta, p); });
}

void BlendTransBitmap(const TImage32View& bmp, double blend, TsColor color) {
  if (bmp.Empty()) return;
  for (int y = 0; y < bmp.Height; ++y) {
    TsColor_* row = bmp.Row(y);
    for (int x = 0; x < bmp.Width; ++x) {
      TsColor_& p = row[x];
      if (IsKey(p)) continue;
      p.R = static_cast<std::uint8_t>(RoundToInt((p.R - color.R) * blend + color.R));
      p.G = static_cast<std::uint8_t>(RoundToInt((p.G - color.G) * blend + color.G));
      p.B = static_cast<std::uint8_t>(RoundToInt((p.B - color.B) * blend + color.B));
    }
  }
}

// Mask blends

void BlendBmpByMask(const TImage32View& bmp, const TImage32View& mask, TsColor color) {
  if (bmp.Empty() || mask.Empty() || bmp.Width != mask.Width || bmp.Height != mask.Height) return;
  TsColor_ c;
  c.U = SwapRB(static_cast<std::uint32_t>(color.I));
  const std::vector<std::uint32_t> base(static_cast<std::size_t>(bmp.Width), c.U);
  for (int y = 0; y < bmp.Height; ++y)
    kernels::MixByMask(RowU(bmp, y), base.data(), RowU(bmp, y), RowU(mask, y), bmp.Width);
}

void SumBitmapsByMask(const TImage32View& out, const TImage32View& bmp1, const TImage32View& bmp2,
                      const TImage32View& mask, int percent) {
  if (bmp1.Empty() || bmp2.Empty() || out.Empty() || bmp1.Width != bmp2.Width || bmp1.Height != bmp2.Height) return;
  const int w = std::min(bmp1.Width, out.Width);
  int h = std::min(bmp1.Height, out.Height);
  if (!mask.Empty()) {
    if (mask.Width < w || mask.Height < h) return;
  }
  const int weight = std::clamp(percent, 0, 256);
  for (int y = 0; y < h; ++y) {
    if (!mask.Empty())
      kernels::MixByMask(RowU(out, y), RowU(bmp2, y), RowU(bmp1, y), RowU(mask, y), w);
    else
      kernels::MixByWeight(RowU(out, y), RowU(bmp2, y), RowU(bmp1, y), weight, w);
  }
}

namespace {
// R limited to all three images; false when nothing is left or R is larger than Bmp1.
bool MaskArea(const TImage32View& bmp1, const TImage32View& bmp2, const TImage32View& mask, const TRect& r, TRect& c) {
  if (bmp1.Empty() || bmp2.Empty() || mask.Empty()) return false;
  if (i64(r.Right) - r.Left > bmp1.Width || i64(r.Bottom) - r.Top > bmp1.Height) return false;
  c = bmp1.Clip(bmp2.Clip(mask.Clip(r)));
  return c.Right > c.Left;
}
}  // namespace

void SumByMask(const TImage32View& bmp1, const TImage32View& bmp2, const TImage32View& mask, const TRect& r) {
  TRect c;
  if (!MaskArea(bmp1, bmp2, mask, r, c)) return;
  for (int y = c.Top; y < c.Bottom; ++y)
    kernels::MixByMask(RowU(bmp1, y) + c.Left, RowU(bmp2, y) + c.Left, RowU(bmp1, y) + c.Left, RowU(mask, y) + c.Left,
                       c.Right - c.Left);
}

void SumByMaskWith32(const TImage32View& bmp1, const TImage32View& bmp2, const TImage32View& mask, const TRect& r) {
  TRect c;
  if (!MaskArea(bmp1, bmp2, mask, r, c)) return;
  for (int y = c.Top; y < c.Bottom; ++y) {
    TsColor_* d = bmp1.Row(y);
    const TsColor_* s = bmp2.Row(y);
    const TsColor_* m = mask.Row(y);
    for (int x = c.Left; x < c.Right; ++x) {
      const int k = m[x].R;
      if (k == 255) continue;
      const int a = s[x].A;
      const int f = k == 0 ? a : ((255 - k) * a) / 256;
      d[x].R = static_cast<std::uint8_t>(Mix(d[x].R, s[x].R, f));
      d[x].G = static_cast<std::uint8_t>(Mix(d[x].G, s[x].G, f));
      d[x].B = static_cast<std::uint8_t>(Mix(d[x].B, s[x].B, f));
    }
  }
}

// Constant-weight blends

void SumBitmaps(const TImage32View& dst, const TImage32View& src, TsColor alpha) {
  if (dst.Width != src.Width || dst.Height != src.Height) return;
  TacFastSum32 sum;
  if (!sum.Attach(src, dst)) return;
  sum.Alpha = alpha.R;
  sum.BlendBitmaps();
}

void SumBmpRect(const TImage32View& dst, const TImage32View& src, std::uint8_t alpha, TRect srcRect, TPoint dstPoint) {
  if (dst.Empty() || src.Empty()) return;
  if (dstPoint.X < 0) {
    srcRect.Left -= dstPoint.X;
    dstPoint.X = 0;
  }
  if (dstPoint.Y < 0) {
    srcRect.Top -= dstPoint.Y;
    dstPoint.Y = 0;
  }
  if (srcRect.Left < 0) {
    dstPoint.X -= srcRect.Left;
    srcRect.Left = 0;
  }
  if (srcRect.Top < 0) {
    dstPoint.Y -= srcRect.Top;
    srcRect.Top = 0;
  }
  if (srcRect.Right <= srcRect.Left || srcRect.Bottom <= srcRect.Top || dstPoint.X >= dst.Width ||
      dstPoint.Y >= dst.Height || srcRect.Left >= src.Width || srcRect.Top >= src.Height)
    return;
  srcRect.Right = std::min(srcRect.Right, src.Width);
  srcRect.Bottom = std::min(srcRect.Bottom, src.Height);
  if (srcRect.Right - srcRect.Left + dstPoint.X > dst.Width) srcRect.Right = dst.Width - dstPoint.X + srcRect.Left;
  if (srcRect.Bottom - srcRect.Top + dstPoint.Y > dst.Height) srcRect.Bottom = dst.Height - dstPoint.Y + srcRect.Top;
  TacFastSum32 sum;
  if (!sum.Attach(src, dst)) return;
  sum.Alpha = alpha;
  sum.SrcX1 = srcRect.Left;
  sum.SrcY1 = srcRect.Top;
  sum.SrcX2 = srcRect.Right;
  sum.SrcY2 = srcRect.Bottom;
  sum.DstX1 = dstPoint.X;
  sum.DstY1 = dstPoint.Y;
  sum.DstX2 = dstPoint.X + (srcRect.Right - srcRect.Left);
  sum.DstY2 = dstPoint.Y + (srcRect.Bottom - srcRect.Top);
  sum.BlendBitmapsRect();
}

// Alpha copies

void BlendTransRectangle(const TImage32View& dst, int x, int y, const TImage32View& src, TRect srcRect, double blend,
                         TColor transColor) {
  if (dst.Empty() || src.Empty()) return;
  srcRect.Right = std::min(srcRect.Right, src.Width - 1);
  srcRect.Bottom = std::min(srcRect.Bottom, src.Height - 1);
  i64 dx0 = x, dy0 = y;
  if (srcRect.Top < 0) {
    dy0 -= srcRect.Top;
    srcRect.Top = 0;
  }
  if (srcRect.Left < 0) {
    dx0 -= srcRect.Left;
    srcRect.Left = 0;
  }
  const std::uint32_t t = static_cast<std::uint32_t>(transColor);
  for (int j = 0; j <= srcRect.Bottom - srcRect.Top; ++j) {
    const i64 dy = dy0 + j;
    if (dy < 0 || dy >= dst.Height) continue;
    const TsColor_* s = src.Row(srcRect.Top + j);
    TsColor_* d = dst.Row(int(dy));
    for (int i = 0; i <= srcRect.Right - srcRect.Left; ++i) {
      const i64 dx = dx0 + i;
      if (dx < 0 || dx >= dst.Width) continue;
      const TsColor_& sp = s[srcRect.Left + i];
      if (sp.U == t) continue;
      TsColor_& dp = d[dx];
      dp.R = static_cast<std::uint8_t>(RoundToInt(sp.R - (sp.R - dp.R) * blend));
      dp.G = static_cast<std::uint8_t>(RoundToInt(sp.G - (sp.G - dp.G) * blend));
      dp.B = static_cast<std::uint8_t>(RoundToInt(sp.B - (sp.B - dp.B) * blend));
    }
  }
}

void CopyByMask(TRect dstRect, TRect srcRect, const TImage32View& dst, const TImage32View& src, const TCacheInfo32& ci,
                bool updateTrans) {
  Overlap o;
  if (!ComputeOverlap(dstRect, srcRect, dst, src, o)) return;
  for (int j = 0; j < o.rows; ++j) {
    TsColor_* d = dst.Row(o.dt + j) + o.dl;
    const TsColor_* s = src.Row(o.st + j) + o.sl;
    // A key pixel has alpha 0, so the mix leaves its destination as it was.
    kernels::MixByAlpha(reinterpret_cast<std::uint32_t*>(d), reinterpret_cast<const std::uint32_t*>(s), o.cols);
    if (!ci.Ready || !updateTrans) continue;
    for (int i = 0; i < o.cols; ++i) {
      if (!IsKey(s[i])) continue;
      if (const TsColor_* p = ci.ParentPixel(o.dl + i, o.dt + j)) {
        d[i].R = p->R;
        d[i].G = p->G;
        d[i].B = p->B;
        d[i].A = 255;
      }
    }
  }
}

void CopyByMask(TRect dstRect, TRect srcRect, const TImage32View& dst, const TImage32View& src, const TCacheInfo32& ci,
                bool updateTrans, int maskHeight) {
  Overlap o;
  if (!ComputeOverlap(dstRect, srcRect, dst, src, o)) return;
  const i64 m0 = std::min<i64>(i64(o.st) + maskHeight / 2, i64(src.Height) - o.rows);
  TsColor_ fill;
  fill.U = AsPixel(ci.FillColor);
  for (int j = 0; j < o.rows; ++j) {
    const i64 my = m0 + j;
    if (my < 0 || my >= src.Height) continue;
    TsColor_* d = dst.Row(o.dt + j) + o.dl;
    const TsColor_* s = src.Row(o.st + j) + o.sl;
    const TsColor_* m = src.Row(int(my)) + o.sl;
    if (ci.Ready && !updateTrans) {
      kernels::MixByMask(reinterpret_cast<std::uint32_t*>(d), reinterpret_cast<const std::uint32_t*>(s),
                         reinterpret_cast<const std::uint32_t*>(d), reinterpret_cast<const std::uint32_t*>(m), o.cols);
      continue;
    }
    for (int i = 0; i < o.cols; ++i) {
      if (IsKey(s[i])) {
        if (ci.Ready) {  // and UpdateTrans
          d[i].A = 255;
          TakeParentRGB(d[i], ci, o.dl + i, o.dt + j);
        } else if (updateTrans) {
          d[i] = fill;
        }
        continue;
      }
      d[i].R = static_cast<std::uint8_t>(Mix(s[i].R, d[i].R, m[i].R));
      d[i].G = static_cast<std::uint8_t>(Mix(s[i].G, d[i].G, m[i].G));
      d[i].B = static_cast<std::uint8_t>(Mix(s[i].B, d[i].B, m[i].B));
      if (ci.Ready) d[i].A = 255;
    }
  }
}

void CopyBmp32(TRect dstRect, TRect srcRect, const TImage32View& dst, const TImage32View& src, const TCacheInfo32& ci,
               bool updateTrans, TColor grayedColor, int blend, bool reflected) {
  Overlap o;
  if (!ComputeOverlap(dstRect, srcRect, dst, src, o)) return;
  blend = std::clamp(blend, 0, 100);
  const bool tinted = grayedColor != classlib::clNone;
  const Tint tint(tinted ? grayedColor : 0);
  const bool keepMaxAlpha = !tinted && blend == 0 && ci.Ready;
  for (int j = 0; j < o.rows; ++j) {
    TsColor_* d = dst.Row(o.dt + j) + o.dl;
    const TsColor_* s = src.Row(o.st + j) + o.sl;
    for (int i = 0; i < o.cols; ++i) {
      const TsColor_& sp = s[i];
      TsColor_& dp = d[i];
      if (ci.Ready && IsKey(sp)) {
        if (updateTrans) TakeParentRGB(dp, ci, o.dl + i, o.dt + j);
        continue;
      }
      const int w = blend == 0 ? sp.A : (sp.A * (100 - blend)) / 100;
      int b = sp.B, g = sp.G, r = sp.R;
      if (tinted) tint.Apply(sp, b, g, r);
      dp.B = static_cast<std::uint8_t>(Mix(dp.B, b, w));
      dp.G = static_cast<std::uint8_t>(Mix(dp.G, g, w));
      dp.R = static_cast<std::uint8_t>(Mix(dp.R, r, w));
      if (keepMaxAlpha) dp.A = std::max(dp.A, sp.A);
    }
  }
  if (!reflected) return;
  const int half = src.Height / 2;
  const i64 n = std::min<i64>(i64(dst.Height) - dstRect.Bottom - 1, half - 1);
  if (n < 1) return;
  const int step = 255 / half;
  int k = 255;
  for (int r = 1; r <= n; ++r, k -= step) {
    const i64 dy = i64(dstRect.Bottom) + r, sy = i64(srcRect.Bottom) - r - 1;
    if (dy < 0 || dy >= dst.Height || sy < 0 || sy >= src.Height) continue;
    TsColor_* d = dst.Row(int(dy)) + o.dl;
    const TsColor_* s = src.Row(int(sy)) + o.sl;
    for (int i = 0; i < o.cols; ++i) {
      const TsColor_& sp = s[i];
      if (IsKey(sp)) continue;
      const int w = blend == 0 ? ((sp.A / 3) * k) / 255 : (((sp.A * (100 - blend)) / 300) * k) / 255;
      if (w < 1) continue;
      int b = sp.B, g = sp.G, rr = sp.R;
      if (tinted) tint.Apply(sp, b, g, rr);
      d[i].B = static_cast<std::uint8_t>(Mix(d[i].B, b, w));
      d[i].G = static_cast<std::uint8_t>(Mix(d[i].G, g, w));
      d[i].R = static_cast<std::uint8_t>(Mix(d[i].R, rr, w));
    }
  }
}

void CopyTransBitmaps(const TImage32View& dst, const TImage32View& src, int x, int y, TsColor transColor) {
  if (dst.Empty() || src.Empty()) return;
  const std::uint32_t t = SwapRB(static_cast<std::uint32_t>(transColor.I));
  const i64 y0 = std::max<i64>(y, 0), y1 = std::min<i64>(dst.Height - 1, i64(y) + src.Height - 1);
  const i64 x0 = std::max<i64>(x, 0), x1 = std::min<i64>(dst.Width - 1, i64(x) + src.Width - 1);
  for (i64 dy = y0; dy <= y1; ++dy) {
    TsColor_* d = dst.Row(int(dy));
    const TsColor_* s = src.Row(int(dy - y));
    for (i64 dx = x0; dx <= x1; ++dx) {
      const TsColor_& sp = s[dx - x];
      if (sp.U == t) continue;
      d[dx] = sp;
      d[dx].A = 255;
    }
  }
}

namespace {
// SrcRect clamped into Src, inclusive; visits every source pixel that lands inside Dst at (X, Y).
template <typename F>
void ForTransRect(const TImage32View& dst, const TImage32View& src, int x, int y, TRect r, F visit) {
  if (dst.Empty() || src.Empty()) return;
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, src.Width - 1);
  r.Bottom = std::min(r.Bottom, src.Height - 1);
  for (int j = 0; j <= r.Bottom - r.Top; ++j) {
    const i64 dy = i64(y) + j;
    if (dy < 0 || dy >= dst.Height) continue;
    const TsColor_* s = src.Row(r.Top + j) + r.Left;
    TsColor_* d = dst.Row(int(dy));
    for (int i = 0; i <= r.Right - r.Left; ++i) {
      const i64 dx = i64(x) + i;
      if (dx < 0 || dx >= dst.Width) continue;
      visit(d[dx], s[i], int(dx), int(dy));
    }
  }
}
}  // namespace

void CopyTransRect(const TImage32View& dst, const TImage32View& src, int x, int y, TRect srcRect, TColor transColor,
                   const TCacheInfo32& ci, bool updateTrans) {
  const std::uint32_t t = static_cast<std::uint32_t>(transColor);
  if (updateTrans && ci.Ready && !ci.Bmp.Empty()) {
    TacFast32 parent;
    if (!parent.Attach(ci.Bmp)) return;
    const bool intoParent = dst.SameImage(ci.Bmp);
    ForTransRect(dst, src, x, y, srcRect, [&](TsColor_& d, const TsColor_& s, int dx, int dy) {
      if (s.U != t) {
        d = s;
        d.A = 255;
      } else if (!intoParent) {
        if (const TsColor_* p = ci.ParentPixel(dx, dy)) {
          d = *p;
          d.A = 255;
        }
      }
    });
  } else if (ci.Ready) {
    ForTransRect(dst, src, x, y, srcRect, [&](TsColor_& d, const TsColor_& s, int, int) {
      if (s.U != t) d = s;
    });
  } else {
    TsColor_ fill;
    fill.U = AsPixel(ci.FillColor) | 0xFF000000u;
    ForTransRect(dst, src, x, y, srcRect, [&](TsColor_& d, const TsColor_& s, int, int) { d = s.U != t ? s : fill; });
  }
}

void CopyTransRectA(const TImage32View& dst, const TImage32View& src, int x, int y, TRect srcRect, TColor transColor) {
  const std::uint32_t t = AsPixel(transColor) & 0x00FFFFFFu;
  ForTransRect(dst, src, x, y, srcRect, [&](TsColor_& d, const TsColor_& s, int, int) {
    if (s.U != t) d = s;
  });
}

// Colour arithmetic

TColor MixColors(TColor color1, TColor color2, double value) {
  const std::uint32_t c1 = static_cast<std::uint32_t>(color1), c2 = static_cast<std::uint32_t>(color2);
  std::uint32_t r = c1 & 0xFF000000u;
  for (int s = 0; s < 24; s += 8) {
    const int v = RoundToInt(value * ((c1 >> s) & 0xFF) + (1 - value) * ((c2 >> s) & 0xFF));
    r |= (static_cast<std::uint32_t>(v) & 0xFFu) << s;
  }
  return static_cast<TColor>(r);
}

TsColor AverageColor(TsColor color1, TsColor color2) {
  TsColor r;
  r.I = 0;
  r.R = static_cast<std::uint8_t>((color1.R * 127 + color2.R * 129) >> 8);
  r.G = static_cast<std::uint8_t>((color1.G * 127 + color2.G * 129) >> 8);
  r.B = static_cast<std::uint8_t>((color1.B * 127 + color2.B * 129) >> 8);
  return r;
}

TColor AverageColor(TColor color1, TColor color2) {
  TsColor a, b;
  a.C = color1;
  b.C = color2;
  return AverageColor(a, b).C;
}

TColor ChangeColor(TColor colorBegin, TColor colorEnd, double value) {
  const std::uint32_t c1 = static_cast<std::uint32_t>(colorBegin), c2 = static_cast<std::uint32_t>(colorEnd);
  std::uint32_t r = 0;
  for (int s = 0; s < 24; s += 8) {
    const int a = (c1 >> s) & 0xFF, b = (c2 >> s) & 0xFF;
    int v = RoundToInt(a - (a - b) * value);
    if (v >= 256) v = 255;
    r |= (static_cast<std::uint32_t>(v) & 0xFFu) << s;
  }
  return static_cast<TColor>(r);
}

}  // namespace skin
