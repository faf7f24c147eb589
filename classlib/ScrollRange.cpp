#include "classlib/ScrollRange.h"

#include <algorithm>
#include <climits>

namespace classlib {

int MaxScrollPosition(int Range, int ClientSize) {
  return static_cast<int>(std::max(0LL, static_cast<long long>(Range) - std::max(0, ClientSize)));
}

int ClampScrollPosition(long long Value, int Range, int ClientSize) {
  return static_cast<int>(std::clamp(Value, 0LL, static_cast<long long>(MaxScrollPosition(Range, ClientSize))));
}

int PageIncrement(int ClientSize) { return std::max(1, static_cast<int>(std::max(0LL, ClientSize * 9LL / 10))); }

int PositionForScrollCode(const TScrollRequest& R) {
  long long target = R.Position;
  switch (R.Code) {
    case TScrollCode::LineUp: target -= R.Increment; break;
    case TScrollCode::LineDown: target += R.Increment; break;
    case TScrollCode::PageUp: target -= PageIncrement(R.ClientSize); break;
    case TScrollCode::PageDown: target += PageIncrement(R.ClientSize); break;
    case TScrollCode::ThumbPosition: target = R.ThumbPos; break;
    case TScrollCode::ThumbTrack:
      if (R.Tracking) target = R.ThumbPos;
      break;
    case TScrollCode::Top: target = 0; break;
    case TScrollCode::Bottom: target = LLONG_MAX / 2; break;
    case TScrollCode::EndScroll: break;
  }
  return ClampScrollPosition(target, R.Range, R.ClientSize);
}

TScrollBarsNeeded ScrollBarsNeeded(int HorzRange, int VertRange, int FullWidth, int FullHeight, int VertBarWidth,
                                   int HorzBarHeight, bool HorzAllowed, bool VertAllowed) {
  TScrollBarsNeeded n;
  n.Vert = VertAllowed && VertRange > FullHeight;
  n.Horz = HorzAllowed && HorzRange > FullWidth - (n.Vert ? VertBarWidth : 0);
  // The horizontal bar may take away the height the content just fitted in.
  if (n.Horz && !n.Vert) n.Vert = VertAllowed && VertRange > FullHeight - HorzBarHeight;
  n.ClientWidth = std::max(0, FullWidth - (n.Vert ? VertBarWidth : 0));
  n.ClientHeight = std::max(0, FullHeight - (n.Horz ? HorzBarHeight : 0));
  return n;
}

int ScrollIntoViewDelta(int Lo, int Hi, int ClientSize) {
  if (Lo < 0) return Lo;
  if (Hi <= ClientSize) return 0;
  if (Hi - Lo > ClientSize) return Lo;
  return Hi - ClientSize;
}

}  // namespace classlib
