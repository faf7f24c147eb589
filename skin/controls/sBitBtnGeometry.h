#pragma once
// Where a bitmap button puts its glyph and caption: the widest its caption may be, the glyph's
// size from its source and the rectangle the glyph is drawn in. Pure arithmetic; the caption is
// measured by the caller and the block is placed by CalcButtonLayout.
#include "classlib/Types.h"

namespace skin {

using classlib::TPoint;
using classlib::TRect;
using classlib::TSize;

// What the caption's measuring width depends on.
struct TBitBtnCaptionWidthInput {
  int Width = 0;
  int Margin = -1;  // the property as it stands: -1 widens the room by two pixels
  int GlyphWidth = 0;
  int Spacing = 4;
  bool SideBySide = true;  // glyph left or right of the caption
  bool ShowCaption = true;
  bool HasCaption = false;
};
// 0 without a caption to show; else the width less both margins and, beside a glyph, the glyph and
// the spacing.
int BitBtnCaptionMaxWidth(const TBitBtnCaptionWidthInput& In);

// The size of one glyph: the source's width shared by NumGlyphs cells (at least one), its height;
// 0 x 0 for an empty source.
TSize BitBtnGlyphSize(int SourceWidth, int SourceHeight, int NumGlyphs);

// The glyph's rectangle at GlyphPos: one pixel down and right while pressed, lifted by a sixth of
// its width when a reflection is drawn below it.
TRect BitBtnImgRect(TPoint GlyphPos, TSize Glyph, bool Pressed, bool Reflected);

}  // namespace skin
