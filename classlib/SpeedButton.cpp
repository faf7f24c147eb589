#include <algorithm>

#include "classlib/Buttons.h"
#include "classlib/Messages.h"

namespace classlib {

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FWidth = 23;
  FHeight = 22;
  ControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton() { FGlyph->OnChange = nullptr; }

void TSpeedButton::DeclareProperties(TClassDecl<TSpeedButton>& d) {
  d.Bool(L"AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp, false);
  d.Integer(L"GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex, 0);
  d.Bool(L"Down", &TSpeedButton::Down, &TSpeedButton::SetDown, false);
  d.Bool(L"Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat, false);
  d.Bool(L"Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent, true);
  d.Object(L"Glyph", &TSpeedButton::Glyph);
  d.Integer(L"NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs, 1);
  d.Enum(L"Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout, blGlyphLeft);
  d.Integer(L"Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin, -1);
  d.Integer(L"Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing, 4);
}

void TSpeedButton::Loaded() {
  TGraphicControl::Loaded();
  // Down is read before GroupIndex may have been: a loaded group member takes its look now.
  if (FGroupIndex == 0) FDown = false;
  if (FDown) FState = bsExclusive;
  if (!FEnabled) FState = bsDisabled;
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value) {
  const bool loading = ComponentState().Contains(csLoading);
  if (FGroupIndex == 0 && !loading) Value = false;
  if (Value == FDown) return;
  // The down button of a group comes up only through another member, unless all may be up.
  if (FDown && !FAllowAllUp && !loading) return;
  FDown = Value;
  if (Value) {
    if (FState == bsUp) Invalidate();
    FState = bsExclusive;
  } else {
    FState = bsUp;
    Repaint();
  }
  if (Value) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  if (Value)
    ControlStyle -= csOpaque;
  else
    ControlStyle += csOpaque;
  Invalidate();
}

void TSpeedButton::SetGlyph(const TBitmap* Value) { FGlyph->Assign(Value); }

void TSpeedButton::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, 4);
  if (FNumGlyphs == Value) return;
  FNumGlyphs = Value;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
  if (FMargin == Value || Value < -1) return;
  FMargin = Value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  Invalidate();
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || FParent == nullptr) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this)};
  FParent->Broadcast(m);
}

void TSpeedButton::ButtonPressed(int Group, TSpeedButton* Sender) {
  if (Group != FGroupIndex || Sender == nullptr || Sender == this) return;
  if (Sender->Down() && FDown) {
    FDown = false;
    FState = bsUp;
    if (FEnabled) Invalidate();
  }
  FAllowAllUp = Sender->AllowAllUp();
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !FEnabled) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  TButtonState next = FDown ? bsExclusive : bsUp;
  if (X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight() && !FDown) next = bsDown;
  if (next != FState) {
    FState = next;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  const bool doClick = X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
  if (FGroupIndex == 0) {
    FState = bsUp;
    Invalidate();
  } else if (doClick) {
    SetDown(!FDown);
    if (FDown) Repaint();
  } else {
    FState = FDown ? bsExclusive : bsUp;
    Repaint();
  }
  if (doClick) Click();
}

void TSpeedButton::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CM_BUTTONPRESSED:
      ButtonPressed(static_cast<int>(M.WParam), dynamic_cast<TSpeedButton*>(reinterpret_cast<TObject*>(M.LParam)));
      return;
    case CM_ENABLEDCHANGED:
      FState = FEnabled ? (FDown ? bsExclusive : bsUp) : bsDisabled;
      if (!FEnabled) FDragging = false;
      Repaint();
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      FMouseInControl = M.Msg == CM_MOUSEENTER;
      if (FFlat && FEnabled) Invalidate();
      break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED: Invalidate(); break;
    default: break;
  }
  TGraphicControl::Dispatch(M);
}

void TSpeedButton::Paint() {
  TCanvas* c = Canvas();
  RECT r{0, 0, FWidth, FHeight};
  HDC dc = c->Handle();
  const bool pressed = FState == bsDown || FState == bsExclusive;
  if (!FFlat) {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
  } else {
    if (!FTransparent) FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (pressed || FMouseInControl) DrawEdge(dc, &r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  }
  if (pressed) OffsetRect(&r, 1, 1);
  const std::wstring text = Caption();
  const int cells = std::max(FNumGlyphs, 1);
  const int gw = FGlyph->Width() / cells, gh = FGlyph->Height();
  if (gw > 0 && gh > 0) {
    // Cells: up, disabled, pressed, down; the bottom-left pixel's colour is transparent.
    int cell = FState == bsDisabled ? 1 : FState == bsDown ? 2 : FState == bsExclusive ? 3 : 0;
    if (cell >= cells) cell = 0;
    const int x = text.empty() ? (r.left + r.right - gw) / 2 : r.left + std::max(FMargin, 2);
    const int y = (r.top + r.bottom - gh) / 2;
    HDC src = FGlyph->Canvas()->Handle();
    TransparentBlt(dc, x, y, gw, gh, src, cell * gw, 0, gw, gh, GetPixel(src, 0, gh - 1));
    r.left = x + gw + FSpacing;
  }
  if (!text.empty()) {
    c->SetFont(Font());
    dc = c->TextHandle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(FEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

}  // namespace classlib
