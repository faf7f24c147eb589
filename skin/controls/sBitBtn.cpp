// The skinned bitmap button: construction, properties, state, geometry and the paint cycle.
#include "skin/controls/sBitBtn.h"

#include <algorithm>

#include "classlib/ScopeExit.h"
#include "skin/controls/sBitBtnGeometry.h"
#include "skin/controls/sButtonLayout.h"
#include "skin/controls/sSpeedButtonGeometry.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinRect.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sColorUtils.h"
#include "skin/graphics/sTextOutWin32.h"

namespace skin {

using classlib::TBitmap;
using classlib::TCanvas;

TsBitBtn::TsBitBtn(classlib::TComponent* AOwner) : classlib::TBitBtn(AOwner) {
  ControlStyle -= classlib::csOpaque;
  FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
  FCommonData->COC = 94;
  FWordWrap = true;
  // A new glyph bitmap is a new look, not only a repaint of the old cache.
  Glyph()->OnChange = [this](classlib::TObject*) {
    if (FCommonData != nullptr) FCommonData->Invalidate();
  };
}

TsBitBtn::~TsBitBtn() {
  *alive_ = false;
  Glyph()->OnChange = nullptr;
  StopFading(FadeTimer, FCommonData.get());
  DeleteHeldRegion();
  FCommonData.reset();
}

void TsBitBtn::DeclareProperties(classlib::TClassDecl<TsBitBtn>& d) {
  d.Event(L"OnPaint", &TsBitBtn::OnPaint);
  d.Set(L"AnimatEvents", &TsBitBtn::AnimatEvents, &TsBitBtn::SetAnimatEvents, kDefaultAnimatEvents);
  d.Enum(L"Alignment", &TsBitBtn::Alignment, &TsBitBtn::SetAlignment, classlib::taCenter);
  d.Integer(L"Blend", &TsBitBtn::Blend, &TsBitBtn::SetBlend, 0);
  d.Object(L"SkinData", &TsBitBtn::SkinData);
  d.Set(L"DisabledGlyphKind", &TsBitBtn::DisabledGlyphKind, &TsBitBtn::SetDisabledGlyphKind, kDefaultDisabledGlyphKind);
  d.Set(L"DisabledKind", &TsBitBtn::DisabledKind, &TsBitBtn::SetDisabledKind, kDefaultDisabledKind);
  d.Bool(L"Down", &TsBitBtn::Down, &TsBitBtn::SetDown, false);
  d.Integer(L"FocusMargin", &TsBitBtn::FocusMargin, &TsBitBtn::SetFocusMargin, 1);
  d.Bool(L"Grayed", &TsBitBtn::Grayed, &TsBitBtn::SetGrayed, false);
  d.Bool(L"Reflected", &TsBitBtn::Reflected, &TsBitBtn::SetReflected, false);
  d.Bool(L"ShowCaption", &TsBitBtn::ShowCaption, &TsBitBtn::SetShowCaption, true);
  d.Bool(L"ShowFocus", &TsBitBtn::ShowFocus, &TsBitBtn::SetShowFocus, true);
  d.Bool(L"DrawOverBorder", &TsBitBtn::DrawOverBorder, &TsBitBtn::SetDrawOverBorder, true);
  d.Integer(L"TextOffset", &TsBitBtn::TextOffset, &TsBitBtn::SetOffset, 0);
  d.Enum(L"TextAlignment", &TsBitBtn::TextAlignment, &TsBitBtn::SetTextAlignment, classlib::taCenter);
  d.Bool(L"WordWrap", &TsBitBtn::WordWrap, &TsBitBtn::SetWordWrap, true);
}

void TsBitBtn::AfterConstruction() {
  classlib::TBitBtn::AfterConstruction();
  FCommonData->CacheBmp()->Canvas()->SetFont(Font());
  FCommonData->Loaded();
}

void TsBitBtn::Loaded() {
  classlib::TBitBtn::Loaded();
  FCommonData->CacheBmp()->Canvas()->SetFont(Font());
  FCommonData->Loaded();
  // An image of the list wins: the streamed bitmap must not be drawn as well.
  if (ImageListGlyph()) Glyph()->Assign(nullptr);
}

void TsBitBtn::Invalidate() {
  if (Layout() != OldLayout) {
    OldLayout = Layout();
    if (FCommonData != nullptr) FCommonData->BGChanged = true;
  }
  classlib::TBitBtn::Invalidate();
}

void TsBitBtn::SetButtonStyle(bool ADefault) {
  classlib::TBitBtn::SetButtonStyle(ADefault);
  IsFocused = ADefault;
  FCommonData->Invalidate();
}

void TsBitBtn::UpdateImageList() { FCommonData->Invalidate(); }
void TsBitBtn::UpdateImages() { FCommonData->Invalidate(); }

// ---- properties ----

namespace {
template <class T>
bool Change(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}
}  // namespace

void TsBitBtn::SetAlignment(classlib::TAlignment Value) {
  if (Change(FAlignment, Value)) FCommonData->Invalidate();
}
void TsBitBtn::SetBlend(int Value) {
  if (Change(FBlend, ClampBlend(Value))) FCommonData->Invalidate();
}
void TsBitBtn::SetDisabledGlyphKind(TsDisabledGlyphKind Value) {
  if (Change(FDisabledGlyphKind, Value)) FCommonData->Invalidate();
}
void TsBitBtn::SetDisabledKind(TsDisabledKind Value) {
  if (Change(FDisabledKind, Value)) FCommonData->Invalidate();
}
void TsBitBtn::SetGrayed(bool Value) {
  if (Change(FGrayed, Value)) FCommonData->Invalidate();
}
void TsBitBtn::SetReflected(bool Value) {
  if (Change(FReflected, Value)) FCommonData->Invalidate();
}
void TsBitBtn::SetShowCaption(bool Value) {
  if (Change(FShowCaption, Value)) FCommonData->Invalidate();
}
void TsBitBtn::SetShowFocus(bool Value) {
  if (Change(FShowFocus, Value)) FCommonData->Invalidate();
}
void TsBitBtn::SetDrawOverBorder(bool Value) {
  if (Change(FDrawOverBorder, Value)) FCommonData->Invalidate();
}
void TsBitBtn::SetOffset(int Value) {
  if (Change(FOffset, Value)) FCommonData->Invalidate();
}
void TsBitBtn::SetTextAlignment(classlib::TAlignment Value) {
  if (Change(FTextAlignment, Value)) FCommonData->Invalidate();
}

void TsBitBtn::SetDown(bool Value) {
  if (!Change(FDown, Value)) return;
  RegionChanged = true;
  FCommonData->BGChanged = true;
  RepaintNow();
}

// ---- state and geometry ----

bool TsBitBtn::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(true); }
bool TsBitBtn::Destroying() const { return ComponentState().Contains(classlib::csDestroying); }
bool TsBitBtn::Designing() const { return ComponentState().Contains(classlib::csDesigning); }

