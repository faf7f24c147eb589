#include "skin/core/acGlowPlace.h"

namespace skin {

TacGlowPlace GlowPlace(const TRect& R, const TRect& RealRect, int ML, int MT, int MR, int MB, int Margin) {
  TacGlowPlace p;
  const int w = R.Right - R.Left, h = R.Bottom - R.Top;
  const int realW = RealRect.Right - RealRect.Left, realH = RealRect.Bottom - RealRect.Top;
  p.Width = w + ML + MR - 2 * Margin;
  p.Height = h + MT + MB - 2 * Margin;
  int dr = 0, db = 0;
  if (realW != w || realH != h) {
    p.CutLeft = RealRect.Left != 0 ? ML + RealRect.Left - Margin : 0;
    p.CutTop = RealRect.Top != 0 ? MT + RealRect.Top - Margin : 0;
    if (RealRect.Right != w) dr = p.CutLeft != 0 ? p.Width - p.CutLeft - realW : w + MR - realW - Margin;
    if (RealRect.Bottom != h) db = p.CutTop != 0 ? p.Height - p.CutTop - realH : h + MB - realH - Margin;
  }
  p.WndWidth = p.Width - p.CutLeft - dr;
  p.WndHeight = p.Height - p.CutTop - db;
  p.Pos = {R.Left + Margin + p.CutLeft - ML, R.Top + Margin + p.CutTop - MT};
  return p;
}

}  // namespace skin
