// The dialog rendered into the cache of its skin state (frame, title, icon, caption text, title
// buttons), the cache shown in the client area and the frame, single title buttons repainted, and
// the window region without the transparent corners of the frame images.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/acSBAnimation.h"

namespace skin {

using classlib::TBitmap;

namespace {

HICON DefaultIconCopier(HICON Icon, int Width, int Height) {
  return static_cast<HICON>(CopyImage(Icon, IMAGE_ICON, Width, Height, LR_COPYFROMRESOURCE));
}

TacIconCopier g_iconCopier = &DefaultIconCopier;

int LimitState(int State, int States) { return std::max(0, std::min(State, States - 1)); }

// Copies a block between two 32-bit bitmaps, cut to what lies inside both.
void CopyBlock(TBitmap* Dst, TPoint DstAt, TBitmap* Src, TPoint SrcAt, TSize Size) {
  const TacCopyArea a = ClipCopyArea({Src->Width(), Src->Height()}, SrcAt, {Dst->Width(), Dst->Height()}, DstAt, Size);
  if (a.Empty()) return;
  const TImage32View from = Src->Image32View();
  const TImage32View to = Dst->Image32View();
  for (int y = 0; y < a.Size.cy; ++y)
    std::memcpy(&to.At(a.Dst.X, a.Dst.Y + y), &from.At(a.Src.X, a.Src.Y + y), static_cast<std::size_t>(a.Size.cx) * 4);
}

bool IsStaticClass(HWND Wnd) { return _wcsicmp(GetWndClassName(Wnd).c_str(), L"static") == 0; }

}  // namespace

void SetDialogIconCopier(TacIconCopier Copier) { g_iconCopier = Copier != nullptr ? Copier : &DefaultIconCopier; }

HICON CopyDialogIcon(HICON Icon, int Width, int Height) {
  return Icon != nullptr ? g_iconCopier(Icon, Width, Height) : nullptr;
}

// ---- the cache ----

void TacDialogWnd::PaintAll() {
  if ((FormState & kFormBlending) != 0 || !Skinned()) return;
  RefreshGeometry();
  if (SkinData->CacheBmp() == nullptr) InitCacheBmp(SkinData);
  TBitmap* cache = SkinData->CacheBmp();
  if (cache == nullptr || WndSize.cx <= 0 || WndSize.cy <= 0) return;
  if (cache->PixelFormat() != classlib::pf32bit) cache->SetPixelFormat(classlib::pf32bit);
  if (cache->Width() != WndSize.cx || cache->Height() != WndSize.cy) {
    cache->SetSize(WndSize.cx, WndSize.cy);
    SkinData->BGChanged = true;
  }
  const int titleBottom = SysBorderHeight(CtrlHandle, nullptr, false) + CaptionHeight(true);
  TRect r{0, 0, WndSize.cx, WndSize.cy};
  if (IsIconic(CtrlHandle)) r.Bottom = std::min(r.Bottom, titleBottom + 1);
  if (!SkinData->BGChanged) return;
  RgnChanged = true;
  const TsGeneralData& gd = SkinManager->Records().gd[SkinData->SkinIndex];
  PaintItem(SkinData->SkinIndex, SkinData->SkinSection(), EmptyCI, true, LimitState(FFormActive ? 1 : 0, gd.States), r,
            TPoint{}, cache, SkinManager);
  PaintTitle(titleBottom, r);
  if (IsBorderUnchanged(SkinData->BorderIndex, SkinManager) &&
      (TitleBG == nullptr || TitleBG->Width() != cache->Width()))
    MakeTitleBG();
  if (CaptionHeight(true) != 0) {
    SaveBGForBtns();
    PaintBorderIcons();
  }
  SkinData->BGChanged = false;
}

void TacDialogWnd::PaintTitle(int TitleBottom, const TRect& R) {
  if (CaptionHeight(true) == 0) return;
  TBitmap* cache = SkinData->CacheBmp();
  if (SkinManager->IsValidSkinIndex(TitleIndex)) {
    const int state = LimitState(FFormActive ? 1 : 0, SkinManager->Records().gd[TitleIndex].States);
    PaintItem(TitleIndex, TitleSection, MakeCacheInfo(cache), true, state, TRect{R.Left, R.Top, R.Right, TitleBottom},
              TPoint{}, cache, SkinManager);
  }
  DrawAppIcon();
  PaintCaptionText(TitleBottom, R);
}

void TacDialogWnd::DrawAppIcon() {
  TBitmap* cache = SkinData->CacheBmp();
  const TRect r = IconRect();
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  // The copy is ours and goes right after drawing; the system's application icon is shared.
  HICON copy = CopyDialogIcon(TitleIcon, w, h);
  HICON icon = copy != nullptr ? copy : LoadIconW(nullptr, IDI_APPLICATION);
  DrawIconEx(cache->Canvas()->Handle(), r.Left, r.Top, icon, w, h, 0, nullptr, DI_NORMAL);
  if (copy != nullptr) DestroyIcon(copy);
}

void TacDialogWnd::PaintCaptionText(int TitleBottom, const TRect& R) {
  TBitmap* cache = SkinData->CacheBmp();
  classlib::TCanvas* canvas = cache->Canvas();
  acSetTitleFont(canvas->Font(), static_cast<classlib::TFontCharset>(DEFAULT_CHARSET));
  const TsSkinData& sd = SkinManager->Records().SkinData;
  TRect t;
  t.Left = SysBorderWidth(CtrlHandle, nullptr, true) + GetSystemMetrics(SM_CXSMICON) + sd.BILeftMargin + 4;
  t.Top = 2;
  t.Right = R.Right - TitleBtnsWidth() - 6;
  t.Bottom = TitleBottom;
  if (t.Right <= t.Left || t.Bottom <= t.Top) return;
  const int textHeight = canvas->TextExtent(Caption.empty() ? std::wstring(L"W") : Caption).cy;
  t.Top += (t.Bottom - t.Top - textHeight) / 2;
  t.Bottom = t.Top + textHeight;
  const bool rtl = (dwExStyle & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL)) != 0;
  const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | (rtl ? DT_RIGHT | DT_RTLREADING : 0u);
  int section = TitleIndex;
  if (FCaptionSkinIndex >= 0 && !Caption.empty()) {
    TRect measured = t;
    DrawTextW(canvas->Handle(), Caption.c_str(), -1, reinterpret_cast<RECT*>(&measured), flags | DT_CALCRECT);
    const int width = std::min(measured.Right - measured.Left, t.Right - t.Left);
    measured.Left = rtl ? t.Right - width : t.Left;
    measured.Right = measured.Left + width;
    const TRect back{measured.Left - 4, measured.Top - 2, measured.Right + 4, measured.Bottom + 2};
    const int state = LimitState(FFormActive ? 1 : 0, SkinManager->Records().gd[FCaptionSkinIndex].States);
    PaintItem(FCaptionSkinIndex, "CAPTION", MakeCacheInfo(cache), true, state, back, TPoint{}, cache, SkinManager);
    section = FCaptionSkinIndex;
  }
  if (!SkinManager->IsValidSkinIndex(section)) section = SkinData->SkinIndex;
  if (!x64woAero) {
    const TsGeneralData& g = SkinManager->Records().gd[section];
    const int size = FFormActive ? g.HotGlowSize : g.GlowSize;
    if (size != 0)
      acDrawGlowForText(cache, Caption, t, flags, kGlowAllSides, size, FFormActive ? g.HotGlowColor : g.GlowColor,
                        FFormActive ? glowActive_ : glowInactive_);
  }
  canvas->Brush()->SetStyle(classlib::bsClear);
  acWriteTextEx(canvas, Caption, true, t, flags, section, FFormActive, SkinManager);
}

