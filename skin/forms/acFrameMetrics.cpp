#include "skin/forms/acFrameMetrics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace skin {

int DefIconSize(int H) {
  if (H >= -100 && H <= 8) return 1;
  if (H >= 9 && H <= 16) return 8;
  return 16;
}

int CaptionHeightOf(const TacCaptionInput& In) {
  if ((!In.HaveBorder || !In.CaptionStyle) && !In.Iconic) return 0;
  const int h = In.SkinTitleHeight;
  const int s = In.ToolWindow && !In.Iconic ? In.SysSmCaption : In.SysCaption;
  if (In.SysExHeight) return s + 4 >= h ? s + 4 : h;
  return h == 0 ? s : h;
}

int HeaderHeightOf(const TacFrameInput& In) {
  const int borderHeight = In.HTrue + In.FormBorderWidth;
  int result;
  if (In.BorderForm)
    result = In.HFalse + In.Caption;
  else if (In.Caption != 0)
    result = In.WindowHeight - In.ClientHeight - borderHeight;
  else
    result = In.WindowHeight - In.ClientHeight - (In.WsBorder ? borderHeight : 0);
  result = std::max(result, 0);
  if (In.Iconic) result += In.HFalse;
  return result - In.HScrollHeight;
}

int OffsetXOf(const TacFrameInput& In) {
  if (In.BorderForm) return In.BTrue + In.FormBorderWidth + In.Shadow.Left;
  return (In.WindowWidth - In.ClientWidth - In.VScrollWidth) / 2;
}

int OffsetYOf(const TacFrameInput& In) {
  if (In.BorderForm)
    return In.Caption + In.LinesCount * In.MenuHeight + In.FormBorderWidth + In.Shadow.Top +
           (In.MenuHeight != 0 ? 1 : 0);
  return In.WindowHeight - In.ClientHeight - (In.WsBorder ? In.BTrue + In.FormBorderWidth : 0) - In.HScrollHeight;
}

int MenuLinesOf(int FirstItemBottom, int ClientTop, int CyMenu) {
  int lines = 1;
  // A menu font taller than the bar would leave no step; count one line more per pixel then.
  const int step = std::max(CyMenu - 2, 1);
  if (FirstItemBottom < ClientTop) lines += (ClientTop - FirstItemBottom) / step;
  return lines;
}

int TitleBtnsWidthOf(const TacTitleButtonsInput& In) {
  const int spacing = In.BigButtons ? In.BISpacing : 0;
  int w = In.BIRightMargin;
  if (In.SystemButtons) {
    w += In.CloseWidth;
    if (In.Max) w += In.MaxWidth + spacing;
    if (In.Min) w += In.MinWidth + spacing;
    if (In.Help) w += In.HelpWidth + spacing;
  }
  if (!In.UserWidths.empty()) {
    w += 8;
    for (int width : In.UserWidths) w += width + spacing;
  }
  return w;
}

TRect IconRectOf(const TacIconInput& In) {
  TRect r;
  r.Left = In.BTrue + In.BILeftMargin + In.Shadow.Left;
  r.Right = r.Left + In.IconWidth;
  r.Top = In.BFalse / 2 + In.Shadow.Top - 1;
  const int titleBottom = In.HFalse + In.Caption + In.Shadow.Top;
  r.Top += (titleBottom - r.Top - In.IconHeight) / 2;
  r.Bottom = r.Top + In.IconHeight;
  if (In.BorderForm) {
    int dy = In.ExCenterOffs;
    if (In.Maximized && In.ExTitleHeight != In.ExMaxHeight) dy += (In.ExTitleHeight - In.ExMaxHeight) / 2 - 2;
    r.Top += dy;
    r.Bottom += dy;
  }
  return r;
}

int MaximizedTitleShiftOf(int ExDrawMode, int ExTitleHeight, int ExMaxHeight, int BITopMargin, int Caption,
                          int SysCaption) {
  int a = 0;
  if (ExDrawMode == 1)
    a = (ExTitleHeight != ExMaxHeight && ExTitleHeight >= ExMaxHeight ? ExTitleHeight - ExMaxHeight : 0) + BITopMargin;
  return a - (SysCaption + 4 < Caption ? Caption - SysCaption - 4 : 0);
}

