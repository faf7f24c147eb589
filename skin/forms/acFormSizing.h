#pragma once
// The arithmetic of moving and sizing a skinned form, free of any window: snapping the form to the
// edges of the work area, the bounds a maximized form takes, and the outline of a size drag.
#include "classlib/Types.h"

namespace skin {

using classlib::TPoint;
using classlib::TRect;
using classlib::TSize;

// C moved so that C + Offset lies on Edge when it is closer to it than Buffer (strictly).
int SnapCoordinate(int C, int Offset, int Edge, int Buffer);

struct TacSnapInput {
  TPoint Pos;         // the position the form is about to take
  TSize Size;         // the form's current size
  TRect WorkArea;     // of the form's monitor
  int Margin = 0;     // how far a window drawn around the form reaches beyond its sides and bottom
  int TopMargin = 0;  // the same above its top
  int Buffer = 10;
};
// Pos snapped to the right, bottom, left and top edges of the work area, in this order.
TPoint SnapToWorkArea(const TacSnapInput& In);

struct TacMaxBounds {
  TPoint Position;
  TSize Size;
};
// A maximized form covers the work area with its frame, Border wide, outside it; TitleShift more
// at the top.
TacMaxBounds MaximizedBoundsOf(TRect WorkArea, int Border, int TitleShift);

// Sizing edges as hit codes.
inline constexpr int kHtLeft = 10;
inline constexpr int kHtRight = 11;
inline constexpr int kHtTop = 12;
inline constexpr int kHtTopLeft = 13;
inline constexpr int kHtTopRight = 14;
inline constexpr int kHtBottom = 15;
inline constexpr int kHtBottomLeft = 16;
inline constexpr int kHtBottomRight = 17;

// The outline of a size drag: Form with the edges of the sizing hit code Edge moved by Delta (any
// other code moves the bottom and right edges), never smaller than MinWidth x MinHeight.
TRect SizedOutline(TRect Form, int Edge, TPoint Delta, int MinWidth, int MinHeight);

}  // namespace skin