void TacDialogWnd::MakeTitleBG() {
  TBitmap* cache = SkinData->CacheBmp();
  const int rows = SysBorderHeight(CtrlHandle, nullptr, true) + CaptionHeight(true);
  TitleBG = NewBitmap32(cache->Width(), rows);
  CopyBlock(TitleBG.get(), {0, 0}, cache, {0, 0}, {cache->Width(), rows});
}

// The title band's right part, where the buttons go, as it is before they are drawn.
void TacDialogWnd::SaveBGForBtns() {
  TBitmap* cache = SkinData->CacheBmp();
  const TsSkinData& sd = SkinManager->Records().SkinData;
  const int w = std::min(cache->Width(), TitleBtnsWidth() + sd.BIRightMargin + 4 * std::max<int>(sd.BISpacing, 0) +
                                             SysBorderWidth(CtrlHandle, nullptr, true) + 10);
  const int h = std::min(cache->Height(), SysBorderHeight(CtrlHandle, nullptr, true) + CaptionHeight(true));
  TempBmp = NewBitmap32(std::max(w, 0), std::max(h, 0));
  CopyBlock(TempBmp.get(), {0, 0}, cache, {cache->Width() - w, 0}, {w, h});
}

void TacDialogWnd::RestoreBtnBG(const TRect& R) {
  TBitmap* cache = SkinData->CacheBmp();
  if (TempBmp == nullptr || TempBmp->Width() == 0) return;
  const int shift = cache->Width() - TempBmp->Width();
  CopyBlock(cache, {R.Left, R.Top}, TempBmp.get(), {R.Left - shift, R.Top}, {R.Right - R.Left, R.Bottom - R.Top});
}

// ---- title buttons ----

