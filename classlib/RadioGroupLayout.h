#pragma once
// Where a radio group puts its buttons: column by column, the columns sharing the width less the
// frame, the rows sharing the height below the caption, the spare height split above and below.
// Pure arithmetic; no window needed.
#include <vector>

#include "classlib/Types.h"

namespace classlib {

inline constexpr int kMinRadioColumns = 1;
inline constexpr int kMaxRadioColumns = 16;

int ClampRadioColumns(int Columns);

// The button rectangles, in the group's client coordinates, for Count buttons in Columns
// (clamped), a group of Width by Height and a caption font FontHeight pixels high. Empty when
// there are no buttons.
std::vector<TRect> RadioButtonCells(int Count, int Columns, int Width, int Height, int FontHeight);

}  // namespace classlib
