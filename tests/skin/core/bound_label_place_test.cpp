// Where a bound label goes for each layout, computed by hand for a control of 120 x 21 at
// (100, 50) and a label of 40 x 13.
#include "skin/core/sBoundLabelPlace.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using L = TsCaptionLayout;

TEST(BoundLabelPlace, EveryLayoutWithAndWithoutIndent) {
  const TRect edit{100, 50, 220, 71};
  const TSize label{40, 13};
  struct Case {
    L layout;
    int indent;
    TPoint at;
  };
  const Case cases[] = {
      // Left: 100 - 40 - 4 = 56; centred: 50 + 8 / 2 - 1 = 53.
      {L::sclLeft, 0, {56, 53}},
      {L::sclLeft, 5, {51, 53}},
      {L::sclTopLeft, 0, {100, 37}},
      {L::sclTopLeft, 5, {100, 32}},
      // Centre: 100 + (120 - 40) / 2 = 140; right edge 220 - 40 = 180.
      {L::sclTopCenter, 0, {140, 37}},
      {L::sclTopRight, 2, {180, 35}},
      // Beside, at the top: 50 + 3.
      {L::sclLeftTop, 0, {56, 53}},
      {L::sclLeftTop, 10, {46, 53}},
      {L::sclBottomLeft, 0, {100, 71}},
      {L::sclBottomLeft, 5, {100, 76}},
      {L::sclBottomCenter, 0, {140, 71}},
      {L::sclBottomRight, 1, {180, 72}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BoundLabelPlace(c.layout, edit, label, c.indent), c.at)
        << "layout " << int(c.layout) << ", indent " << c.indent;
}

TEST(BoundLabelPlace, HalvesOfNegativeDifferencesTruncateTowardZero) {
  // A label wider and taller than its control: (30 - 45) / 2 = -7 and (10 - 13) / 2 = -1, where
  // rounding down would give -8 and -2.
  const TRect edit{100, 50, 130, 60};
  EXPECT_EQ(BoundLabelPlace(L::sclTopCenter, edit, {45, 13}, 0), (TPoint{93, 37}));
  EXPECT_EQ(BoundLabelPlace(L::sclLeft, edit, {45, 13}, 0), (TPoint{51, 48}));
}

}  // namespace
}  // namespace skin
