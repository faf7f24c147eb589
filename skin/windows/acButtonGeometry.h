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

// A button's image-list image and caption: the image 3 pixels inside its margin on the side it is
// aligned to (centred on the other axis, or in the middle), the caption centred in what the image
// leaves; both moved by (1, 1) while pressed. Alignments as the class library numbers them: left,
// right, top, bottom, centre.
struct TImagePlace {
  TSize Client;
  TSize Image;  // 0 x 0: no image
  int Alignment = 0;
  TRect Margins;  // left, top, right, bottom
  bool Pressed = false;
};
TRect ButtonImageRect(const TImagePlace& P);
TRect ButtonImageCaptionRect(const TImagePlace& P, TSize Text);

}  // namespace skin
