#include "skin/graphics/sGraphUtilsWin32.h"

#include <algorithm>

#include "skin/graphics/Dib32.h"
#include "skin/graphics/PixelMath.h"
#include "skin/graphics/SysColors.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sColorUtils.h"

namespace skin {
namespace {

// A GDI object deleted when it goes out of scope.
class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ h) : h_(h) {}
  ~GdiObject() {
    if (h_ != nullptr) DeleteObject(h_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  HGDIOBJ get() const { return h_; }
  HBRUSH brush() const { return static_cast<HBRUSH>(h_); }

 private:
  HGDIOBJ h_;
};

// The DC's state as it was, back when the scope ends.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  ~SavedDC() {
    if (id_ != 0) RestoreDC(dc_, id_);
  }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int id_;
};

COLORREF Rgb(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)) & 0x00FFFFFFu; }
COLORREF Grey(int u) { return RGB(u, u, u); }

// Start-up of the unit: the layered-window functions of user32 and the system check-box cell.
class UnitState {
 public:
  UnitState() {
    user32_ = LoadLibraryW(L"user32.dll");
    if (user32_ != nullptr) {
      update_ = reinterpret_cast<TUpdateLayeredWindow>(
          reinterpret_cast<void*>(GetProcAddress(user32_, "UpdateLayeredWindow")));
      attributes_ = reinterpret_cast<TSetLayeredWindowAttributes>(
          reinterpret_cast<void*>(GetProcAddress(user32_, "SetLayeredWindowAttributes")));
    }
    if (HBITMAP checks = LoadBitmapW(nullptr, MAKEINTRESOURCEW(32759))) {
      BITMAP bm{};
      if (GetObjectW(checks, sizeof(bm), &bm) != 0) {
        checkWidth_ = bm.bmWidth / 4;
        checkHeight_ = bm.bmHeight / 3;
      }
      DeleteObject(checks);
    }
  }
  ~UnitState() {
    if (user32_ != nullptr) FreeLibrary(user32_);
  }
  UnitState(const UnitState&) = delete;
  UnitState& operator=(const UnitState&) = delete;

  HMODULE user32_ = nullptr;
  TUpdateLayeredWindow update_ = nullptr;
  TSetLayeredWindowAttributes attributes_ = nullptr;
  int checkWidth_ = 13;
  int checkHeight_ = 13;
};

const UnitState gUnit;

void FillRectDC(HDC dc, int l, int t, int r, int b, HBRUSH brush) {
  const RECT rc{l, t, r, b};
  ::FillRect(dc, &rc, brush);
}

}  // namespace

void FillDC(HDC dc, const TRect& r, TColor color) {
  SavedDC saved(dc);
  GdiObject brush(CreateSolidBrush(Rgb(color)));
  FillRectDC(dc, r.Left, r.Top, r.Right, r.Bottom, brush.brush());
}

void FillDCBorder(HDC dc, const TRect& r, int wl, int wt, int wr, int wb, TColor color) {
  SavedDC saved(dc);
  GdiObject brush(CreateSolidBrush(Rgb(color)));
  FillRectDC(dc, r.Left, r.Top, r.Right, r.Top + wt, brush.brush());
  FillRectDC(dc, r.Left, r.Top + wt, r.Left + wl, r.Bottom, brush.brush());
  FillRectDC(dc, r.Left + wl, r.Bottom - wb, r.Right, r.Bottom, brush.brush());
  FillRectDC(dc, r.Right - wr, r.Top + wt, r.Right, r.Bottom - wb, brush.brush());
}

void BitBltBorder(HDC destDC, int x, int y, int width, int height, HDC srcDC, int srcX, int srcY, int borderWidth) {
  // Each strip at area offset (i, j) takes the source at (SrcX + i, SrcY + j).
  const auto strip = [&](int i, int j, int w, int h) {
    if (w > 0 && h > 0) BitBlt(destDC, x + i, y + j, w, h, srcDC, srcX + i, srcY + j, SRCCOPY);
  };
  const int b = std::min({borderWidth, width, height});
  if (b <= 0) return;
  strip(0, 0, b, height);
  strip(b, 0, width - b, b);
  strip(width - b, b, b, height - b);
  strip(b, height - b, width - 2 * b, b);
}

