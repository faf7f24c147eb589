#include "skin/controls/sColorsGrid.h"

#include <cwctype>

namespace skin {

classlib::TColor ColorOfLine(const std::wstring& Line) {
  const std::size_t end = Line.find_first_of(L" \r\n");
  const std::wstring word = Line.substr(0, end);
  if (word.empty() || word.size() > 8) return 0;
  unsigned value = 0;
  for (wchar_t ch : word) {
    if (!std::iswxdigit(static_cast<wint_t>(ch))) return 0;
    const unsigned digit = ch <= L'9' ? unsigned(ch - L'0') : unsigned(std::towupper(ch) - L'A' + 10);
    value = value * 16 + digit;
  }
  // Written red, green, blue; a colour value holds red in its low byte.
  return classlib::TColor(((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF));
}

std::vector<TsColInfo> GenerateColorCells(std::vector<std::wstring>& Lines, const TsColorsGridLayout& L,
                                          int ItemIndex) {
  std::vector<TsColInfo> cells;
  if (L.ColCount <= 0 || L.RowCount <= 0) return cells;
  cells.reserve(std::size_t(L.ColCount) * std::size_t(L.RowCount));
  for (int r = 0; r < L.RowCount; ++r)
    for (int c = 0; c < L.ColCount; ++c) {
      const int i = int(cells.size());
      if (std::size_t(i) >= Lines.size()) Lines.push_back(L"FFFFFF");
      const int left = c * (L.ItemWidth + L.ItemMargin) + L.ItemMargin;
      const int top = r * (L.ItemHeight + L.ItemMargin) + L.ItemMargin;
      cells.push_back({i, ColorOfLine(Lines[std::size_t(i)]), {left, top, left + L.ItemWidth, top + L.ItemHeight},
                       i == ItemIndex});
    }
  return cells;
}

int ColorCellAt(const std::vector<TsColInfo>& Cells, int ItemMargin, int X, int Y) {
  for (const TsColInfo& cell : Cells)
    if (X >= cell.R.Left - ItemMargin && X < cell.R.Right + ItemMargin && Y >= cell.R.Top - ItemMargin &&
        Y < cell.R.Bottom + ItemMargin)
      return cell.Index;
  return -1;
}

int BoundedItemIndex(int ItemIndex, std::size_t CellCount) {
  return ItemIndex >= 0 && std::size_t(ItemIndex) < CellCount ? ItemIndex : -1;
}

}  // namespace skin
