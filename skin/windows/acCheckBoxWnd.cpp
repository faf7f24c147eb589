#include "skin/windows/acCheckBoxWnd.h"

#include <algorithm>

#include "classlib/ScopeExit.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/graphics/sTextOutWin32.h"
#include "skin/windows/acButtonGeometry.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

namespace {

constexpr UINT kClassLibTextChanged = 0xB012;

bool IsRadioStyle(LONG Style) {
  const LONG kind = Style & BS_TYPEMASK;
  return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

bool IsActiveControl(HWND Wnd) {
  TsSkinManager* dm = DefaultManager();
  return dm != nullptr && Wnd != nullptr && dm->ActiveControl() == Wnd;
}

void SelectWindowFont(classlib::TCanvas* Canvas, TsCommonData* SkinData, HWND Wnd) {
  if (classlib::TControl* owner = SkinData->OwnerControl())
    Canvas->Font()->Assign(owner->Font());
  else if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(Wnd, WM_GETFONT, 0, 0)))
    Canvas->Font()->SetHandle(font);
}

}  // namespace

// ---- check boxes and radio buttons ----

TacCheckBoxWnd::TacCheckBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager)
    : TacMainWnd(AHandle, ASkinData, ASkinManager) {
  OwnerDraw = (GetWindowLongW(AHandle, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

void TacCheckBoxWnd::Hook(bool Repaint) {
  if (SkinData->SkinSection().empty()) SkinData->SetSkinSection("CHECKBOX");
  TacMainWnd::Hook(Repaint);
}

int TacCheckBoxWnd::State() const {
  const LRESULT s = SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0);
  if ((s & BST_INDETERMINATE) != 0) return 2;
  return (s & BST_CHECKED) != 0 ? 1 : 0;
}

int TacCheckBoxWnd::CtlState() const {
  const LRESULT s = SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0);
  if ((s & BST_PUSHED) != 0) return 2;
  return (s & BST_FOCUS) != 0 || IsActiveControl(CtrlHandle) ? 1 : 0;
}

int TacCheckBoxWnd::GlyphMaskIndex(int AState) const {
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (sm == nullptr || AState < 0 || AState > 2) return -1;
  static constexpr const char* kBox[] = {"BOXUNCHECKED", "BOXCHECKED", "BOXGRAYED"};
  static constexpr const char* kRadio[] = {"RADIOUNCHECKED", "RADIOCHECKED", "BOXGRAYED"};
  const char* name = IsRadioStyle(paintedStyle_) ? kRadio[AState] : kBox[AState];
  return sm->GetMaskIndex(sm->Records().ConstData.IndexGLobalInfo, "GLOBALINFO", name);
}

TSize TacCheckBoxWnd::SkinGlyphSize(int Image) const {
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (sm == nullptr || !sm->IsValidImgIndex(Image)) return {};
  const TsMaskData& md = sm->Records().ma[std::size_t(Image)];
  // An image of its own holds three state cells above their mask.
  if (md.Bmp) return {md.Bmp->Width() / 3, md.Bmp->Height() / 2};
  // A mask type of -1 (no mask band) must not divide by zero.
  return {(md.R.Right - md.R.Left) / std::max<int>(md.ImageCount, 1),
          (md.R.Bottom - md.R.Top) / std::max(md.MaskType + 1, 1)};
}

TRect TacCheckBoxWnd::SkinCheckRect(int Image) const {
  if (Image < 0) return {};
  const bool leftText = (GetWindowLongW(CtrlHandle, GWL_STYLE) & BS_LEFTTEXT) != 0;
  return CheckGlyphRect(WndSize, SkinGlyphSize(Image), leftText);
}

TRect TacCheckBoxWnd::CheckRect() const {
  const int checked = GlyphMaskIndex(1);
  if (checked >= 0) return SkinCheckRect(checked);
  return {0, 0, 16, 16};
}

void TacCheckBoxWnd::DrawSkinGlyph(int Image) {
  classlib::TBitmap* cache = SkinData->CacheBmp();
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (cache->Width() == 0 || sm == nullptr || !sm->IsValidImgIndex(Image)) return;
  const TRect r = SkinCheckRect(Image);
  skin::DrawSkinGlyph(cache, {r.Left, r.Top}, CtlState(), 1, sm->Records().ma[std::size_t(Image)],
                      MakeCacheInfo(cache, 0, 0));
}

void TacCheckBoxWnd::DrawCheckText() {
  if (Caption.empty()) return;
  const LONG style = GetWindowLongW(CtrlHandle, GWL_STYLE);
  const LONG exStyle = GetWindowLongW(CtrlHandle, GWL_EXSTYLE);
  const TRect check = CheckRect();
  TCheckTextPlace place{WndSize, check.Right - check.Left, (style & BS_LEFTTEXT) != 0,
                        (exStyle & WS_EX_RTLREADING) != 0, (style & BS_MULTILINE) != 0};
  classlib::TCanvas* canvas = SkinData->CacheBmp()->Canvas();
  SelectWindowFont(canvas, SkinData, CtrlHandle);
  const UINT wrap = place.MultiLine ? DT_WORDBREAK : DT_SINGLELINE;
  TRect measured{0, 0, CheckTextWidth(place), 0};
  acDrawText(canvas->TextHandle(), Caption, measured, DT_CALCRECT | wrap);
  TRect r = CheckTextRect(place, {measured.Right - measured.Left, measured.Bottom - measured.Top});
  UINT flags = wrap;
  if (place.LeftText && place.RightToLeft) {
    flags |= DT_RTLREADING;
    if (!place.MultiLine) flags |= DT_RIGHT;
  }
  canvas->Brush()->SetStyle(classlib::bsClear);
  acWriteTextEx(canvas, Caption, true, r, flags, SkinData, ControlIsActive(SkinData));
  if ((SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0) & BST_FOCUS) != 0)
    FocusRect(canvas->Handle(), TRect{r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1}, classlib::clBtnFace, 0);
}

