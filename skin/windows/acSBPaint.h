#pragma once
// Painting of the skinned scroll bars: each bar rendered into a 32-bit bitmap of its size from the
// skin's track, thumb and arrow sections and copied to the window in one transfer; the square where
// both bars meet with the skin's size grip. Win32 only; GUI thread only.
#include <windows.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "skin/windows/acSBUtils.h"

namespace skin {

// The press and hover state of the engine: one bar of the application is pressed or hovered at a
// time (the mouse capture sees to it).
struct TacScrollState {
  HWND CurScrollWnd = nullptr;
  UINT CurScrollMsg = 0;
  int CurScrollBar = -1;
  int CurPortion = -1;
  int HitPortion = -1;
  UINT_PTR ScrollTimerId = 0;
  int ThumbSize = 0, ThumbPos = 0;
  TRect ThumbBounds;
  int ThumbMouseOffset = 0;
  std::int32_t nLastSBPos = -1;
  UINT_PTR HoverTimerId = 0;
  int HoverBar = -1;
  int HoverPortion = -1;
  int LastHoverPortion = -1;
  TRect HoverRect;
};
TacScrollState& ScrollState();
// The state is dropped with its window (unhooked or destroyed), so that it never names a window
// that is gone.
void Ac_ForgetScrollWnd(HWND Wnd);

// Both bars and the corner square onto DC (the window DC when DC is nullptr); ThumbPos -1: the
// thumb where the scroll information puts it. 1 when something was painted.
int Ac_NCPaint(TacScrollWnd* SW, HWND Wnd, int Rgn, HDC DC, int ThumbPos, LPARAM Reserved);
// One bar into R (window coordinates) of DC with the portion Pressed drawn pressed; 1 when painted.
int Ac_NCDrawScrollbar(TacScrollBar* Bar, HWND Wnd, HDC DC, const TRect& R, int ThumbPos, int Pressed);
// The image of one bar of R's size: what Ac_NCDrawScrollbar copies to the window. nullptr when the
// bar is not painted (not visible, no skin, a thumb being dragged, too short).
std::unique_ptr<classlib::TBitmap> RenderScrollBar(TacScrollBar* Bar, HWND Wnd, const TRect& R, int ThumbPos,
                                                   int Pressed);

}  // namespace skin
