#include "skin/forms/acFormSizing.h"

#include <cstdlib>

namespace skin {

int SnapCoordinate(int C, int Offset, int Edge, int Buffer) {
  return std::abs(C + Offset - Edge) < Buffer ? Edge - Offset : C;
}

TPoint SnapToWorkArea(const TacSnapInput& In) {
  const TRect& wa = In.WorkArea;
  TPoint p = In.Pos;
  p.X = SnapCoordinate(p.X, In.Size.cx + In.Margin, wa.Right, In.Buffer);
  p.Y = SnapCoordinate(p.Y, In.Size.cy + In.Margin, wa.Bottom, In.Buffer);
  p.X = SnapCoordinate(p.X, -In.Margin, wa.Left, In.Buffer);
  p.Y = SnapCoordinate(p.Y, -In.TopMargin, wa.Top, In.Buffer);
  return p;
}

TacMaxBounds MaximizedBoundsOf(TRect WorkArea, int Border, int TitleShift) {
  return {TPoint{-Border, -Border - TitleShift},
          TSize{WorkArea.Right - WorkArea.Left + 2 * Border, WorkArea.Bottom - WorkArea.Top + 2 * Border + TitleShift}};
}

TRect SizedOutline(TRect Form, int Edge, TPoint Delta, int MinWidth, int MinHeight) {
  TRect r = Form;
  const bool left = Edge == kHtLeft || Edge == kHtTopLeft || Edge == kHtBottomLeft;
  const bool top = Edge == kHtTop || Edge == kHtTopLeft || Edge == kHtTopRight;
  const bool right = Edge == kHtRight || Edge == kHtTopRight || (!left && !top && Edge != kHtBottom);
  const bool bottom = !top && Edge != kHtLeft && Edge != kHtRight;
  if (top) r.Top = Form.Top + Delta.Y > r.Bottom - MinHeight ? r.Bottom - MinHeight : Form.Top + Delta.Y;
  if (left) r.Left = Form.Left + Delta.X > r.Right - MinWidth ? r.Right - MinWidth : Form.Left + Delta.X;
  if (bottom) r.Bottom = Form.Bottom + Delta.Y < Form.Top + MinHeight ? Form.Top + MinHeight : Form.Bottom + Delta.Y;
  if (right) r.Right = Form.Right + Delta.X < Form.Left + MinWidth ? Form.Left + MinWidth : Form.Right + Delta.X;
  return r;
}

}  // namespace skin
