// Scroll-bar arithmetic: thumb length and place, the part under a point, and the position of a
// dragged thumb; expected values worked out by hand for a bar of 100 pixels with 16-pixel arrows
// (track 68 pixels, smallest thumb 10).
#include <gtest/gtest.h>

#include <climits>

#include "skin/windows/acScrollGeometry.h"

namespace skin {
namespace {

TEST(ScrollGeometry, ThumbLengthAndPlace) {
  struct Case {
    const char* name;
    TacScrollRange range;
    int size, pos;
  };
  const Case cases[] = {
      {"page share raised to the smallest thumb, at the start", {0, 99, 10, 0}, 10, 16},
      {"at the last position it ends at the second arrow", {0, 99, 10, 90}, 10, 74},
      {"half way", {0, 99, 10, 45}, 10, 45},
      {"half the range as page", {0, 99, 50, 25}, 34, 33},
      {"minimum not zero", {1000, 1099, 10, 1090}, 10, 74},
      {"no page: an arrow-long thumb", {0, 99, 0, 99}, 16, 68},
      {"page larger than the range: no thumb", {0, 99, 500, 50}, 0, 0},
      {"minimum above maximum: no thumb", {50, 10, 5, 20}, 0, 0},
      {"position beyond the range stays on the track", {0, 99, 10, 5000}, 10, 74},
      {"position below the range stays on the track", {0, 99, 10, -5000}, 10, 16},
      {"full 32-bit range", {0, INT_MAX, 100, INT_MAX}, 10, 74},
      {"whole 32-bit span", {INT_MIN, INT_MAX, 0, INT_MIN}, 16, 16},
      {"a one-step range: the thumb fills the track", {0, 0, 1, 0}, 68, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TacThumb t = CalcThumb(c.range, 0, 100, 16, 10);
    EXPECT_EQ(t.Size, c.size);
    if (c.size > 0) EXPECT_EQ(t.Pos, c.pos);
  }
  EXPECT_EQ(CalcThumb({0, 99, 10, 0}, 0, 30, 16, 10).Size, 0) << "no track between the arrows";
  EXPECT_EQ(CalcThumb({0, 99, 10, 0}, 200, 100, 16, 10).Pos, 216) << "placed from the bar's start";
}

TEST(ScrollGeometry, PortionUnderAPoint) {
  const TacThumb thumb{10, 45};
  const int expected[][2] = {{-1, -1}, {0, 0},  {15, 0}, {16, 2}, {44, 2}, {45, 5},
                             {54, 5},  {55, 3}, {83, 3}, {84, 1}, {99, 1}, {100, -1}};
  for (const auto& e : expected) EXPECT_EQ(ScrollPortionAt(e[0], 0, 100, 16, thumb), e[1]) << "at " << e[0];
  // Two arrows do not fit: each gets half its length and there is no thumb.
  const int shortBar[][2] = {{0, 0}, {7, 0}, {8, -1}, {23, -1}, {24, 1}, {31, 1}};
  for (const auto& e : shortBar) EXPECT_EQ(ScrollPortionAt(e[0], 0, 32, 16, {}), e[1]) << "short bar at " << e[0];
}

TEST(ScrollGeometry, PositionOfADraggedThumb) {
  struct Case {
    const char* name;
    int p;
    TacScrollRange range;
    int thumb;
    std::int32_t pos;
  };
  const Case cases[] = {
      {"start", 16, {0, 99, 10, 0}, 10, 0},
      {"end", 74, {0, 99, 10, 0}, 10, 90},
      {"half way", 45, {0, 99, 10, 0}, 10, 45},
      {"past the end pins to the end", 400, {0, 99, 10, 0}, 10, 90},
      {"before the start pins to the start", -50, {0, 99, 10, 0}, 10, 0},
      {"minimum not zero counts from the minimum", 74, {1000, 1099, 10, 0}, 10, 1090},
      {"thumb as long as the track", 16, {0, 0, 1, 0}, 68, 0},
      {"full 32-bit range", 74, {0, INT_MAX, 100, 0}, 10, INT_MAX - 99},
      {"minimum above maximum", 74, {50, 10, 5, 0}, 10, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ThumbTrackPosition(c.p, 16, 68, c.thumb, c.range), c.pos);
  }
}

TEST(ScrollGeometry, MulDivRoundsAndSurvivesAZeroDivisor) {
  EXPECT_EQ(MulDiv64(10, 68, 100), 7);
  EXPECT_EQ(MulDiv64(-10, 68, 100), -7);
  EXPECT_EQ(MulDiv64(INT_MAX, 58, INT_MAX), 58);
  EXPECT_EQ(MulDiv64(5, 7, 0), 0);
}

}  // namespace
}  // namespace skin
