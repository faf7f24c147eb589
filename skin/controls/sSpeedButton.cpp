#include "skin/controls/sSpeedButton.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sFade.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sColorUtils.h"

namespace skin {

using classlib::TBitmap;
using classlib::TCanvas;
using classlib::TComponent;
using classlib::TControl;
using classlib::TMessage;

namespace {

constexpr int kSpeedButtonCOC = 92;
constexpr int kArrowPart = 16;

// One drop-down menu of a speed button runs at a time.
bool g_menuOpen = false;

bool Has(const classlib::TComponent* c, classlib::TComponentStateItem item) {
  return c != nullptr && c->ComponentState().Contains(item);
}

TsSkinManager* ManagerOf(const TsCommonData* d) { return d != nullptr ? d->GetSkinManager() : nullptr; }

const TsGeneralData* SectionOf(const TsCommonData* d) {
  TsSkinManager* sm = ManagerOf(d);
  if (sm == nullptr || !sm->IsValidSkinIndex(d->SkinIndex)) return nullptr;
  return &sm->Records().gd[std::size_t(d->SkinIndex)];
}

const TsMaskData* BorderOf(const TsCommonData* d) {
  TsSkinManager* sm = ManagerOf(d);
  if (sm == nullptr || !sm->Records().IsValidImgIndex(d->BorderIndex)) return nullptr;
  return &sm->Records().ma[std::size_t(d->BorderIndex)];
}

TacGlyphLayout GlyphLayoutOf(classlib::TButtonLayout l) {
  switch (l) {
    case classlib::blGlyphRight: return TacGlyphLayout::Right;
    case classlib::blGlyphTop: return TacGlyphLayout::Top;
    case classlib::blGlyphBottom: return TacGlyphLayout::Bottom;
    default: return TacGlyphLayout::Left;
  }
}

TacBlockAlignment BlockAlignmentOf(classlib::TAlignment a) {
  switch (a) {
    case classlib::taLeftJustify: return TacBlockAlignment::LeftJustify;
    case classlib::taRightJustify: return TacBlockAlignment::RightJustify;
    default: return TacBlockAlignment::Center;
  }
}

}  // namespace

bool GlowingAllowed(TsSpeedButton*) { return true; }

// ---- life ----

TsSpeedButton::TsSpeedButton(TComponent* AOwner)
    : classlib::TSpeedButton(AOwner),
      FImageChangeLink(std::make_unique<classlib::TChangeLink>()),
      FCommonData(std::make_unique<TsCtrlSkinData>(this, true)) {
  FCommonData->COC = kSpeedButtonCOC;
  FImageChangeLink->OnChange = [this](classlib::TObject*) { ImageListChange(); };
  // The class library's own handler only invalidates; the cache must know of the change too.
  Glyph()->OnChange = [this](classlib::TObject*) { GlyphChanged(); };
  FCommonData->Loaded();
}

TsSpeedButton::~TsSpeedButton() {
  *alive_ = false;
  StopFade();
  // A button on its way out tells nobody that the mouse left it: the OnMouseLeave handler may
  // belong to an object that is already gone.
  FCommonData->FMouseAbove = false;
  if (TsSkinManager* sm = ManagerOf(FCommonData.get()); sm != nullptr && sm->ActiveGraphControl() == this)
    sm->SetActiveGraphControl(nullptr);
  Glyph()->OnChange = nullptr;
  if (FImages != nullptr) FImages->UnRegisterChanges(FImageChangeLink.get());
}

void TsSpeedButton::DeclareProperties(classlib::TClassDecl<TsSpeedButton>& d) {
  d.Object(L"SkinData", &TsSpeedButton::SkinData);
  d.Bool(L"Grayed", &TsSpeedButton::Grayed, &TsSpeedButton::SetGrayed, false);
  d.Integer(L"Blend", &TsSpeedButton::Blend, &TsSpeedButton::SetBlend, 0);
  d.Integer(L"TextOffset", &TsSpeedButton::TextOffset, &TsSpeedButton::SetOffset, 0);
  d.Integer(L"ImageIndex", &TsSpeedButton::ImageIndex, &TsSpeedButton::SetImageIndex, -1);
  d.Component<classlib::TCustomImageList>(L"Images", &TsSpeedButton::Images, &TsSpeedButton::SetImages);
  d.Bool(L"ShowCaption", &TsSpeedButton::ShowCaption, &TsSpeedButton::SetShowCaption, true);
  d.Enum(L"Alignment", &TsSpeedButton::Alignment, &TsSpeedButton::SetAlignment, classlib::taCenter);
  d.Enum(L"ButtonStyle", &TsSpeedButton::ButtonStyle, &TsSpeedButton::SetButtonStyle, classlib::tbsButton);
  d.Component<classlib::TPopupMenu>(L"DropdownMenu", &TsSpeedButton::DropdownMenu, &TsSpeedButton::SetDropdownMenu);
  d.Bool(L"DrawOverBorder", &TsSpeedButton::DrawOverBorder, &TsSpeedButton::SetDrawOverBorder, true);
  d.Enum(L"TextAlignment", &TsSpeedButton::TextAlignment, &TsSpeedButton::SetTextAlignment, classlib::taCenter);
  d.Bool(L"Reflected", &TsSpeedButton::Reflected, &TsSpeedButton::SetReflected, false);
  d.Set(L"DisabledKind", &TsSpeedButton::DisabledKind, &TsSpeedButton::SetDisabledKind, kDefaultDisabledKind);
  d.Set(L"DisabledGlyphKind", &TsSpeedButton::DisabledGlyphKind, &TsSpeedButton::SetDisabledGlyphKind,
        kDefaultDisabledGlyphKind);
  d.Set(L"AnimatEvents", &TsSpeedButton::AnimatEvents, &TsSpeedButton::SetAnimatEvents, kDefaultAnimatEvents);
  d.Event(L"OnPaint", &TsSpeedButton::OnPaint);
}

void TsSpeedButton::Loaded() {
  classlib::TSpeedButton::Loaded();
  FCommonData->Loaded();
  if (FCommonData->Skinned()) ControlStyle += classlib::csOpaque;
  // An image of the list wins over the glyph bitmap.
  if (FImages != nullptr && FImageIndex >= 0 && FImageIndex < GetImageCount(FImages)) Glyph()->Assign(nullptr);
}

void TsSpeedButton::Notification(TComponent* AComponent, classlib::TOperation Operation) {
  classlib::TSpeedButton::Notification(AComponent, Operation);
  if (Operation != classlib::opRemove) return;
  if (AComponent == FImages) {
    FImages = nullptr;
    if (!Has(this, classlib::csDestroying)) RepaintIfShown();
  }
  if (AComponent == FDropdownMenu) FDropdownMenu = nullptr;
}

// ---- properties ----

bool TsSpeedButton::VisibleOrLoading() const { return Visible() || Has(this, classlib::csDesigning); }

void TsSpeedButton::RepaintIfShown() {
  if (!VisibleOrLoading()) return;
  FCommonData->BGChanged = true;
  GraphRepaint();
}

void TsSpeedButton::SetDisabledKind(TsDisabledKind Value) {
  if (FDisabledKind == Value) return;
  FDisabledKind = Value;
  RepaintIfShown();
}

void TsSpeedButton::SetDisabledGlyphKind(TsDisabledGlyphKind Value) {
  if (FDisabledGlyphKind == Value) return;
  FDisabledGlyphKind = Value;
  RepaintIfShown();
}

void TsSpeedButton::SetOffset(int Value) {
  if (FOffset == Value) return;
  FOffset = Value;
  RepaintIfShown();
}

void TsSpeedButton::SetShowCaption(bool Value) {
  if (FShowCaption == Value) return;
  FShowCaption = Value;
  RepaintIfShown();
}

void TsSpeedButton::SetAlignment(classlib::TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RepaintIfShown();
}

void TsSpeedButton::SetDrawOverBorder(bool Value) {
  if (FDrawOverBorder == Value) return;
  FDrawOverBorder = Value;
  RepaintIfShown();
}

void TsSpeedButton::SetReflected(bool Value) {
  if (FReflected == Value) return;
  FReflected = Value;
  FCommonData->BGChanged = true;
  GraphRepaint();
}

void TsSpeedButton::SetButtonStyle(classlib::TToolButtonStyle Value) {
  if (FButtonStyle == Value) return;
  if (!Has(this, classlib::csLoading)) {
    if (Value == classlib::tbsDropDown)
      SetWidth(Width() + kArrowPart);
    else if (FButtonStyle == classlib::tbsDropDown)
      SetWidth(Width() - kArrowPart);
  }
  FButtonStyle = Value;
  RepaintIfShown();
}

void TsSpeedButton::SetBlend(int Value) {
  Value = ClampBlend(Value);
  if (FBlend == Value) return;
  FBlend = Value;
  if ((FCommonData->CtrlSkinState & kInUpdate) == 0) RepaintIfShown();
}

void TsSpeedButton::SetGrayed(bool Value) {
  if (FGrayed == Value) return;
  FGrayed = Value;
  if ((FCommonData->CtrlSkinState & kInUpdate) == 0) RepaintIfShown();
}

void TsSpeedButton::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  if ((FCommonData->CtrlSkinState & kInUpdate) == 0) RepaintIfShown();
}

