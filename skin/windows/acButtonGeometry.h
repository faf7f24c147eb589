#pragma once
// Where the button handlers put captions and check glyphs in a native button, free of any window:
// a push button's centred caption (shifted while held down), a check box's glyph cell and caption
// band, and a group box's caption band. Sizes that do not fit never produce negative widths.
#include "classlib/Types.h"

namespace skin {

using classlib::TRect;
using classlib::TSize;

// The push button's caption rectangle for a measured text: centred, one pixel wider on the left and
// two on the right so that the text's overhang is not clipped, moved by (1, 1) while down.
TRect PushCaptionRect(TSize Client, TSize Text, bool Down);
// The width the caption may wrap in: 0 without caption, the width left of the glyph when there is
// one, else the width less a pixel each side.
int PushMaxCaptionWidth(int Width, bool HasCaption, int GlyphWidth);

// The check glyph's cell: at the left edge, or at the right with the text on the left; centred
// vertically.
TRect CheckGlyphRect(TSize Client, TSize Glyph, bool LeftText);

// The check box's caption rectangle for a text measured in CheckTextWidth: centred vertically when
// it fits (else from the top), after the glyph, or before it with the text on the left.
struct TCheckTextPlace {
  TSize Client;
  int CheckWidth = 0;
  bool LeftText = false;
  bool RightToLeft = false;
  bool MultiLine = false;
};
int CheckTextWidth(const TCheckTextPlace& P);
TRect CheckTextRect(const TCheckTextPlace& P, TSize Text);

// The group box's caption band: 6 pixels in (from the right edge with right-to-left reading),
// 8 wider than the text but never past the box, at least 6 pixels high.
TRect GroupCaptionRect(int Width, TSize Text, bool RightToLeft);

}  // namespace skin
