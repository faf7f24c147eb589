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

namespace {

constexpr int kLeft = 0, kRight = 1, kTop = 2, kBottom = 3;
constexpr int kImageGap = 3;

TRect Pressed(TRect r, bool pressed) {
  if (pressed) r = {r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  return r;
}

}  // namespace

TRect ButtonImageRect(const TImagePlace& P) {
  if (P.Image.cx <= 0 || P.Image.cy <= 0) return {};
  int x = (P.Client.cx - P.Image.cx) / 2, y = (P.Client.cy - P.Image.cy) / 2;
  switch (P.Alignment) {
    case kLeft: x = P.Margins.Left + kImageGap; break;
    case kRight: x = P.Client.cx - P.Margins.Right - kImageGap - P.Image.cx; break;
    case kTop: y = P.Margins.Top + kImageGap; break;
    case kBottom: y = P.Client.cy - P.Margins.Bottom - kImageGap - P.Image.cy; break;
    default: break;
  }
  return Pressed({x, y, x + P.Image.cx, y + P.Image.cy}, P.Pressed);
}

TRect ButtonImageCaptionRect(const TImagePlace& P, TSize Text) {
  // The space the caption is centred in.
  TRect room{0, 0, P.Client.cx, P.Client.cy};
  if (P.Image.cx > 0 && P.Image.cy > 0) {
    switch (P.Alignment) {
      case kLeft: room.Left = P.Margins.Left + P.Image.cx + kImageGap; break;
      case kRight: room.Right = P.Client.cx - (P.Margins.Right + P.Image.cx + kImageGap); break;
      case kTop: room.Top = P.Margins.Top + P.Image.cy + kImageGap; break;
      case kBottom: room.Bottom = P.Client.cy - (P.Margins.Bottom + P.Image.cy + kImageGap); break;
      default: break;
    }
  }
  const int left = room.Left + (room.Right - room.Left - Text.cx) / 2;
  const int top = room.Top + (room.Bottom - room.Top - Text.cy) / 2;
  return Pressed({left - 1, top, left + Text.cx + 2, top + Text.cy}, P.Pressed);
}

}  // namespace skin
