#include "classlib/ScrollRange.h"

#include <gtest/gtest.h>

#include <climits>

using namespace classlib;

namespace {

TEST(ScrollRange, PositionStaysBetweenZeroAndTheContentsEnd) {
  struct Case {
    long long value;
    int range, client, expected;
  } cases[] = {
      {-5, 300, 100, 0},
      {150, 300, 100, 150},
      {250, 300, 100, 200},
      {50, 80, 100, 0},
      {LLONG_MAX / 4, INT_MAX, 10, INT_MAX - 10},
      {7, 300, -20, 7},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClampScrollPosition(c.value, c.range, c.client), c.expected) << c.value << " " << c.range;
}

TEST(ScrollRange, ScrollCodesMoveByLinePageOrThumb) {
  // Content 500 high in a window 100 high: the furthest position is 400; a page is 90.
  struct Case {
    TScrollCode code;
    int thumb, position;
    bool tracking;
    int expected;
  } cases[] = {
      {TScrollCode::LineDown, 0, 100, false, 108},   {TScrollCode::LineUp, 0, 5, false, 0},
      {TScrollCode::PageDown, 0, 100, false, 190},   {TScrollCode::PageDown, 0, 350, false, 400},
      {TScrollCode::PageUp, 0, 100, false, 10},      {TScrollCode::ThumbPosition, 250, 0, false, 250},
      {TScrollCode::ThumbTrack, 250, 30, false, 30}, {TScrollCode::ThumbTrack, 250, 30, true, 250},
      {TScrollCode::ThumbTrack, 900, 30, true, 400}, {TScrollCode::Top, 0, 220, false, 0},
      {TScrollCode::Bottom, 0, 220, false, 400},     {TScrollCode::EndScroll, 0, 220, false, 220},
  };
  for (const Case& c : cases) {
    TScrollRequest r;
    r.Code = c.code;
    r.ThumbPos = c.thumb;
    r.Position = c.position;
    r.Increment = 8;
    r.ClientSize = 100;
    r.Range = 500;
    r.Tracking = c.tracking;
    EXPECT_EQ(PositionForScrollCode(r), c.expected) << int(c.code) << " from " << c.position;
  }
  EXPECT_EQ(PageIncrement(0), 1);
  EXPECT_EQ(PageIncrement(5), 4);
}

TEST(ScrollRange, OneBarCanMakeTheOtherNeeded) {
  // A 200 by 100 window, bars 17 thick.
  struct Case {
    int hRange, vRange;
    bool hAllowed;
    bool horz, vert;
    int width, height;
  } cases[] = {
      {150, 90, true, false, false, 200, 100},   // everything fits
      {150, 300, true, false, true, 183, 100},   // only the vertical bar
      {190, 300, true, true, true, 183, 83},     // the vertical bar leaves 183: too narrow now
      {300, 90, true, true, true, 183, 83},      // the horizontal bar leaves 83: too low now
      {300, 80, true, true, false, 200, 83},     // 80 still fits in 83
      {300, 300, false, false, true, 183, 100},  // a bar that is not allowed stays away
  };
  for (const Case& c : cases) {
    const TScrollBarsNeeded n = ScrollBarsNeeded(c.hRange, c.vRange, 200, 100, 17, 17, c.hAllowed, true);
    EXPECT_EQ(n.Horz, c.horz) << c.hRange << "x" << c.vRange;
    EXPECT_EQ(n.Vert, c.vert) << c.hRange << "x" << c.vRange;
    EXPECT_EQ(n.ClientWidth, c.width) << c.hRange << "x" << c.vRange;
    EXPECT_EQ(n.ClientHeight, c.height) << c.hRange << "x" << c.vRange;
  }
}

TEST(ScrollRange, IntoViewBringsTheNearEdgeIn) {
  EXPECT_EQ(ScrollIntoViewDelta(10, 40, 100), 0);     // already shown
  EXPECT_EQ(ScrollIntoViewDelta(-30, 0, 100), -30);   // above: its top to the window's top
  EXPECT_EQ(ScrollIntoViewDelta(150, 180, 100), 80);  // below: its bottom to the window's bottom
  EXPECT_EQ(ScrollIntoViewDelta(50, 250, 100), 50);   // longer than the window: its top
  EXPECT_EQ(ScrollIntoViewDelta(60, 100, 100), 0);    // ends exactly at the window's end
}

}  // namespace
