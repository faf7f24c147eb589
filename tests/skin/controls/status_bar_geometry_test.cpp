// Where a status bar's panels, texts and dividers go, computed by hand.
#include <gtest/gtest.h>

#include <vector>

#include "skin/controls/sStatusBarGeometry.h"

namespace skin {
namespace {

using classlib::TRect;

// The configurator's bar: panels 60, 60, 500 and 50 wide on a bar 700 by 19.
TEST(StatusBarGeometry, PanelsFollowEachOtherAndTheLastReachesTheEdgeOrTheGrip) {
  const std::vector<int> widths{60, 60, 500, 50};
  struct Case {
    int index;
    bool grip;
    TRect expected;
  };
  const Case cases[] = {
      {0, false, {0, 0, 60, 19}},     {1, false, {60, 0, 120, 19}},  {2, false, {120, 0, 620, 19}},
      {3, false, {620, 0, 700, 19}},  {3, true, {620, 0, 682, 19}},  {2, true, {120, 0, 620, 19}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StatusPanelRect(widths, c.index, 700, 19, c.grip), c.expected) << c.index << " grip " << c.grip;
  // A last panel wider than the room left ends at the edge all the same.
  EXPECT_EQ(StatusPanelRect(std::vector<int>{100, 900}, 1, 400, 20, false), (TRect{100, 0, 400, 20}));
}

TEST(StatusBarGeometry, OffsetIsTheSumOfTheWidthsBefore) {
  const std::vector<int> widths{60, 60, 500, 50};
  const int expected[] = {0, 60, 120, 620, 670, 670};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(PanelOffset(widths, i), expected[i]) << i;
  EXPECT_EQ(PanelOffset({}, 0), 0);
}

TEST(StatusBarGeometry, SimplePanelTextAndDividerPlaces) {
  EXPECT_EQ(StatusSimpleRect(300, 20, false), (TRect{0, 1, 299, 19}));
  EXPECT_EQ(StatusSimpleRect(300, 20, true), (TRect{0, 1, 281, 19}));
  // Panel (60, 0, 120, 19): one pixel in, then 2 more at the left, 4 at the right, 1 at the bottom.
  EXPECT_EQ(StatusTextRect(TRect{60, 0, 120, 19}), (TRect{63, 1, 115, 17}));
  // A divider 2 wide centred on the panel's last column: 120 - 1 - 1.
  EXPECT_EQ(StatusDividerLeft(TRect{60, 0, 120, 19}, 2), 118);
  EXPECT_EQ(StatusDividerLeft(TRect{60, 0, 120, 19}, 5), 117);
}

}  // namespace
}  // namespace skin
