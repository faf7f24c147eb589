#pragma once
// Where the parts of a skinned button, check box and radio button go: the push button's state and
// the places of its glyph and caption for each style and image alignment, the cells of a check
// glyph strip, the check area and caption of a check box or radio button, and their automatic
// size. Pure arithmetic over sizes the callers measure; no window needed.
#include "classlib/Types.h"

namespace skin {

using classlib::TRect;
using classlib::TSize;

// The push button's styles (the class library's style enumeration is not used).
enum TButtonStyle { bsPushButton, bsCommandLink, bsSplitButton };

// The push button's image alignment, in the order of the class library's TImageAlignment.
enum class TacGlyphAlign { Left, Right, Top, Bottom, Center };

// Width of the split button's strip at the right edge.
inline constexpr int kSplitStripWidth = 16;

// What the glyph and caption places of a push button depend on.
struct TButtonGeometry {
  int Width = 0;
  int Height = 0;
  TButtonStyle Style = bsPushButton;
  bool HasGlyph = false;
  int ImageWidth = 0;
  int ImageHeight = 0;
  TacGlyphAlign Align = TacGlyphAlign::Left;
  TRect ImageMargins;  // Left, Top, Right, Bottom margins around the image
  int ContentMargin = 6;
  bool Pressed = false;  // the state is 2: glyph and caption move by (1, 1)
};

// The look of a push button: 2 pressed, 1 hot, 0 normal.
struct TButtonStateInput {
  bool Pushed = false;         // the window reports a pushed state
  bool GlobalPressed = false;  // a quick click is being shown pressed
  bool MouseAbove = false;
  bool LButtonHeld = false;  // the left button is held down on the control
  bool Down = false;
  bool DroppedDown = false;
  bool DefaultLook = false;  // drawn as the active default button
  bool Active = false;       // enabled and focused or under the mouse
};
int ButtonState(const TButtonStateInput& In);

// The width the push button's area for glyph and caption spans (the split strip left out).
int ButtonContentWidth(const TButtonGeometry& L);
// The glyph's rectangle; empty without a glyph.
TRect ButtonGlyphRect(const TButtonGeometry& L);
// The width in which the caption is laid out before it is placed.
int ButtonCaptionMeasureWidth(const TButtonGeometry& L);
// The caption's rectangle for a caption of Text's measured size.
TRect ButtonCaptionRect(const TButtonGeometry& L, TSize Text);

// A glyph strip of square cells side by side: how many cells it holds (at least one; a strip that
// is narrower than high, or has no height, is one cell).
int GlyphCells(int Width, int Height);
// The width of one cell: the height when the width is a whole multiple of it, else the whole width.
int SquareGlyphCellWidth(int Width, int Height);
// The cell shown: pressed the third (or the last), active and modifiable the second, else the first.
int GlyphCell(int Cells, bool Pressed, bool Active, bool ReadOnly);

// The check area of a box Width x Height: GlyphLeft puts it at Margin from the left edge, else at
// Margin from the right edge; centred vertically.
TRect CheckAreaRect(int Width, int Height, TSize Glyph, int Margin, bool GlyphLeft);

// What the caption place of a check box or radio button depends on.
struct TCheckLayout {
  int Width = 0;
  int Height = 0;
  int CheckWidth = 0;  // width of the check area
  int Margin = 2;
  int TextIndent = 0;
  bool CaptionLeft = false;  // the caption left of the glyph (the glyph at the right edge)
  bool RightToLeft = false;
  bool WordWrap = false;
};
// The width available to the caption.
int CheckCaptionWidth(const TCheckLayout& L);
// The caption's rectangle for a caption of Text's measured size (moved up by one, and left by one
// when wrapping, as the text is written).
TRect CheckCaptionRect(const TCheckLayout& L, TSize Text);
// The automatic size of a skinned box: the check area, the margins and the caption (Text (0, 0) for
// an empty caption).
TSize CheckAutoSize(TSize Check, int Margin, int TextIndent, TSize Text, bool HasCaption);
// The automatic size of an unskinned box with the system's glyph.
TSize PlainCheckAutoSize(TSize Text);

}  // namespace skin
