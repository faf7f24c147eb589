#include "skin/controls/sPopupPlace.h"

namespace skin {

classlib::TPoint PopupWindowPlace(const classlib::TRect& Edit, int PopupWidth, int PopupHeight, TPopupWindowAlign Align,
                                  const classlib::TRect& Screen) {
  const int editWidth = Edit.Right - Edit.Left;
  int y = Edit.Bottom;
  // The screen's edges, not its width and height: its origin may be negative.
  if (Screen.Bottom < y + PopupHeight) y = Edit.Top - PopupHeight;
  int x;
  if (Align == TPopupWindowAlign::pwaRight) {
    x = Edit.Right - PopupWidth;
    if (x < Screen.Left) x += PopupWidth - editWidth;
  } else {
    x = Edit.Left;
    if (Screen.Right < x + PopupWidth) x -= PopupWidth - editWidth;
  }
  if (x < Screen.Left)
    x = Screen.Left;
  else if (Screen.Right < x + PopupWidth)
    x = Screen.Right - PopupWidth;
  return {x, y};
}

}  // namespace skin
