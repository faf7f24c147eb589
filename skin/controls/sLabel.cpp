#include "skin/controls/sLabel.h"

#include <algorithm>
#include <string_view>

#include "skin/controls/sLabelDetail.h"
#include "skin/core/acSkinRecords.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sTextOutWin32.h"

namespace skin {

using classlib::TFont;
using classlib::TMessage;
using detail::ActiveManager;
using detail::GlobalInfo;
using detail::Section;
using detail::SectionName;
using detail::TFlagHold;

namespace {

// Runs DrawTextW with the canvas's current font and Colour; Rect takes the measured size.
void DrawLabelText(HDC DC, const std::wstring& Text, TRect& Rect, UINT Flags, TColor Colour) {
  SetTextColor(DC, static_cast<COLORREF>(classlib::ColorToRGB(Colour)));
  acDrawText(DC, Text, Rect, Flags);
}

}  // namespace

TsCustomLabel::TsCustomLabel(classlib::TComponent* AOwner) : TCustomLabel(AOwner) { SetTransparent(true); }

bool TsCustomLabel::Destroying() const { return ComponentState().Contains(classlib::csDestroying); }
bool TsCustomLabel::Designing() const { return ComponentState().Contains(classlib::csDesigning); }

void TsCustomLabel::SetSkinSection(const std::wstring& Value) {
  if (FSkinSection == Value) return;
  FSkinSection = Value;
  Invalidate();
}

TFont* TsCustomLabel::GetCurrentFont() {
  TsSkinManager* m = ActiveManager();
  if (m == nullptr) return Font();
  const int index = GetFontIndex(this, -1, m, 0);
  const TsGeneralData* g = Section(m, index);
  const TColor colour = g != nullptr ? g->Props[0].FontColor.Color : m->Records().GetGlobalFontColor();
  if (colour != classlib::clFuchsia && colour != Font()->Color()) Font()->SetColor(colour);
  return Font();
}

std::wstring TsCustomLabel::TextToDraw(UINT& Flags) const {
  std::wstring text = GetLabelText();
  if ((Flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == L"&"))) text += L' ';
  if (!ShowAccelChar()) Flags |= DT_NOPREFIX;
  return text;
}

void TsCustomLabel::Paint() {
  FSkinIndex = -1;
  if (Destroying()) return;
  struct TResetIndex {
    int& index;
    ~TResetIndex() { index = -1; }
  } reset{FSkinIndex};
  TsSkinManager* m = ActiveManager();
  if (!LabelFontUpdating) {
    TFlagHold hold(LabelFontUpdating);
    TFont* f = GetCurrentFont();
    if (f != Font()) Font()->Assign(f);
    if (!FSkinSection.empty() && m != nullptr) {
      FSkinIndex = m->GetSkinIndex(SectionName(FSkinSection));
      if (const TsGeneralData* g = Section(m, FSkinIndex)) Font()->SetColor(g->Props[0].FontColor.Color);
    }
  }
  // Index 0 is the skin's first section: it lends its font colour but no background.
  if (FSkinIndex > 0 && m != nullptr && Parent() != nullptr) {
    TacBGInfo info;
    GetBGInfo(info, Parent(), false);
    PaintItem(FSkinIndex, SectionName(FSkinSection), BGInfoToCI(info), true, 0, TRect{0, 0, Width(), Height()},
              TPoint{Left(), Top()}, Canvas()->Handle(), m);
  }
  TCustomLabel::Paint();
}

void TsCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  TsSkinManager* m = DefaultManager();
  if (Enabled() || m == nullptr || m->ComponentState().Contains(classlib::csDestroying) || !m->Active()) {
    TCustomLabel::DoDrawText(Rect, Flags);
    return;
  }
  // Disabled on a skin: the font colour faded into the parent's, rather than the classic emboss
  // that looks foreign on a coloured section.
  const std::wstring text = TextToDraw(Flags);
  TColor parentColour = Parent() != nullptr ? GetControlColor(Parent()) : classlib::clFuchsia;
  if (parentColour == classlib::clFuchsia) parentColour = Parent() != nullptr ? Parent()->Color() : Color();
  const TColor colour = MixColors(classlib::ColorToRGB(Font()->Color()), classlib::ColorToRGB(parentColour), 0.4);
  HDC dc = Canvas()->Handle();
  const int saved = SaveDC(dc);
  SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  DrawLabelText(dc, text, Rect, Flags, colour);
  RestoreDC(dc, saved);
}

