#include "skin/controls/sGroupBoxLayout.h"

#include <algorithm>

namespace skin {

classlib::TRect GroupCaptionRect(const TGroupCaptionMetrics& M) {
  classlib::TRect r{};
  r.Bottom = M.TextHeight + M.MarginTop + M.MarginBottom;
  if (M.Skinned) {
    r.Bottom += M.CaptionYOffset;
    if (M.CaptionYOffset < 0) r.Top += M.CaptionYOffset;
  }
  // The caption hugs the near edge: the left one, or the right one when reading right to left.
  const bool nearEdge =
      (M.Layout == group::clTopLeft && !M.RightToLeft) || (M.Layout == group::clTopRight && M.RightToLeft);
  if (M.CaptionWidth == 0) {
    const int w = M.TextWidth;
    const int margins = M.MarginLeft + M.MarginRight;
    if (M.Layout == group::clTopCenter)
      r.Left = (M.Width - w - margins - 6) / 2;
    else if (nearEdge)
      r.Left = 6;
    else
      r.Left = M.Width - w - 2 * margins - 6;
    r.Left = std::max(r.Left, 0);
    r.Right = r.Left + w + 2 * margins;
  } else {
    const int w = M.CaptionWidth;
    if (M.Layout == group::clTopCenter)
      r.Left = (M.Width - w - 6) / 2;
    else if (nearEdge)
      r.Left = M.MarginLeft + 6;
    else
      r.Left = M.Width - w - M.MarginRight - 6;
    r.Left = std::max(r.Left, 0);
    r.Right = r.Left + w + M.MarginLeft;
  }
  r.Right = std::min(r.Right, M.Width);
  if (r.Right - r.Left < 2 * M.BevelWidth) {
    r.Left -= M.BevelWidth;
    r.Right += M.BevelWidth;
  }
  return r;
}

int GroupFrameTop(const classlib::TRect& Caption, int CaptionYOffset) {
  return CaptionYOffset < 0 ? 0 : (Caption.Bottom - Caption.Top) / 2;
}

}  // namespace skin