int TacDialogWnd::ImageOfButton(const TsCaptionButton& Button, bool& Disabled) const {
  const int gi = SkinManager->GetSkinIndex("GLOBALINFO");
  const auto globalOrOwn = [&](const char* name) {
    int i = SkinManager->GetMaskIndex(gi, "GLOBALINFO", name);
    if (i < 0) i = SkinManager->GetMaskIndex(SkinData->SkinIndex, SkinData->SkinSection(), name);
    return i;
  };
  const bool zoomed = IsZoomed(CtrlHandle) != FALSE, iconic = IsIconic(CtrlHandle) != FALSE;
  if (&Button == &ButtonClose) {
    Disabled = !EnabledClose();
    return Button.ImageIndex;
  }
  if (&Button == &ButtonMax) {
    if (zoomed) {
      Disabled = !EnabledRestore();
      return globalOrOwn("BICONNORM");
    }
    Disabled = !EnabledMax();
    return iconic ? globalOrOwn("BICONMAX") : Button.ImageIndex;
  }
  if (&Button == &ButtonMin) {
    Disabled = iconic ? !EnabledRestore() : !EnabledMin();
    return iconic ? globalOrOwn("BICONNORM") : Button.ImageIndex;
  }
  Disabled = false;
  return Button.ImageIndex;
}

void TacDialogWnd::PlaceButton(TsCaptionButton& Button, int Image, bool Enabled, int& X, int Spacing) {
  const TsSkinData& sd = SkinManager->Records().SkinData;
  const int height = ButtonHeight(ButtonClose.ImageIndex);
  int top;
  if (Button.HaveAlignment && sd.BIVAlign == 1 && &Button != &ButtonHelp)
    top = 0;
  else
    top = (SysBorderHeight(CtrlHandle, nullptr, true) + CaptionHeight(true) - height) / 2;
  Button.Rect = {X - SysButtonWidth(Button), top, X, top + height};
  if (SkinManager->IsValidImgIndex(Image)) {
    TBitmap* cache = SkinData->CacheBmp();
    DrawSkinGlyph(cache, TPoint{Button.Rect.Left, Button.Rect.Top}, Button.State, FFormActive && Enabled ? 1 : 2,
                  SkinManager->Records().ma[Image], MakeCacheInfo(cache));
  }
  X = Button.Rect.Left - Spacing;
}

void TacDialogWnd::PaintBorderIcons() {
  if (!VisibleClose()) return;
  const TsSkinData& sd = SkinManager->Records().SkinData;
  int x = SkinData->CacheBmp()->Width() - sd.BIRightMargin - SysBorderWidth(CtrlHandle, nullptr, true);
  const int gi = SkinManager->GetSkinIndex("GLOBALINFO");
  const bool bigClose = ButtonClose.ImageIndex >= 0 &&
                        ButtonClose.ImageIndex == SkinManager->GetMaskIndex(gi, "GLOBALINFO", "BICONCLOSE");
  const int spacing = BorderStyle == acbsSingle || BorderStyle == acbsSizeable || bigClose ? sd.BISpacing : 0;
  const auto place = [&](TsCaptionButton& b) {
    bool disabled = false;
    const int image = ImageOfButton(b, disabled);
    PlaceButton(b, image, !disabled, x, spacing);
  };
  if (SkinManager->IsValidImgIndex(ButtonClose.ImageIndex)) place(ButtonClose);
  if (VisibleMax()) place(ButtonMax);
  if (VisibleMin()) place(ButtonMin);
  if (VisibleHelp()) place(ButtonHelp);
}

void TacDialogWnd::RepaintButton(int Code) {
  TsCaptionButton* b = ButtonOfHT(Code);
  if (b == nullptr || !Skinned()) return;
  if (SkinManager->GetAllowGlowing() && IsWindowVisible(CtrlHandle) && !IsIconic(CtrlHandle)) {
    // The hot and pressed looks show in a layered window above the frame.
    if (b->State == 2)
      StartSBAnimation(*b, 2, 1, true, nullptr, this);
    else if (b->State != -1)
      StartSBAnimation(*b, b->State, 10, b->State == 1, nullptr, this);
    return;
  }
  TBitmap* cache = SkinData->CacheBmp();
  if (cache == nullptr || cache->Width() == 0 || SkinData->BGChanged) return;
  if (b->Rect.Left <= SysBorderWidth(CtrlHandle, nullptr, true) + GetSystemMetrics(SM_CXSMICON)) return;
  RestoreBtnBG(b->Rect);
  bool disabled = false;
  const int image = ImageOfButton(*b, disabled);
  if (SkinManager->IsValidImgIndex(image)) {
    const int mode = disabled || (b->State == 0 && !FFormActive) ? 2 : 1;
    DrawSkinGlyph(cache, TPoint{b->Rect.Left, b->Rect.Top}, b->State, mode, SkinManager->Records().ma[image],
                  MakeCacheInfo(cache));
  }
  if (!IsWindowVisible(CtrlHandle)) return;
  const TacGivenOrOwnDC dc(CtrlHandle, nullptr, true);
  const TRect& r = b->Rect;
  BitBlt(dc.get(), r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, cache->Canvas()->Handle(), r.Left, r.Top,
         SRCCOPY);
}