void FadeRect(HDC srcDC, const TRect& srcRect, HDC dstDC, TPoint dstPoint, int transparency, TColor color, int blur,
              bool ellipse, int radius) {
  const int w = srcRect.Right - srcRect.Left, h = srcRect.Bottom - srcRect.Top;
  if (w <= 0 || h <= 0) return;
  SavedDC savedSrc(srcDC), savedDst(dstDC);
  if (transparency == 0) {
    FillDC(dstDC, {dstPoint.X, dstPoint.Y, dstPoint.X + w, dstPoint.Y + h}, color);
    return;
  }
  if (transparency == 100) {
    BitBlt(dstDC, dstPoint.X, dstPoint.Y, w, h, srcDC, srcRect.Left, srcRect.Top, SRCCOPY);
    return;
  }
  TDib32 picture(w, h), mask(w, h);
  if (!picture.Valid() || !mask.Valid()) return;
  BitBlt(picture.DC(), 0, 0, w, h, srcDC, srcRect.Left, srcRect.Top, SRCCOPY);
  PatBlt(mask.DC(), 0, 0, w, h, WHITENESS);
  blur = std::max(0, std::min({w / 2, h / 2, blur}));
  const int t = transparency * 255 / 100;
  const double step = (255 - t) / static_cast<double>(blur + 1);
  SelectObject(mask.DC(), GetStockObject(NULL_PEN));
  for (int r = 0; r <= blur; ++r) {
    const int u = (RoundToInt(step * (blur - r)) + t) & 0xFF;
    GdiObject brush(CreateSolidBrush(Grey(u)));
    const HGDIOBJ old = SelectObject(mask.DC(), brush.get());
    if (ellipse)
      Ellipse(mask.DC(), r, r, w - r, h - r);
    else
      RoundRect(mask.DC(), r, r, w - r + 1, h - r + 1, blur + radius, blur + radius);
    SelectObject(mask.DC(), old);
  }
  TsColor c;
  c.I = ColorToRGB(color);
  BlendBmpByMask(picture.View(), mask.View(), c);
  BitBlt(dstDC, dstPoint.X, dstPoint.Y, w, h, picture.DC(), 0, 0, SRCCOPY);
}

void FadeBmp(const TImage32View& bmp, const TRect& r, int transparency, TsColor color, int blur, int radius) {
  const TRect c = bmp.Clip(r);
  const int w = c.Right - c.Left, h = c.Bottom - c.Top;
  if (w <= 0 || h <= 0 || transparency == 100) return;
  const TImage32View area{reinterpret_cast<std::uint8_t*>(bmp.Row(c.Top) + c.Left), w, h, bmp.Stride};
  if (transparency == 0) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        TsColor_& p = area.At(x, y);
        p.R = color.R, p.G = color.G, p.B = color.B;
      }
    return;
  }
  TDib32 mask(w, h);
  if (!mask.Valid()) return;
  PatBlt(mask.DC(), 0, 0, w, h, WHITENESS);
  const int limit = std::min(w / 2, h / 2);
  blur = std::clamp(blur, 0, limit);
  radius = std::clamp(radius, 0, limit);
  const int t = transparency * 255 / 100;
  const double step = (255 - t) / static_cast<double>(blur + 1);
  SelectObject(mask.DC(), GetStockObject(NULL_PEN));
  int grey = 255;  // the first ring is white, each later one takes the grey its predecessor computed
  for (int ring = 0; ring <= blur; ++ring) {
    GdiObject brush(CreateSolidBrush(Grey(grey)));
    const HGDIOBJ old = SelectObject(mask.DC(), brush.get());
    // Without a pen a rounded rectangle leaves its right column and bottom row unfilled: one more
    // of each, as in FadeRect, or the picture's last column and row would keep their colour.
    RoundRect(mask.DC(), ring, ring, w - ring + 1, h - ring + 1, radius, radius);
    SelectObject(mask.DC(), old);
    grey = (RoundToInt((blur - ring) * step) + t) & 0xFF;
  }
  {
    GdiObject brush(CreateSolidBrush(Grey(t & 0xFF)));
    const HGDIOBJ old = SelectObject(mask.DC(), brush.get());
    RoundRect(mask.DC(), blur, blur, w - blur + 1, h - blur + 1, blur, blur);
    SelectObject(mask.DC(), old);
  }
  BlendBmpByMask(area, mask.View(), color);
}

void DrawRectangleOnDC(HDC dc, TRect& r, TColor colorTop, TColor colorBottom, int& width) {
  GdiObject top(CreatePen(PS_SOLID, 1, Rgb(colorTop)));
  GdiObject bottom(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(colorBottom) & 0x00FFFFFFu));
  const HGDIOBJ oldPen = SelectObject(dc, top.get());
  const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  r.Right -= 1;
  r.Bottom -= 1;
  for (; width > 0; --width) {
    const POINT first[3] = {{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}};
    SelectObject(dc, top.get());
    Polyline(dc, first, 3);
    const POINT second[3] = {{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}};
    SelectObject(dc, bottom.get());
    Polyline(dc, second, 3);
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
  r.Right += 1;
  r.Bottom += 1;
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

void DrawColorArrow(HDC dc, TColor color, const TRect& r, int direction) {
  const COLORREF c = Rgb(color);
  ColorArrowPoints(r, direction, [&](int x, int y) { SetPixelV(dc, x, y, c); });
}

void FocusRect(HDC dc, const TRect& r, TColor color1, TColor color2) {
  const COLORREF c1 = Rgb(color1), c2 = Rgb(color2);
  FocusRectPoints(r, [&](int x, int y, int which) { SetPixelV(dc, x, y, which == 1 ? c1 : c2); });
}

int GetFontHeight(HFONT font) {
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight + 6;
}

SIZE GetStringSize(HFONT font, const std::wstring& text) {
  SIZE size{0, 0};
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  if (!GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size)) size = {0, 0};
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

TUpdateLayeredWindow UpdateLayeredWindowProc() { return gUnit.update_; }
TSetLayeredWindowAttributes SetLayeredWindowAttributesProc() { return gUnit.attributes_; }
bool acLayered() { return gUnit.update_ != nullptr; }
int SystemCheckWidth() { return gUnit.checkWidth_; }
int SystemCheckHeight() { return gUnit.checkHeight_; }

}  // namespace skin
