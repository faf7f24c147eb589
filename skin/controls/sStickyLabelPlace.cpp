#include "skin/controls/sStickyLabelPlace.h"

namespace skin {

TAlignTo OppositeSide(TAlignTo Side) {
  switch (Side) {
    case altLeft: return altRight;
    case altRight: return altLeft;
    case altTop: return altBottom;
    case altBottom: return altTop;
  }
  return altLeft;
}

TPoint StickyPlace(TAlignTo Side, const TRect& Fixed, TSize Moved, int Gap) {
  const int width = Fixed.Right - Fixed.Left, height = Fixed.Bottom - Fixed.Top;
  const int centred = Fixed.Top + (height - Moved.cy) / 2;
  switch (Side) {
    case altLeft: return {Fixed.Left - Moved.cx - Gap, centred};
    case altTop: return {Fixed.Left, Fixed.Top - Moved.cy - Gap};
    case altRight: return {Fixed.Left + width + Gap, centred};
    case altBottom: return {Fixed.Left, Fixed.Top + height + Gap};
  }
  return {Fixed.Left, Fixed.Top};
}

}  // namespace skin
