#pragma once
// Where a glow window goes and how much of its picture it shows: the glow image drawn at the
// control's size plus the image's margins, pulled in by Margin on every side, with the parts
// beside a partly hidden control cut off. Portable arithmetic.
#include "skin/graphics/Image32.h"

namespace skin {

struct TacGlowPlace {
  int Width = 0;  // the whole picture
  int Height = 0;
  int CutLeft = 0;  // the window shows the picture from (CutLeft, CutTop) on
  int CutTop = 0;
  int WndWidth = 0;  // the window's size
  int WndHeight = 0;
  TPoint Pos;  // the window's top-left corner on the screen
  // Nothing to show: no window is made.
  bool Empty() const { return Width <= 0 || Height <= 0 || WndWidth <= 0 || WndHeight <= 0; }
};

// R: the control on the screen; RealRect: its visible part in its own coordinates; ML, MT, MR, MB:
// the glow image's margins.
TacGlowPlace GlowPlace(const TRect& R, const TRect& RealRect, int ML, int MT, int MR, int MB, int Margin);

}  // namespace skin
