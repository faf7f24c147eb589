#pragma once
// Where a skinned status bar puts its panels, their texts and its dividers: panels side by side
// from the left, the last one stretched to the bar's right edge (or to the grip's left edge).
// Pure arithmetic; no window needed.
#include <span>

#include "classlib/Types.h"

namespace skin {

// The width the grip keeps at the bar's right edge.
inline constexpr int kStatusGripWidth = 18;

// The sum of the widths of the panels before Index (all of them for Index past the end).
int PanelOffset(std::span<const int> Widths, int Index);
// The right edge of the panel area: the bar's width less the grip's.
int StatusPanelsRight(int BarWidth, bool SizeGrip);
// Panel Index of a bar BarWidth by BarHeight: from its offset, its own width wide; the last one
// reaches StatusPanelsRight.
classlib::TRect StatusPanelRect(std::span<const int> Widths, int Index, int BarWidth, int BarHeight, bool SizeGrip);
// The one panel of simple mode (or of a bar without panels).
classlib::TRect StatusSimpleRect(int BarWidth, int BarHeight, bool SizeGrip);
// Where a panel's text goes inside the panel rectangle R: one pixel in, less one more at the
// bottom, two at the left and four at the right.
classlib::TRect StatusTextRect(const classlib::TRect& R);
// The left edge of a divider DividerWidth wide drawn at the right edge of panel rectangle R.
int StatusDividerLeft(const classlib::TRect& R, int DividerWidth);

}  // namespace skin
