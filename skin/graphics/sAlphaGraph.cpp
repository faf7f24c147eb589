#include "skin/graphics/sAlphaGraph.h"

#include <algorithm>

#include "skin/graphics/PixelKernels.h"
#include "skin/graphics/PixelMath.h"
#include "skin/graphics/SysColors.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {
namespace {

std::uint32_t* RowU(const TImage32View& v, int y) { return reinterpret_cast<std::uint32_t*>(v.Row(y)); }

}  // namespace

// TacFast32

bool TacFast32::Attach(const TImage32View& bmp) {
  if (bmp.Bits == nullptr || bmp.Height < 2 || bmp.Width < 1) {
    FBitmap = {};
    FWidth = 0;
    FHeight = 0;
    return false;
  }
  FBitmap = bmp;
  FWidth = bmp.Width;
  FHeight = bmp.Height;
  return true;
}

TsColor TacFast32::GetPixel(int x, int y) const {
  TsColor c;
  c.I = 0;
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return c;
  c.I = static_cast<std::int32_t>(SwapRB(FBitmap.At(x, y).U));
  return c;
}

void TacFast32::SetPixel(int x, int y, TsColor color) {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
  FBitmap.At(x, y).U = SwapRB(static_cast<std::uint32_t>(color.I));
}

void TacFast32::FillRect(const TRect& r, TsColor_& color) {
  if (r.Left >= r.Right || r.Top >= r.Bottom) return;
  color.A = 255;
  if (FWidth == 0) return;
  const TRect c = FBitmap.Clip(r);
  const int w = c.Right - c.Left;
  const bool stream = static_cast<long long>(w) * (c.Bottom - c.Top) * 4 > kernels::kStreamFillBytes;
  for (int y = c.Top; y < c.Bottom; ++y) kernels::Fill(RowU(FBitmap, y) + c.Left, w, color.U, stream);
  if (stream) kernels::FinishStreaming();
}

void TacFast32::FillBitmap(TsColor_& color) { FillRect({0, 0, FWidth, FHeight}, color); }

// TacFastSum32

bool TacFastSum32::Attach(const TImage32View& src, const TImage32View& dst) {
  if (src.Bits == nullptr || dst.Bits == nullptr || src.Width < 2 || src.Height < 2 || dst.Width < 2 ||
      dst.Height < 2) {
    FBmpSrc = FBmpDst = {};
    FWidthDst = FHeightDst = 0;
    return false;
  }
  FBmpSrc = src;
  FBmpDst = dst;
  FWidthDst = std::min(src.Width, dst.Width);
  FHeightDst = std::min(src.Height, dst.Height);
  return true;
}

void TacFastSum32::BlendBitmapsRect() {
  if (FWidthDst == 0) return;
  // Columns pair from the left: x -> x - DstX1 + SrcX1; rows from the bottom: y -> y - DstY2 + SrcY2.
  const long long dx = static_cast<long long>(SrcX1) - DstX1;
  const long long dy = static_cast<long long>(SrcY2) - DstY2;
  long long x1 = std::max<long long>({DstX1, 0, -dx});
  long long x2 = std::min<long long>({DstX2, FBmpDst.Width, FBmpSrc.Width - dx});
  long long y1 = std::max<long long>({DstY1, 0, -dy});
  long long y2 = std::min<long long>({DstY2, FBmpDst.Height, FBmpSrc.Height - dy});
  if (x1 >= x2 || y1 >= y2) return;
  const int n = static_cast<int>(x2 - x1);
  for (long long y = y2 - 1; y >= y1; --y) {
    kernels::BlendConst(RowU(FBmpDst, static_cast<int>(y)) + x1, RowU(FBmpSrc, static_cast<int>(y + dy)) + (x1 + dx), n,
                        Alpha);
  }
}

void TacFastSum32::BlendBitmaps() {
  for (int y = 0; y < FHeightDst; ++y) kernels::BlendConst(RowU(FBmpDst, y), RowU(FBmpSrc, y), FWidthDst, Alpha);
}

// Colour byte order and fills

void FillLongword(std::uint32_t* x, int count, std::uint32_t value) {
  if (x != nullptr) kernels::Fill(x, count, value);
}

