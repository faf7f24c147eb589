// The gauge's looks: the skinned face with its text, bar, pie or needle, the light over a bar's
// filled part, and the plain look with the text inverted.
#include "skin/controls/sGauge.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <span>
#include <string>

#include "classlib/Exception.h"
#include "classlib/ResourceStream.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sGaugeLight.h"
#include "skin/controls/sGaugeMath.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acPNG.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sBlockCopy.h"

namespace skin {

using classlib::TBitmap;
using classlib::TCanvas;

namespace {

constexpr double kPi = std::numbers::pi;

std::string UpperSection(const std::wstring& name) {
  std::string s;
  for (wchar_t c : name) s += char(std::toupper(static_cast<unsigned char>(c < 128 ? c : '?')));
  return s;
}

// A pf32bit bitmap holding a copy of Image.
std::unique_ptr<TBitmap> BitmapOf(const TBitmap32& Image) {
  auto bmp = NewBitmap32(Image.Width(), Image.Height());
  BitBlt32(View32(bmp.get()), 0, 0, Image.Width(), Image.Height(), const_cast<TBitmap32&>(Image).View(), 0, 0);
  return bmp;
}

TBitmap32 CopyOf(TBitmap* Bmp) {
  const TImage32View v = View32(Bmp);
  TBitmap32 copy(v.Width, v.Height);
  BitBlt32(copy.View(), 0, 0, v.Width, v.Height, v, 0, 0);
  return copy;
}

// A pf32bit bitmap of the given size, every pixel black.
std::unique_ptr<TBitmap> BlackBitmap(int Width, int Height) {
  auto bmp = NewBitmap32(Width, Height);
  PatBlt(bmp->Canvas()->Handle(), 0, 0, Width, Height, BLACKNESS);
  return bmp;
}

void FillWith(TCanvas* Canvas, const TRect& R, TColor Color) {
  Canvas->Brush()->SetStyle(classlib::bsSolid);
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(R);
}

}  // namespace

void TsGauge::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  TsCommonData* d = FCommonData.get();
  if (!d->Skinned()) {
    PaintUnskinned();
    return;
  }
  if (d->Updating()) {
    SetPixel(Canvas()->Handle(), 0, 0, 0xFF00FF);
    return;
  }
  PrepareCache();
  UpdateCorners(d, 0);
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), d->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
  // A gauge keeps no cache between paints.
  d->CacheBmp()->SetSize(0, 0);
}

