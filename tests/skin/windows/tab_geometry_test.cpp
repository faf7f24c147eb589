// Where the tab-control handler draws a native tab control's parts, worked out by hand.
#include <gtest/gtest.h>

#include "skin/windows/acTabGeometry.h"

namespace skin {
namespace {

using namespace classlib;

TEST(TabGeometry, PositionAndStyleComeFromTheWindowStyle) {
  EXPECT_EQ(TabPositionOfStyle(0), tpTop);
  EXPECT_EQ(TabPositionOfStyle(0x2), tpBottom);
  EXPECT_EQ(TabPositionOfStyle(0x80), tpLeft);
  EXPECT_EQ(TabPositionOfStyle(0x82), tpRight);
  EXPECT_EQ(TabStyleOfStyle(0), tsTabs);
  EXPECT_EQ(TabStyleOfStyle(0x100), tsButtons);
  EXPECT_EQ(TabStyleOfStyle(0x108), tsFlatButtons);
}

TEST(TabGeometry, StripAndPageSplitTheControlOnTheTabSide) {
  const TSize size{200, 100};
  const TRect client{4, 26, 196, 96};
  struct Case {
    TTabPosition pos;
    TRect page, strip;
  };
  const Case cases[] = {
      {tpTop, {0, 22, 200, 100}, {0, 0, 200, 22}},
      {tpBottom, {0, 0, 200, 98}, {0, 98, 200, 100}},
      {tpLeft, {3, 0, 200, 100}, {0, 0, 3, 100}},
      {tpRight, {0, 0, 197, 100}, {197, 0, 200, 100}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TabPageRect(size, client, true, c.pos), c.page) << int(c.pos);
    EXPECT_EQ(TabStripRect(size, client, c.pos), c.strip) << int(c.pos);
  }
  EXPECT_EQ(TabPageRect(size, client, false, tpTop), (TRect{0, 0, 200, 100}));
}

TEST(TabGeometry, RowsCountFromTheFarSide) {
  const TRect strip{0, 0, 200, 62};
  EXPECT_EQ(TabRowOf({2, 2, 50, 22}, strip, 3, tpTop), 1);
  EXPECT_EQ(TabRowOf({2, 22, 50, 42}, strip, 3, tpTop), 2);
  EXPECT_EQ(TabRowOf({2, 42, 50, 62}, strip, 3, tpTop), 3);
  EXPECT_EQ(TabRowOf({2, 42, 50, 62}, strip, 1, tpTop), 1);
  EXPECT_EQ(TabRowOf({2, 62, 50, 82}, {0, 60, 200, 122}, 3, tpBottom), 3);
  EXPECT_EQ(TabRowOf({2, 82, 50, 102}, {0, 60, 200, 122}, 3, tpBottom), 2);
  EXPECT_EQ(TabRowOf({2, 2, 22, 50}, {0, 0, 62, 200}, 3, tpLeft), 1);
  EXPECT_EQ(TabRowOf({102, 2, 122, 50}, {100, 0, 162, 200}, 3, tpRight), 3);
  EXPECT_EQ(TabRowOf({2, 2, 2, 2}, strip, 3, tpTop), 1) << "an empty tab must not divide by zero";
}

TEST(TabGeometry, DrawnTabsOverlapThePageWhenActive) {
  const TRect tab{10, 2, 60, 22};
  struct Case {
    TTabPosition pos;
    TRect active, inactive;
  };
  const Case cases[] = {
      {tpTop, {8, 0, 62, 24}, {10, 2, 59, 26}},
      {tpBottom, {8, -1, 62, 23}, {10, 0, 59, 22}},
      {tpLeft, {9, 0, 63, 23}, {10, 1, 63, 22}},
      {tpRight, {7, 0, 61, 24}, {8, 1, 59, 22}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DrawnTabRect(tab, true, tsTabs, c.pos), c.active) << int(c.pos);
    EXPECT_EQ(DrawnTabRect(tab, false, tsTabs, c.pos), c.inactive) << int(c.pos);
  }
  EXPECT_EQ(DrawnTabRect(tab, true, tsButtons, tpTop), tab);
  EXPECT_EQ(DrawnTabRect({5, 5, 5, 20}, true, tsTabs, tpTop), (TRect{5, 5, 5, 20}));
}

TEST(TabGeometry, SideCaptionsAndImagesAreCentredAlongTheTab) {
  // A 20 x 100 tab, a caption 40 long and 12 thick, a 16 x 16 image.
  const TRect r{0, 10, 20, 110};
  const auto place = [&](TTabPosition pos, bool active, bool image) {
    const TSideTabPlace p = SideTabPlace(r, pos, active, 40, 12, image, {16, 16});
    return image ? std::pair{p.Text, p.Image} : std::pair{p.Text, TPoint{}};
  };
  EXPECT_EQ(place(tpLeft, false, false), (std::pair{TPoint{4, 80}, TPoint{}}));
  EXPECT_EQ(place(tpLeft, false, true), (std::pair{TPoint{4, 70}, TPoint{2, 74}}));
  EXPECT_EQ(place(tpLeft, true, true), (std::pair{TPoint{6, 70}, TPoint{4, 74}}));
  EXPECT_EQ(place(tpRight, false, false), (std::pair{TPoint{14, 39}, TPoint{}}));
  EXPECT_EQ(place(tpRight, false, true), (std::pair{TPoint{14, 49}, TPoint{0, 29}}));
}

}  // namespace
}  // namespace skin
