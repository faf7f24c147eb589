// The up-down's button looks through hover, press and release, and the limits of its buttons.
#include <gtest/gtest.h>

#include "skin/controls/sUpDownState.h"

namespace skin {
namespace {

using classlib::TRect;

TEST(UpDownState, FirstButtonIsTheTopOrLeftHalfAndLimitsFollowTheDirection) {
  EXPECT_EQ(UpDownFirstRect(17, 31, true), (TRect{0, 0, 17, 15}));
  EXPECT_EQ(UpDownFirstRect(31, 17, false), (TRect{0, 0, 15, 17}));
  // Vertical: the top button counts up to Max; horizontal: the left one counts down to Min.
  EXPECT_EQ(UpDownFirstLimit(0, 100, true), 100);
  EXPECT_EQ(UpDownSecondLimit(0, 100, true), 0);
  EXPECT_EQ(UpDownFirstLimit(0, 100, false), 0);
  EXPECT_EQ(UpDownSecondLimit(0, 100, false), 100);
  EXPECT_EQ(UpDownLimitOf(sbkTop, 0, 100), 100);
  EXPECT_EQ(UpDownLimitOf(sbkRight, 0, 100), 100);
  EXPECT_EQ(UpDownLimitOf(sbkBottom, 0, 100), 0);
  EXPECT_EQ(UpDownLimitOf(sbkLeft, 0, 100), 0);
}

TEST(UpDownState, AButtonAtItsLimitIsNeverHotOrPressedWhenItShows) {
  const TsUpDownLimits free{false, false, true};
  const TsUpDownLimits firstShut{true, false, true};
  const TsUpDownLimits firstHidden{true, false, false};  // reached, not shown
  struct Case {
    bool inFirst;
    TsUpDownLimits limits;
    TsDrawingState hot;
  };
  const Case cases[] = {
      {true, free, dsPrevUp},     {false, free, dsNextUp},       {true, firstShut, dsDefault},
      {false, firstShut, dsNextUp}, {true, firstHidden, dsPrevUp},
  };
  for (const Case& c : cases) EXPECT_EQ(HotState(c.inFirst, c.limits), c.hot) << c.inFirst;
  EXPECT_EQ(PressedState(dsPrevUp, free), dsPrevDown);
  EXPECT_EQ(PressedState(dsNextUp, free), dsNextDown);
  EXPECT_EQ(PressedState(dsPrevUp, firstHidden), dsPrevUp);  // nothing to step: no pressed look
  EXPECT_EQ(PressedState(dsPrevUp, firstShut), dsDefault);   // and none of the hot look either
  EXPECT_EQ(PressedState(dsNextUp, TsUpDownLimits{false, true, true}), dsDefault);
  EXPECT_EQ(PressedState(dsDefault, free), dsDefault);
}

TEST(UpDownState, ReleaseMakesThePressedButtonHotUnlessItJustReachedItsLimit) {
  const TsUpDownLimits free{false, false, true};
  EXPECT_EQ(ReleasedState(dsPrevDown, free), dsPrevUp);
  EXPECT_EQ(ReleasedState(dsNextDown, free), dsNextUp);
  EXPECT_EQ(ReleasedState(dsPrevDown, TsUpDownLimits{true, false, true}), dsDefault);
  EXPECT_EQ(ReleasedState(dsNextDown, TsUpDownLimits{false, true, true}), dsDefault);
  EXPECT_EQ(ReleasedState(dsNextDown, TsUpDownLimits{false, true, false}), dsNextUp);
  // A release after a press that pressed nothing leaves the look alone.
  EXPECT_EQ(ReleasedState(dsDefault, free), dsDefault);
  EXPECT_EQ(ReleasedState(dsPrevUp, free), dsPrevUp);
}

TEST(UpDownState, ButtonStatesOfEachButton) {
  const int first[] = {0, 1, 0, 2, 0}, second[] = {0, 0, 1, 0, 2};
  for (int s = dsDefault; s <= dsNextDown; ++s) {
    EXPECT_EQ(ButtonState(TsDrawingState(s), true), first[s]) << s;
    EXPECT_EQ(ButtonState(TsDrawingState(s), false), second[s]) << s;
  }
}

}  // namespace
}  // namespace skin
