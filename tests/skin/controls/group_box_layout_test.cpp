// Where a radio group's buttons go: filled column by column, the spare height split above.
#include <gtest/gtest.h>

#include "skin/controls/sGroupBoxLayout.h"

namespace skin {
namespace {

using classlib::TRect;

TEST(RadioGroupLayout, ColumnsAreClampedToOneToSixteen) {
  const int cases[][2] = {{0, 1}, {-3, 1}, {1, 1}, {16, 16}, {20, 16}};
  for (const auto& c : cases) EXPECT_EQ(ClampRadioColumns(c[0]), c[1]) << c[0];
}

// 5 buttons in 2 columns of a 210 by 100 group with a 13-pixel font: 3 per column, each 100 wide
// ((210 - 10) / 2); rows share 100 - 13 - 5 = 82: 27 high, 1 spare, 0 of it above, so the first
// row starts at 13 + 1 = 14.
TEST(RadioGroupLayout, FiveButtonsInTwoColumnsFillTheFirstColumnFirst) {
  const auto cells = RadioButtonCells(5, 2, 210, 100, 13);
  const TRect expected[] = {{8, 14, 108, 41},    {8, 41, 108, 68},  {8, 68, 108, 95},
                            {108, 14, 208, 41}, {108, 41, 208, 68}};
  ASSERT_EQ(cells.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(cells[i], expected[i]) << i;
}

// 4 rows share 100 - 16 - 5 = 79: 19 high, 3 spare, 1 of it above: the first row at 1 + 16 + 1.
TEST(RadioGroupLayout, SpareHeightIsSplitWithHalfAbove) {
  const auto cells = RadioButtonCells(4, 0, 110, 100, 16);
  ASSERT_EQ(cells.size(), 4u);
  EXPECT_EQ(cells[0], (TRect{8, 18, 108, 37}));
  EXPECT_EQ(cells[3], (TRect{8, 75, 108, 94}));
  EXPECT_TRUE(RadioButtonCells(0, 3, 100, 100, 13).empty());
}

}  // namespace
}  // namespace skin
