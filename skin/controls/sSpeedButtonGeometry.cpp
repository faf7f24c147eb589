#include "skin/controls/sSpeedButtonGeometry.h"

namespace skin {

namespace {

// The spacing counts only between a glyph and a caption that both exist.
int GapBetween(int glyphExtent, const TacSpeedButtonLayout& l) {
  return glyphExtent > 0 && l.HasCaption ? l.Spacing : 0;
}

bool SideBySide(TacGlyphLayout layout) { return layout == TacGlyphLayout::Left || layout == TacGlyphLayout::Right; }

// The caption's rectangle before the text offset and the pressed shift.
TacCaptionPlace PlainCaptionRect(const TacSpeedButtonLayout& l) {
  const int tw = l.TextWidth, th = l.TextHeight, gw = l.GlyphWidth, gh = l.GlyphHeight;
  const int aw = l.ArrowWidth, m = GenMargin(l.Margin), w = l.Width, h = l.Height;
  const int spacingAfterGlyph = gw > 0 ? l.Spacing : 0;
  TacCaptionPlace p;
  TRect& r = p.Rect;
  if (SideBySide(l.Layout)) {
    const int s = GapBetween(gw, l);
    const int d = (w - (aw + gw + s + tw)) / 2 - m;
    r.Top = (h - th) / 2;
    r.Bottom = h - r.Top;
    if (l.Layout == TacGlyphLayout::Left) {
      p.TextLayout = 0;
      switch (l.Alignment) {
        case TacBlockAlignment::LeftJustify:
          r.Left = l.Margin + gw + spacingAfterGlyph;
          r.Right = w - aw - m - 2 * d;
          break;
        case TacBlockAlignment::RightJustify:
          r.Left = m + 2 * d + gw + spacingAfterGlyph;
          r.Right = w - aw - m;
          break;
        case TacBlockAlignment::Center:
          r.Left = m + gw + d + spacingAfterGlyph;
          r.Right = w - aw - m - d;
          break;
      }
    } else {
      p.TextLayout = 2;
      switch (l.Alignment) {
        case TacBlockAlignment::LeftJustify: r.Left = m; break;
        case TacBlockAlignment::RightJustify: r.Left = m + 2 * d; break;
        case TacBlockAlignment::Center: r.Left = m + d; break;
      }
      r.Right = r.Left + tw;
    }
  } else {
    p.TextLayout = 1;
    const int s = GapBetween(gh, l);
    const int e = (h - gh - s - th) / 2 - m;
    r.Left = (w - tw - aw) / 2;
    r.Right = w - r.Left - aw;
    if (l.Layout == TacGlyphLayout::Top) {
      r.Top = gh + m + e + s;
      r.Bottom = h - e - m;
    } else {
      r.Top = m + e;
      r.Bottom = h - e - m - gh - s;
    }
  }
  r.Left += l.TextOffset - 1;
  r.Right += l.TextOffset + 2;
  return p;
}

TRect Moved(TRect r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

}  // namespace

int CaptionMaxWidth(const TacSpeedButtonLayout& l) {
  int width = l.Width - 2 * l.Margin - l.ArrowWidth;
  if (l.GlyphWidth != 0 && SideBySide(l.Layout)) width -= l.GlyphWidth + l.Spacing;
  return width;
}

TacCaptionPlace SpeedCaptionRect(const TacSpeedButtonLayout& l) {
  TacCaptionPlace p = PlainCaptionRect(l);
  if (l.Pressed) p.Rect = Moved(p.Rect, 1, 1);
  return p;
}

TRect SpeedImgRect(const TacSpeedButtonLayout& l) {
  const int tw = l.TextWidth, th = l.TextHeight, gw = l.GlyphWidth, gh = l.GlyphHeight;
  const int aw = l.ArrowWidth, m = GenMargin(l.Margin), w = l.Width, h = l.Height;
  const int t = gw > 0 && l.HasCaption ? l.Spacing : 0;
  const int dx = (w - (aw + gw + t + tw)) / 2 - m;
  const int dy = (h - gh - t - th) / 2 - m;
  int x = 0, y = 0;
  switch (l.Layout) {
    case TacGlyphLayout::Left:
      y = (h - gh) / 2;
      x = l.Alignment == TacBlockAlignment::LeftJustify    ? m
          : l.Alignment == TacBlockAlignment::RightJustify ? m + 2 * dx
                                                           : m + dx;
      break;
    case TacGlyphLayout::Right:
      y = (h - gh) / 2;
      // Measured from the caption where it rests: the press shift is added once, below.
      x = l.Alignment == TacBlockAlignment::LeftJustify    ? PlainCaptionRect(l).Rect.Right + l.Spacing
          : l.Alignment == TacBlockAlignment::RightJustify ? w - aw - gw - m
                                                           : (w + t + tw - aw - gw) / 2;
      break;
    case TacGlyphLayout::Top:
      x = (w - aw - gw) / 2 + 1;
      y = m + dy;
      break;
    case TacGlyphLayout::Bottom:
      x = (w - aw - gw) / 2 + 1;
      y = h - m - dy - gh;
      break;
  }
  if (l.Pressed) {
    ++x;
    ++y;
  }
  TRect r{x, y, x + gw, y + gh};
  if (l.Reflected) r = Moved(r, 0, -(gh / 6));
  return r;
}

}  // namespace skin
