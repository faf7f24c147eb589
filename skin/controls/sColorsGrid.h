#pragma once
// The grid of colour cells of a colours panel: the colour a text line names, the cells laid out row
// by row with the list padded to one line per cell, the cell under a point, and a selection kept
// inside the cells. Pure arithmetic; no window needed.
#include <string>
#include <vector>

#include "classlib/Types.h"

namespace skin {

struct TsColInfo {
  int Index = 0;
  classlib::TColor Color = 0;
  classlib::TRect R;
  bool Selected = false;
};

struct TsColorsGridLayout {
  int ColCount = 5;
  int RowCount = 2;
  int ItemWidth = 21;
  int ItemHeight = 21;
  int ItemMargin = 6;
};

// The colour the first word of Line names as six hexadecimal digits red, green, blue (red ends in
// the low byte); black when the word is not such a number.
classlib::TColor ColorOfLine(const std::wstring& Line);

// One cell per column and row, numbered row by row. Lines are appended ("FFFFFF") until every
// cell has one; lines beyond the cells stay but get none. The cell ItemIndex is marked selected.
std::vector<TsColInfo> GenerateColorCells(std::vector<std::wstring>& Lines, const TsColorsGridLayout& Layout,
                                          int ItemIndex);

// The first cell whose rectangle grown by the margin holds (X, Y); -1 for none.
int ColorCellAt(const std::vector<TsColInfo>& Cells, int ItemMargin, int X, int Y);

// A selection that names no cell is none (-1): the cells, not the lines, bound it.
int BoundedItemIndex(int ItemIndex, std::size_t CellCount);

}  // namespace skin
