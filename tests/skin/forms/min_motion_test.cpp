// The minimise and restore steps: alpha tables worked out by hand (255 / 12 per step, rounded each
// step), the image rectangle's path towards a point on a left taskbar, and the taskbar sides.
#include "skin/forms/acMinMotion.h"

#include <gtest/gtest.h>

#include <vector>

namespace skin {
namespace {

TacMinMotion Towards(const TRect& from, const TRect& to, int time) {
  TacMinMotion m;
  m.SetTiming(time, 255);
  m.SetFrom(from);
  m.SetTo(to);
  m.SetCurrent(from);
  m.CurrentAlpha = 255;
  return m;
}

TEST(MinMotion, DefaultTimePlaysThirteenStepsOf255Over12Down) {
  TacMinMotion m = Towards({100, 100, 420, 340}, {40, 220, 40, 220}, 200);
  EXPECT_EQ(m.StepCount, 13);
  const std::vector<int> expected{234, 213, 192, 171, 150, 129, 108, 87, 66, 45, 24, 3};
  std::vector<int> alphas;
  bool ended = false;
  int steps = 0;
  while (!ended && steps < 50) {
    ended = m.StepMinimise();
    ++steps;
    if (!ended) alphas.push_back(m.CurrentAlpha);
  }
  EXPECT_EQ(steps, 13);
  EXPECT_EQ(alphas, expected);
  // After all 13 steps the image has shrunk to the target point.
  EXPECT_EQ(m.FrameWidth(), 0);
  EXPECT_EQ(m.FrameHeight(), 0);
  EXPECT_EQ(m.FrameCentreX(), 40);
  EXPECT_EQ(m.FrameCentreY(), 220);
}

TEST(MinMotion, FirstStepMovesTheCentreAndShrinksBothHalves) {
  TacMinMotion m = Towards({100, 100, 420, 340}, {40, 220, 40, 220}, 200);
  m.StepMinimise();
  // Centre 260 moves by (40 - 260) / 13; the width loses 320 / 13, the height 240 / 13.
  EXPECT_EQ(m.FrameCentreX(), 243);
  EXPECT_EQ(m.FrameCentreY(), 220);
  EXPECT_EQ(m.FrameWidth(), 295);
  EXPECT_EQ(m.FrameHeight(), 222);
}

TEST(MinMotion, RestoreClimbsBackAndEndsAtFullAlphaInThePlaceAtRest) {
  TacMinMotion m = Towards({100, 100, 420, 340}, {40, 220, 40, 220}, 200);
  while (!m.StepMinimise()) {}
  const std::vector<int> expected{21, 42, 63, 84, 105, 126, 147, 168, 189, 210, 231, 252};
  std::vector<int> alphas;
  int steps = 0;
  bool ended = false;
  while (!ended && steps < 50) {
    ended = m.StepRestore();
    ++steps;
    if (!ended) alphas.push_back(m.CurrentAlpha);
  }
  EXPECT_EQ(steps, 13);
  EXPECT_EQ(alphas, expected);
  EXPECT_EQ(m.CurrentAlpha, 255);
  EXPECT_EQ(m.FrameWidth(), 320);
  EXPECT_EQ(m.FrameCentreX(), 260);
}

TEST(MinMotion, TurningAroundMidWayGoesBackFromTheCurrentAlpha) {
  TacMinMotion m = Towards({100, 100, 420, 340}, {40, 220, 40, 220}, 200);
  for (int i = 0; i < 5; ++i) m.StepMinimise();
  EXPECT_EQ(m.CurrentAlpha, 150);
  m.StepRestore();
  EXPECT_EQ(m.CurrentAlpha, 171);
  // Four steps out, then four back: the centre is where it stood after one step out.
  for (int i = 0; i < 3; ++i) m.StepRestore();
  EXPECT_EQ(m.FrameCentreX(), 243);
  EXPECT_EQ(m.FrameWidth(), 295);
}

TEST(MinMotion, ShortTimesPlayOneStepThatTakesTheWholeAlpha) {
  for (int time : {0, 10, 14, 15}) {
    TacMinMotion m = Towards({0, 0, 100, 100}, {0, 0, 0, 0}, time);
    EXPECT_EQ(m.StepCount, 1) << time;
    EXPECT_TRUE(m.StepMinimise()) << time;
    EXPECT_EQ(m.CurrentAlpha, 0) << time;
  }
}

TEST(MinMotion, TaskbarSideAndEdgeTarget) {
  struct Case {
    TRect bar;
    unsigned side;
    TRect target;  // for a window centred at (500, 300)
  };
  const Case cases[] = {
      {{0, 0, 40, 768}, 1, {40, 300, 40, 300}},         // left
      {{0, 0, 1024, 30}, 2, {500, 30, 500, 30}},        // top
      {{984, 0, 1024, 768}, 4, {984, 300, 984, 300}},   // right
      {{-2, 738, 1026, 770}, 8, {500, 738, 500, 738}},  // bottom
      {{984, 10, 1024, 768}, 4, {984, 300, 984, 300}},  // right, not from the top
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TaskbarSide(c.bar), c.side);
    EXPECT_EQ(TaskbarEdgeTarget(c.bar, 500, 300), c.target);
  }
}

}  // namespace
}  // namespace skin
