#include "skin/controls/sStatusBarGeometry.h"

#include <algorithm>

namespace skin {

using classlib::TRect;

int PanelOffset(std::span<const int> Widths, int Index) {
  int sum = 0;
  const int count = std::min(Index, static_cast<int>(Widths.size()));
  for (int i = 0; i < count; ++i) sum += Widths[static_cast<std::size_t>(i)];
  return sum;
}

int StatusPanelsRight(int BarWidth, bool SizeGrip) { return SizeGrip ? BarWidth - kStatusGripWidth : BarWidth; }

TRect StatusPanelRect(std::span<const int> Widths, int Index, int BarWidth, int BarHeight, bool SizeGrip) {
  const int left = PanelOffset(Widths, Index);
  const bool last = Index == static_cast<int>(Widths.size()) - 1;
  const int right = last ? StatusPanelsRight(BarWidth, SizeGrip) : left + Widths[static_cast<std::size_t>(Index)];
  return {left, 0, right, BarHeight};
}

TRect StatusSimpleRect(int BarWidth, int BarHeight, bool SizeGrip) {
  return {0, 1, StatusPanelsRight(BarWidth, SizeGrip) - 1, BarHeight - 1};
}

TRect StatusTextRect(const TRect& R) { return {R.Left + 1 + 2, R.Top + 1, R.Right - 1 - 4, R.Bottom - 1 - 1}; }

int StatusDividerLeft(const TRect& R, int DividerWidth) { return R.Right - DividerWidth / 2 - 1; }

}  // namespace skin