TRect AlignCaptionRect(TRect T, int MainWidth, int AddedWidth, int Alignment, bool RightToLeft) {
  if (RightToLeft) {
    if (Alignment == kTaLeftJustify)
      Alignment = kTaRightJustify;
    else if (Alignment == kTaRightJustify)
      Alignment = kTaLeftJustify;
  }
  const int textWidth = MainWidth + AddedWidth + 4;
  const int width = T.Right - T.Left;
  if (Alignment == kTaRightJustify) {
    if (textWidth < width) T.Left = T.Right - textWidth;
  } else if (Alignment == kTaCenter) {
    T.Left = std::max(T.Left, T.Left + (width - textWidth) / 2);
    T.Right = std::min(T.Left + MainWidth, T.Right);
  }
  return T;
}

TacCopyArea ClipCopyArea(TSize SrcSize, TPoint SrcAt, TSize DstSize, TPoint DstAt, TSize Size) {
  TacCopyArea a{SrcAt, DstAt, Size};
  // Cut the left and top first in both bitmaps, moving the other origin along.
  const auto cutStart = [](std::int32_t& src, std::int32_t& dst, std::int32_t& len) {
    const std::int32_t shift = std::max({0, -src, -dst});
    src += shift;
    dst += shift;
    len -= shift;
  };
  cutStart(a.Src.X, a.Dst.X, a.Size.cx);
  cutStart(a.Src.Y, a.Dst.Y, a.Size.cy);
  a.Size.cx = std::min({a.Size.cx, SrcSize.cx - a.Src.X, DstSize.cx - a.Dst.X});
  a.Size.cy = std::min({a.Size.cy, SrcSize.cy - a.Src.Y, DstSize.cy - a.Dst.Y});
  if (a.Size.cx <= 0 || a.Size.cy <= 0) a.Size = {0, 0};
  return a;
}

std::vector<TRect> OuterRuns(const std::vector<TRect>& Runs, int Width, int Height) {
  std::vector<bool> kept(Runs.size(), false);
  const auto atEdge = [&](const TRect& r) {
    return r.Left <= 0 || r.Top <= 0 || r.Right >= Width || r.Bottom >= Height;
  };
  // Side by side in a row, or overlapping columns in neighbouring rows.
  const auto touch = [](const TRect& a, const TRect& b) {
    if (a.Top == b.Top) return a.Left <= b.Right && b.Left <= a.Right;
    return (a.Top == b.Bottom || b.Top == a.Bottom) && a.Left < b.Right && b.Left < a.Right;
  };
  bool grown = true;
  while (grown) {
    grown = false;
    for (std::size_t i = 0; i < Runs.size(); ++i) {
      if (kept[i]) continue;
      bool keep = atEdge(Runs[i]);
      for (std::size_t j = 0; !keep && j < Runs.size(); ++j) keep = kept[j] && touch(Runs[i], Runs[j]);
      if (keep) kept[i] = grown = true;
    }
  }
  std::vector<TRect> outer;
  for (std::size_t i = 0; i < Runs.size(); ++i)
    if (kept[i]) outer.push_back(Runs[i]);
  return outer;
}

TSize FitThumbSize(TSize Max, TSize Source) {
  if (Max.cx <= 0 || Max.cy <= 0 || Source.cx <= 0 || Source.cy <= 0) return {0, 0};
  TSize r = Max;
  const std::int64_t lhs = std::int64_t{Max.cx} * Source.cy;
  const std::int64_t rhs = std::int64_t{Source.cx} * Max.cy;
  if (lhs > rhs)
    r.cx = static_cast<std::int32_t>(std::llround(static_cast<double>(Max.cy) * Source.cx / Source.cy));
  else
    r.cy = static_cast<std::int32_t>(std::llround(static_cast<double>(Max.cx) * Source.cy / Source.cx));
  if (r.cx <= 0 || r.cy <= 0) return {0, 0};
  return r;
}

}  // namespace skin