TColor SwapColor(TColor color) { return static_cast<TColor>(SwapRB(static_cast<std::uint32_t>(color))); }
TColor SwapRedBlue(TColor color) { return SwapColor(color); }
TColor CorrectColor32(TColor color) { return static_cast<TColor>(static_cast<std::uint32_t>(color) | 0xFF000000u); }

void FillRect32(const TImage32View& bmp, const TRect& r, TColor color) {
  TsColor_ c;
  c.U = AsPixel(color) | 0xFF000000u;
  if (bmp.Empty()) return;
  if (bmp.Height == 1) {
    // Too low for TacFast32: the single row is filled directly.
    if (r.Top != 0 || r.Bottom <= r.Top) return;
    const int l = std::max(r.Left, 0), rr = std::min(r.Right, bmp.Width);
    if (l < rr) kernels::Fill(RowU(bmp, 0) + l, rr - l, c.U);
    return;
  }
  TacFast32 f;
  if (f.Attach(bmp)) f.FillRect(r, c);
}

void FillAlphaRect(const TImage32View& bmp, const TRect& r, std::uint8_t value, bool skipKey) {
  const TRect c = bmp.Clip(r);
  for (int y = c.Top; y < c.Bottom; ++y) {
    TsColor_* row = bmp.Row(y);
    for (int x = c.Left; x < c.Right; ++x) {
      if (skipKey && row[x].U == kKeyPixel) continue;
      row[x].A = value;
    }
  }
}

void FillDCBorder32(const TImage32View& bmp, const TRect& r, int wl, int wt, int wr, int wb, TColor color) {
  FillRect32(bmp, {r.Left, r.Top, r.Right, r.Top + wt}, color);
  FillRect32(bmp, {r.Left, r.Top + wt, r.Left + wl, r.Bottom}, color);
  FillRect32(bmp, {r.Left + wl, r.Bottom - wb, r.Right, r.Bottom}, color);
  FillRect32(bmp, {r.Right - wr, r.Top + wt, r.Right, r.Bottom - wb}, color);
}

void BlendColorRect(const TImage32View& bmp, TRect r, int blend, TColor color) {
  if (bmp.Empty()) return;
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, bmp.Width - 1);
  r.Bottom = std::min(r.Bottom, bmp.Height - 1);
  const double d = blend / 100.0;
  const double e = 1.0 - d;
  const TColor rgb = ColorToRGB(color);
  const double cr = RedOf(rgb) * e, cg = GreenOf(rgb) * e, cb = BlueOf(rgb) * e;
  for (int y = r.Top; y <= r.Bottom; ++y) {
    TsColor_* row = bmp.Row(y);
    for (int x = r.Left; x <= r.Right; ++x) {
      TsColor_& p = row[x];
      p.R = static_cast<std::uint8_t>(RoundToInt(p.R * d + cr));
      p.G = static_cast<std::uint8_t>(RoundToInt(p.G * d + cg));
      p.B = static_cast<std::uint8_t>(RoundToInt(p.B * d + cb));
    }
  }
}

void BmpDisabledKind(const TImage32View& bmp, bool grayed, bool blended, const TCacheInfo32& ci, TPoint p,
                     TColor controlColor) {
  if (bmp.Empty()) return;
  if (grayed) GrayScale(bmp);
  if (!blended) return;
  if (ci.Ready) {
    const int x0 = ci.X + p.X, y0 = ci.Y + p.Y;
    BlendTransRectangle(bmp, 0, 0, ci.Bmp, {x0, y0, x0 + bmp.Width - 1, y0 + bmp.Height - 1}, 0.4,
                        static_cast<TColor>(kKeyPixel));
  } else {
    BlendColorRect(bmp, {0, 0, bmp.Width, bmp.Height}, 50, ci.FillColor == clFuchsia ? controlColor : ci.FillColor);
  }
}

// Background into transparent places

