#pragma once
// Rectangle and point arithmetic, the most used routines of the engine. Rectangles are taken as
// they come: none of these normalises its arguments unless it says so.
#include <algorithm>

#include "classlib/Types.h"

namespace skin {

using classlib::TPoint;
using classlib::TRect;

constexpr int WidthOf(const TRect& R, bool CheckNegative = false) {
  const int w = R.Right - R.Left;
  return CheckNegative && w < 0 ? 0 : w;
}

constexpr int HeightOf(const TRect& R, bool CheckNegative = false) {
  const int h = R.Bottom - R.Top;
  return CheckNegative && h < 0 ? 0 : h;
}

// Left and top inclusive, right and bottom exclusive.
constexpr bool PtInRect(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

constexpr bool IsRectEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

// The rectangles overlap and R2 is not empty.
constexpr bool RectIsVisible(const TRect& R1, const TRect& R2) {
  if (R1.Top >= R2.Bottom || R1.Left >= R2.Right || R2.Left >= R1.Right || R2.Top >= R1.Bottom) return false;
  return !IsRectEmpty(R2);
}

// Both corners of SmallRect lie in BigRect grown by one pixel to the right and to the bottom,
// so SmallRect may touch BigRect's right and bottom edges.
constexpr bool RectInRect(const TRect& BigRect, const TRect& SmallRect) {
  const TRect grown{BigRect.Left, BigRect.Top, BigRect.Right + 1, BigRect.Bottom + 1};
  return PtInRect(grown, {SmallRect.Left, SmallRect.Top}) && PtInRect(grown, {SmallRect.Right, SmallRect.Bottom});
}

// x and y exchanged.
constexpr TRect RotateRect(const TRect& R) { return {R.Top, R.Left, R.Bottom, R.Right}; }

// The common part; not corrected when the rectangles do not overlap.
constexpr TRect RectsAnd(const TRect& R1, const TRect& R2) {
  return {std::max(R1.Left, R2.Left), std::max(R1.Top, R2.Top), std::min(R1.Right, R2.Right),
          std::min(R1.Bottom, R2.Bottom)};
}

constexpr TPoint OffsetPoint(const TPoint& P, int X, int Y) { return {P.X + X, P.Y + Y}; }

constexpr TRect OffsetRect(const TRect& R, int X, int Y) { return {R.Left + X, R.Top + Y, R.Right + X, R.Bottom + Y}; }

}  // namespace skin
