#pragma once
// Where a sticky label and its control go against each other. Portable arithmetic.
#include "classlib/EnumInfo.h"
#include "skin/graphics/Image32.h"

namespace skin {

// The side of the control the label keeps to.
enum TAlignTo { altLeft, altTop, altBottom, altRight };

// The side facing Side: left and right swap, as do top and bottom.
TAlignTo OppositeSide(TAlignTo Side);

// The top-left corner of a control of size Moved put on side Side of Fixed, Gap pixels away;
// beside it (left or right) it is centred vertically, above or below it starts at Fixed's left.
// Halves are truncated toward zero.
TPoint StickyPlace(TAlignTo Side, const TRect& Fixed, TSize Moved, int Gap);

}  // namespace skin

namespace classlib {
template <>
inline const TEnumInfo& EnumInfo<skin::TAlignTo>() {
  static const TEnumInfo i{L"TAlignTo", {L"altLeft", L"altTop", L"altBottom", L"altRight"}};
  return i;
}
}  // namespace classlib
