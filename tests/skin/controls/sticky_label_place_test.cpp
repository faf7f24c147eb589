// Where a sticky label and its control go against each other, computed by hand for a fixed
// control of 120 x 21 at (100, 50), a moved one of 40 x 13 and a gap of 2.
#include "skin/controls/sStickyLabelPlace.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(StickyLabelPlace, EachSideAndItsOpposite) {
  const TRect fixed{100, 50, 220, 71};
  const TSize moved{40, 13};
  struct Case {
    TAlignTo side;
    TAlignTo opposite;
    TPoint at;
  };
  const Case cases[] = {
      // 100 - 40 - 2 = 58; centred: 50 + (21 - 13) / 2 = 54.
      {altLeft, altRight, {58, 54}},
      {altTop, altBottom, {100, 35}},
      {altRight, altLeft, {222, 54}},
      {altBottom, altTop, {100, 73}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StickyPlace(c.side, fixed, moved, 2), c.at) << "side " << int(c.side);
    EXPECT_EQ(OppositeSide(c.side), c.opposite) << "side " << int(c.side);
  }
  // A taller moved control: (21 - 30) / 2 = -4, not -5.
  EXPECT_EQ(StickyPlace(altLeft, fixed, {40, 30}, 0), (TPoint{60, 46}));
}

}  // namespace
}  // namespace skin
