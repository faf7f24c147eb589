// Where a group box's caption band goes, and where a radio group's buttons go: filled column by
// column, the spare height split above.
#include <gtest/gtest.h>

#include "skin/controls/sGroupBoxLayout.h"

namespace skin {
namespace {

using classlib::TRect;

// A 200-wide box, a caption 40 wide and 15 high, margins 2 left and right unless a case says
// otherwise; the expected rectangles are worked out by hand from the placing rules.
TEST(GroupCaption, BandFollowsLayoutWidthOffsetAndReadingOrder) {
  struct Case {
    const char* what;
    TGroupCaptionMetrics m;
    TRect expected;
  };
  auto base = [](group::TsCaptionLayout layout) {
    TGroupCaptionMetrics m;
    m.Width = 200;
    m.TextWidth = 40;
    m.TextHeight = 15;
    m.Layout = layout;
    return m;
  };
  auto with = [](TGroupCaptionMetrics m, auto change) {
    change(m);
    return m;
  };
  const Case cases[] = {
      // 6 from the edge, text plus twice both margins wide.
      {"left", base(group::clTopLeft), {6, 0, 54, 15}},
      // (200 - 40 - 4 - 6) / 2 = 75.
      {"centre", base(group::clTopCenter), {75, 0, 123, 15}},
      // 200 - 40 - 8 - 6 = 146.
      {"right", base(group::clTopRight), {146, 0, 194, 15}},
      {"left, right to left", with(base(group::clTopLeft), [](auto& m) { m.RightToLeft = true; }), {146, 0, 194, 15}},
      {"right, right to left", with(base(group::clTopRight), [](auto& m) { m.RightToLeft = true; }), {6, 0, 54, 15}},
      // A positive offset makes the band taller; a negative one lifts it above the top edge.
      {"offset 4", with(base(group::clTopLeft), [](auto& m) { m.CaptionYOffset = 4; }), {6, 0, 54, 19}},
      {"offset -5", with(base(group::clTopLeft), [](auto& m) { m.CaptionYOffset = -5; }), {6, -5, 54, 10}},
      {"offset -5 unskinned",
       with(base(group::clTopLeft),
            [](auto& m) {
              m.CaptionYOffset = -5;
              m.Skinned = false;
            }),
       {6, 0, 54, 15}},
      {"margins top and bottom",
       with(base(group::clTopLeft),
            [](auto& m) {
              m.MarginTop = 3;
              m.MarginBottom = 1;
            }),
       {6, 0, 54, 19}},
      // A fixed width: 2 + 6 from the edge, the width plus the left margin.
      {"fixed left", with(base(group::clTopLeft), [](auto& m) { m.CaptionWidth = 60; }), {8, 0, 70, 15}},
      // (200 - 60 - 6) / 2 = 67.
      {"fixed centre", with(base(group::clTopCenter), [](auto& m) { m.CaptionWidth = 60; }), {67, 0, 129, 15}},
      // 200 - 60 - 2 - 6 = 132.
      {"fixed right", with(base(group::clTopRight), [](auto& m) { m.CaptionWidth = 60; }), {132, 0, 194, 15}},
      // 30 - 40 - 8 - 6 < 0 starts at 0; 0 + 48 is cut to the box.
      {"narrow box", with(base(group::clTopRight), [](auto& m) { m.Width = 30; }), {0, 0, 30, 15}},
      // Nothing to show: the band still spans twice the bevel width around its place.
      {"empty",
       with(base(group::clTopLeft),
            [](auto& m) {
              m.TextWidth = 0;
              m.MarginLeft = m.MarginRight = 0;
            }),
       {5, 0, 7, 15}},
  };
  for (const Case& c : cases) EXPECT_EQ(GroupCaptionRect(c.m), c.expected) << c.what;
}

TEST(GroupCaption, FrameStartsAtTheBandsMiddleOrAtTheTopWhenLifted) {
  EXPECT_EQ(GroupFrameTop(TRect{6, 0, 54, 19}, 4), 9);
  EXPECT_EQ(GroupFrameTop(TRect{6, 0, 54, 15}, 0), 7);
  EXPECT_EQ(GroupFrameTop(TRect{6, -5, 54, 10}, -5), 0);
}

TEST(RadioGroupLayout, ColumnsAreClampedToOneToSixteen) {
  const int cases[][2] = {{0, 1}, {-3, 1}, {1, 1}, {16, 16}, {20, 16}};
  for (const auto& c : cases) EXPECT_EQ(ClampRadioColumns(c[0]), c[1]) << c[0];
}

// 5 buttons in 2 columns of a 210 by 100 group with a 13-pixel font: 3 per column, each 100 wide
// ((210 - 10) / 2); rows share 100 - 13 - 5 = 82: 27 high, 1 spare, 0 of it above, so the first
// row starts at 13 + 1 = 14.
TEST(RadioGroupLayout, FiveButtonsInTwoColumnsFillTheFirstColumnFirst) {
  const auto cells = RadioButtonCells(5, 2, 210, 100, 13);
  const TRect expected[] = {
      {8, 14, 108, 41}, {8, 41, 108, 68}, {8, 68, 108, 95}, {108, 14, 208, 41}, {108, 41, 208, 68}};
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