void TsCustomLabel::WndProc(TMessage& Message) {
  if (Message.Msg == classlib::CM_FONTCHANGED && !Destroying() && !LabelFontChanging) {
    if (LabelFontUpdating) return;
    TFlagHold hold(LabelFontChanging);
    if (AutoSize()) AdjustBounds();
    Invalidate();
    return;
  }
  if (Message.Msg == classlib::CM_MOUSEENTER && OnMouseEnter) OnMouseEnter(this);
  TCustomLabel::WndProc(Message);
  if (Message.Msg == classlib::CM_MOUSELEAVE && OnMouseLeave) OnMouseLeave(this);
  if (Message.Msg != SM_ALPHACMD) return;
  const unsigned command = CommandOf(Message.WParam);
  if (command == ACMD_REMOVESKIN && Message.LParam == reinterpret_cast<LPARAM>(DefaultManager()) && !Destroying())
    Font()->SetColor(classlib::clWindowText);
  else if (command == ACMD_REFRESH && Designing())
    Invalidate();
}

bool TsLabel::FollowsSkin() const {
  return !Destroying() && FUseSkinColor && !(Designing() && GetOwnerFrame(const_cast<TsLabel*>(this)) != nullptr);
}

TFont* TsLabel::GetCurrentFont() { return FollowsSkin() ? TsCustomLabel::GetCurrentFont() : Font(); }

void TsLabel::WndProc(TMessage& Message) {
  if (Message.Msg == SM_ALPHACMD && CommandOf(Message.WParam) == ACMD_REMOVESKIN &&
      Message.LParam == reinterpret_cast<LPARAM>(DefaultManager())) {
    if (FollowsSkin()) Font()->SetColor(classlib::clWindowText);
    return;
  }
  TsCustomLabel::WndProc(Message);
}

namespace {

IacBoundLabelControl* NewEditLabel(classlib::TComponent* AOwner, TsBoundLabel* Bound) {
  return classlib::Create<TsEditLabel>(AOwner, Bound);
}

// Bound labels find their label class as soon as this unit is part of the program.
const bool g_editLabelsRegistered = (SetBoundLabelFactory(&NewEditLabel), true);

}  // namespace

TsEditLabel::TsEditLabel(classlib::TComponent* AOwner, TsBoundLabel* BoundStruct)
    : TsLabel(AOwner), BoundLabel(BoundStruct) {}

TsEditLabel::~TsEditLabel() {
  if (BoundLabel != nullptr) BoundLabel->LabelFreed(this);
}

void TsShadow::UpdateRGB() {
  const auto c = static_cast<std::uint32_t>(classlib::ColorToRGB(FColor));
  sr = int(c & 0xFF);
  sg = int((c >> 8) & 0xFF);
  sb = int((c >> 16) & 0xFF);
}

void TsShadow::SetMode(TsShadowMode Value) {
  UpdateRGB();
  if (FMode == Value) return;
  FMode = Value;
  ParentControl->Invalidate();
}

void TsShadow::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  UpdateRGB();
  ParentControl->Invalidate();
}

void TsShadow::SetBlurCount(int Value) {
  if (FBlurCount == Value) return;
  FBlurCount = Value;
  ParentControl->Invalidate();
}

void TsShadow::SetDistance(int Value) {
  if (FDistance == Value) return;
  FDistance = Value;
  ParentControl->Invalidate();
}

void TsKind::SetKindType(TsKindType Value) {
  if (FKindType == Value) return;
  FKindType = Value;
  FOwner->Invalidate();
}

void TsKind::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  FOwner->Invalidate();
}

TsLabelFX::TsLabelFX(classlib::TComponent* AOwner) : TsCustomLabel(AOwner), FMask(NewBitmap32(0, 0)) {}

TColor TsLabelFX::TextColor() {
  switch (FKind.KindType()) {
    case ktStandard: return Color();
    case ktCustom: return FKind.Color();
    case ktSkin: break;
  }
  TsSkinManager* m = ActiveManager();
  if (m == nullptr) return FKind.Color();
  if (!SkinSection().empty()) FSkinIndex = m->GetSkinIndex(SectionName(SkinSection()));
  if (FSkinIndex >= 0) return FKind.Color();  // the section's own colours write the text
  const TsGeneralData* g = GlobalInfo(m);
  return g != nullptr && g->Props[0].FontColor.Left != -1 ? g->Props[0].FontColor.Left : FKind.Color();
}

