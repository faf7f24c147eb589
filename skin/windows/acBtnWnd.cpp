#include "skin/windows/acBtnWnd.h"

#include <algorithm>

#include "classlib/ScopeExit.h"
#include "skin/core/acGlow.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acAlphaImageList.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sColorUtils.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/graphics/sTextOutWin32.h"
#include "skin/windows/acButtonGeometry.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

namespace {

constexpr UINT kCaptionFlags = DT_CENTER | DT_EXPANDTABS;
constexpr UINT kMeasureFlags = DT_CENTER | DT_EXPANDTABS | DT_CALCRECT | DT_NOPREFIX;

bool IsActiveControl(HWND Wnd) {
  TsSkinManager* dm = DefaultManager();
  return dm != nullptr && Wnd != nullptr && dm->ActiveControl() == Wnd;
}

// Redrawing switched off while the replaced procedure changes the button's look its own way.
void PassOnQuietly(TacMainWnd* Wnd, classlib::TMessage& Message) {
  SendMessageW(Wnd->CtrlHandle, WM_SETREDRAW, FALSE, 0);
  Wnd->PassOn(Message);
  SendMessageW(Wnd->CtrlHandle, WM_SETREDRAW, TRUE, 0);
}

}  // namespace

void TacBtnWnd::Hook(bool Repaint) {
  if (SkinData->SkinSection().empty()) SkinData->SetSkinSection("BUTTON");
  TacMainWnd::Hook(Repaint);
}

bool TacBtnWnd::Down() const { return (SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }

LONG TacBtnWnd::CtrlStyle() const { return GetWindowLongW(CtrlHandle, GWL_STYLE); }

int TacBtnWnd::CurrentState() {
  if (Down()) {
    if (SkinData->GlowID >= 0) {
      HideGlow(SkinData->GlowID);
      SkinData->GlowID = -1;
    }
    return 2;
  }
  if (!IsWindowEnabled(CtrlHandle)) return 0;
  if (GetFocus() == CtrlHandle || IsActiveControl(CtrlHandle)) return 1;
  const LONG style = CtrlStyle();
  if (SkinData->OwnerControl() != nullptr) return (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 1 : 0;
  return (style & 1) != 0 ? 1 : 0;
}

void TacBtnWnd::Repaint() { RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

void TacBtnWnd::SelectCaptionFont(classlib::TCanvas* Canvas) {
  if (classlib::TControl* owner = SkinData->OwnerControl())
    Canvas->Font()->Assign(owner->Font());
  else if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0)))
    Canvas->Font()->SetHandle(font);
}

int TacBtnWnd::MaxCaptionWidth() { return PushMaxCaptionWidth(WndSize.cx, !Caption.empty(), GlyphSize().cx); }

TSize TacBtnWnd::TextRectSize() {
  TRect r{0, 0, MaxCaptionWidth(), 0};
  if (Caption.empty()) return {};
  UINT flags = kMeasureFlags;
  if ((CtrlStyle() & BS_MULTILINE) == 0) flags |= DT_WORDBREAK;
  classlib::TCanvas* canvas = SkinData->CacheBmp()->Canvas();
  SelectCaptionFont(canvas);
  acDrawText(canvas->TextHandle(), Caption, r, flags);
  return {r.Right - r.Left, r.Bottom - r.Top};
}

TRect TacBtnWnd::CaptionRect() { return PushCaptionRect(WndSize, TextRectSize(), Down()); }

void TacBtnWnd::DoDrawText(TRect& R, UINT Flags) {
  classlib::TCanvas* canvas = SkinData->CacheBmp()->Canvas();
  canvas->Brush()->SetStyle(classlib::bsClear);
  acWriteTextEx(canvas, Caption, true, R, Flags, SkinData, CurrentState() != 0);
}