void TsGauge::CopyCacheToScreen() {
  TCanvas* c = Canvas();
  const bool ownDC = !c->HandleAllocated();
  const classlib::TScopeExit release([&]() noexcept {
    if (ownDC) static_cast<classlib::TControlCanvas*>(c)->FreeHandle();
  });
  BitBlt(c->Handle(), 0, 0, Width(), Height(), FCommonData->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsGauge::PrepareCache() {
  TsCommonData* d = FCommonData.get();
  InitCacheBmp(d);
  TBitmap* cache = d->CacheBmp();
  TCacheInfo ci;
  GetParentCache(d, ci);
  const TRect r{0, 0, Width(), Height()};
  TsSkinManager* sm = d->GetSkinManager();
  const bool reserved = sm != nullptr && sm->IsValidSkinIndex(d->SkinIndex) &&
                        sm->Records().gd[std::size_t(d->SkinIndex)].ReservedBoolean;
  if (reserved && IsBar()) {
    PaintItemBG(d, ci, 0, r, TPoint{Left(), Top()}, cache);
    PaintBody(cache);
    if (sm->IsValidImgIndex(d->BorderIndex))
      DrawSkinRect(cache, r, true, ci, sm->Records().ma[std::size_t(d->BorderIndex)], 0, false);
  } else {
    PaintItem(d, ci, true, 0, r, TPoint{Left(), Top()}, cache, false);
    PaintBody(cache);
  }
  d->BGChanged = false;
}

void TsGauge::WriteSkinText(TCanvas* Canvas, TRect R, int SectionIndex) {
  Canvas->SetFont(Font());
  const UINT flags = GetStringFlags(this, classlib::taCenter) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  WriteTextEx(Canvas, ValueText(), Enabled(), R, flags, SectionIndex, false, FCommonData->GetSkinManager());
}

void TsGauge::PaintBody(TBitmap* Cache) {
  if (FShowText) WriteSkinText(Cache->Canvas(), TRect{0, 0, Width(), Height()}, FCommonData->SkinIndex);
  switch (FKind) {
    case gkHorizontalBar:
    case gkVerticalBar: PaintBar(Cache); break;
    case gkPie: PaintPie(Cache->Canvas(), TRect{0, 0, Width(), Height()}, false); break;
    case gkNeedle: PaintNeedle(Cache->Canvas(), TRect{0, 0, Width(), Height()}, false); break;
    case gkText: break;
  }
}

void TsGauge::PaintBar(TBitmap* Cache) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (sm == nullptr) return;
  const int w = Width(), h = Height();
  const bool vertical = FKind == gkVerticalBar;
  std::string section = !FProgressSkin.empty()     ? UpperSection(FProgressSkin)
                        : (!vertical || FAnimated) ? std::string("PROGRESSH")
                                                   : std::string("PROGRESSV");
  int index = sm->GetSkinIndex(section);
  const int percent = GetPercentDone();

  if (vertical && !FAnimated && sm->IsValidSkinIndex(index)) {
    const int p = GaugeFilledLength(h, percent);
    if (p <= 0) return;
    auto part = NewBitmap32(w, p);
    PaintItem(index, section, MakeCacheInfo(Cache), true, 0, TRect{0, 0, w, p}, TPoint{0, h - p}, part.get(), sm);
    if (FShowText) WriteSkinText(part->Canvas(), TRect{0, p - h, w, p}, index);
    BitBlt(Cache->Canvas()->Handle(), 0, h - p, w, p, part->Canvas()->Handle(), 0, 0, SRCCOPY);
    return;
  }

  // The filled part is built lying down: a vertical bar works on its face turned a quarter clockwise.
  TCacheInfo background = MakeCacheInfo(Cache);
  std::unique_ptr<TBitmap> turnedFace;
  int length = w, thickness = h;
  if (vertical) {
    if (!sm->IsValidSkinIndex(index)) {
      section = "PROGRESSH";
      index = sm->GetSkinIndex(section);
    }
    turnedFace = BitmapOf(MakeRotated90(View32(Cache), true));
    background = MakeCacheInfo(turnedFace.get());
    length = h;
    thickness = w;
  }
  const int p = GaugeFilledLength(length, percent);
  if (p <= 0 || !sm->IsValidSkinIndex(index)) return;
  auto part = NewBitmap32(p, thickness);
  const bool reserved = sm->IsValidSkinIndex(FCommonData->SkinIndex) &&
                        sm->Records().gd[std::size_t(FCommonData->SkinIndex)].ReservedBoolean;
  const bool lit = FAnimated && FAnimPos < kGaugeAnimSize + p;

  TBitmap32 mask;
  if (lit) {
    if (Light.Width() != kGaugeAnimSize || Light.Height() != thickness) UpdateLighting(thickness);
    const TRect covered = GaugeLightRect(p, thickness, FAnimPos);
    const int shape = sm->GetMaskIndex(index, section, "LRGN");
    if (!reserved && covered.Right > covered.Left && sm->IsValidImgIndex(shape)) {
      auto shaped = NewBitmap32(p, thickness);
      TCacheInfo notReady;
      notReady.FillColor = 0xFFFFFF;
      DrawSkinRect(shaped.get(), TRect{0, 0, p, thickness}, true, notReady, sm->Records().ma[std::size_t(shape)], 0,
                   false);
      mask = CopyOf(shaped.get());
    }
  }

  if (FTmpProgressBmp.Width() == p && FTmpProgressBmp.Height() == thickness) {
    BitBlt32(View32(part.get()), 0, 0, p, thickness, FTmpProgressBmp.View(), 0, 0);
  } else {
    const TRect r{0, 0, p, thickness};
    if (reserved)
      PaintItemBG(index, section, background, 0, r, TPoint{0, 0}, part.get(), sm, -1, -1, clFuchsia);
    else
      PaintItem(index, section, background, true, 0, r, TPoint{0, 0}, part.get(), sm);
    FTmpProgressBmp = CopyOf(part.get());
  }

  if (lit) GaugeApplyLight(View32(part.get()), Light.View(), mask.View(), FAnimPos);

  if (vertical) {
    auto upright = BitmapOf(MakeRotated90(View32(part.get()), false));
    if (FShowText) WriteSkinText(upright->Canvas(), TRect{0, p - h, w, p}, index);
    BitBlt(Cache->Canvas()->Handle(), 0, h - p, w, p, upright->Canvas()->Handle(), 0, 0, SRCCOPY);
  } else {
    if (FShowText) WriteSkinText(part->Canvas(), TRect{0, 0, w, h}, index);
    BitBlt(Cache->Canvas()->Handle(), 0, 0, p, thickness, part->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
}

void TsGauge::UpdateLighting(int Thickness) {
  Light = {};
  try {
    classlib::TResourceStream stream(GetModuleHandleW(nullptr), L"ACGL");
    TPNGGraphic png;
    png.LoadFromBytes(std::span<const std::uint8_t>(stream.Memory(), std::size_t(stream.Size())));
    if (png.PixelFormat() != classlib::pf32bit) png.SetPixelFormat(classlib::pf32bit);
    Light = GaugeLightStrip(View32(&png), Thickness, Height());
  } catch (const classlib::Exception&) {
    // A program without the picture (or with a broken one) shows its bars without the light.
  }
}

// ---- pie and needle ----

void TsGauge::PaintPie(TCanvas* Canvas, const TRect& R, bool Unskinned) {
  const int grow = Unskinned && FBorderStyle == classlib::bsSingle ? 1 : 0;
  const int w = std::max(R.Right - R.Left + grow, 0), h = std::max(R.Bottom - R.Top + grow, 0);
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetStyle(classlib::psSolid);
  Canvas->Pen()->SetColor(FForeColor);
  Canvas->Brush()->SetStyle(classlib::bsSolid);
  Canvas->Brush()->SetColor(FBackColor);
  Canvas->Ellipse(R.Left, R.Top, w, h);
  const int percent = GetPercentDone();
  if (percent < 1) return;
  Canvas->Brush()->SetColor(FForeColor);
  const int cx = w / 2, cy = h / 2;
  const double a = (percent / 50.0 + 0.5) * kPi;
  Canvas->Pie(R.Left, R.Top, w, h, int(std::lround((1 - std::cos(a)) * cx)), int(std::lround((1 - std::sin(a)) * cy)),
              cx, 0);
}

void TsGauge::PaintNeedle(TCanvas* Canvas, const TRect& R, bool Unskinned) {
  const int grow = Unskinned && FBorderStyle == classlib::bsSingle ? 1 : 0;
  const int w = std::max(R.Right - R.Left + grow, 0), h = std::max(R.Bottom - R.Top + grow, 0);
  const auto dial = [&] {
    Canvas->Pie(R.Left, R.Top, w, 2 * h - 1, R.Left + w, R.Bottom - 1, R.Left, R.Bottom - 1);
    Canvas->MoveTo(R.Left, R.Bottom);
    Canvas->LineTo(R.Left + w, R.Bottom);
  };
  Canvas->Pen()->SetWidth(1);
  if (Unskinned) {
    Canvas->Brush()->SetStyle(classlib::bsSolid);
    Canvas->Brush()->SetColor(FBackColor);
  } else {
    Canvas->Brush()->SetStyle(classlib::bsClear);
  }
  dial();
  Canvas->Pen()->SetColor(FForeColor);
  Canvas->Pen()->SetStyle(classlib::psSolid);
  dial();
  const int percent = GetPercentDone();
  if (percent < 1) return;
  const double a = percent / 100.0 * kPi;
  const int half = Width() / 2;
  Canvas->MoveTo(half, R.Bottom - 1);
  Canvas->LineTo(int(std::lround((1 - std::cos(a)) * half)), int(std::lround((1 - std::sin(a)) * (R.Bottom - 1))));
}

// ---- without a skin ----

void TsGauge::PaintUnskinned() {
  const int w = Width(), h = Height();
  auto target = BlackBitmap(w, h);
  TRect r{0, 0, w, h};
  // The black edge left round the face is the frame.
  if (FBorderStyle == classlib::bsSingle) r = TRect{1, 1, w - 1, h - 1};
  auto face = BlackBitmap(w, h);
  TCanvas* c = face->Canvas();
  const int percent = GetPercentDone();
  switch (FKind) {
    case gkText: FillWith(c, r, FBackColor); break;
    case gkHorizontalBar: {
      FillWith(c, r, FBackColor);
      const int w1 = r.Right - r.Left + 1, h1 = r.Bottom - r.Top + 1;
      const int filled = GaugeFilledLength(w1, percent);
      if (filled >= 1) FillWith(c, TRect{r.Left, r.Top, filled, h1}, FForeColor);
      break;
    }
    case gkVerticalBar: {
      FillWith(c, r, FBackColor);
      const int w1 = r.Right - r.Left + 1, h1 = r.Bottom - r.Top + 1;
      const int filled = GaugeUnskinnedVerticalFill(h1, percent);
      if (filled >= 1) FillWith(c, TRect{r.Left, h1 - filled, w1, h1}, FForeColor);
      break;
    }
    case gkPie:
      FillWith(c, r, Color());
      PaintPie(c, r, true);
      break;
    case gkNeedle:
      FillWith(c, r, Color());
      PaintNeedle(c, r, true);
      break;
  }
  const HDC dc = target->Canvas()->Handle();
  BitBlt(dc, 0, 0, w, h, c->Handle(), 0, 0, SRCINVERT);
  if (FShowText) WriteInvertedText(dc, r);
  BitBlt(Canvas()->Handle(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
}

void TsGauge::WriteInvertedText(HDC Target, const TRect& R) {
  auto text = BlackBitmap(Width(), Height());
  TCanvas* c = text->Canvas();
  c->SetFont(Font());
  c->Font()->SetColor(classlib::clWhite);
  c->Brush()->SetStyle(classlib::bsClear);
  const std::wstring value = ValueText();
  const TSize size = c->TextExtent(value);
  const int x = R.Left + (R.Right - R.Left - size.cx + 1) / 2;
  const int y = R.Top + (R.Bottom - R.Top - size.cy + 1) / 2;
  const HDC dc = c->TextHandle();
  SetBkMode(dc, TRANSPARENT);
  RECT clip{R.Left, R.Top, R.Right, R.Bottom};
  ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, value.c_str(), UINT(value.size()), nullptr);
  BitBlt(Target, 0, 0, Width(), Height(), dc, 0, 0, SRCINVERT);
}

}  // namespace skin
