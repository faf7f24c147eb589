#include "skin/controls/sCheckControl.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sControlPaint.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acAlphaImageList.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

using classlib::TBitmap;
using classlib::TMessage;

template <class Base>
TacCheckControl<Base>::TacCheckControl(classlib::TComponent* AOwner)
    : Base(AOwner),
      FCommonData(std::make_unique<TsCommonData>(this, false)),
      FGlyphUnChecked(NewBitmap32(0, 0)),
      FGlyphChecked(NewBitmap32(0, 0)) {}

template <class Base>
TacCheckControl<Base>::~TacCheckControl() {
  *alive_ = false;
  StopFade();
  FCommonData.reset();
}

template <class Base>
void TacCheckControl<Base>::AfterConstruction() {
  Base::AfterConstruction();
  FCommonData->Loaded();
}

template <class Base>
void TacCheckControl<Base>::Loaded() {
  Base::Loaded();
  FCommonData->Loaded();
  AdjustSize();
}

// ---- properties ----

template <class Base>
void TacCheckControl<Base>::SetDisabledKind(TsDisabledKind Value) {
  if (FDisabledKind == Value) return;
  FDisabledKind = Value;
  FCommonData->Invalidate();
}

template <class Base>
void TacCheckControl<Base>::GlyphChanged(bool Shown) {
  AdjustSize();
  if (Shown) FCommonData->Invalidate();
}

template <class Base>
void TacCheckControl<Base>::SetGlyphChecked(const TBitmap* Value) {
  FGlyphChecked->Assign(Value);
  GlyphChanged(this->Checked());
}

template <class Base>
void TacCheckControl<Base>::SetGlyphUnChecked(const TBitmap* Value) {
  FGlyphUnChecked->Assign(Value);
  GlyphChanged(!this->Checked());
}

template <class Base>
void TacCheckControl<Base>::SetTextIndent(int Value) {
  if (FTextIndent == Value) return;
  FTextIndent = Value;
  GlyphChanged(true);
}

template <class Base>
void TacCheckControl<Base>::SetMargin(int Value) {
  if (FMargin == Value) return;
  FMargin = Value;
  GlyphChanged(true);
}

template <class Base>
void TacCheckControl<Base>::SetShowFocus(bool Value) {
  if (FShowFocus == Value) return;
  FShowFocus = Value;
  FCommonData->Invalidate();
}

template <class Base>
void TacCheckControl<Base>::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustSize();
}

// ---- geometry ----

template <class Base>
bool TacCheckControl<Base>::Skinned() const {
  return FCommonData != nullptr && FCommonData->Skinned(true);
}

template <class Base>
classlib::TAlignment TacCheckControl<Base>::GetControlsAlignment() const {
  return this->Alignment();
}

template <class Base>
TBitmap* TacCheckControl<Base>::Glyph() const {
  TBitmap* b = this->Checked() ? FGlyphChecked.get() : FGlyphUnChecked.get();
  return b->Empty() ? nullptr : b;
}

template <class Base>
int TacCheckControl<Base>::GlyphWidth() const {
  classlib::TCustomImageList* list = nullptr;
  int index = -1;
  if (ListGlyph(list, index)) return SquareGlyphCellWidth(list->Width(), list->Height());
  if (TBitmap* g = Glyph()) return SquareGlyphCellWidth(g->Width(), g->Height());
  return 16;
}

template <class Base>
int TacCheckControl<Base>::GlyphHeight() const {
  classlib::TCustomImageList* list = nullptr;
  int index = -1;
  if (ListGlyph(list, index)) return list->Height();
  if (TBitmap* g = Glyph()) return g->Height();
  return 16;
}

template <class Base>
TSize TacCheckControl<Base>::SkinGlyphSize(int Image) const {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (sm == nullptr || !sm->IsValidImgIndex(Image)) return {16, 16};
  const TsMaskData& md = sm->Records().ma[static_cast<std::size_t>(Image)];
  // Three state cells above their mask.
  if (md.Bmp) return {md.Bmp->Width() / 3, md.Bmp->Height() / 2};
  return {(md.R.Right - md.R.Left) / std::max<int>(md.ImageCount, 1),
          (md.R.Bottom - md.R.Top) / std::max(md.MaskType + 1, 1)};
}

