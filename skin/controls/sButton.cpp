// The skinned push button: construction, properties, state, geometry and the paint cycle.
#include "skin/controls/sButton.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sControlPaint.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acAlphaImageList.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sColorUtils.h"

namespace skin {

using classlib::TBitmap;
using classlib::TCanvas;
using classlib::TControl;

TsButton::TsButton(classlib::TComponent* AOwner) : classlib::TButton(AOwner), FRegion(kFirstPaintRegion) {
  ControlStyle -= classlib::csOpaque;
  ControlStyle -= classlib::csDoubleClicks;
  FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
  FCommonData->COC = 93;
  FWordWrap = true;
}

TsButton::~TsButton() {
  *alive_ = false;
  StopFading(FadeTimer, FCommonData.get());
  DeleteHeldRegion();
  FCommonData.reset();
}

void TsButton::DeclareProperties(classlib::TClassDecl<TsButton>& d) {
  d.Set(L"AnimatEvents", &TsButton::AnimatEvents, &TsButton::SetAnimatEvents, kDefaultAnimatEvents);
  d.Object(L"SkinData", &TsButton::SkinData);
  d.Bool(L"ShowFocus", &TsButton::ShowFocus, &TsButton::SetShowFocus, true);
  d.Set(L"DisabledKind", &TsButton::DisabledKind, &TsButton::SetDisabledKind, kDefaultDisabledKind);
  d.Bool(L"Down", &TsButton::Down, &TsButton::SetDown, false);
  d.Integer(L"FocusMargin", &TsButton::FocusMargin, &TsButton::SetFocusMargin, 1);
  d.Integer(L"ContentMargin", &TsButton::ContentMargin, &TsButton::SetContentMargin, 6);
  d.Enum(L"Style", &TsButton::Style, &TsButton::SetStyle, bsPushButton);
  d.Bool(L"Reflected", &TsButton::Reflected, &TsButton::SetReflected, false);
  d.Bool(L"WordWrap", &TsButton::WordWrap, &TsButton::SetWordWrap, true);
}

void TsButton::AfterConstruction() {
  classlib::TButton::AfterConstruction();
  FCommonData->Loaded();
}

void TsButton::Loaded() {
  classlib::TButton::Loaded();
  if (TBitmap* cache = FCommonData->CacheBmp()) cache->Canvas()->SetFont(Font());
  FCommonData->Loaded();
}

void TsButton::CreateParams(classlib::TCreateParams& Params) {
  classlib::TButton::CreateParams(Params);
  Params.Style |= BS_OWNERDRAW;
}

void TsButton::SetButtonStyle(bool ADefault) {
  // The window stays owner-drawn: the default look is ours to draw.
  IsFocused = ADefault;
  FCommonData->Invalidate();
}

void TsButton::UpdateImageList() { FCommonData->Invalidate(); }
void TsButton::UpdateImages() {}

// ---- properties ----

void TsButton::SetShowFocus(bool Value) {
  if (FShowFocus == Value) return;
  FShowFocus = Value;
  FCommonData->Invalidate();
}

void TsButton::SetDisabledKind(TsDisabledKind Value) {
  if (FDisabledKind == Value) return;
  FDisabledKind = Value;
  if (!ComponentState().Contains(classlib::csLoading)) FCommonData->Invalidate();
}

void TsButton::SetDown(bool Value) {
  if (FDown == Value) return;
  FDown = Value;
  RegionChanged = true;
  if (!ComponentState().Contains(classlib::csLoading)) FCommonData->Invalidate();
}

void TsButton::SetContentMargin(int Value) {
  if (FContentMargin == Value) return;
  FContentMargin = Value;
  FCommonData->Invalidate();
}

void TsButton::SetStyle(TButtonStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  FCommonData->Invalidate();
}

void TsButton::SetReflected(bool Value) {
  if (FReflected == Value) return;
  FReflected = Value;
  FCommonData->Invalidate();
}

// ---- state and geometry ----

bool TsButton::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(true); }
bool TsButton::Destroying() const { return ComponentState().Contains(classlib::csDestroying); }
bool TsButton::Designing() const { return ComponentState().Contains(classlib::csDesigning); }

