#include "skin/controls/sBitBtnGeometry.h"

#include "skin/controls/sBtnGlyphRules.h"

namespace skin {

int BitBtnCaptionMaxWidth(const TBitBtnCaptionWidthInput& In) {
  if (!In.ShowCaption || !In.HasCaption) return 0;
  int width = In.Width - 2 * In.Margin;
  if (In.SideBySide && In.GlyphWidth != 0) width -= In.GlyphWidth + In.Spacing;
  return width;
}

TSize BitBtnGlyphSize(int SourceWidth, int SourceHeight, int NumGlyphs) {
  if (SourceWidth <= 0 || SourceHeight <= 0) return {0, 0};
  return {GlyphCellWidth(SourceWidth, NumGlyphs), SourceHeight};
}

TRect BitBtnImgRect(TPoint GlyphPos, TSize Glyph, bool Pressed, bool Reflected) {
  TRect r{GlyphPos.X, GlyphPos.Y, GlyphPos.X + Glyph.cx, GlyphPos.Y + Glyph.cy};
  const int dx = Pressed ? 1 : 0;
  const int dy = (Pressed ? 1 : 0) - (Reflected ? Glyph.cx / 6 : 0);
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
  return r;
}

}  // namespace skin
