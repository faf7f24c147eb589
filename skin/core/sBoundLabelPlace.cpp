#include "skin/core/sBoundLabelPlace.h"

namespace skin {

TPoint BoundLabelPlace(TsCaptionLayout Layout, const TRect& Control, TSize Label, int Indent) {
  const int w = Control.Right - Control.Left, h = Control.Bottom - Control.Top;
  const int leftOf = Control.Left - Label.cx - 4 - Indent;
  const int above = Control.Top - Label.cy - Indent;
  const int below = Control.Bottom + Indent;
  const int centred = Control.Left + (w - Label.cx) / 2;
  const int rightAligned = Control.Right - Label.cx;
  switch (Layout) {
    case TsCaptionLayout::sclLeft: return {leftOf, Control.Top + (h - Label.cy) / 2 - 1};
    case TsCaptionLayout::sclTopLeft: return {Control.Left, above};
    case TsCaptionLayout::sclTopCenter: return {centred, above};
    case TsCaptionLayout::sclTopRight: return {rightAligned, above};
    case TsCaptionLayout::sclLeftTop: return {leftOf, Control.Top + 3};
    case TsCaptionLayout::sclBottomLeft: return {Control.Left, below};
    case TsCaptionLayout::sclBottomCenter: return {centred, below};
    case TsCaptionLayout::sclBottomRight: return {rightAligned, below};
  }
  return {leftOf, Control.Top};
}

}  // namespace skin