int TsButton::CurrentState() {
  TButtonStateInput in;
  if (HandleAllocated()) {
    in.Pushed = (SendMessageW(FHandle, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    in.DefaultLook = (GetWindowLongPtrW(FHandle, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
  }
  in.GlobalPressed = fGlobalFlag;
  in.MouseAbove = FCommonData->FMouseAbove;
  in.LButtonHeld = ControlState.Contains(classlib::csLButtonDown);
  in.Down = FDown;
  in.DroppedDown = DroppedDown;
  in.DefaultLook = in.DefaultLook || IsFocused || (Designing() && Default());
  in.Active = ControlIsActive(FCommonData.get());
  return ButtonState(in);
}

bool TsButton::GlyphExist() const {
  return Images() != nullptr && ImageIndex() >= 0 && ImageIndex() < Images()->Count();
}

int TsButton::GlyphIndex() {
  int state;
  if (!Enabled())
    state = 4;
  else if (const int s = CurrentState(); s == 2)
    state = 2;
  else if (Focused())
    state = 3;
  else
    state = s;
  const int picks[] = {ImageIndex(), HotImageIndex(), PressedImageIndex(), SelectedImageIndex(), DisabledImageIndex()};
  const int picked = picks[state];
  if (Images() == nullptr || picked < 0 || picked >= Images()->Count()) return ImageIndex();
  return picked;
}

TButtonGeometry TsButton::Layout() {
  TButtonGeometry l;
  l.Width = Width();
  l.Height = Height();
  l.Style = FStyle;
  l.HasGlyph = GlyphExist();
  if (l.HasGlyph) {
    l.ImageWidth = Images()->Width();
    l.ImageHeight = Images()->Height();
  }
  l.Align = static_cast<TacGlyphAlign>(ImageAlignment());
  l.ImageMargins = {ImageMargins()->Left(), ImageMargins()->Top(), ImageMargins()->Right(), ImageMargins()->Bottom()};
  l.ContentMargin = FContentMargin;
  l.Pressed = CurrentState() == 2;
  return l;
}

TRect TsButton::GlyphRect() { return ButtonGlyphRect(Layout()); }

TRect TsButton::CaptionRect() {
  const TButtonGeometry l = Layout();
  const std::wstring caption = Caption();
  TSize text;
  if (!caption.empty() && FCommonData->CacheBmp() != nullptr) {
    TCanvas* canvas = FCommonData->CacheBmp()->Canvas();
    canvas->SetFont(Font());
    const bool link = FStyle == bsCommandLink;
    detail::TLinkFont bold(canvas, link);
    TRect r{0, 0, ButtonCaptionMeasureWidth(l), 0};
    const UINT flags = DT_CALCRECT | DT_EXPANDTABS | DT_CENTER | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextW(canvas->TextHandle(), caption.c_str(), static_cast<int>(caption.size()), reinterpret_cast<RECT*>(&r),
              flags);
    text = {r.Right - r.Left, r.Bottom - r.Top};
  }
  return ButtonCaptionRect(l, text);
}

const TsMaskData* TsButton::BorderImage() const {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (sm == nullptr || !sm->IsValidImgIndex(FCommonData->BorderIndex)) return nullptr;
  return &sm->Records().ma[static_cast<std::size_t>(FCommonData->BorderIndex)];
}

// ---- painting ----

TacBtnGlyphSource TsButton::BtnGlyphSource() {
  TacBtnGlyphSource s;
  s.Images = Images();
  s.ImageIndex = GlyphIndex();
  s.DestRect = GlyphRect();
  s.Reflected = FReflected;
  return s;
}

TsCommonData* TsButton::GlyphSkinData() { return FCommonData.get(); }

void TsButton::DrawGlyph(TCanvas*) {
  if (GlyphExist()) DrawBtnGlyph(this, nullptr);
}

void TsButton::DrawCaption(TCanvas* Canvas) {
  TCanvas* canvas = Canvas != nullptr ? Canvas : FCommonData->CacheBmp()->Canvas();
  canvas->SetFont(Font());
  canvas->Brush()->SetStyle(classlib::bsClear);
  TRect r = CaptionRect();
  const bool link = FStyle == bsCommandLink;
  const bool skinned = Skinned();
  const bool hot = CurrentState() != 0;
  {
    detail::TLinkFont bold(canvas, link);
    UINT flags = link ? DT_WORDBREAK | DT_EXPANDTABS : DT_CENTER | DT_VCENTER | DT_EXPANDTABS;
    if (!link && FWordWrap) flags |= DT_WORDBREAK;
    detail::WriteCaption(canvas, Caption(), Enabled() || skinned, r, flags, FCommonData.get(), hot);
  }
  if (link && !CommandLinkHint().empty()) {
    TRect note{r.Left, r.Bottom + 6, r.Right, Height() - FContentMargin};
    detail::WriteCaption(canvas, CommandLinkHint(), Enabled() || skinned, note, DT_WORDBREAK | DT_EXPANDTABS,
                         FCommonData.get(), hot);
  }
  const TsGeneralData* g = detail::Section(FCommonData.get());
  if (Focused() && Enabled() && !Caption().empty() && FShowFocus && skinned && g != nullptr && g->ShowFocus) {
    TRect f{r.Left - FFocusMargin, r.Top - FFocusMargin, r.Right + FFocusMargin, r.Bottom + FFocusMargin};
    detail::DrawFocusFrame(canvas, f);
  }
}

void TsButton::PrepareCache() {
  TCacheInfo ci;
  GetParentCache(FCommonData.get(), ci);
  InitCacheBmp(FCommonData.get());
  TBitmap* cache = FCommonData->CacheBmp();
  cache->Canvas()->SetFont(Font());
  const TsGeneralData* g = detail::Section(FCommonData.get());
  const int state = std::min(CurrentState(), detail::LastState(FCommonData.get()));
  const TRect whole{0, 0, Width(), Height()};
  PaintItemBG(FCommonData.get(), ci, state, whole, {Left(), Top()}, cache);
  if (const TsMaskData* md = BorderImage(); md != nullptr && (state > 0 || (md->DrawMode & 2) == 0)) {
    if (RegionChanged && md->CornerType == 2 && !InAnimationProcess && FadeTimer == nullptr) {
      DeleteHeldRegion();
      FRegion = CreateRectRgn(0, 0, Width(), Height());
      PaintRgnBorder(cache, FRegion, true, *md, state);
    } else {
      TCacheInfo moved = ci;
      moved.X += Left();
      moved.Y += Top();
      DrawSkinRect(cache, whole, true, moved, *md, state, true);
    }
  }
  if (FCommonData->HUEOffset() != 0) ChangeBmpHUE(View32(cache), FCommonData->HUEOffset());
  if (FCommonData->Saturation() != 0) ChangeBmpSaturation(View32(cache), FCommonData->Saturation());
  DrawGlyph(nullptr);
  DrawCaption(nullptr);
  if (FStyle == bsSplitButton && g != nullptr) {
    const TColor colour = g->Props[state > 0 ? 1 : 0].FontColor.Color;
    detail::DrawSplitStrip(cache, colour);
  }
  if (!Enabled()) detail::ApplyDisabledKind(this, cache, FDisabledKind, ci);
  FCommonData->BGChanged = false;
}

void TsButton::DeleteHeldRegion() { detail::DeleteHeldRegion(FRegion); }

void TsButton::RemoveWindowRegion() {
  if (HandleAllocated()) SetWindowRgn(FHandle, nullptr, FALSE);
}

void TsButton::OurPaintHandler(HDC DC) {
  detail::TButtonPaint p;
  p.Control = this;
  p.Data = FCommonData.get();
  p.Region = &FRegion;
  p.LastRect = &LastRect;
  p.RegionChanged = RegionChanged;
  p.Fading = FadeTimer != nullptr && FadeTimer->Enabled();
  p.Designing = Designing();
  p.Border = BorderImage();
  p.Prepare = [this] { PrepareCache(); };
  p.State = [this] { return CurrentState(); };
  detail::PaintButtonFromCache(DC, p);
}

}  // namespace skin