void TsLabelFX::BuildShadowImage(HDC DC, const std::wstring& Text, const TRect& Rect, UINT Flags, int Distance) {
  const int w = std::max(Rect.Right - Rect.Left, 0), h = std::max(Rect.Bottom - Rect.Top, 0);
  if (FMask->Width() != w || FMask->Height() != h) FMask = NewBitmap32(w, h);
  HDC maskDC = FMask->Canvas()->Handle();
  PatBlt(maskDC, 0, 0, w, h, BLACKNESS);
  const int saved = SaveDC(maskDC);
  SelectObject(maskDC, GetCurrentObject(DC, OBJ_FONT));
  SetBkMode(maskDC, TRANSPARENT);
  TRect textRect{Rect.Left - FReach.TopLeft + Distance, Rect.Top - FReach.TopLeft + Distance,
                 Rect.Right - FReach.RightBottom + Distance, Rect.Bottom - FReach.RightBottom + Distance};
  DrawLabelText(maskDC, Text, textRect, Flags, classlib::clWhite);
  RestoreDC(maskDC, saved);
  GdiFlush();
  FMaskBits.Blur(View32(FMask.get()), FShadow.BlurCount() > 0 ? FShadow.BlurCount() : 0);
  if (Transparent()) {
    BitBlt(maskDC, 0, 0, w, h, DC, 0, 0, SRCCOPY);
  } else {
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(classlib::ColorToRGB(Color())));
    RECT all{0, 0, w, h};
    FillRect(maskDC, &all, brush);
    DeleteObject(brush);
  }
  GdiFlush();
  ComposeShadow(View32(FMask.get()), FMaskBits, FShadow.sr, FShadow.sg, FShadow.sb);
  FNeedInvalidate = false;
}

void TsLabelFX::DoDrawText(TRect& Rect, UINT Flags) {
  if (ComponentState().Contains(classlib::csLoading) || (FShadow.Mode() == smNone && FSkinIndex < 0)) {
    TsCustomLabel::DoDrawText(Rect, Flags);
    return;
  }
  TColor shadowColour = 0;
  int blur = 0, distance = 0;
  if (FShadow.Mode() == smCustom) {
    shadowColour = FShadow.Color();
    blur = FShadow.BlurCount();
    distance = FShadow.Distance();
  } else if (FShadow.Mode() == smSkin1) {
    TsSkinManager* m = ActiveManager();
    if (m != nullptr && m->Records().SkinData.Shadow1Blur != -1) {
      const TsSkinData& s = m->Records().SkinData;
      shadowColour = s.Shadow1Color;
      blur = s.Shadow1Blur;
      distance = s.Shadow1Offset;
    } else {
      shadowColour = FShadow.Color();
      blur = FShadow.BlurCount();
      distance = FShadow.Distance();
    }
    const auto c = static_cast<std::uint32_t>(classlib::ColorToRGB(shadowColour));
    FShadow.sr = int(c & 0xFF);
    FShadow.sg = int((c >> 8) & 0xFF);
    FShadow.sb = int((c >> 16) & 0xFF);
  }
  FReach = ShadowReach(distance, blur);
  const std::wstring text = TextToDraw(Flags);
  const bool withShadow = shadowColour != classlib::clNone && blur != 0;
  HDC dc = Canvas()->Handle();
  const int saved = SaveDC(dc);
  SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled()) {
    if (!(Flags & DT_CALCRECT)) {
      TRect lit{Rect.Left + 1, Rect.Top + 1, Rect.Right + 1, Rect.Bottom + 1};
      DrawLabelText(dc, text, lit, Flags, classlib::clBtnHighlight);
    }
    DrawLabelText(dc, text, Rect, Flags, classlib::clBtnShadow);
    RestoreDC(dc, saved);
    return;
  }
  const TColor colour = TextColor();
  if ((Flags & DT_CALCRECT) || !withShadow) {
    DrawLabelText(dc, text, Rect, Flags, colour);
    if ((Flags & DT_CALCRECT) && withShadow) {
      Rect.Right += FReach.Growth();
      Rect.Bottom += FReach.Growth();
    }
    RestoreDC(dc, saved);
    return;
  }
  if (FNeedInvalidate || !FShadow.FBuffered) BuildShadowImage(dc, text, Rect, Flags, distance);
  BitBlt(dc, 0, 0, FMask->Width(), FMask->Height(), FMask->Canvas()->Handle(), 0, 0, SRCCOPY);
  TRect textRect{Rect.Left - FReach.TopLeft, Rect.Top - FReach.TopLeft, Rect.Right - FReach.RightBottom,
                 Rect.Bottom - FReach.RightBottom};
  if (FSkinIndex < 0) {
    DrawLabelText(dc, text, textRect, Flags, colour);
    RestoreDC(dc, saved);
  } else {
    RestoreDC(dc, saved);
    Canvas()->SetFont(Font());
    acWriteTextEx(Canvas(), text, Enabled(), textRect, Flags, FSkinIndex, false, DefaultManager());
  }
}

}  // namespace skin