namespace {

// The block of R that has a source pixel from P on and lies in both images, as (dst rect, src origin).
bool TransBlock(const TImage32View& dst, const TImage32View& src, const TRect& r, TPoint p, TRect& out, TPoint& srcAt) {
  if (dst.Empty() || src.Empty()) return false;
  const long long w =
      std::min<long long>(static_cast<long long>(r.Right) - r.Left - 1, static_cast<long long>(src.Width) - p.X - 1) +
      1;
  const long long h =
      std::min<long long>(static_cast<long long>(r.Bottom) - r.Top - 1, static_cast<long long>(src.Height) - p.Y - 1) +
      1;
  // Clip the block to both images: first to the source from P, then to the destination.
  long long l = r.Left, t = r.Top, rt = r.Left + w, b = r.Top + h;
  l = std::max<long long>({l, 0, static_cast<long long>(r.Left) - p.X});
  t = std::max<long long>({t, 0, static_cast<long long>(r.Top) - p.Y});
  rt = std::min<long long>(rt, dst.Width);
  b = std::min<long long>(b, dst.Height);
  if (l >= rt || t >= b) return false;
  out = {static_cast<int>(l), static_cast<int>(t), static_cast<int>(rt), static_cast<int>(b)};
  srcAt = {static_cast<int>(p.X + (l - r.Left)), static_cast<int>(p.Y + (t - r.Top))};
  return true;
}

}  // namespace

void FillTransPixels32(const TImage32View& dst, const TImage32View& src, const TRect& r, TPoint p) {
  TRect b;
  TPoint s;
  if (!TransBlock(dst, src, r, p, b, s)) return;
  for (int y = b.Top; y < b.Bottom; ++y) {
    TsColor_* d = dst.Row(y);
    const TsColor_* sr = src.Row(s.Y + (y - b.Top));
    for (int x = b.Left; x < b.Right; ++x)
      if ((d[x].U & 0xFFFFFFu) == 0xFF00FFu) d[x] = sr[s.X + (x - b.Left)];
  }
}

void FillTransPixels32(const TImage32View& dst, const TImage32View& src, const TRect& r, TPoint p,
                       const TImage32View& mask, TPoint maskOrigin) {
  TRect b;
  TPoint s;
  if (mask.Empty() || !TransBlock(dst, src, r, p, b, s)) return;
  for (int y = b.Top; y < b.Bottom; ++y) {
    const long long my = static_cast<long long>(maskOrigin.Y) + (y - r.Top);
    if (my < 0 || my >= mask.Height) continue;
    TsColor_* d = dst.Row(y);
    const TsColor_* sr = src.Row(s.Y + (y - b.Top));
    const TsColor_* mr = mask.Row(static_cast<int>(my));
    for (int x = b.Left; x < b.Right; ++x) {
      const long long mx = static_cast<long long>(maskOrigin.X) + (x - r.Left);
      if (mx < 0 || mx >= mask.Width) continue;
      if ((mr[mx].U & 0xFFFFFFu) == 0xFF00FFu) d[x] = sr[s.X + (x - b.Left)];
    }
  }
}

TPoint CornerBlockOrigin(const TRect& imageR, int widthOfImage, int heightOfImage, int wr, int wb, int corner) {
  switch (corner) {
    case 14: return {imageR.Left + widthOfImage - wr, imageR.Top};
    case 16: return {imageR.Left, imageR.Top + heightOfImage - wb};
    case 17: return {imageR.Left + widthOfImage - wr, imageR.Top + heightOfImage - wb};
    default: return {imageR.Left, imageR.Top};
  }
}

void ApplyTextCoverage32(const TImage32View& dst, const TRect& r, const TImage32View& coverage, TColor color) {
  if (dst.Empty() || coverage.Empty()) return;
  const int cr = RedOf(color), cg = GreenOf(color), cb = BlueOf(color);
  const int h = std::min(coverage.Height, r.Bottom - r.Top), w = std::min(coverage.Width, r.Right - r.Left);
  for (int j = std::max(0, -r.Top); j < h; ++j) {
    const int y = r.Top + j;
    if (y >= dst.Height) break;
    const TsColor_* c = coverage.Row(j);
    TsColor_* d = dst.Row(y);
    for (int i = std::max(0, -r.Left); i < w; ++i) {
      const int x = r.Left + i;
      if (x >= dst.Width) break;
      const std::uint32_t u = c[i].U;
      if (u == 0x00FFFFFFu || u == 0xFFFFFFFFu) continue;
      const int k = (c[i].R + c[i].G + c[i].B) / 3;
      d[x].R = static_cast<std::uint8_t>(((d[x].R - cr) * k + cr * 256) >> 8);
      d[x].G = static_cast<std::uint8_t>(((d[x].G - cg) * k + cg * 256) >> 8);
      d[x].B = static_cast<std::uint8_t>(((d[x].B - cb) * k + cb * 256) >> 8);
      d[x].A = 255;
    }
  }
}

}  // namespace skin
