#pragma once
// The arithmetic of a scrolling container, apart from any window: how far it may scroll, where a
// scroll code takes it, which bars it needs and how far a child must move to come into view. All
// sizes are pixels; a range is the extent of the content along one axis. Portable.
namespace classlib {

// The scroll-bar request codes, the values of Win32's SB_* codes.
enum class TScrollCode { LineUp, LineDown, PageUp, PageDown, ThumbPosition, ThumbTrack, Top, Bottom, EndScroll };

// The furthest position: the content's end at the window's end; 0 when everything fits.
int MaxScrollPosition(int Range, int ClientSize);
// Value kept within 0..MaxScrollPosition.
int ClampScrollPosition(long long Value, int Range, int ClientSize);
// One page: nine tenths of the visible size, at least one pixel.
int PageIncrement(int ClientSize);

struct TScrollRequest {
  TScrollCode Code = TScrollCode::EndScroll;
  int ThumbPos = 0;       // the thumb's place for ThumbPosition and ThumbTrack
  int Position = 0;       // where the content stands now
  int Increment = 8;      // one line
  int ClientSize = 0;     // the visible size along the bar
  int Range = 0;          // the content's extent
  bool Tracking = false;  // the content follows the thumb while it is dragged
};
// The position a request asks for, clamped; the current position when it asks for none (the end
// of a scroll, a thumb drag without tracking).
int PositionForScrollCode(const TScrollRequest& Request);

struct TScrollBarsNeeded {
  bool Horz = false, Vert = false;
  int ClientWidth = 0, ClientHeight = 0;  // the visible size with the needed bars taken off
};
// Which bars a window of FullWidth by FullHeight (its client area without any bar) needs for its
// content; a bar takes BarThickness from the other direction, which may make the other bar needed
// too. A bar that is not allowed is never needed.
TScrollBarsNeeded ScrollBarsNeeded(int HorzRange, int VertRange, int FullWidth, int FullHeight, int VertBarWidth,
                                   int HorzBarHeight, bool HorzAllowed = true, bool VertAllowed = true);

// How far the position must move so that the span Lo..Hi (client coordinates, Hi exclusive) shows
// in 0..ClientSize: its start when it lies before the window or is longer than it, else its end.
int ScrollIntoViewDelta(int Lo, int Hi, int ClientSize);

}  // namespace classlib