template <class Base>
TRect TacCheckControl<Base>::CheckRect() const {
  const bool glyphLeft = GetControlsAlignment() == classlib::taRightJustify;
  classlib::TCustomImageList* list = nullptr;
  int index = -1;
  if (ListGlyph(list, index) || Glyph() != nullptr)
    return CheckAreaRect(this->Width(), this->Height(), {GlyphWidth(), GlyphHeight()}, FMargin, glyphLeft);
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (sm != nullptr && sm->IsValidImgIndex(PlacingImage()))
    return CheckAreaRect(this->Width(), this->Height(), SkinGlyphSize(PlacingImage()), FMargin, glyphLeft);
  return {0, 0, 16, 16};
}

template <class Base>
bool TacCheckControl<Base>::CanAutoSize(int& NewWidth, int& NewHeight) {
  if (!FAutoSize || this->ComponentState().Contains(classlib::csLoading)) return false;
  const std::wstring caption = this->Caption();
  const TSize text = caption.empty() ? TSize{} : [&] {
    const SIZE s = GetStringSize(this->Font()->Handle(), caption);
    return TSize{s.cx, s.cy};
  }();
  TSize size;
  if (Skinned()) {
    const TRect r = CheckRect();
    size = CheckAutoSize({r.Right - r.Left, r.Bottom - r.Top}, FMargin, FTextIndent, text, !caption.empty());
  } else {
    size = PlainCheckAutoSize(text);
  }
  NewWidth = size.cx;
  NewHeight = size.cy;
  return true;
}

template <class Base>
void TacCheckControl<Base>::AdjustSize() {
  int w = 0, h = 0;
  if (!CanAutoSize(w, h) || (w == this->Width() && h == this->Height())) return;
  this->SetBounds(this->Left(), this->Top(), w, h);
}

// ---- painting ----

template <class Base>
void TacCheckControl<Base>::PrepareCache() {
  InitCacheBmp(FCommonData.get());
  TBitmap* cache = FCommonData->CacheBmp();
  cache->Canvas()->SetFont(this->Font());
  const TCacheInfo ci = detail::ParentBackground(this, cache);
  const int state = ControlIsActive(FCommonData.get()) && !ReadOnly() ? 1 : 0;
  PaintItem(FCommonData.get(), ci, true, state, TRect{0, 0, this->Width(), this->Height()}, {this->Left(), this->Top()},
            cache, true);
  DrawCheckText();
  DrawCheckArea();
  if (!this->Enabled()) detail::ApplyDisabledKind(this, cache, FDisabledKind, ci);
  FCommonData->BGChanged = false;
}

template <class Base>
void TacCheckControl<Base>::DrawCheckText() {
  const std::wstring caption = this->Caption();
  if (caption.empty()) return;
  classlib::TCanvas* canvas = FCommonData->CacheBmp()->Canvas();
  const TRect check = CheckRect();
  const bool wrap = this->FWordWrap;
  TCheckLayout l;
  l.Width = this->Width();
  l.Height = this->Height();
  l.CheckWidth = check.Right - check.Left;
  l.Margin = FMargin;
  l.TextIndent = FTextIndent;
  l.CaptionLeft = this->Alignment() != classlib::taRightJustify;
  l.WordWrap = wrap;
  const UINT lines = wrap ? DT_WORDBREAK : DT_SINGLELINE;
  RECT measured{0, 0, CheckCaptionWidth(l), 0};
  DrawTextW(canvas->TextHandle(), caption.c_str(), static_cast<int>(caption.size()), &measured, DT_CALCRECT | lines);
  TRect r = CheckCaptionRect(l, {measured.right - measured.left, measured.bottom - measured.top});
  canvas->Brush()->SetStyle(classlib::bsClear);
  acWriteTextEx(canvas, caption, true, r, lines, FCommonData.get(), ControlIsActive(FCommonData.get()) && !ReadOnly());
  if (this->Focused() && FShowFocus) {
    TRect f{r.Left - 1, r.Top, r.Right + 1, (wrap ? r.Bottom : r.Bottom - 1) + 1};
    detail::DrawFocusFrame(canvas, f);
  }
}