void TsSpeedButton::SetImages(classlib::TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages != nullptr) {
    FImages->UnRegisterChanges(FImageChangeLink.get());
    FImages->RemoveFreeNotification(this);
  }
  FImages = Value;
  if (FImages != nullptr) {
    FImages->RegisterChanges(FImageChangeLink.get());
    FImages->FreeNotification(this);
  }
  if ((FCommonData->CtrlSkinState & kInUpdate) == 0) RepaintIfShown();
}

void TsSpeedButton::SetTextAlignment(classlib::TAlignment Value) {
  if (FTextAlignment == Value) return;
  FTextAlignment = Value;
  FCommonData->BGChanged = true;
  Repaint();
}

void TsSpeedButton::SetDropdownMenu(classlib::TPopupMenu* Value) {
  if (FDropdownMenu == Value) return;
  if (FDropdownMenu != nullptr) FDropdownMenu->RemoveFreeNotification(this);
  FDropdownMenu = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TsSpeedButton::GlyphChanged() {
  classlib::TSpeedButton::Invalidate();
  if (!Has(this, classlib::csLoading) && !Has(this, classlib::csDestroying)) FCommonData->Invalidate();
}

void TsSpeedButton::ImageListChange() {
  if (FCommonData->Skinned()) {
    FCommonData->BGChanged = true;
    GraphRepaint();
  } else {
    Repaint();
  }
}

void TsSpeedButton::Invalidate() {
  if (Layout() != OldLayout) {
    OldLayout = Layout();
    FCommonData->BGChanged = true;
  }
  classlib::TSpeedButton::Invalidate();
}

// ---- geometry ----

int TsSpeedButton::CurrentState() {
  if (FState == classlib::bsDown || FState == classlib::bsExclusive) return 2;
  return ControlIsActive(FCommonData.get()) ? 1 : 0;
}

int TsSpeedButton::GenMargin() const { return skin::GenMargin(Margin()); }

int TsSpeedButton::GlyphWidth() {
  if (!Glyph()->Empty()) return GlyphCellWidth(Glyph()->Width(), NumGlyphs());
  if (FImages != nullptr && FImageIndex >= 0 && FImageIndex < GetImageCount(FImages))
    return FImages->Width() / GlyphCellCount(NumGlyphs());
  return 0;
}

int TsSpeedButton::GlyphHeight() {
  if (!Glyph()->Empty()) return Glyph()->Height();
  if (FImages != nullptr && FImageIndex >= 0 && FImageIndex < GetImageCount(FImages)) return FImages->Height();
  return 0;
}

TacSpeedButtonLayout TsSpeedButton::LayoutInput() {
  TacSpeedButtonLayout l;
  l.Width = Width();
  l.Height = Height();
  l.GlyphWidth = GlyphWidth();
  l.GlyphHeight = GlyphHeight();
  l.ArrowWidth = ArrowWidth();
  l.Margin = Margin();
  l.Spacing = Spacing();
  l.TextOffset = FOffset;
  l.Layout = GlyphLayoutOf(Layout());
  l.Alignment = BlockAlignmentOf(FAlignment);
  l.HasCaption = FShowCaption && !Caption().empty();
  l.Pressed = CurrentState() == 2;
  l.Reflected = FReflected;
  return l;
}

TSize TsSpeedButton::TextRectSize() {
  if (!FShowCaption || Caption().empty()) return {};
  TacSpeedButtonLayout l = LayoutInput();
  RECT r{0, 0, std::max(CaptionMaxWidth(l), 0), 0};
  TBitmap* cache = FCommonData->CacheBmp();
  TCanvas* canvas = cache != nullptr ? cache->Canvas() : Canvas();
  canvas->SetFont(Font());
  const std::wstring text = Caption();
  DrawTextW(canvas->TextHandle(), text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
  return {r.right - r.left, r.bottom - r.top};
}

TRect TsSpeedButton::CaptionRect() {
  TacSpeedButtonLayout l = LayoutInput();
  const TSize t = TextRectSize();
  l.TextWidth = t.cx;
  l.TextHeight = t.cy;
  const TacCaptionPlace p = SpeedCaptionRect(l);
  FTextLayout = p.TextLayout;
  return p.Rect;
}

TRect TsSpeedButton::ImgRect() {
  TacSpeedButtonLayout l = LayoutInput();
  const TSize t = TextRectSize();
  l.TextWidth = t.cx;
  l.TextHeight = t.cy;
  return SpeedImgRect(l);
}

// ---- painting ----

TacBtnGlyphSource TsSpeedButton::BtnGlyphSource() {
  TacBtnGlyphSource s;
  s.Images = FImages;
  s.ImageIndex = FImageIndex;
  s.Glyph = Glyph();
  s.DestRect = ImgRect();
  s.NumGlyphs = NumGlyphs();
  s.Look.State = CurrentState();
  s.Look.Enabled = Enabled();
  s.Look.Down = Down();
  s.Look.Grayed = FGrayed;
  s.Look.Blend = FBlend;
  s.Look.DisabledGlyphKind = FDisabledGlyphKind;
  s.Reflected = FReflected;
  return s;
}

void TsSpeedButton::DoDrawText(TRect& R, UINT Flags) {
  Flags &= ~static_cast<UINT>(DT_SINGLELINE);
  const std::wstring text = Caption();
  if (FCommonData->Skinned()) {
    acWriteTextEx(FCommonData->CacheBmp()->Canvas(), text, true, R, Flags, FCommonData.get(), CurrentState() != 0);
    return;
  }
  TCanvas* c = Canvas();
  c->SetFont(Font());
  HDC dc = c->TextHandle();
  SetBkMode(dc, TRANSPARENT);
  RECT r{R.Left, R.Top, R.Right, R.Bottom};
  if (Enabled()) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
    return;
  }
  OffsetRect(&r, 1, 1);
  SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
  OffsetRect(&r, -1, -1);
  SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
}

void TsSpeedButton::DrawCaption() {
  if (!FShowCaption || Caption().empty()) return;
  if (FCommonData->Skinned()) {
    TCanvas* c = FCommonData->CacheBmp()->Canvas();
    c->SetFont(Font());
    c->Brush()->SetStyle(classlib::bsClear);
  }
  TRect r = CaptionRect();
  DoDrawText(r, GetStringFlags(this, FTextAlignment) | DT_EXPANDTABS | DT_WORDBREAK);
}

void TsSpeedButton::DrawGlyph() { DrawBtnGlyph(this, FCommonData->Skinned() ? nullptr : Canvas()); }

void TsSpeedButton::PaintParentBackground(const TCacheInfo& CI) {
  TBitmap* cache = FCommonData->CacheBmp();
  if (CI.Ready && CI.Bmp != nullptr) {
    BitBlt(cache->Canvas()->Handle(), 0, 0, Width(), Height(), CI.Bmp->Canvas()->Handle(), Left() + CI.X, Top() + CI.Y,
           SRCCOPY);
  } else {
    FillRect32(cache->Image32View(), {0, 0, Width(), Height()}, CI.FillColor);
  }
}

void TsSpeedButton::PaintDropDownArrowPart(const TCacheInfo& CI, int State) {
  TsCommonData* d = FCommonData.get();
  TsSkinManager* sm = ManagerOf(d);
  if (sm == nullptr) return;
  // The arrow part keeps the skin's own colours: no hue offset, no saturation.
  TacItemSkin item = d->ItemSkin();
  item.HUEOffset = 0;
  item.Saturation = 0;
  const TRect part{Width() - kArrowPart, 0, Width(), Height()};
  TBitmap* cache = d->CacheBmp();
  PaintItemBG(item, &sm->Records(), CacheInfo32(CI), State, part, {Left() + part.Left, Top()}, cache->Image32View());
  if (const TsMaskData* md = BorderOf(d)) DrawSkinRect(cache, part, true, CI, *md, State, true);
  TColor color = Font()->Color();
  const int idx = GetFontIndex(this, d->SkinIndex, sm, State);
  if (sm->IsValidSkinIndex(idx)) {
    const TsGeneralData& g = sm->Records().gd[std::size_t(idx)];
    const int s = std::min(State > 0 ? 1 : 0, std::max(g.States - 1, 0));
    color = g.Props[std::size_t(s)].FontColor.Color;
  }
  TRect arrow = part;
  if (State == 2) arrow = {arrow.Left + 1, arrow.Top + 1, arrow.Right + 1, arrow.Bottom + 1};
  DrawColorArrow(cache->Image32View(), color, arrow, 8);
}

void TsSpeedButton::PrepareCache() {
  TsCommonData* d = FCommonData.get();
  InitCacheBmp(d);
  TBitmap* cache = d->CacheBmp();
  cache->Canvas()->SetFont(Font());
  TacBGInfo bg;
  GetBGInfo(bg, Parent(), false);
  const TCacheInfo ci = BGInfoToCI(bg);
  // The parent has a cache that is not painted yet: there is nothing to draw over.
  if (ci.Ready && ci.Bmp != nullptr && ci.Bmp->Width() == 0) return;

  if (FButtonStyle == classlib::tbsSeparator || FButtonStyle == classlib::tbsDivider) {
    PaintParentBackground(ci);
    if (FButtonStyle == classlib::tbsDivider)
      if (TsSkinManager* sm = ManagerOf(d)) {
        const int idx = sm->GetSkinIndex("DIVIDER");
        const int mask = sm->GetMaskIndex(idx, "DIVIDER", "BORDERSMASK");
        if (sm->Records().IsValidImgIndex(mask))
          DrawSkinRect(cache, {Width() / 2 - 1, 0, Width() / 2 + 1, Height()}, true, ci,
                       sm->Records().ma[std::size_t(mask)], 0, false);
      }
  } else {
    int state = CurrentState();
    if (FButtonStyle == classlib::tbsDropDown) {
      state = DroppedDown || Down() || FState == classlib::bsDown || FState == classlib::bsExclusive ? 2
              : ControlIsActive(d)                                                                   ? 1
                                                                                                     : 0;
      PaintDropDownArrowPart(ci, state);
    }
    const TRect face{0, 0, Width() - ArrowWidth(), Height()};
    if (FDrawOverBorder) {
      PaintItem(d, ci, true, state, face, {Left(), Top()}, cache, true);
      DrawCaption();
      DrawGlyph();
    } else {
      PaintItemBG(d, ci, state, face, {Left(), Top()}, cache);
      DrawCaption();
      DrawGlyph();
      if (const TsMaskData* md = BorderOf(d)) DrawSkinRect(cache, face, true, ci, *md, state, false);
    }
  }
  if (!Enabled())
    BmpDisabledKind(cache->Image32View(), FDisabledKind.Contains(TsDisabledKindValue::dkGrayed),
                    FDisabledKind.Contains(TsDisabledKindValue::dkBlended), CacheInfo32(ci), {Left(), Top()},
                    GetControlColor(Parent()));
  if (OnPaint) OnPaint(this, cache);
  d->BGChanged = false;
}

void TsSpeedButton::CopyToScreen(TBitmap* Source) {
  TCanvas* c = Canvas();
  const bool ownDC = !c->HandleAllocated();
  const classlib::TScopeExit release([&]() noexcept {
    if (ownDC) static_cast<classlib::TControlCanvas*>(c)->FreeHandle();
  });
  BitBlt(c->Handle(), 0, 0, Width(), Height(), Source->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsSpeedButton::Paint() {
  TsCommonData* d = FCommonData.get();
  if (TsSkinManager* sm = ManagerOf(d); sm != nullptr && sm->Active() && d->SkinIndex < 1) d->UpdateIndexes();
  if (!d->Skinned()) {
    StdPaint(true);
    return;
  }
  if (Width() < 1 || Height() < 1) return;
  if (FadeTimer_ != nullptr && FadeTimer_->TmpBmp != nullptr && FadeTimer_->TmpBmp->Width() == Width()) {
    BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), FadeTimer_->TmpBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    return;
  }
  d->BGChanged = d->BGChanged || CurrentState() >= 1 || Down() != FStoredDown || d->HalfVisible;
  FStoredDown = Down();
  d->HalfVisible = d->RepaintIfMoved();
  if (NumGlyphs() != FOldNumGlyphs || Spacing() != FOldSpacing) d->BGChanged = true;
  if (d->BGChanged) {
    FOldNumGlyphs = NumGlyphs();
    FOldSpacing = Spacing();
  }
  if (d->BGChanged && !d->UrgentPainting) PrepareCache();
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), d->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsSpeedButton::GraphRepaint() {
  if (ControlState.Contains(classlib::csCreating) || Has(this, classlib::csDestroying) ||
      Has(this, classlib::csLoading) || Parent() == nullptr || !Visible() || !Parent()->HandleAllocated())
    return;
  TsCommonData* d = FCommonData.get();
  if (!d->Skinned() || Has(this, classlib::csDesigning)) {
    Repaint();
    return;
  }
  if (d->BGChanged) {
    PrepareCache();
    if (!ControlState.Contains(classlib::csPaintCopy)) PaintOverlappingSiblings(d->CacheBmp()->Canvas());
  }
  if (FadeTimer_ != nullptr && FadeTimer_->TmpBmp != nullptr && FadeTimer_->TmpBmp->Width() == Width())
    CopyToScreen(FadeTimer_->TmpBmp.get());
  else
    CopyToScreen(d->CacheBmp());
}

void TsSpeedButton::PaintOverlappingSiblings(TCanvas* Target) {
  classlib::TWinControl* parent = Parent();
  if (parent == nullptr) return;
  const TRect me = BoundsRect();
  auto inside = [&](int x, int y) { return x >= me.Left && x < me.Right && y >= me.Top && y < me.Bottom; };
  HDC dc = Target->Handle();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == this || !c->Visible() || dynamic_cast<classlib::TWinControl*>(c) != nullptr) continue;
    if (!inside(c->Left(), c->Top()) && !inside(c->Left() + c->Width() - 1, c->Top() + c->Height() - 1)) continue;
    const int saved = SaveDC(dc);
    Target->Lock();
    c->ControlState += classlib::csPaintCopy;
    const classlib::TScopeExit undo([&]() noexcept {
      c->ControlState -= classlib::csPaintCopy;
      Target->Unlock();
      RestoreDC(dc, saved);
    });
    SetWindowOrgEx(dc, 0, 0, nullptr);
    OffsetWindowOrgEx(dc, -(c->Left() - Left()), -(c->Top() - Top()), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

void TsSpeedButton::StdPaint(bool PaintButton) {
  using namespace classlib;
  if (!Enabled())
    FState = bsDisabled;
  else if (FState == bsDisabled)
    FState = Down() && GroupIndex() != 0 ? bsExclusive : bsUp;
  TCanvas* c = Canvas();
  c->SetFont(Font());
  HDC dc = c->Handle();
  if (FButtonStyle == tbsSeparator) return;
  if (FButtonStyle == tbsDivider) {
    RECT r{ClientWidth() / 2 - 1, 0, ClientWidth() / 2 + 1, ClientHeight()};
    DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT);
    return;
  }
  const bool pressed = FState == bsDown || FState == bsExclusive;
  auto face = [&](RECT r, bool down) {
    if (Flat()) {
      if (down || FMouseInControl)
        DrawEdge(dc, &r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      else if (!Transparent())
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    } else {
      DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    }
    if (FState == bsExclusive && !(Flat() && FMouseInControl)) {
      // The checkered face of a button that stays down.
      static const WORD pattern[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
      HBITMAP bits = CreateBitmap(8, 8, 1, 1, pattern);
      HBRUSH brush = CreatePatternBrush(bits);
      const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
      const COLORREF oldBk = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      RECT inner = r;
      InflateRect(&inner, -2, -2);
      FillRect(dc, &inner, brush);
      SetTextColor(dc, oldText);
      SetBkColor(dc, oldBk);
      DeleteObject(brush);
      DeleteObject(bits);
    }
  };
  if (PaintButton) {
    face({0, 0, Width() - ArrowWidth(), Height()}, pressed);
    if (FButtonStyle == tbsDropDown) {
      const bool down = DroppedDown || Down() || pressed;
      face({Width() - kArrowPart, 0, Width(), Height()}, down);
      const int x = Width() - kArrowPart + (kArrowPart - 5) / 2 + (down ? 1 : 0);
      const int y = (Height() - 5) / 2 + (down ? 1 : 0);
      const POINT tri[3] = {{x, y}, {x + 5, y}, {x + 2, y + 5}};
      HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_BTNTEXT));
      HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
      HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
      Polygon(dc, tri, 3);
      SelectObject(dc, oldBrush);
      SelectObject(dc, oldPen);
      DeleteObject(brush);
      DeleteObject(pen);
    }
  }
  DrawCaption();
  DrawGlyph();
}

// ---- state changes ----

void TsSpeedButton::StopFade() {
  if (FadeTimer_ == nullptr) return;
  std::unique_ptr<TsAnimTimer> timer = std::move(FadeTimer_);
  timer->SetEnabled(false);
  if (!Has(this, classlib::csDestroying) && !Has(this, classlib::csDesigning) && timer->FadeLevel != 0) {
    FCommonData->BGChanged = true;
    Repaint();
  }
}

void TsSpeedButton::StartFade(bool Clicked) {
  if (Has(this, classlib::csDesigning)) return;
  int remaining = 1;
  if (FadeTimer_ != nullptr) {
    remaining = std::max(FadeTimer_->Iterations - FadeTimer_->FadeLevel, 0);
    FadeTimer_.reset();
  }
  const TsGeneralData* g = SectionOf(FCommonData.get());
  if (g == nullptr || !g->FadingEnabled || FadingForbidden) return;
  auto timer = std::make_unique<TsAnimTimer>(nullptr);
  timer->SetEnabled(false);
  timer->SetOwnerData(FCommonData.get());
  if (Clicked) timer->Iterations /= 2;
  timer->FadeLevel = remaining;
  TBitmap* cache = FCommonData->CacheBmp();
  // The old look (with the siblings over it) is where the fade starts.
  if (cache->Width() != Width() || cache->Height() != Height()) PrepareCache();
  PaintOverlappingSiblings(cache->Canvas());
  timer->BmpFrom->SetSize(Width(), Height());
  BitBlt(timer->BmpFrom->Canvas()->Handle(), 0, 0, Width(), Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
  PrepareCache();
  PaintOverlappingSiblings(cache->Canvas());
  UpdateCorners(FCommonData.get(), CurrentState());
  FadeTimer_ = std::move(timer);
  FadeTimer_->SetEnabled(true);
  FadeTimer_->DoFade();
}

void TsSpeedButton::StateChanged(TacAnimatEvent Event, bool Clicked) {
  if (!GlowingAllowed(this)) return;
  TsCommonData* d = FCommonData.get();
  const TsGeneralData* g = SectionOf(d);
  if (EventEnabled(Event, FAnimatEvents, ManagerOf(d)) && !aSkinChanging && d->Skinned() && g != nullptr &&
      g->FadingEnabled && !FadingForbidden && !d->BGChanged) {
    d->BGChanged = true;
    StartFade(Clicked);
  } else {
    d->BGChanged = true;
    StopFade();
    GraphRepaint();
  }
  ShowGlowingIfNeeded(d, Clicked);
}

void TsSpeedButton::Ac_CMMouseEnter() {
  TsCommonData* d = FCommonData.get();
  if (d->FMouseAbove || FButtonStyle == classlib::tbsSeparator || FButtonStyle == classlib::tbsDivider) return;
  d->FMouseAbove = true;
  if (TsSkinManager* sm = ManagerOf(d)) sm->SetActiveGraphControl(this);
  StateChanged(TacAnimatEvent::aeMouseEnter, false);
}

void TsSpeedButton::Ac_CMMouseLeave(bool FireEvent) {
  TsCommonData* d = FCommonData.get();
  if (!d->FMouseAbove) return;
  if (FireEvent && OnMouseLeave) OnMouseLeave(this);
  d->FMouseAbove = false;
  if (FState == classlib::bsDown) FState = classlib::bsUp;
  if (Visible()) StateChanged(TacAnimatEvent::aeMouseLeave, false);
}

void TsSpeedButton::MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) {
  if (!ShowHintStored) {
    AppShowHint = classlib::Application->ShowHint();
    classlib::Application->SetShowHint(false);
    ShowHintStored = true;
  }
  if (Button != classlib::mbLeft || !Enabled() || FButtonStyle != classlib::tbsDropDown || FDropdownMenu == nullptr ||
      (X <= Width() - kArrowPart && OnClick)) {
    classlib::TSpeedButton::MouseDown(Button, Shift, X, Y);
    return;
  }
  TempControl = this;
  StopFade();
  if (g_menuOpen) return;
  g_menuOpen = true;
  DroppedDown = true;
  FCommonData->BGChanged = true;
  const bool noClick = !OnClick;
  if (noClick) FState = classlib::bsDown;
  GraphRepaint();
  const std::shared_ptr<bool> alive = alive_;
  classlib::TPopupMenu* menu = FDropdownMenu;
  {
    // The menu's item handler may free the button: nothing of it is touched after that.
    const classlib::TScopeExit done([&]() noexcept {
      g_menuOpen = false;
      TempControl = nullptr;
      // The release that would give hints back never comes once the menu took the mouse.
      if (ShowHintStored) {
        classlib::Application->SetShowHint(AppShowHint);
        ShowHintStored = false;
      }
    });
    menu->SetPopupComponent(this);
    const TPoint p = ClientToScreen({0, Height() + 1});
    menu->Popup(p.X, p.Y);
  }
  if (!*alive) return;
  DroppedDown = false;
  POINT cursor;
  GetCursorPos(&cursor);
  const TPoint origin = ClientToScreen({0, 0});
  if (cursor.x < origin.X || cursor.y < origin.Y || cursor.x >= origin.X + Width() || cursor.y >= origin.Y + Height())
    Perform(classlib::CM_MOUSELEAVE);
  if (noClick) FState = classlib::bsUp;
  FCommonData->BGChanged = true;
  if (!FCommonData->Skinned())
    Repaint();
  else
    GraphRepaint();
}

void TsSpeedButton::MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) {
  if (Has(this, classlib::csDestroying)) return;
  if (ShowHintStored) {
    classlib::Application->SetShowHint(AppShowHint);
    ShowHintStored = false;
  }
  if (Button == classlib::mbLeft && Enabled() && FButtonStyle == classlib::tbsDropDown) {
    DroppedDown = false;
    TempControl = nullptr;
  }
  classlib::TSpeedButton::MouseUp(Button, Shift, X, Y);
}

// ---- messages ----

void TsSpeedButton::WndProc(TMessage& M) {
  TsCommonData* d = FCommonData.get();
  const bool designing = Has(this, classlib::csDesigning);
  if (M.Msg == SM_ALPHACMD) {
    const auto ownManager = [&] { return reinterpret_cast<TsSkinManager*>(M.LParam) == ManagerOf(d) || M.LParam == 0; };
    switch (CommandOf(M.WParam)) {
      case ACMD_NEWSKIN:
        if (!ownManager()) break;
        CommonWndProc(M, d);
        if (d->Skinned()) ControlStyle += classlib::csOpaque;
        return;
      case ACMD_REMOVESKIN:
        if (!ownManager() || Has(this, classlib::csDestroying)) break;
        CommonWndProc(M, d);
        ControlStyle -= classlib::csOpaque;
        if (Visible()) Repaint();
        break;
      case ACMD_REFRESH:
        if (!ownManager()) break;
        CommonWndProc(M, d);
        if (Visible()) Repaint();
        return;
      case ACMD_PARENTUPDATED:
        if (!d->Updating()) break;
        d->SetUpdating(false);
        GraphRepaint();
        return;
      case ACMD_ISSKINNED: M.Result = 1; return;
      case ACMD_REDRAW:
        d->SetUpdating(false);
        d->BGChanged = true;
        GraphRepaint();
        break;
      case ACMD_MOUSELEAVE: Ac_CMMouseLeave(true); return;
      case ACMD_GETAPPLICATION:
        M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
        return;
      default: break;
    }
  }
  if (!ControlIsReady(this) || !d->Skinned()) {
    // The inherited handling fires OnMouseEnter and OnMouseLeave.
    if ((M.Msg == classlib::CM_MOUSEENTER || M.Msg == classlib::CM_MOUSELEAVE) && Enabled() && !designing) {
      d->FMouseAbove = M.Msg == classlib::CM_MOUSEENTER;
      if (!d->FMouseAbove && FState == classlib::bsDown) FState = classlib::bsUp;
    }
    classlib::TSpeedButton::WndProc(M);
    return;
  }
  switch (M.Msg) {
    case SM_ALPHACMD:
      switch (CommandOf(M.WParam)) {
        case ACMD_ISBUSY: M.Result = d->Updating() ? 1 : 0; return;
        case ACMD_SECTIONCHANGED: GraphRepaint(); return;
        case ACMD_STOPFADE: StopFade(); return;
        default: break;
      }
      break;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      if (Visible()) d->BGChanged = true;
      break;
    case WM_ERASEBKGND: return;
    case WM_LBUTTONUP:
      if (!designing && FadeTimer_ != nullptr && FadeTimer_->TmpBmp != nullptr &&
          FadeTimer_->TmpBmp->Width() == Width()) {
        StopFade();
        PrepareCache();
        GraphRepaint();
      }
      break;
    case classlib::CM_VISIBLECHANGED:
      d->BGChanged = true;
      d->FMouseAbove = false;
      break;
    case classlib::CM_TEXTCHANGED:
      if (FShowCaption) {
        d->BGChanged = true;
        GraphRepaint();
        return;
      }
      break;
    case classlib::CM_MOUSEENTER:
      if (Enabled() && !d->FMouseAbove && !designing) {
        Ac_CMMouseEnter();
        classlib::TSpeedButton::WndProc(M);
        return;
      }
      break;
    case classlib::CM_MOUSELEAVE:
      if (Enabled()) {
        Ac_CMMouseLeave(false);
        classlib::TSpeedButton::WndProc(M);
        return;
      }
      break;
    default: break;
  }
  if (CommonWndProc(M, d)) return;
  // A drop-down menu's handler may free the button inside the inherited handling.
  const std::shared_ptr<bool> alive = alive_;
  classlib::TSpeedButton::WndProc(M);
  if (!*alive) return;
  switch (M.Msg) {
    case WM_MOVE:
      if (designing && !d->Updating()) Repaint();
      break;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      if (designing && !d->Updating()) GraphRepaint();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!designing && Enabled()) StateChanged(TacAnimatEvent::aeMouseDown, true);
      break;
    case WM_LBUTTONUP:
      if (!designing && !Has(this, classlib::csDestroying)) StateChanged(TacAnimatEvent::aeMouseUp, true);
      break;
    case classlib::CM_ENABLEDCHANGED:
      if (Visible() || designing) {
        if (!Enabled()) StopFade();
        d->BGChanged = true;
        if (!Has(this, classlib::csLoading)) GraphRepaint();
      }
      break;
    case classlib::CM_BUTTONPRESSED:
      d->BGChanged = true;
      GraphRepaint();
      break;
    default: break;
  }
}

// ---- the timer button and registration ----

TsTimerSpeedButton::TsTimerSpeedButton(TComponent* AOwner) : TsSpeedButton(AOwner) { SetWidth(Height() - 4); }

void TsTimerSpeedButton::DeclareProperties(classlib::TClassDecl<TsTimerSpeedButton>& d) {
  d.Bool(L"AllowTimer", &TsTimerSpeedButton::AllowTimer, &TsTimerSpeedButton::SetAllowTimer, true);
}

void RegisterSpeedButtonClasses() {
  classlib::RegisterClass<TsSpeedButton, classlib::TSpeedButton>(L"TsSpeedButton");
  classlib::RegisterClass<TsTimerSpeedButton, TsSpeedButton>(L"TsTimerSpeedButton");
}

}  // namespace skin