void TacCheckBoxWnd::PrepareCache() {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  InitCacheBmp(SkinData);
  if (OwnerDraw) return;
  classlib::TBitmap* cache = SkinData->CacheBmp();
  cache->SetSize(WndSize.cx, WndSize.cy);
  SelectWindowFont(cache->Canvas(), SkinData, CtrlHandle);
  TCacheInfo ci = EmptyCI;
  GetParentCacheHwnd(CtrlHandle, ci);
  PaintItem(SkinData, ci, true, ControlIsActive(SkinData) ? 1 : 0, TRect{0, 0, WndSize.cx, WndSize.cy}, WndPos, cache,
            false);
  DrawCheckText();
  DrawSkinGlyph(GlyphMaskIndex(State()));
  if (!IsWindowEnabled(CtrlHandle)) FadeDisabledWindow(cache, ci, WndPos, WndSize);
  SkinData->BGChanged = false;
}

void TacCheckBoxWnd::AC_WMPaint(classlib::TMessage& Message) {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  HDC given = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps{};
  const bool painting = given == nullptr;
  if (painting) BeginPaint(CtrlHandle, &ps);
  const classlib::TScopeExit end([&] {
    if (painting) EndPaint(CtrlHandle, &ps);
  });
  if (SkinData->Updating() || OwnerDraw) return;
  paintedStyle_ = GetWindowLongW(CtrlHandle, GWL_STYLE);
  if (!IsWindowVisible(CtrlHandle) && given == nullptr) return;
  const TacGivenOrOwnDC dc(CtrlHandle, given);
  if (dc.get() == nullptr) return;
  PrepareCache();
  BitBlt(dc.get(), 0, 0, WndSize.cx, WndSize.cy, SkinData->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TacCheckBoxWnd::EraseOwnerDrawn(classlib::TMessage& Message) {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  const TacGivenOrOwnDC dc(CtrlHandle, reinterpret_cast<HDC>(Message.WParam));
  if (dc.get() == nullptr || ParentWnd == nullptr) return;
  DrawParentBackground(dc.get(), ParentWnd, WndPos, TRect{0, 0, WndSize.cx, WndSize.cy});
}

void TacCheckBoxWnd::acWndProc(classlib::TMessage& Message) {
  if (SkinData == nullptr || SkinData->GetSkinManager() == nullptr || !SkinData->GetSkinManager()->Active() ||
      Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_ENABLE:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case kClassLibTextChanged:
      if (IsWindowVisible(CtrlHandle)) {
        SendMessageW(CtrlHandle, WM_SETREDRAW, FALSE, 0);
        TacMainWnd::acWndProc(Message);
        SendMessageW(CtrlHandle, WM_SETREDRAW, TRUE, 0);
        RepaintNow();
        return;
      }
      break;
    case WM_PAINT: AC_WMPaint(Message); return;
    case WM_PRINTCLIENT: AC_WMPaint(Message); return;
    case WM_ERASEBKGND:
      if (OwnerDraw) EraseOwnerDrawn(Message);
      return;
    case WM_NCPAINT: return;
    case SM_ALPHACMD:
      if (const unsigned cmd = CommandOf(Message.WParam); cmd == ACMD_MOUSEENTER || cmd == ACMD_MOUSELEAVE) {
        SkinData->SetUpdating(false);
        RepaintNow();
      }
      break;
    default: break;
  }
  TacMainWnd::acWndProc(Message);
  switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: RepaintNow(); break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (Message.WParam == VK_SPACE) RepaintNow();
      break;
    case WM_NCHITTEST:
      if (TsSkinManager* dm = DefaultManager(); dm != nullptr && IsWindowEnabled(CtrlHandle))
        dm->SetActiveControl(CtrlHandle);
      break;
    default: break;
  }
}

// ---- group boxes ----

void TacGroupBoxWnd::Hook(bool Repaint) {
  if (SkinData->SkinSection().empty()) SkinData->SetSkinSection("GROUPBOX");
  TacMainWnd::Hook(Repaint);
}

TRect TacGroupBoxWnd::CaptionRect() {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  TSize text{};
  if (!Caption.empty()) {
    InitCacheBmp(SkinData);
    classlib::TCanvas* canvas = SkinData->CacheBmp()->Canvas();
    SelectWindowFont(canvas, SkinData, CtrlHandle);
    TRect r{0, 0, WndSize.cx, 0};
    acDrawText(canvas->TextHandle(), Caption, r, DT_CALCRECT | DT_CENTER);
    text = {r.Right - r.Left, r.Bottom - r.Top};
  }
  return GroupCaptionRect(WndSize.cx, text, (GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0);
}

void TacGroupBoxWnd::ParentBackground(const TRect& R) {
  if (ParentWnd == nullptr) return;
  DrawParentBackground(SkinData->CacheBmp()->Canvas()->Handle(), ParentWnd, WndPos, R);
}

void TacGroupBoxWnd::WriteText(TRect R) {
  ParentBackground(R);
  classlib::TCanvas* canvas = SkinData->CacheBmp()->Canvas();
  canvas->Brush()->SetStyle(classlib::bsClear);
  SelectWindowFont(canvas, SkinData, CtrlHandle);
  UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if ((GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0) flags |= DT_RTLREADING;
  acWriteTextEx(canvas, Caption, true, R, flags, SkinData, false);
}

void TacGroupBoxWnd::PrepareCache() {
  InitCacheBmp(SkinData);
  const TRect c = CaptionRect();  // also reads the window's place
  classlib::TBitmap* cache = SkinData->CacheBmp();
  cache->SetSize(WndSize.cx, WndSize.cy);
  const int band = c.Bottom - c.Top;
  ParentBackground(TRect{0, 0, WndSize.cx, band});
  if (ParentWnd == nullptr) return;
  TacBGInfo bg;
  GetBGInfo(bg, ParentWnd, false);
  const TCacheInfo ci = BGInfoToCI(bg);
  PaintItem(SkinData, ci, false, 0, TRect{0, band / 2, WndSize.cx, WndSize.cy}, TPoint{WndPos.X, WndPos.Y + band / 2},
            cache, true);
  if (!Caption.empty()) WriteText(c);
  SkinData->BGChanged = false;
}

void TacGroupBoxWnd::AC_WMPaint(classlib::TMessage& Message) {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  HDC given = Message.LParam == 1 ? reinterpret_cast<HDC>(Message.WParam) : nullptr;
  PAINTSTRUCT ps{};
  const bool painting = Message.Msg == WM_PAINT;
  if (painting) BeginPaint(CtrlHandle, &ps);
  const classlib::TScopeExit end([&] {
    if (painting) EndPaint(CtrlHandle, &ps);
  });
  if (SkinData->Updating()) return;
  const TacGivenOrOwnDC dc(CtrlHandle, given, true);
  if (dc.get() == nullptr) return;
  PrepareCache();
  const int saved = SaveDC(dc.get());
  const classlib::TScopeExit restore([&] { RestoreDC(dc.get(), saved); });
  if (DlgMode) {
    // The native control paints the inside: only the frame and the caption band are ours.
    TsSkinManager* sm = SkinData->GetSkinManager();
    const TRect c = CaptionRect();
    if (sm != nullptr && sm->IsValidImgIndex(SkinData->BorderIndex)) {
      TacSkinRecords& records = sm->Records();
      ExcludeClipRect(dc.get(), records.MaskWidthLeft(SkinData->BorderIndex), c.Bottom - c.Top,
                      WndSize.cx - records.MaskWidthRight(SkinData->BorderIndex),
                      WndSize.cy - records.MaskWidthBottom(SkinData->BorderIndex));
    }
  }
  CopyHwndCache(CtrlHandle, SkinData, TRect{}, TRect{0, 0, WndSize.cx, WndSize.cy}, dc.get(), false);
  if (auto* owner = dynamic_cast<classlib::TWinControl*>(SkinData->OwnerControl()))
    PaintControls(dc.get(), owner, false, TPoint{0, 0});
  SetParentUpdated(CtrlHandle);
}

void TacGroupBoxWnd::Redraw() {
  SkinData->BGChanged = true;
  RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TacGroupBoxWnd::acWndProc(classlib::TMessage& Message) {
  if (SkinData == nullptr || SkinData->GetSkinManager() == nullptr || !SkinData->GetSkinManager()->Active() ||
      Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case SM_ALPHACMD:
      switch (CommandOf(Message.WParam)) {
        case ACMD_REMOVESKIN:
          if (classlib::TControl* owner = SkinData->OwnerControl()) owner->ControlStyle.Exclude(classlib::csOpaque);
          break;
        case ACMD_GETEXTRA: {
          const TRect c = CaptionRect();
          Message.Result = c.Bottom - c.Top;
          return;
        }
        default: break;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      SendMessageW(CtrlHandle, WM_SETREDRAW, FALSE, 0);
      TacMainWnd::acWndProc(Message);
      SendMessageW(CtrlHandle, WM_SETREDRAW, TRUE, 0);
      Redraw();
      return;
    case WM_SETTEXT:
      TacMainWnd::acWndProc(Message);
      Redraw();
      return;
    case WM_PAINT:
      if (DlgMode) break;
      AC_WMPaint(Message);
      Message.Result = 0;
      return;
    case WM_NCPAINT:
      if (!DlgMode) break;
      {
        classlib::TMessage onWindow{WM_NCPAINT, 0, 0, 0};
        AC_WMPaint(onWindow);
      }
      Message.Result = 1;
      return;
    case WM_ERASEBKGND:
      if (DlgMode) break;
      if (Message.WParam == WPARAM(Message.LParam)) {
        if (SkinData->BGChanged) PrepareCache();
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        if (IsCached(SkinData)) {
          BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, SkinData->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
        } else {
          HBRUSH brush = CreateSolidBrush(classlib::ColorToRGB(GetControlColor(CtrlHandle)));
          const RECT r{0, 0, WndSize.cx, WndSize.cy};
          FillRect(dc, &r, brush);
          DeleteObject(brush);
        }
      }
      Message.Result = 1;
      return;
    case WM_PARENTNOTIFY:
      if (LOWORD(Message.WParam) == WM_CREATE || LOWORD(Message.WParam) == WM_DESTROY) {
        TacMainWnd::acWndProc(Message);
        if (LOWORD(Message.WParam) == WM_CREATE)
          if (auto* owner = dynamic_cast<classlib::TWinControl*>(SkinData->OwnerControl())) AddToAdapter(owner);
        return;
      }
      break;
    case WM_PRINTCLIENT: {
      SkinData->BGChanged = true;
      Message.LParam = 1;
      AC_WMPaint(Message);
      return;
    }
    default: break;
  }
  TacMainWnd::acWndProc(Message);
}

}  // namespace skin