void TacBtnWnd::DrawCaption() {
  classlib::TCanvas* canvas = SkinData->CacheBmp()->Canvas();
  SelectCaptionFont(canvas);
  TRect r = CaptionRect();
  UINT flags = kCaptionFlags;
  if ((CtrlStyle() & BS_MULTILINE) == 0) flags |= DT_WORDBREAK;
  if ((GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0) flags |= DT_RTLREADING;
  DoDrawText(r, flags);
  TsSkinManager* sm = SkinData->GetSkinManager();
  const bool showFocus = sm != nullptr && sm->IsValidSkinIndex(SkinData->SkinIndex) &&
                         sm->Records().gd[std::size_t(SkinData->SkinIndex)].ShowFocus;
  if (IsWindowEnabled(CtrlHandle) && (SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0) & BST_FOCUS) != 0 &&
      !Caption.empty() && showFocus) {
    const TRect focus{r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
    FocusRect(canvas->Handle(), focus, classlib::clBtnFace, 0);
  }
}

void TacBtnWnd::PrepareCache() {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  InitCacheBmp(SkinData);
  TCacheInfo ci = EmptyCI;
  GetParentCacheHwnd(CtrlHandle, ci);
  classlib::TBitmap* cache = SkinData->CacheBmp();
  cache->SetSize(WndSize.cx, WndSize.cy);
  PaintItem(SkinData, ci, true, CurrentState(), TRect{0, 0, WndSize.cx, WndSize.cy}, WndPos, cache, true);
  DrawCaption();
  DrawGlyph();
  if (!IsWindowEnabled(CtrlHandle)) FadeDisabledWindow(cache, ci, WndPos, WndSize);
  SkinData->BGChanged = false;
}

void TacBtnWnd::AC_WMPaint(classlib::TMessage& Message) {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  HDC given = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps{};
  const bool painting = given == nullptr;
  if (painting) BeginPaint(CtrlHandle, &ps);
  const classlib::TScopeExit end([&] {
    if (painting) EndPaint(CtrlHandle, &ps);
  });
  if (InAnimationProcess && given == nullptr && SkinData->PrintDC == nullptr) return;
  if (SkinData->Updating()) return;
  const TacGivenOrOwnDC dc(CtrlHandle, given);
  if (dc.get() == nullptr) return;
  SkinData->BGChanged = true;
  PrepareCache();
  BitBlt(dc.get(), 0, 0, WndSize.cx, WndSize.cy, SkinData->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TacBtnWnd::TrackHot(const classlib::TMessage& Message) {
  if (Message.Msg != WM_MOUSEMOVE) return;
  TsSkinManager* dm = DefaultManager();
  if (dm == nullptr || !IsWindowEnabled(CtrlHandle)) return;
  RECT r{};
  GetWindowRect(CtrlHandle, &r);
  const TPoint p = acMousePos();
  const bool inside = p.X >= r.left && p.X < r.right && p.Y >= r.top && p.Y < r.bottom;
  if (inside) {
    if (dm->ActiveControl() != CtrlHandle) dm->SetActiveControl(CtrlHandle);
  } else if (dm->ActiveControl() == CtrlHandle) {
    dm->SetActiveControl(nullptr);
  }
}

void TacBtnWnd::acWndProc(classlib::TMessage& Message) {
  if (SkinData == nullptr || SkinData->GetSkinManager() == nullptr || !SkinData->GetSkinManager()->Active() ||
      Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  const bool visible = IsWindowVisible(CtrlHandle) != 0;
  switch (Message.Msg) {
    case SM_ALPHACMD:
      switch (CommandOf(Message.WParam)) {
        case ACMD_PARENTUPDATED:
          if (SkinData->Updating()) {
            SkinData->SetUpdating(false);
            if (!SkinData->Updating())
              RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
            return;
          }
          break;
        case ACMD_MOUSEENTER:
          if (!SkinData->FMouseAbove && IsActiveControl(CtrlHandle)) {
            RECT r{};
            GetWindowRect(CtrlHandle, &r);
            const TPoint p = acMousePos();
            if (p.X < r.left || p.X >= r.right || p.Y < r.top || p.Y >= r.bottom) return;
            SkinData->FMouseAbove = true;
            SkinData->BGChanged = true;
            SkinData->SetUpdating(false);
            Repaint();
            ShowGlowingIfNeeded(SkinData, false, CtrlHandle);
          }
          break;
        case ACMD_MOUSELEAVE:
          if (SkinData->FMouseAbove) {
            ClearGlows(false);
            SkinData->FMouseAbove = false;
            SkinData->SetUpdating(false);
            SkinData->BGChanged = true;
            Repaint();
          }
          break;
        default: break;
      }
      break;
    case WM_MOVE: {
      TsSkinManager* sm = SkinData->GetSkinManager();
      if (sm->IsValidSkinIndex(SkinData->SkinIndex)) {
        const auto& gd = sm->Records().gd[std::size_t(SkinData->SkinIndex)];
        if (gd.Transparency > 0 || (gd.HotTransparency > 0 && ControlIsActive(SkinData))) {
          SkinData->BGChanged = true;
          Repaint();
        }
      }
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (IsWindowEnabled(CtrlHandle)) {
        PassOnQuietly(this, Message);
        SkinData->FFocused = Message.Msg == WM_SETFOCUS;
        SkinData->BGChanged = true;
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        return;
      }
      break;
    case WM_ENABLE:
    case WM_SETTEXT:
      if (visible) {
        PassOnQuietly(this, Message);
        if (Message.Msg == WM_SETTEXT) Caption = GetWndText(CtrlHandle);
        SkinData->BGChanged = true;
        Repaint();
        return;
      }
      if (Message.Msg == WM_SETTEXT) {
        TacMainWnd::acWndProc(Message);
        return;
      }
      break;
    case WM_PAINT:
      if (!visible && (SkinData->CtrlSkinState & kPrinting) == 0) break;
      if (!ParamsChanged) SetSkinParams();
      AC_WMPaint(Message);
      return;
    case WM_PRINTCLIENT: AC_WMPaint(Message); return;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_UPDATEUISTATE: Message.Result = 1; return;
    case BM_SETSTATE:
      if (visible) {
        PassOnQuietly(this, Message);
        SkinData->BGChanged = true;
        Repaint();
        return;
      }
      break;
    case WM_MOUSEHOVER: SendAMessage(CtrlHandle, ACMD_MOUSEENTER, 0); break;
    case WM_MOUSELEAVE:
      if (IsActiveControl(CtrlHandle)) DefaultManager()->SetActiveControl(nullptr);
      break;
    default: break;
  }
  TacMainWnd::acWndProc(Message);
  TrackHot(Message);
}

// ---- bitmap buttons ----

classlib::TBitBtn* TacBitBtnWnd::Owner() const { return dynamic_cast<classlib::TBitBtn*>(SkinData->OwnerControl()); }

HBITMAP TacBitBtnWnd::NativeBitmap() const {
  return reinterpret_cast<HBITMAP>(SendMessageW(CtrlHandle, BM_GETIMAGE, IMAGE_BITMAP, 0));
}

TSize TacBitBtnWnd::GlyphSize() {
  if (classlib::TBitBtn* owner = Owner()) {
    classlib::TBitmap* glyph = owner->Glyph();
    if (glyph == nullptr || glyph->Empty()) return {};
    return {glyph->Width() / std::max(1, owner->NumGlyphs()), glyph->Height()};
  }
  // The bitmap's pixels: its recorded dimension is a physical size, 0 unless someone set it.
  BITMAP info{};
  if (HBITMAP bmp = NativeBitmap(); bmp != nullptr && GetObjectW(bmp, sizeof info, &info) != 0)
    return {info.bmWidth, std::abs(info.bmHeight)};
  return {};
}

int TacBitBtnWnd::MaxCaptionWidth() {
  classlib::TBitBtn* owner = Owner();
  if (owner == nullptr) return TacBtnWnd::MaxCaptionWidth();
  if (Caption.empty()) return 0;
  int w = owner->Width() - 2 * std::max(0, owner->Margin());
  const TSize g = GlyphSize();
  const auto layout = owner->Layout();
  if (g.cy > 0 && (layout == classlib::blGlyphLeft || layout == classlib::blGlyphRight)) w -= g.cx + owner->Spacing();
  return std::max(0, w);
}

TRect TacBitBtnWnd::CaptionRect() {
  classlib::TBitBtn* owner = Owner();
  const TSize g = GlyphSize();
  if (owner == nullptr) {
    TRect r = TacBtnWnd::CaptionRect();
    if (g.cx > 0) {
      const int dx = g.cx / 2 + 1;
      r = {r.Left + dx, r.Top, r.Right + dx, r.Bottom};
    }
    return r;
  }
  TPoint glyphPos;
  TRect text;
  CalcButtonLayout(TRect{0, 0, WndSize.cx, WndSize.cy}, TPoint{g.cx, g.cy}, TextRectSize(),
                   TButtonLayout(int(owner->Layout())), TAlignment::taCenter, 0, 0, glyphPos, text, 1);
  if (CurrentState() == 2) text = {text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1};
  return text;
}

TRect TacBitBtnWnd::GlyphRect() {
  const TSize g = GlyphSize();
  classlib::TBitBtn* owner = Owner();
  if (owner == nullptr) {
    if (g.cx <= 0) return {};
    const int right = CaptionRect().Left - 2;
    const int y = (WndSize.cy - g.cy) / 2 + (Down() ? 1 : 0);
    return {right - g.cx, y, right, y + g.cy};
  }
  const TSize s = TextRectSize();
  const int sp = g.cx > 0 && !Caption.empty() ? owner->Spacing() : 0;
  int x = 0, y = 0;
  switch (owner->Layout()) {
    case classlib::blGlyphLeft:
      x = (WndSize.cx - g.cx - s.cx - sp) / 2;
      y = (WndSize.cy - g.cy) / 2;
      break;
    case classlib::blGlyphRight:
      x = (WndSize.cx + sp + s.cx - g.cx) / 2;
      y = (WndSize.cy - g.cy) / 2;
      break;
    case classlib::blGlyphTop:
      x = (WndSize.cx - g.cx) / 2 + 1;
      y = (WndSize.cy - g.cy - s.cy - sp) / 2;
      break;
    case classlib::blGlyphBottom:
      x = (WndSize.cx - g.cx) / 2 + 1;
      y = WndSize.cy - (WndSize.cy - g.cy - s.cy - sp) / 2 - g.cy;
      break;
  }
  if (CurrentState() == 2) {
    ++x;
    ++y;
  }
  return {x, y, x + g.cx, y + g.cy};
}

void TacBitBtnWnd::DrawGlyph() {
  classlib::TBitmap* cache = SkinData->CacheBmp();
  const TRect r = GlyphRect();
  if (r.Right <= r.Left) return;
  if (classlib::TBitBtn* owner = Owner()) {
    classlib::TBitmap* glyph = owner->Glyph();
    if (glyph == nullptr || glyph->Empty()) return;
    if (glyph->PixelFormat() == classlib::pfDevice) glyph->SetPixelFormat(classlib::pf24bit);
    if (owner->NumGlyphs() > 1 || glyph->PixelFormat() != classlib::pf32bit) {
      DrawGlyphEx(glyph, cache, r, owner->NumGlyphs(), owner->Enabled(), kDefaultDisabledGlyphKind, CurrentState(), 0,
                  Down() ? 1 : 0);
      return;
    }
    CopyByMask(r, TRect{0, 0, glyph->Width(), glyph->Height()}, View32(cache), View32(glyph), CacheInfo32(EmptyCI),
               false);
    return;
  }
  // A native button's own bitmap, which a dialog would show, stays in sight.
  HBITMAP bmp = NativeBitmap();
  HDC src = CreateCompatibleDC(nullptr);
  if (src == nullptr) return;
  HGDIOBJ old = SelectObject(src, bmp);
  BitBlt(cache->Canvas()->Handle(), r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, src, 0, 0, SRCCOPY);
  SelectObject(src, old);
  DeleteDC(src);
}

// ---- buttons with an image list ----

TacButtonWnd::TacButtonWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager)
    : TacBtnWnd(AHandle, ASkinData, ASkinManager),
      Btn(ASkinData != nullptr ? dynamic_cast<classlib::TButton*>(ASkinData->OwnerControl()) : nullptr) {}

bool TacButtonWnd::HaveImage() const {
  return Btn != nullptr && Btn->Images() != nullptr && Btn->ImageIndex() >= 0 &&
         Btn->ImageIndex() < Btn->Images()->Count();
}

TSize TacButtonWnd::GlyphSize() {
  if (!HaveImage()) return {};
  return {Btn->Images()->Width(), Btn->Images()->Height()};
}

int TacButtonWnd::GlyphIndex() {
  if (!HaveImage()) return -1;
  int state = CurrentState();
  if (!Btn->Enabled())
    state = 4;
  else if (state != 2 && Btn->Focused())
    state = 3;
  int index = Btn->ImageIndex();
  switch (state) {
    case 1: index = Btn->HotImageIndex(); break;
    case 2: index = Btn->PressedImageIndex(); break;
    case 3: index = Btn->SelectedImageIndex(); break;
    case 4: index = Btn->DisabledImageIndex(); break;
    default: break;
  }
  if (index < 0 || index >= Btn->Images()->Count()) index = Btn->ImageIndex();
  return index;
}

TImagePlace TacButtonWnd::Place() {
  TImagePlace p;
  p.Client = WndSize;
  p.Image = GlyphSize();
  if (Btn != nullptr) {
    p.Alignment = int(Btn->ImageAlignment());
    if (const classlib::TImageMargins* m = Btn->ImageMargins())
      p.Margins = {m->Left(), m->Top(), m->Right(), m->Bottom()};
  }
  p.Pressed = CurrentState() == 2;
  return p;
}

TRect TacButtonWnd::GlyphRect() { return ButtonImageRect(Place()); }

TRect TacButtonWnd::CaptionRect() { return ButtonImageCaptionRect(Place(), TextRectSize()); }

void TacButtonWnd::DrawGlyph() {
  if (!HaveImage()) return;
  const TRect r = GlyphRect();
  const int index = GlyphIndex();
  classlib::TBitmap* cache = SkinData->CacheBmp();
  if (dynamic_cast<TsAlphaImageList*>(Btn->Images()) != nullptr)
    DrawAlphaImgList(Btn->Images(), cache, r.Left, r.Top, index, 0, classlib::clNone, 0, 1, false);
  else
    Btn->Images()->Draw(cache->Canvas(), r.Left, r.Top, index, true);
}

}  // namespace skin
