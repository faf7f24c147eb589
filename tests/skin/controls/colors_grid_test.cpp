// The colour cells of a colours panel: colours read from lines, the padded list, cell places, hit
// testing and a selection kept inside the cells.
#include <gtest/gtest.h>

#include "skin/controls/sColorsGrid.h"

namespace skin {
namespace {

TEST(ColorsGrid, LinesNameColoursRedInTheLowByte) {
  struct Case {
    const wchar_t* line;
    classlib::TColor colour;
  };
  const Case cases[] = {
      {L"FF0000", 0x0000FF}, {L"00FF00 green", 0x00FF00}, {L"0000ff\r\n", 0xFF0000},
      {L"123456", 0x563412}, {L"ZZ", 0},                   {L"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ColorOfLine(c.line), c.colour) << static_cast<const void*>(c.line);
}

TEST(ColorsGrid, ShortListIsPaddedWithWhiteAndLongListKeepsItsLines) {
  std::vector<std::wstring> lines{L"FF0000", L"00FF00", L"0000FF"};
  auto cells = GenerateColorCells(lines, {}, 1);
  ASSERT_EQ(cells.size(), 10u);
  ASSERT_EQ(lines.size(), 10u);
  for (std::size_t i = 3; i < 10; ++i) {
    EXPECT_EQ(lines[i], L"FFFFFF");
    EXPECT_EQ(cells[i].Color, 0xFFFFFF);
  }
  EXPECT_TRUE(cells[1].Selected);
  EXPECT_FALSE(cells[0].Selected);
  // Cell 7 is row 1, column 2: left 2 * 27 + 6, top 27 + 6, 21 by 21.
  EXPECT_EQ(cells[7].R, (classlib::TRect{60, 33, 81, 54}));

  std::vector<std::wstring> many(14, L"000000");
  EXPECT_EQ(GenerateColorCells(many, {}, -1).size(), 10u);
  EXPECT_EQ(many.size(), 14u);
}

TEST(ColorsGrid, PointsFindTheCellGrownByItsMargin) {
  std::vector<std::wstring> lines;
  const auto cells = GenerateColorCells(lines, {}, -1);
  struct Case {
    int x, y, cell;
  };
  // Cell 0 is (6, 6)-(27, 27), grown by 6 (0, 0)-(33, 33); cell 4 ends at 135, grown 141.
  const Case cases[] = {{0, 0, 0}, {16, 16, 0}, {32, 10, 0}, {33, 10, 1}, {140, 10, 4}, {141, 10, -1}, {10, 59, 5}, {10, 70, -1}};
  for (const Case& c : cases) EXPECT_EQ(ColorCellAt(cells, 6, c.x, c.y), c.cell) << c.x << "," << c.y;
}

// Lines beyond the cells must not make an index valid: it would read past the cells.
TEST(ColorsGrid, SelectionIsBoundedByTheCellsNotTheLines) {
  std::vector<std::wstring> lines(14, L"000000");
  const auto cells = GenerateColorCells(lines, {}, -1);
  EXPECT_EQ(BoundedItemIndex(9, cells.size()), 9);
  EXPECT_EQ(BoundedItemIndex(12, cells.size()), -1);
  EXPECT_EQ(BoundedItemIndex(-5, cells.size()), -1);
}

}  // namespace
}  // namespace skin