int TsBitBtn::CurrentState() {
  TButtonStateInput in;
  if (HandleAllocated()) {
    in.Pushed = (SendMessageW(FHandle, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    in.DefaultLook = (GetWindowLongPtrW(FHandle, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
  }
  in.GlobalPressed = fGlobalFlag;
  in.MouseAbove = FCommonData->FMouseAbove;
  in.LButtonHeld = ControlState.Contains(classlib::csLButtonDown);
  in.Down = FDown;
  in.DefaultLook = in.DefaultLook || IsFocused || (Designing() && Default());
  in.Active = ControlIsActive(FCommonData.get());
  return ButtonState(in);
}

bool TsBitBtn::ImageListGlyph() const {
  const int count = GetImageCount(Images());
  return count > 0 && ImageIndex() >= 0 && ImageIndex() < count;
}

int TsBitBtn::GlyphWidth() const {
  if (ImageListGlyph()) return BitBtnGlyphSize(Images()->Width(), Images()->Height(), NumGlyphs()).cx;
  return BitBtnGlyphSize(Glyph()->Width(), Glyph()->Height(), NumGlyphs()).cx;
}

int TsBitBtn::GlyphHeight() const {
  if (ImageListGlyph()) return BitBtnGlyphSize(Images()->Width(), Images()->Height(), NumGlyphs()).cy;
  return BitBtnGlyphSize(Glyph()->Width(), Glyph()->Height(), NumGlyphs()).cy;
}

TRect TsBitBtn::ImgRect() {
  return BitBtnImgRect(GlyphPos, {GlyphWidth(), GlyphHeight()}, CurrentState() == 2, FReflected);
}

TSize TsBitBtn::TextRectSize() {
  const std::wstring caption = Caption();
  TBitBtnCaptionWidthInput in;
  in.Width = Width();
  in.Margin = Margin();
  in.GlyphWidth = GlyphWidth();
  in.Spacing = Spacing();
  in.SideBySide = Layout() == classlib::blGlyphLeft || Layout() == classlib::blGlyphRight;
  in.ShowCaption = FShowCaption;
  in.HasCaption = !caption.empty();
  const int room = BitBtnCaptionMaxWidth(in);
  if (room == 0) return {};
  TCanvas* canvas = FCommonData->CacheBmp()->Canvas();
  canvas->SetFont(Font());
  RECT r{0, 0, std::max(room, 0), 0};
  UINT flags = GetStringFlags(this, FTextAlignment) | DT_CALCRECT | DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  DrawTextW(canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &r, flags);
  return {r.right - r.left, r.bottom - r.top};
}

// Right-to-left reading puts a left glyph at the right: the mirrored alignment's DT_RIGHT tells.
int TsBitBtn::BiDiFlags() const { return static_cast<int>(GetStringFlags(this, classlib::taLeftJustify) & DT_RIGHT); }

void TsBitBtn::CalcLayout() {
  const TSize text = TextRectSize();
  CalcButtonLayout(TRect{0, 0, Width(), Height()}, TPoint{GlyphWidth(), GlyphHeight()}, text,
                   static_cast<TButtonLayout>(Layout()), static_cast<TAlignment>(FAlignment), Margin(), Spacing(),
                   GlyphPos, FCaptionRect, BiDiFlags());
}

const TsMaskData* TsBitBtn::BorderImage() const {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (sm == nullptr || !sm->IsValidImgIndex(FCommonData->BorderIndex)) return nullptr;
  return &sm->Records().ma[static_cast<std::size_t>(FCommonData->BorderIndex)];
}

// ---- painting ----

TacBtnGlyphSource TsBitBtn::BtnGlyphSource() {
  TacBtnGlyphSource s;
  const bool fromList = ImageListGlyph();
  s.Images = fromList ? Images() : nullptr;
  s.ImageIndex = fromList ? ImageIndex() : -1;
  s.Glyph = fromList ? nullptr : Glyph();
  s.DestRect = ImgRect();
  s.NumGlyphs = NumGlyphs();
  s.Look.State = CurrentState();
  s.Look.Enabled = Enabled();
  s.Look.Down = FDown;
  s.Look.Grayed = FGrayed;
  s.Look.Blend = FBlend;
  s.Look.DisabledGlyphKind = FDisabledGlyphKind;
  s.Reflected = FReflected;
  return s;
}

TsCommonData* TsBitBtn::GlyphSkinData() { return FCommonData.get(); }

void TsBitBtn::DrawCaption(TCanvas* Canvas) {
  TCanvas* canvas = Canvas != nullptr ? Canvas : FCommonData->CacheBmp()->Canvas();
  canvas->SetFont(Font());
  canvas->Brush()->SetStyle(classlib::bsClear);
  const int state = CurrentState();
  TRect r = FCaptionRect;
  if (state == 2) r = {r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  UINT flags = GetStringFlags(this, FTextAlignment) | DT_EXPANDTABS | DT_END_ELLIPSIS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  const std::wstring caption = Caption();
  if (Skinned()) {
    detail::WriteCaption(canvas, caption, true, r, flags, FCommonData.get(), state != 0);
    const TsGeneralData* g = detail::Section(FCommonData.get());
    if (Enabled() && Focused() && !caption.empty() && g != nullptr && g->ShowFocus && FShowFocus && FShowCaption) {
      detail::DrawFocusFrame(
          canvas, {r.Left - FFocusMargin, r.Top - FFocusMargin, r.Right + FFocusMargin, r.Bottom + FFocusMargin});
    }
    return;
  }
  const HDC dc = canvas->Handle();
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = GetTextColor(dc);
  const classlib::TScopeExit restore([&]() noexcept {
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
  });
  if (Enabled()) {
    SetTextColor(dc, classlib::ColorToRGB(Font()->Color()));
    acDrawText(dc, caption, r, flags);
    return;
  }
  TRect raised{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  SetTextColor(dc, classlib::ColorToRGB(classlib::clBtnHighlight));
  acDrawText(dc, caption, raised, flags);
  SetTextColor(dc, classlib::ColorToRGB(classlib::clBtnShadow));
  acDrawText(dc, caption, r, flags);
}

void TsBitBtn::DrawBorder(TBitmap* Cache, const TCacheInfo& CI, int State, bool Filling) {
  const TsMaskData* md = BorderImage();
  if (md == nullptr || (State == 0 && (md->DrawMode & 2) != 0)) return;
  if (RegionChanged && md->CornerType == 2 && !Designing() && !InAnimationProcess && FadeTimer == nullptr) {
    DeleteHeldRegion();
    FRegion = CreateRectRgn(0, 0, Width(), Height());
    PaintRgnBorder(Cache, FRegion, Filling, *md, State);
    return;
  }
  TCacheInfo moved = CI;
  moved.X += Left();
  moved.Y += Top();
  const TRect whole{0, 0, Width(), Height()};
  if (Filling) {
    DrawSkinRect(Cache, whole, true, moved, *md, State, true);
    return;
  }
  // The border image paints its centre too: drawn over glyph and caption, only its edges are
  // taken, so that it frames them instead of covering them.
  auto framed = NewBitmap32(Width(), Height());
  const HDC src = framed->Canvas()->Handle(), dst = Cache->Canvas()->Handle();
  BitBlt(src, 0, 0, Width(), Height(), dst, 0, 0, SRCCOPY);
  DrawSkinRect(framed.get(), whole, false, moved, *md, State, true);
  int wl = md->WL, wr = md->WR, wt = md->WT, wb = md->WB;
  FitMargins(wl, wr, Width());
  FitMargins(wt, wb, Height());
  BitBlt(dst, 0, 0, Width(), wt, src, 0, 0, SRCCOPY);
  BitBlt(dst, 0, Height() - wb, Width(), wb, src, 0, Height() - wb, SRCCOPY);
  BitBlt(dst, 0, wt, wl, Height() - wt - wb, src, 0, wt, SRCCOPY);
  BitBlt(dst, Width() - wr, wt, wr, Height() - wt - wb, src, Width() - wr, wt, SRCCOPY);
}

void TsBitBtn::PrepareCache() {
  TCacheInfo ci;
  GetParentCache(FCommonData.get(), ci);
  InitCacheBmp(FCommonData.get());
  TBitmap* cache = FCommonData->CacheBmp();
  cache->Canvas()->SetFont(Font());
  const int state = std::min(CurrentState(), detail::LastState(FCommonData.get()));
  PaintItemBG(FCommonData.get(), ci, state, TRect{0, 0, Width(), Height()}, {Left(), Top()}, cache);
  if (FDrawOverBorder) DrawBorder(cache, ci, state, true);
  if (FCommonData->HUEOffset() != 0) ChangeBmpHUE(View32(cache), FCommonData->HUEOffset());
  if (FCommonData->Saturation() != 0) ChangeBmpSaturation(View32(cache), FCommonData->Saturation());
  CalcLayout();
  if (FShowCaption) DrawCaption(nullptr);
  DrawBtnGlyph(this, nullptr);
  // Drawn last, the border frames glyph and caption without filling over them.
  if (!FDrawOverBorder) DrawBorder(cache, ci, state, false);
  if (!Enabled()) detail::ApplyDisabledKind(this, cache, FDisabledKind, ci);
  if (OnPaint) OnPaint(this, cache);
  FCommonData->BGChanged = false;
}

void TsBitBtn::DeleteHeldRegion() { detail::DeleteHeldRegion(FRegion); }

void TsBitBtn::RemoveWindowRegion() {
  if (HandleAllocated()) SetWindowRgn(FHandle, nullptr, FALSE);
}

void TsBitBtn::OurPaintHandler(HDC DC) {
  // Margin, Spacing and NumGlyphs are set through the class library, which only invalidates.
  const TLayoutInputs inputs{Margin(), Spacing(), NumGlyphs()};
  if (inputs != FOldInputs) {
    FOldInputs = inputs;
    FCommonData->BGChanged = true;
  }
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