// ---- to the window ----

void TacDialogWnd::PaintForm(HDC DC) {
  if (SkinData->BGChanged) PaintAll();
  TBitmap* cache = SkinData->CacheBmp();
  if (cache == nullptr || cache->Width() == 0) return;
  BitBlt(DC, 0, 0, WndSize.cx, WndSize.cy, cache->Canvas()->Handle(), SysBorderWidth(CtrlHandle, nullptr, true),
         HeaderHeight(), SRCCOPY);
}

void TacDialogWnd::Ac_WMPaint(HDC DC) {
  const TacGivenOrOwnDC dc(CtrlHandle, DC);
  if (dc.get() == nullptr) return;
  SkinData->SetUpdating(false);
  const int saved = SaveDC(dc.get());
  // On the dialog's own window the children paint themselves; group boxes and notifying statics
  // show the dialog through. A DC of another window is a child asking for the dialog under it (a
  // transparent tool bar erasing, a themed control drawing its parent's background) or a picture
  // being printed: there the children's places are painted too, or the child erases to nothing.
  const bool ownWindow = WindowFromDC(dc.get()) == CtrlHandle;
  for (HWND child = ownWindow ? GetTopWindow(CtrlHandle) : nullptr; child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    // Its own visibility: the dialog itself may still be hidden while it is painted into a picture.
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if ((style & WS_VISIBLE) == 0) continue;
    if ((style & 7) == 7 || ((style & 0x10000) != 0 && IsStaticClass(child))) continue;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, CtrlHandle, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc.get(), r.left, r.top, r.right, r.bottom);
  }
  PaintForm(dc.get());
  RestoreDC(dc.get(), saved);
  SetParentUpdated(CtrlHandle);
}

void TacDialogWnd::Ac_WMNCPaint() {
  Rescan();
  if (!DlgRgnUpdating && RgnChanged && (BorderStyle != acbsNone || (dwStyle & WS_THICKFRAME) != 0)) {
    FillArOR();
    RgnChanged = false;
    UpdateRgn(true);
  }
  {
    const TacGivenOrOwnDC dc(CtrlHandle, nullptr, true);
    if (dc.get() != nullptr) PaintCaption(dc.get());
  }
  SkinData->SetUpdating(false);
  DlgRgnUpdating = false;
}

void TacDialogWnd::PaintCaption(HDC DC) {
  if (SkinData->BGChanged) PaintAll();
  TBitmap* cache = SkinData->CacheBmp();
  if (cache == nullptr || cache->Width() == 0) return;
  const int band = SysBorderHeight(CtrlHandle, nullptr, true) + CaptionHeight(true) + (IsIconic(CtrlHandle) ? 1 : 0);
  const int bw = SysBorderWidth(CtrlHandle, nullptr, true), bh = SysBorderHeight(CtrlHandle, nullptr, true);
  const int w = cache->Width(), h = cache->Height();
  const HDC src = cache->Canvas()->Handle();
  BitBlt(DC, 0, 0, w, HeaderHeight(), src, 0, 0, SRCCOPY);
  BitBlt(DC, 0, band, bw, h - band, src, 0, band, SRCCOPY);
  BitBlt(DC, bw, h - bh, w - bw, bh, src, bw, h - bh, SRCCOPY);
  BitBlt(DC, w - bw, band, bw, h - band, src, w - bw, band, SRCCOPY);
}

// ---- region ----

void TacDialogWnd::FillArOR() {
  RefreshGeometry();
  ArOR = FrameRegionRuns(SkinManager, SkinData->BorderIndex, TitleIndex, TitleSection, WndSize.cx, WndSize.cy);
}

HRGN TacDialogWnd::GetRgnFromArOR(int X, int Y) const { return RegionWithoutRuns(ArOR, X, Y, WndSize.cx, WndSize.cy); }

void TacDialogWnd::UpdateRgn(bool Redraw) {
  if (BorderStyle == acbsNone && !IsIconic(CtrlHandle)) return;
  if (RegionOwnedElsewhere(CtrlHandle)) return;
  DlgRgnUpdating = true;
  HRGN rgn = GetRgnFromArOR(0, 0);
  if (rgn == nullptr) return;
  // The system owns a region it took; one it refused is still ours to delete.
  if (SetWindowRgn(CtrlHandle, rgn, Redraw ? TRUE : FALSE) == 0)
    DeleteObject(rgn);
  else
    regionSet_ = true;
}

}  // namespace skin
