#include "skin/controls/sButtonLayout.h"

#include <algorithm>

namespace skin {

namespace {

TRect Moved(TRect r, bool pressed) {
  if (pressed) {
    r.Left += 1;
    r.Right += 1;
    r.Top += 1;
    r.Bottom += 1;
  }
  return r;
}

TRect Sized(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

// The glyph's share of the width beside a command link's or split button's caption.
int GlyphShare(const TButtonGeometry& L) {
  return L.HasGlyph ? L.ImageWidth + L.ImageMargins.Left + L.ImageMargins.Right : 32;
}

}  // namespace

int ButtonState(const TButtonStateInput& In) {
  if ((In.Pushed || In.GlobalPressed) && (In.MouseAbove || !In.LButtonHeld)) return 2;
  if (In.Down || In.DroppedDown) return 2;
  if (In.DefaultLook || In.Active) return 1;
  return 0;
}

int ButtonContentWidth(const TButtonGeometry& L) {
  return L.Style == bsSplitButton ? L.Width - kSplitStripWidth : L.Width;
}

TRect ButtonGlyphRect(const TButtonGeometry& L) {
  if (!L.HasGlyph) return {};
  const int w = ButtonContentWidth(L), iw = L.ImageWidth, ih = L.ImageHeight, c = L.ContentMargin;
  const TRect& m = L.ImageMargins;
  TRect r;
  if (L.Style == bsCommandLink) {
    r = Sized(m.Left + c, c, iw, ih);
  } else {
    switch (L.Align) {
      case TacGlyphAlign::Left: r = Sized(m.Left + c, (L.Height - ih) / 2, iw, ih); break;
      case TacGlyphAlign::Right: {
        const int right = w - m.Right - c;
        r = Sized(right - iw, (L.Height - ih) / 2, iw, ih);
        break;
      }
      case TacGlyphAlign::Top: r = Sized((w - iw) / 2, m.Top + c, iw, ih); break;
      case TacGlyphAlign::Bottom: {
        const int bottom = L.Height - m.Bottom - c;
        r = Sized((w - iw) / 2, bottom - ih, iw, ih);
        break;
      }
      case TacGlyphAlign::Center: r = Sized((w - iw) / 2, (L.Height - ih) / 2, iw, ih); break;
    }
  }
  return Moved(r, L.Pressed);
}

int ButtonCaptionMeasureWidth(const TButtonGeometry& L) {
  if (L.Style == bsPushButton) return L.Width;
  return L.Width - 2 * L.ContentMargin - GlyphShare(L) - 6;
}

TRect ButtonCaptionRect(const TButtonGeometry& L, TSize Text) {
  const int w = ButtonContentWidth(L), h = L.Height, c = L.ContentMargin, tw = Text.cx, th = Text.cy;
  const TRect& m = L.ImageMargins;
  TRect r;
  const auto centreVertically = [&] {
    r.Top = (h - th) / 2;
    r.Bottom = h - r.Top;
  };
  if (L.Style == bsCommandLink) {
    r = {GlyphShare(L) + c + 6, c, w - c, c + th};
  } else if (!L.HasGlyph || L.Align == TacGlyphAlign::Center) {
    r.Left = (w - tw) / 2 - 1;
    r.Right = r.Left + tw + 2;
    centreVertically();
  } else {
    switch (L.Align) {
      case TacGlyphAlign::Left:
        r.Left = m.Left + c + L.ImageWidth + m.Right;
        r.Right = w - c;
        centreVertically();
        break;
      case TacGlyphAlign::Right:
        r.Left = c;
        r.Right = w - m.Right - c - L.ImageWidth - m.Left;
        centreVertically();
        break;
      case TacGlyphAlign::Top:
        r.Top = m.Top + 2 * c + L.ImageHeight;
        r.Bottom = h - c;
        r.Top += (r.Bottom - r.Top - th) / 2;
        r.Bottom = r.Top + th;
        r.Left = c;
        r.Right = w - c;
        break;
      case TacGlyphAlign::Bottom:
        r.Bottom = h - m.Bottom - c - L.ImageHeight - m.Top;
        r.Top = (r.Bottom - m.Top - th) / 2 + m.Top;
        r.Bottom = r.Top + th;
        r.Left = c;
        r.Right = w - c;
        break;
      case TacGlyphAlign::Center: break;
    }
  }
  return Moved(r, L.Pressed);
}

int GlyphCells(int Width, int Height) { return Height > 0 ? std::max(1, Width / Height) : 1; }

int SquareGlyphCellWidth(int Width, int Height) {
  if (Height <= 0 || Width < Height || Width % Height != 0) return Width;
  return Width / (Width / Height);
}

int GlyphCell(int Cells, bool Pressed, bool Active, bool ReadOnly) {
  const int last = std::max(Cells, 1) - 1;
  if (Pressed) return std::min(last, 2);
  if (Active && !ReadOnly) return std::min(last, 1);
  return 0;
}

TRect CheckAreaRect(int Width, int Height, TSize Glyph, int Margin, bool GlyphLeft) {
  const int left = GlyphLeft ? Margin : Width - Margin - Glyph.cx;
  return Sized(left, (Height - Glyph.cy) / 2, Glyph.cx, Glyph.cy);
}

int CheckCaptionWidth(const TCheckLayout& L) { return L.Width - L.CheckWidth - L.TextIndent - 2 * L.Margin - 2; }

TRect CheckCaptionRect(const TCheckLayout& L, TSize Text) {
  const int a = CheckCaptionWidth(L);
  const int top = std::max(L.Margin, (L.Height - Text.cy) / 2), bottom = top + Text.cy;
  TRect r;
  if (L.CaptionLeft) {
    r = {L.Margin, top, a + L.Margin, bottom};
  } else if (L.RightToLeft) {
    const int right = L.Width - L.Margin - L.CheckWidth - L.TextIndent - 4;
    r = {right - Text.cx, top, right, bottom};
  } else {
    const int left = L.Width - a - L.Margin + 2;
    r = {left, top, left + Text.cx, bottom};
  }
  r.Top -= 1;
  r.Bottom -= 1;
  if (L.WordWrap) {
    r.Left -= 1;
    r.Right -= 1;
  }
  return r;
}

TSize CheckAutoSize(TSize Check, int Margin, int TextIndent, TSize Text, bool HasCaption) {
  const int width = Check.cx + 2 * Margin + (HasCaption ? Text.cx + TextIndent + 8 : 0);
  const int height = std::max((HasCaption ? Text.cy : 0) + 2 * Margin, Check.cy) + 2;
  return {width, height};
}

TSize PlainCheckAutoSize(TSize Text) { return {Text.cx + 20, std::max(Text.cy + 4, 20)}; }

}  // namespace skin
