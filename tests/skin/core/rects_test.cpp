#include "skin/core/acntRects.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

// The rectangle routines are constexpr: the engine may fold them at compile time.
static_assert(WidthOf(TRect{10, 0, 4, 0}) == -6);
static_assert(WidthOf(TRect{10, 0, 4, 0}, true) == 0);
static_assert(RectInRect(TRect{0, 0, 10, 10}, TRect{0, 0, 10, 10}));

TEST(Rects, WidthAndHeightKeepOrClampTheSign) {
  EXPECT_EQ(WidthOf({10, 0, 4, 0}), -6);
  EXPECT_EQ(WidthOf({10, 0, 4, 0}, true), 0);
  EXPECT_EQ(HeightOf({0, 5, 0, 2}), -3);
  EXPECT_EQ(HeightOf({0, 5, 0, 2}, true), 0);
  EXPECT_EQ(HeightOf({0, 2, 0, 5}, true), 3);
}

TEST(Rects, RectInRectAllowsTouchingTheRightAndBottomEdges) {
  const TRect big{0, 0, 10, 10};
  EXPECT_TRUE(RectInRect(big, {0, 0, 10, 10}));
  EXPECT_FALSE(RectInRect(big, {0, 0, 11, 10}));
  EXPECT_FALSE(RectInRect(big, {0, 0, 10, 11}));
  EXPECT_FALSE(RectInRect(big, {-1, 0, 5, 5}));
  EXPECT_TRUE(RectInRect(big, {3, 3, 3, 3}));
}

TEST(Rects, RectIsVisibleNeedsOverlapAndANonEmptySecondRect) {
  const TRect r{0, 0, 10, 10};
  EXPECT_TRUE(RectIsVisible(r, {5, 5, 20, 20}));
  EXPECT_FALSE(RectIsVisible(r, {10, 0, 20, 10}));  // touching is not overlapping
  EXPECT_FALSE(RectIsVisible(r, {0, 10, 10, 20}));
  EXPECT_FALSE(RectIsVisible(r, {5, 5, 5, 8}));  // empty
  EXPECT_FALSE(RectIsVisible({5, 5, 20, 20}, {0, 0, 5, 30}));
}

TEST(Rects, RotateAndIntersect) {
  EXPECT_EQ(RotateRect({1, 2, 3, 4}), (TRect{2, 1, 4, 3}));
  EXPECT_EQ(RectsAnd({0, 0, 10, 10}, {5, -5, 20, 8}), (TRect{5, 0, 10, 8}));
  // Disjoint rectangles are not corrected.
  EXPECT_EQ(RectsAnd({0, 0, 2, 2}, {5, 5, 8, 8}), (TRect{5, 5, 2, 2}));
  EXPECT_EQ(OffsetPoint({1, 2}, 3, -4), (TPoint{4, -2}));
  EXPECT_EQ(OffsetRect({1, 2, 3, 4}, 10, 20), (TRect{11, 22, 13, 24}));
}

}  // namespace
}  // namespace skin
