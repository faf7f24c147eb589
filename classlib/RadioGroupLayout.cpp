#include "classlib/RadioGroupLayout.h"

#include <algorithm>

namespace classlib {

int ClampRadioColumns(int Columns) { return std::clamp(Columns, kMinRadioColumns, kMaxRadioColumns); }

std::vector<TRect> RadioButtonCells(int Count, int Columns, int Width, int Height, int FontHeight) {
  std::vector<TRect> cells;
  if (Count <= 0) return cells;
  const int columns = ClampRadioColumns(Columns);
  const int perColumn = (Count + columns - 1) / columns;
  const int buttonWidth = (Width - 10) / columns;
  const int inner = Height - FontHeight - 5;
  const int buttonHeight = inner / perColumn;
  const int topMargin = (inner % perColumn) / 2 + FontHeight + 1;
  cells.reserve(std::size_t(Count));
  for (int i = 0; i < Count; ++i) {
    const int left = (i / perColumn) * buttonWidth + 8;
    const int top = (i % perColumn) * buttonHeight + topMargin;
    cells.push_back({left, top, left + buttonWidth, top + buttonHeight});
  }
  return cells;
}

}  // namespace classlib