template <class Base>
void TacCheckControl<Base>::PaintGlyph(TBitmap* Bmp, int Cell) {
  TBitmap* cache = FCommonData->CacheBmp();
  if (cache->Width() == 0 || Bmp == nullptr || Bmp->Empty()) return;
  std::unique_ptr<TBitmap> converted;
  TBitmap* src = Bmp;
  if (Bmp->PixelFormat() != classlib::pf32bit) {
    // Drawn opaque, the key colour (fuchsia) left out.
    converted = NewBitmap32(Bmp->Width(), Bmp->Height());
    BitBlt(converted->Canvas()->Handle(), 0, 0, Bmp->Width(), Bmp->Height(), Bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    const TImage32View v = View32(converted.get());
    for (int y = 0; y < v.Height; ++y)
      for (int x = 0; x < v.Width; ++x) {
        TsColor_& p = v.At(x, y);
        p.A = (p.U & 0xFFFFFFu) == 0xFF00FFu ? 0 : 255;
      }
    src = converted.get();
  }
  const int w = GlyphWidth(), h = GlyphHeight();
  const TRect r = CheckRect();
  CopyByMask(TRect{r.Left, r.Top, r.Left + w, r.Top + h}, TRect{w * Cell, 0, w * (Cell + 1), h}, View32(cache),
             View32(src), CacheInfo32(EmptyCI), true);
}

template <class Base>
void TacCheckControl<Base>::DrawCheckArea() {
  TBitmap* cache = FCommonData->CacheBmp();
  if (cache == nullptr || cache->Width() == 0) return;
  const bool active = ControlIsActive(FCommonData.get());
  const TRect r = CheckRect();
  classlib::TCustomImageList* list = nullptr;
  int index = -1;
  if (ListGlyph(list, index)) {
    if (index < 0) return;
    const int w = list->Width(), h = list->Height();
    const int cells = h > 0 ? w / h : 0;
    if (cells < 2 || w % h != 0) {
      DrawAlphaImgList(list, cache, r.Left, r.Top, index, 0, classlib::clNone, 0, 1, false);
      return;
    }
    auto image = NewBitmap32(w, h);
    const bool got = dynamic_cast<TsAlphaImageList*>(list) != nullptr
                         ? static_cast<TsAlphaImageList*>(list)->GetBitmap32(index, image.get())
                         : list->GetBitmap(index, image.get());
    if (got) PaintGlyph(image.get(), GlyphCell(cells, FPressed, active, ReadOnly()));
    return;
  }
  if (TBitmap* g = Glyph()) {
    PaintGlyph(g, GlyphCell(GlyphCells(g->Width(), g->Height()), FPressed, active, ReadOnly()));
    return;
  }
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const int image = SkinImage();
  if (sm == nullptr || !sm->IsValidImgIndex(image)) return;
  const int state = FPressed ? 2 : (active && !ReadOnly() ? 1 : 0);
  DrawSkinGlyph(cache, {r.Left, r.Top}, state, 1, sm->Records().ma[static_cast<std::size_t>(image)],
                MakeCacheInfo(cache, 0, 0));
}

template <class Base>
void TacCheckControl<Base>::PaintControl(HDC DC) {
  if (FCommonData->Updating() || (FadeTimer != nullptr && FadeTimer->Enabled())) return;
  PrepareCache();
  UpdateCorners(FCommonData.get(), 0);
  TBitmap* cache = FCommonData->CacheBmp();
  BitBlt(DC, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
}

template <class Base>
void TacCheckControl<Base>::PaintHandler(TMessage& M) {
  HDC dc = reinterpret_cast<HDC>(M.WParam);
  PAINTSTRUCT ps{};
  const HWND wnd = this->Handle();
  const bool began = dc == nullptr;
  if (began) dc = BeginPaint(wnd, &ps);
  const int saved = SaveDC(dc);
  const classlib::TScopeExit done([&]() noexcept {
    RestoreDC(dc, saved);
    if (began) EndPaint(wnd, &ps);
  });
  if (FCommonData->Updating())
    FCommonData->SetUpdating(true);
  else
    PaintControl(dc);
}

template <class Base>
void TacCheckControl<Base>::StopFade() {
  StopFading(FadeTimer, FCommonData.get());
}

template <class Base>
void TacCheckControl<Base>::RepaintNow() {
  if (this->HandleAllocated()) this->Repaint();
}

// ---- messages ----

template <class Base>
void TacCheckControl<Base>::WndProc(TMessage& M) {
  if (M.Msg == SM_ALPHACMD && SkinCommand(M)) return;
  if (Skinned() && !Designing() && FocusAndHover(M)) return;
  if (ControlIsReady(this)) {
    if (CommonWndProc(M, FCommonData.get())) return;
    if (Skinned()) {
      if (SkinnedMessage(M)) return;
    } else {
      UnskinnedMessage(M);
      if (M.Msg == 0) return;
    }
  }
  Base::WndProc(M);
}

template <class Base>
bool TacCheckControl<Base>::SkinCommand(TMessage& M) {
  const bool own = M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(FCommonData->GetSkinManager());
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
      if (!own) return false;
      StopFade();
      CommonWndProc(M, FCommonData.get());
      return true;
    case ACMD_REMOVESKIN:
      if (!own) return false;
      StopFade();
      CommonWndProc(M, FCommonData.get());
      if (this->HandleAllocated()) {
        // The native window draws again: it takes the check state and its visual style back.
        TMessage check{BM_SETCHECK, NativeCheck(), 0, 0};
        this->DefaultHandler(check);
        if (!Designing()) detail::SetVisualStyle(this->Handle(), true);
      }
      RepaintNow();
      return true;
    case ACMD_REFRESH:
      if (!own) return false;
      StopFade();
      CommonWndProc(M, FCommonData.get());
      AdjustSize();
      RepaintNow();
      return true;
    case ACMD_ISSKINNED: M.Result = 1; return true;
    case ACMD_STOPFADE: StopFade(); return true;
    case ACMD_PREPARECACHE:
      if (ControlIsReady(this) && Skinned()) PrepareCache();
      return false;
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

template <class Base>
bool TacCheckControl<Base>::FocusAndHover(TMessage& M) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  switch (M.Msg) {
    case WM_SETFOCUS:
    case classlib::CM_ENTER:
      if (!this->Enabled()) return true;
      Base::WndProc(M);
      FCommonData->BGChanged = true;
      if (FadeTimer != nullptr)
        FadeTimer->Change();
      else
        RepaintNow();
      return true;
    case WM_KILLFOCUS:
    case classlib::CM_EXIT:
      if (!this->Enabled()) return false;
      StopFade();
      {
        const detail::TRedrawOff off(this);
        Base::WndProc(M);
      }
      FCommonData->FFocused = false;
      FCommonData->FMouseAbove = false;
      FCommonData->Invalidate();
      return true;
    case classlib::CM_MOUSEENTER:
      if (M.LParam == 0 && this->Enabled() && !FCommonData->FMouseAbove) {
        FCommonData->FMouseAbove = true;
        DoChangePaint(FadeTimer, FCommonData.get(), false,
                      EventEnabled(TacAnimatEvent::aeMouseEnter, FAnimatEvents, sm), TFadeDirection::fdUp);
      }
      return false;
    case classlib::CM_MOUSELEAVE:
      if (M.LParam == 0 && this->Enabled()) {
        FCommonData->FMouseAbove = false;
        FPressed = false;
        DoChangePaint(FadeTimer, FCommonData.get(), false,
                      EventEnabled(TacAnimatEvent::aeMouseLeave, FAnimatEvents, sm), TFadeDirection::fdUp);
      }
      return false;
    default: return false;
  }
}

template <class Base>
bool TacCheckControl<Base>::SkinnedMessage(TMessage& M) {
  switch (M.Msg) {
    case SM_ALPHACMD:
      if (CommandOf(M.WParam) == ACMD_PARENTUPDATED && (FCommonData->Updating() || FCommonData->HalfVisible)) {
        FCommonData->SetUpdating(false);
        if (!Designing()) RepaintNow();
      }
      return false;
    case WM_ENABLE:
    case WM_NCPAINT:
    case BM_SETSTATE: return true;
    case WM_PAINT: PaintHandler(M); return !Designing();
    case WM_ERASEBKGND: M.Result = 1; return true;
    case BM_SETCHECK: return SkinnedSetCheck(M);
    case BM_GETCHECK:
      // The native window is not told the state while skinned: the answer comes from here.
      M.Result = static_cast<LRESULT>(NativeCheck());
      return true;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (M.WParam != VK_SPACE) return false;
      if (M.Msg == WM_KEYDOWN)
        Press(M, true);
      else
        ReleasePress(M, true);
      return true;
    case WM_UPDATEUISTATE:
      if (!Designing()) detail::SetVisualStyle(this->Handle(), false);
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: Press(M, false); return true;
    case WM_LBUTTONUP: ReleasePress(M, false); return true;
    case WM_PRINT:
      // Printed from the cache only: the native window would draw its own look over it.
      FCommonData->SetUpdating(false);
      PaintHandler(M);
      return true;
    case classlib::CM_ENABLEDCHANGED:
      Base::WndProc(M);
      RepaintNow();
      return true;
    case classlib::CM_TEXTCHANGED:
      AdjustSize();
      RepaintNow();
      return true;
    case classlib::CM_CHANGED:
      if (Designing())
        FCommonData->Invalidate();
      else
        DoChangePaint(FadeTimer, FCommonData.get(), true,
                      EventEnabled(TacAnimatEvent::aeMouseUp, FAnimatEvents, FCommonData->GetSkinManager()),
                      TFadeDirection::fdUp);
      return false;
    default: return false;
  }
}

template <class Base>
void TacCheckControl<Base>::UnskinnedMessage(TMessage& M) {
  const bool readOnly = ReadOnly();
  switch (M.Msg) {
    case BM_SETCHECK:
    case BM_SETSTATE:
      if (readOnly && FPressed && !this->ControlState.Contains(classlib::csCreating)) M.Msg = 0;
      return;
    case WM_LBUTTONDBLCLK:
      if (readOnly) M.Msg = 0;
      return;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN: FPressed = true; return;
    case WM_KEYUP:
    case WM_LBUTTONUP: FPressed = false; return;
    case classlib::CM_TEXTCHANGED: AdjustSize(); return;
    default:
      if (SwallowsClick(M)) M.Msg = 0;
      return;
  }
}

template <class Base>
void TacCheckControl<Base>::Press(TMessage& M, bool Keyboard) {
  if (Designing() || !this->Enabled() || ReadOnly()) return;
  FPressed = true;
  if (Keyboard)
    RepaintNow();
  else
    DoChangePaint(FadeTimer, FCommonData.get(), true,
                  EventEnabled(TacAnimatEvent::aeMouseDown, FAnimatEvents, FCommonData->GetSkinManager()),
                  TFadeDirection::fdUp);
  if (!this->Focused()) {
    // Taking the focus selects nothing by itself: the release decides, and runs OnClick once.
    const bool held = this->ControlState.Contains(classlib::csLButtonDown);
    this->ControlState += classlib::csLButtonDown;
    this->SetClicksDisabled(true);
    const classlib::TScopeExit restore([&]() noexcept {
      this->SetClicksDisabled(false);
      if (!held) this->ControlState -= classlib::csLButtonDown;
    });
    this->SetFocus();
  }
  if (Keyboard) {
    WORD key = static_cast<WORD>(M.WParam);
    if (this->OnKeyDown) this->OnKeyDown(this, key, classlib::KeyDataToShiftState(M.LParam));
  } else if (M.Msg == WM_LBUTTONDBLCLK) {
    if (this->OnDblClick) this->OnDblClick(this);
  } else if (this->OnMouseDown) {
    this->OnMouseDown(this, classlib::mbLeft, classlib::KeysToShiftState(M.WParam), M.XPos(), M.YPos());
  }
}

template <class Base>
void TacCheckControl<Base>::ReleasePress(TMessage& M, bool Keyboard) {
  if (Designing() || !this->Enabled() || ReadOnly()) return;
  if (FPressed) {
    FPressed = false;
    const std::shared_ptr<bool> alive = alive_;
    Release();
    if (!*alive) return;  // a click handler freed the control
  }
  RepaintNow();
  if (Keyboard) {
    WORD key = static_cast<WORD>(M.WParam);
    if (this->OnKeyUp) this->OnKeyUp(this, key, classlib::KeyDataToShiftState(M.LParam));
  } else if (this->OnMouseUp) {
    this->OnMouseUp(this, classlib::mbLeft, classlib::KeysToShiftState(M.WParam), M.XPos(), M.YPos());
  }
  TBitmap* cache = FCommonData->CacheBmp();
  if (FadeTimer != nullptr && FadeTimer->Enabled() && cache != nullptr && cache->Width() != this->Width()) {
    StopFade();
    RepaintNow();
  }
}

template class TacCheckControl<classlib::TCustomCheckBox>;
template class TacCheckControl<classlib::TRadioButton>;

}  // namespace skin
