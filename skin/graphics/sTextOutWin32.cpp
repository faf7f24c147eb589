#include "skin/graphics/sTextOutWin32.h"

#include <algorithm>

namespace skin {

using classlib::TBitmap;
using classlib::TCanvas;

namespace {

int Width(const TRect& r) { return r.Right - r.Left; }
int Height(const TRect& r) { return r.Bottom - r.Top; }
int PositiveWidth(const TRect& r) { return std::max(Width(r), 0); }

int DrawOn(HDC dc, const std::wstring& text, TRect r, UINT flags) {
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  return DrawTextW(dc, text.c_str(), static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX)), &rc, flags);
}

TRect Moved(const TRect& r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

// R fitted to a text of Extent as WriteText describes: the drawing rectangle.
TRect FitToText(const TRect& r, SIZE extent, UINT flags, bool clampWidths) {
  const TRect t{r.Left, r.Top, r.Left + extent.cx, r.Top + extent.cy};
  const int dy = (Height(t) - Height(r)) / 2;
  TRect d = r;
  const int wt = clampWidths ? PositiveWidth(t) : Width(t);
  const int wr = clampWidths ? PositiveWidth(r) : Width(r);
  if (flags & DT_CENTER) {
    const int dx = (wt - wr) / 2;
    d = {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
  } else if (flags & DT_RIGHT) {
    d.Top -= dy;
    d.Bottom += dy;
    d.Left += wr - wt;
  } else {
    d.Top -= dy;
    d.Bottom += dy;
    d.Right += Width(t) - Width(r);
  }
  return d;
}

}  // namespace

std::wstring CutText(TCanvas* canvas, const std::wstring& text, int maxWidth) {
  if (maxWidth <= 0) return {};
  std::wstring result = text;
  if (canvas->TextWidth(result) <= maxWidth) return result;
  while (!result.empty() && canvas->TextWidth(result + L"...") > maxWidth) result.pop_back();
  return result.empty() ? result : result + L"...";
}

void WriteText(TCanvas* canvas, const std::wstring& text, bool enabled, TRect& r, UINT flags) {
  TRect d = r;
  if (!(flags & DT_WORDBREAK)) {
    const TSize e = canvas->TextExtent(text);
    d = FitToText(r, SIZE{e.cx, e.cy}, flags, true);
    r = {d.Left - 1, d.Top - 1, d.Right + 1, d.Bottom + 1};
  }
  canvas->Brush()->SetStyle(classlib::bsClear);
  if (text.empty()) return;
  if (!enabled) {
    canvas->Font()->SetColor(classlib::ColorToRGB(classlib::clBtnHighlight));
    DrawOn(canvas->TextHandle(), text, Moved(d, 1, 1), flags);
    canvas->Font()->SetColor(classlib::ColorToRGB(classlib::clBtnShadow));
  }
  HDC dc = canvas->TextHandle();
  SetBkMode(dc, TRANSPARENT);
  DrawOn(dc, text, d, flags);
}

void WriteTextOnDC(HDC dc, const std::wstring& text, bool enabled, TRect& r, UINT flags) {
  SetBkMode(dc, TRANSPARENT);
  TRect d = r;
  if (!(flags & DT_WORDBREAK)) {
    SIZE e{};
    acGetTextExtent(dc, text, e);
    d = FitToText(r, e, flags, false);
    r = {d.Left - 1, d.Top - 1, d.Right + 1, d.Bottom + 1};
  }
  if (text.empty()) return;
  if (!enabled) DrawOn(dc, text, Moved(d, 1, 1), flags);
  DrawOn(dc, text, d, flags);
}

void acWriteText(TCanvas* canvas, const std::wstring& text, bool /*enabled*/, TRect& r, UINT flags) {
  if (text.empty()) return;
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  DrawTextW(canvas->TextHandle(), text.c_str(), static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX)), &rc,
            flags);
  r = {rc.left, rc.top, rc.right, rc.bottom};
}

int acDrawText(HDC dc, const std::wstring& text, TRect& r, UINT flags) {
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  const int result =
      DrawTextW(dc, text.c_str(), static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX)), &rc, flags);
  r = {rc.left, rc.top, rc.right, rc.bottom};
  return result;
}

TSize acTextExtent(TCanvas* canvas, const std::wstring& text) { return canvas->TextExtent(text); }
int acTextWidth(TCanvas* canvas, const std::wstring& text) { return canvas->TextExtent(text).cx; }
int acTextHeight(TCanvas* canvas, const std::wstring& text) { return canvas->TextExtent(text).cy; }
void acTextRect(TCanvas* canvas, const TRect& r, int x, int y, const std::wstring& text) {
  canvas->TextRect(r, x, y, text);
}

void acGetTextExtent(HDC dc, const std::wstring& text, SIZE& size) {
  size = SIZE{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX)), &size);
}

void acDrawGlowForText(TBitmap* dst, const std::wstring& text, const TRect& r, UINT textFlags, int sides, int glowSize,
                       TColor color, std::unique_ptr<TDib8>& mask) {
  if (dst == nullptr || dst->PixelFormat() != classlib::pf32bit) return;
  const int d = GlowMargin(glowSize);
  const int w = std::max(Width(r) + 2 * d, 0), h = std::max(Height(r) + 2 * d, 0);
  if (!mask || mask->Width() != w || mask->Height() != h) {
    mask = std::make_unique<TDib8>(w, h);
    if (!mask->Valid()) return;
    HDC dc = mask->DC();
    PatBlt(dc, 0, 0, w, h, WHITENESS);
    HGDIOBJ oldFont = SelectObject(dc, dst->Canvas()->Font()->Handle());
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    const TRect t{d, d, d + Width(r), d + Height(r)};
    if (sides & kGlowLeft) DrawOn(dc, text, Moved(t, -1, 0), textFlags);
    if (sides & kGlowUp) DrawOn(dc, text, Moved(t, 0, -1), textFlags);
    if (sides & kGlowRight) DrawOn(dc, text, Moved(t, 1, 0), textFlags);
    if (sides & kGlowDown) DrawOn(dc, text, Moved(t, 0, 1), textFlags);
    DrawOn(dc, text, t, textFlags);
    SelectObject(dc, oldFont);
    Blur8(mask->View(), glowSize);
  }
  if (!mask->Valid()) return;
  ApplyGlowMask(dst->Image32View(), mask->View(), TPoint{r.Left - d, r.Top - d}, classlib::ColorToRGB(color));
}

void Blur8(TBitmap* bmp, double radius) {
  if (bmp == nullptr || bmp->Empty() || bmp->PixelFormat() != classlib::pf8bit) return;
  auto* top = static_cast<std::uint8_t*>(bmp->ScanLine(0));
  const std::ptrdiff_t stride =
      bmp->Height() > 1 ? static_cast<std::uint8_t*>(bmp->ScanLine(1)) - top : ((bmp->Width() + 3) & ~3);
  Blur8(TImage8View{top, bmp->Width(), bmp->Height(), stride}, radius);
}

}  // namespace skin
