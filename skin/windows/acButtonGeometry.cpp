#include "skin/windows/acButtonGeometry.h"

#include <algorithm>

namespace skin {

TRect PushCaptionRect(TSize Client, TSize Text, bool Down) {
  const int x = (Client.cx - Text.cx) / 2, y = (Client.cy - Text.cy) / 2;
  TRect r{x - 1, y, Client.cx - x + 2, Client.cy - y};
  if (Down) r = {r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  return r;
}

int PushMaxCaptionWidth(int Width, bool HasCaption, int GlyphWidth) {
  if (!HasCaption) return 0;
  if (GlyphWidth > 0) return std::max(0, Width - GlyphWidth);
  return std::max(0, Width - 2);
}

TRect CheckGlyphRect(TSize Client, TSize Glyph, bool LeftText) {
  const int x = LeftText ? Client.cx - Glyph.cx : 0;
  const int y = (Client.cy - Glyph.cy) / 2;
  return {x, y, x + Glyph.cx, y + Glyph.cy};
}

int CheckTextWidth(const TCheckTextPlace& P) { return std::max(0, P.Client.cx - P.CheckWidth - 2); }

TRect CheckTextRect(const TCheckTextPlace& P, TSize Text) {
  const int avail = CheckTextWidth(P);
  const int gap = (P.Client.cy - Text.cy) / 2;
  const int top = gap >= 1 ? gap : 0;
  const int bottom = P.Client.cy - top;
  if (!P.LeftText) {
    // The text's own leading pixel sits one pixel up (and left when wrapped) of the band.
    const int left = P.Client.cx - avail + 2 - (P.MultiLine ? 1 : 0);
    return {left, top - 1, left + avail, bottom - 1};
  }
  if (P.RightToLeft) {
    const int right = P.Client.cx - P.CheckWidth - 6;
    return {right - avail, top, right, bottom};
  }
  return {2, top, 2 + avail, bottom};
}

TRect GroupCaptionRect(int Width, TSize Text, bool RightToLeft) {
  const int left = RightToLeft ? Width - Text.cx - 14 : 6;
  return {left, 0, std::min(left + Text.cx + 8, Width - 1), std::max(4, Text.cy) + 2};
}

}  // namespace skin
