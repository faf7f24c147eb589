// Where the page control's strip, page area and tab contents go; every expected value is worked
// out by hand in the comment beside it.
#include <gtest/gtest.h>

#include "skin/controls/sTabGeometry.h"

namespace skin {
namespace {

using classlib::TRect;
using classlib::TSize;

// A control of 200 by 150 whose pages fill D: the strip ends 4 above D's top (top tabs), 2 below
// its bottom, 1 left of its left, 1 right of its right; the page area is the rest.
TEST(TabGeometry, StripAndPageSplitTheControlForEachPosition) {
  struct Case {
    classlib::TTabPosition position;
    TRect display, tabs, page;
  };
  const Case cases[] = {
      {classlib::tpTop, {4, 28, 196, 146}, {0, 0, 200, 24}, {0, 24, 200, 150}},
      {classlib::tpBottom, {4, 4, 196, 122}, {0, 124, 200, 150}, {0, 0, 200, 124}},
      {classlib::tpLeft, {30, 4, 196, 146}, {0, 0, 29, 150}, {29, 0, 200, 150}},
      {classlib::tpRight, {4, 4, 170, 146}, {171, 0, 200, 150}, {0, 0, 171, 150}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TabsRect(true, c.position, 200, 150, c.display), c.tabs) << c.position;
    EXPECT_EQ(PageRect(true, c.position, 200, 150, c.display), c.page) << c.position;
    EXPECT_EQ(TabsRect(false, c.position, 200, 150, c.display), TRect{}) << c.position;
    EXPECT_EQ(PageRect(false, c.position, 200, 150, c.display), (TRect{0, 0, 200, 150})) << c.position;
  }
}

TEST(TabGeometry, OnlyTheActiveTabOfTabStyleGrowsByTwo) {
  const TRect tab{10, 2, 60, 22};
  EXPECT_EQ(SkinTabRect(tab, true, classlib::tsTabs), (TRect{8, 0, 62, 24}));
  EXPECT_EQ(SkinTabRect(tab, false, classlib::tsTabs), tab);
  EXPECT_EQ(SkinTabRect(tab, true, classlib::tsButtons), tab);
  EXPECT_EQ(SkinTabRect(tab, true, classlib::tsFlatButtons), tab);
  EXPECT_EQ(SkinTabRect(TRect{}, true, classlib::tsTabs), TRect{});
  // Special tabs lose 3 pixels along the strip and 1 across it.
  EXPECT_EQ(ShrinkSpecialTab(tab, classlib::tpTop), (TRect{13, 3, 57, 21}));
  EXPECT_EQ(ShrinkSpecialTab(tab, classlib::tpLeft), (TRect{11, 5, 59, 19}));
}

TEST(TabGeometry, CaptionsRunVerticallyOnSideTabsOrRotatedTopTabs) {
  EXPECT_FALSE(VerticalCaptions(classlib::tpTop, false));
  EXPECT_FALSE(VerticalCaptions(classlib::tpBottom, false));
  EXPECT_TRUE(VerticalCaptions(classlib::tpLeft, false));
  EXPECT_TRUE(VerticalCaptions(classlib::tpRight, false));
  EXPECT_TRUE(VerticalCaptions(classlib::tpTop, true));
  EXPECT_FALSE(VerticalCaptions(classlib::tpLeft, true));
}

TTabContentInput Caption(classlib::TTabPosition position, int state, int cx = 30, int cy = 13) {
  TTabContentInput in;
  in.Position = position;
  in.State = state;
  in.TextSize = TSize{cx, cy};
  in.CaptionEmpty = false;
  return in;
}

// Top tab 60 x 20, state 0: bottom 18, top 2 then down 1: (0,3)-(60,19); caption centred at
// (60-30)/2 = 15, right min(15+32, 57) = 47; top (16-13)/2 + 3 = 4.
TEST(TabContent, CentredCaptionOfAPlainTopTab) {
  const TacTabData d = InitTabContentData(Caption(classlib::tpTop, 0), TRect{0, 0, 60, 20});
  EXPECT_EQ(d.TextRect, (TRect{15, 4, 47, 17}));
  EXPECT_EQ(d.TextPos.X, 15);
  EXPECT_EQ(d.TextPos.Y, 4);
  EXPECT_EQ(d.GlyphRect, TRect{});
  EXPECT_EQ(d.BtnRect, TRect{});
  EXPECT_EQ(d.ArrowRect, TRect{});
  EXPECT_EQ(d.FocusRect, TRect{});
}

// Active and focused: (0,2)-(60,18) moved by (-1,-2); caption at 14..46, top 1; focus frame 3
// wider and 3 lower; the text then moves by (1,1), its drawing point stays.
TEST(TabContent, ActiveFocusedTopTabShowsAFocusFrame) {
  TTabContentInput in = Caption(classlib::tpTop, 2);
  in.Focused = true;
  const TacTabData d = InitTabContentData(in, TRect{0, 0, 60, 20});
  EXPECT_EQ(d.FocusRect, (TRect{11, 1, 49, 17}));
  EXPECT_EQ(d.TextRect, (TRect{15, 2, 47, 15}));
  EXPECT_EQ(d.TextPos.X, 14);
  EXPECT_EQ(d.TextPos.Y, 1);
  in.ShowFocus = false;
  EXPECT_EQ(InitTabContentData(in, TRect{0, 0, 60, 20}).FocusRect, TRect{});
}

// Bottom tab 80 x 22 with a 16 x 16 glyph: top 2 then up 2: (0,0)-(80,20); glyph left
// max((80-52)/2, 3) = 14, top 2; caption from 36 to min(68, 77), top (20-13)/2 = 3.
TEST(TabContent, GlyphAndCaptionAreCentredTogether) {
  TTabContentInput in = Caption(classlib::tpBottom, 0);
  in.HasGlyph = true;
  in.ImageSize = TSize{16, 16};
  const TacTabData d = InitTabContentData(in, TRect{0, 0, 80, 22});
  EXPECT_EQ(d.GlyphRect, (TRect{14, 2, 30, 18}));
  EXPECT_EQ(d.TextRect, (TRect{36, 3, 68, 16}));
}

// Active top tab 90 x 22 with glyph and a 15 x 15 close button: R (-1,0)-(89,18); button at
// 89-19 = 70, top 1, then (1,1); R moves right 3, glyph at R.Left + 3 = 5, top 1, then (1,1);
// caption from 27 to min(59, 70), top 2, then (1,1).
TEST(TabContent, CloseButtonTakesTheRightEndOfAnActiveTab) {
  TTabContentInput in = Caption(classlib::tpTop, 2);
  in.HasGlyph = true;
  in.ImageSize = TSize{16, 16};
  in.ShowCloseBtn = true;
  const TacTabData d = InitTabContentData(in, TRect{0, 0, 90, 22});
  EXPECT_EQ(d.BtnRect, (TRect{71, 2, 86, 17}));
  EXPECT_EQ(d.GlyphRect, (TRect{6, 2, 22, 18}));
  EXPECT_EQ(d.TextRect, (TRect{28, 3, 60, 16}));
  EXPECT_EQ(d.TextPos.X, 27);
}

// A menu tab's arrow goes below the caption once H - 2 - cy - 6 > 9: a 31-pixel tab (cy 13) has
// it below, a 30-pixel tab 13 from the right edge.
TEST(TabContent, MenuArrowBelowTallTabsBesideLowOnes) {
  TTabContentInput in = Caption(classlib::tpTop, 0);
  in.TabType = ttMenu;
  // 70 x 30: R (0,0)-(70,28); arrow left 57, top (28-9)/2 + 1 = 10; caption from R.Left + 4.
  TacTabData d = InitTabContentData(in, TRect{0, 0, 70, 30});
  EXPECT_EQ(d.ArrowRect, (TRect{57, 10, 66, 19}));
  EXPECT_EQ(d.ArrowDirection, 8);
  EXPECT_EQ(d.TextRect.Left, 4);
  // 70 x 31: R (0,0)-(70,29); caption centred at 20, top (29-13)/2 = 8, up 4 to 4..17; arrow
  // left (32-9)/2 + 20 = 31 at the caption's bottom.
  d = InitTabContentData(in, TRect{0, 0, 70, 31});
  EXPECT_EQ(d.TextRect, (TRect{20, 4, 52, 17}));
  EXPECT_EQ(d.ArrowRect, (TRect{31, 17, 40, 26}));
  // Active and beside: one pixel down and right.
  in.State = 2;
  EXPECT_EQ(InitTabContentData(in, TRect{0, 0, 70, 30}).ArrowRect, (TRect{58, 11, 67, 20}));
}

// Left tab 22 x 80, caption 40 x 13: bottom 80 - 20 = 60, top max(3, 18) = 18; left
// (22-13)/2 = 4, width 15; drawn from (4 + 1, 60).
TEST(TabContent, VerticalCaptionOfASideTab) {
  const TacTabData d = InitTabContentData(Caption(classlib::tpLeft, 0, 40), TRect{0, 0, 22, 80});
  EXPECT_EQ(d.TextRect, (TRect{4, 18, 19, 60}));
  EXPECT_EQ(d.TextPos.X, 5);
  EXPECT_EQ(d.TextPos.Y, 60);
}

// Active left tab 24 x 100 with close button and glyph: R (-1,-1)-(23,99); button left
// (24-15)/2 - 1 = 3, top 3, then down 2; R moves right 3; glyph bottom 96, left 6, then (-3,-1);
// caption bottom 79 - 6 = 73, top max(23, 31) = 31, left (24-13)/2 - 1 = 4.
TEST(TabContent, VerticalTabWithCloseButtonAndGlyph) {
  TTabContentInput in = Caption(classlib::tpLeft, 2, 40);
  in.HasGlyph = true;
  in.ImageSize = TSize{16, 16};
  in.ShowCloseBtn = true;
  const TacTabData d = InitTabContentData(in, TRect{0, 0, 24, 100});
  EXPECT_EQ(d.BtnRect, (TRect{3, 5, 18, 20}));
  EXPECT_EQ(d.GlyphRect, (TRect{3, 79, 19, 95}));
  EXPECT_EQ(d.TextRect, (TRect{4, 31, 19, 73}));
  EXPECT_EQ(d.TextPos.Y, 73);
}

// Active left menu tab 22 x 80: R moves (1,1); arrow at left (22-9)/2 + 1 = 7, top 9, then up 1;
// no close button on a special tab even when asked.
TEST(TabContent, VerticalMenuTabHasItsArrowOnTop) {
  TTabContentInput in = Caption(classlib::tpLeft, 2, 40);
  in.TabType = ttMenu;
  in.ShowCloseBtn = true;
  const TacTabData d = InitTabContentData(in, TRect{0, 0, 22, 80});
  EXPECT_EQ(d.ArrowRect, (TRect{7, 8, 16, 17}));
  EXPECT_EQ(d.ArrowDirection, 4);
  EXPECT_EQ(d.BtnRect, TRect{});
  EXPECT_EQ(d.TextRect, (TRect{5, 23, 20, 61}));
}

TEST(TabContent, CloseButtonSizeAndPadding) {
  // A glyph narrower than 8 pixels gets an 8-pixel button; without a glyph 15 by 15.
  EXPECT_EQ(CloseButtonSize(true, 6, 12), (TSize{8, 12}));
  EXPECT_EQ(CloseButtonSize(true, 24, 36), (TSize{24, 36}));
  EXPECT_EQ(CloseButtonSize(false, 3, 3), (TSize{15, 15}));
  // Padding: half the button plus 7 (4 with images), else 6 (4), plus the user's.
  EXPECT_EQ(HorizontalTabPadding(true, false, 15, 0), 14);
  EXPECT_EQ(HorizontalTabPadding(true, true, 15, 2), 13);
  EXPECT_EQ(HorizontalTabPadding(false, false, 15, 0), 6);
  EXPECT_EQ(HorizontalTabPadding(false, true, 15, 5), 9);
}

TEST(TabContent, RotatedCaptionsMakeTabsAtLeast140High) {
  EXPECT_EQ(RotatedTabSize(classlib::tpTop, TRect{0, 0, 60, 20}), (TSize{20, 140}));
  EXPECT_EQ(RotatedTabSize(classlib::tpLeft, TRect{0, 0, 24, 70}), (TSize{24, 140}));
  EXPECT_EQ(RotatedTabSize(classlib::tpRight, TRect{0, 0, 24, 200}), (TSize{24, 200}));
}

TEST(TabSelection, SpecialPagesPassTheChoiceOn) {
  const bool special[] = {false, true, true, false};
  const bool lastSpecial[] = {false, true, true};
  const bool allSpecial[] = {true, true};
  EXPECT_EQ(CheckActiveTabIndex(special, 0), 0);
  EXPECT_EQ(CheckActiveTabIndex(special, 1), 3);
  EXPECT_EQ(CheckActiveTabIndex(lastSpecial, 2), 0);
  EXPECT_EQ(CheckActiveTabIndex(allSpecial, 1), 1);
}

// The tab control, 200 by 150, with C its display rectangle moved 2 down: the strip ends 4 above
// C's top for top tabs, starts 2 below its bottom, ends 1 left of its left, starts 1 right of its
// right; the body is the rest. Without tabs both are the whole control.
TEST(TabControlGeometry, StripAndBodyForEachPosition) {
  struct Case {
    classlib::TTabPosition position;
    TRect c, tabs, page;
  };
  const Case cases[] = {
      {classlib::tpTop, {4, 30, 196, 146}, {0, 0, 200, 26}, {0, 26, 200, 150}},
      {classlib::tpBottom, {4, 6, 196, 122}, {0, 124, 200, 150}, {0, 0, 200, 124}},
      {classlib::tpLeft, {30, 6, 196, 146}, {0, 0, 29, 150}, {29, 0, 200, 150}},
      {classlib::tpRight, {4, 6, 170, 146}, {171, 0, 200, 150}, {0, 0, 171, 150}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TabControlTabsRect(true, c.position, 200, 150, c.c), c.tabs) << c.position;
    EXPECT_EQ(TabControlPageRect(true, c.position, 200, 150, c.c), c.page) << c.position;
    EXPECT_EQ(TabControlTabsRect(false, c.position, 200, 150, c.c), (TRect{0, 0, 200, 150})) << c.position;
    EXPECT_EQ(TabControlPageRect(false, c.position, 200, 150, c.c), (TRect{0, 0, 200, 150})) << c.position;
  }
}

// Worked by hand, step by step: first active Bottom - 1 / inactive Bottom + 3 and Right - 1, then
// the position's own moves.
TEST(TabControlGeometry, DrawnTabSizesForEachPositionAndStyle) {
  struct Case {
    classlib::TTabPosition position;
    TRect tab, active, inactive;
  };
  const Case cases[] = {
      // top: inflated by 2 when active, then Bottom + 1.
      {classlib::tpTop, {10, 2, 60, 22}, {8, 0, 62, 24}, {10, 2, 59, 26}},
      // bottom: inflated by (2, 1) when active, Top - 2, Bottom + 1 active / - 3 inactive.
      {classlib::tpBottom, {10, 124, 60, 144}, {8, 121, 62, 145}, {10, 122, 59, 144}},
      // left: inflated by (0, 1), Right + 2; active inflated by 1, inactive Bottom - 4, Right + 2.
      {classlib::tpLeft, {2, 10, 28, 60}, {1, 8, 31, 61}, {2, 9, 31, 60}},
      // right: inflated by (1, 0), moved by (-1, -1); active inflated by 1 and Bottom + 3,
      // inactive Bottom - 2.
      {classlib::tpRight, {172, 10, 198, 60}, {169, 8, 199, 62}, {170, 9, 197, 60}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TabControlSkinTabRect(c.tab, true, classlib::tsTabs, c.position), c.active) << c.position;
    EXPECT_EQ(TabControlSkinTabRect(c.tab, false, classlib::tsTabs, c.position), c.inactive) << c.position;
    for (auto style : {classlib::tsButtons, classlib::tsFlatButtons}) {
      EXPECT_EQ(TabControlSkinTabRect(c.tab, true, style, c.position), c.tab) << c.position;
      EXPECT_EQ(TabControlSkinTabRect(c.tab, false, style, c.position), c.tab) << c.position;
    }
    EXPECT_EQ(TabControlSkinTabRect(TRect{}, true, classlib::tsTabs, c.position), TRect{}) << c.position;
  }
}

// Two rows of 20-pixel-high (26-pixel-wide) tabs: row 1 lies farthest from the body.
TEST(TabControlGeometry, RowOfATab) {
  const TRect strip{0, 0, 200, 44};
  EXPECT_EQ(TabControlTabRow(1, classlib::tpTop, TRect{10, 22, 60, 42}, strip), 1);
  EXPECT_EQ(TabControlTabRow(2, classlib::tpTop, TRect{10, 2, 60, 22}, strip), 1);    // (22 + 10) / 20
  EXPECT_EQ(TabControlTabRow(2, classlib::tpTop, TRect{10, 22, 60, 42}, strip), 2);   // (42 + 10) / 20
  EXPECT_EQ(TabControlTabRow(2, classlib::tpLeft, TRect{2, 10, 28, 60}, strip), 1);   // 41 / 26
  EXPECT_EQ(TabControlTabRow(2, classlib::tpLeft, TRect{28, 10, 54, 60}, strip), 2);  // 67 / 26
  const TRect right{146, 0, 200, 150};
  EXPECT_EQ(TabControlTabRow(2, classlib::tpRight, TRect{172, 10, 198, 60}, right), 1);  // 2 - 65 / 26 + 1
  EXPECT_EQ(TabControlTabRow(2, classlib::tpRight, TRect{146, 10, 172, 60}, right), 2);  // 2 - 39 / 26 + 1
  const TRect bottom{0, 104, 200, 150};
  EXPECT_EQ(TabControlTabRow(2, classlib::tpBottom, TRect{10, 104, 60, 124}, bottom), 2);  // 2 - 30 / 20 + 1
  EXPECT_EQ(TabControlTabRow(2, classlib::tpBottom, TRect{10, 124, 60, 144}, bottom), 1);  // 2 - 50 / 20 + 1
  // A tab the control could not measure divides by nothing.
  EXPECT_EQ(TabControlTabRow(3, classlib::tpTop, TRect{}, strip), 1);
  EXPECT_EQ(TabControlTabRow(3, classlib::tpLeft, TRect{}, strip), 1);
}

}  // namespace
}  // namespace skin
