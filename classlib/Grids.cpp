#include "classlib/Grids.h"

#include "classlib/TypInfo.h"

namespace classlib {

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 320, 120);
  SetColor(clWindow);
}

void TCustomGrid::DeclareProperties(TClassDecl<TCustomGrid>& d) {
  d.Color(L"FixedColor", &TCustomGrid::FixedColor, &TCustomGrid::SetFixedColor, clBtnFace);
  d.Enum(L"DrawingStyle", &TCustomGrid::DrawingStyle, &TCustomGrid::SetDrawingStyle, gdsThemed);
  d.Color(L"GradientStartColor", &TCustomGrid::GradientStartColor, &TCustomGrid::SetGradientStartColor, clWhite);
  d.Color(L"GradientEndColor", &TCustomGrid::GradientEndColor, &TCustomGrid::SetGradientEndColor, TColor(0xDDDDDD));
  d.Enum(L"ScrollBars", &TCustomGrid::ScrollBars, &TCustomGrid::SetScrollBars, ssBoth);
}

void TCustomGrid::SetFixedColor(TColor Value) {
  if (FFixedColor == Value) return;
  FFixedColor = Value;
  Invalidate();
}

void TCustomGrid::SetDrawingStyle(TGridDrawingStyle Value) {
  if (FDrawingStyle == Value) return;
  FDrawingStyle = Value;
  Invalidate();
}

void TCustomGrid::SetGradientStartColor(TColor Value) {
  if (FGradientStartColor == Value) return;
  FGradientStartColor = Value;
  Invalidate();
}

void TCustomGrid::SetGradientEndColor(TColor Value) {
  if (FGradientEndColor == Value) return;
  FGradientEndColor = Value;
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  if (!HandleAllocated()) return;
  // The window keeps its handle (handlers hooked to it stay); the system rebuilds its bars.
  LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE) & ~LONG_PTR(WS_HSCROLL | WS_VSCROLL);
  if (Value == ssHorizontal || Value == ssBoth) style |= WS_HSCROLL;
  if (Value == ssVertical || Value == ssBoth) style |= WS_VSCROLL;
  SetWindowLongPtrW(Handle(), GWL_STYLE, style);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TCustomGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_TABSTOP | WS_BORDER;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
}

void TCustomGrid::Paint() {
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
}

}  // namespace classlib
