// The frame arithmetic of a skinned form; every expected value is worked out by hand from the
// frame of the window described in the case (a fixed 3-pixel frame, 23-pixel caption, 19-pixel
// menu bar unless the case says otherwise).
#include <gtest/gtest.h>

#include <vector>

#include "skin/forms/acFrameMetrics.h"

namespace skin {
namespace {

TEST(FrameMetrics, DefaultIconSizeSteps) {
  const struct { int h, size; } cases[] = {{-100, 1}, {0, 1}, {8, 1}, {9, 8}, {16, 8}, {17, 16}, {40, 16}, {-101, 16}};
  for (const auto& c : cases) EXPECT_EQ(DefIconSize(c.h), c.size) << c.h;
}

TEST(FrameMetrics, CaptionHeight) {
  struct Case {
    const char* name;
    TacCaptionInput in;
    int height;
  };
  const Case cases[] = {
      {"no border", {false, true, false, false, 0, 23, 17, false}, 0},
      {"no caption style", {true, false, false, false, 0, 23, 17, false}, 0},
      {"no border but iconic: the full caption", {false, false, true, true, 0, 23, 17, false}, 23},
      {"tool window", {true, true, false, true, 0, 23, 17, false}, 17},
      {"iconic tool window", {true, true, true, true, 0, 23, 17, false}, 23},
      {"extended title", {true, true, false, false, 30, 23, 17, false}, 30},
      {"maximised, skin title lower than system + 4", {true, true, false, false, 24, 23, 17, true}, 27},
      {"maximised, skin title higher", {true, true, false, false, 40, 23, 17, true}, 40},
  };
  for (const Case& c : cases) EXPECT_EQ(CaptionHeightOf(c.in), c.height) << c.name;
}

TEST(FrameMetrics, ClientOriginAndHeader) {
  struct Case {
    const char* name;
    TacFrameInput in;
    int offsetX, offsetY, header;
  };
  auto single = [](int clientW, int clientH, int formBorder) {
    TacFrameInput in;
    in.WindowWidth = 200;
    in.WindowHeight = 150;
    in.ClientWidth = clientW;
    in.ClientHeight = clientH;
    in.BTrue = in.BFalse = in.HTrue = in.HFalse = 3;
    in.FormBorderWidth = formBorder;
    in.Caption = 23;
    in.WsBorder = true;
    return in;
  };
  TacFrameInput withMenu = single(194, 102, 0);
  TacFrameInput ownBorder = single(190, 117, 2);
  TacFrameInput hScroll = single(194, 104, 0);
  hScroll.HScrollHeight = 17;
  hScroll.VScrollWidth = 0;
  TacFrameInput vScroll = single(177, 121, 0);
  vScroll.VScrollWidth = 17;
  TacFrameInput none;
  none.WindowWidth = none.ClientWidth = 200;
  none.WindowHeight = none.ClientHeight = 150;
  TacFrameInput iconic = single(0, 0, 0);
  iconic.WindowWidth = 160;
  iconic.WindowHeight = 29;
  iconic.Iconic = true;
  TacFrameInput extended;
  extended.WindowWidth = 200;
  extended.WindowHeight = 150;
  extended.BTrue = 4;
  extended.Caption = 30;
  extended.BorderForm = true;
  extended.LinesCount = 2;
  extended.MenuHeight = 18;
  extended.Shadow = {10, 8, 12, 14};
  const Case cases[] = {
      // client at (3, 3 + 23)
      {"bsSingle", single(194, 121, 0), 3, 26, 26},
      // the menu bar lies above the client area
      {"with a menu bar", withMenu, 3, 45, 45},
      // the form's own border width moves the client area in by 2 more
      {"own border width", ownBorder, 5, 28, 28},
      // the skinned bar lies in the non-client area below the client area
      {"horizontal skinned bar", hScroll, 3, 26, 26},
      {"vertical skinned bar", vScroll, 3, 26, 26},
      {"no border, no caption", none, 0, 0, 0},
      // 29 - 0 - 3 = 26, then the iconic frame's 3
      {"iconic", iconic, 80, 26, 29},
      // 4 + 10; 30 + 2 * 18 + 0 + 8 + 1; H(false) 0 + 30
      {"extended borders", extended, 14, 75, 30},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OffsetXOf(c.in), c.offsetX) << c.name;
    EXPECT_EQ(OffsetYOf(c.in), c.offsetY) << c.name;
    EXPECT_EQ(HeaderHeightOf(c.in), c.header) << c.name;
  }
}

TEST(FrameMetrics, MenuLines) {
  EXPECT_EQ(MenuLinesOf(100, 100, 20), 1);
  EXPECT_EQ(MenuLinesOf(120, 100, 20), 1);
  EXPECT_EQ(MenuLinesOf(81, 100, 20), 2);  // 19 / 18
  EXPECT_EQ(MenuLinesOf(60, 100, 20), 3);  // 40 / 18
  EXPECT_EQ(MenuLinesOf(60, 100, 2), 41);  // a degenerate bar height never divides by zero
}

TEST(FrameMetrics, TitleButtonsWidth) {
  const std::vector<int> user{21, 25};
  struct Case {
    const char* name;
    TacTitleButtonsInput in;
    int width;
  };
  TacTitleButtonsInput big{5, 2, true, true, 30, true, true, false, 28, 28, 0, {}};
  TacTitleButtonsInput tool{5, 2, false, true, 30, true, true, false, 28, 28, 0, {}};
  TacTitleButtonsInput help{5, 2, true, true, 30, false, false, true, 0, 0, 26, {}};
  TacTitleButtonsInput users = big;
  users.UserWidths = user;
  TacTitleButtonsInput noSys = users;
  noSys.SystemButtons = false;
  const Case cases[] = {
      {"close, maximise, minimise with spacing", big, 5 + 30 + 30 + 30},
      {"no spacing for small buttons", tool, 5 + 30 + 28 + 28},
      {"close and help", help, 5 + 30 + 28},
      {"user buttons add 8 and their spaced widths", users, 95 + 8 + 23 + 27},
      {"user buttons without system buttons", noSys, 5 + 8 + 23 + 27},
  };
  for (const Case& c : cases) EXPECT_EQ(TitleBtnsWidthOf(c.in), c.width) << c.name;
}

TEST(FrameMetrics, IconRect) {
  TacIconInput in;
  in.BTrue = in.BFalse = in.HFalse = 4;
  in.Caption = 23;
  in.BILeftMargin = 2;
  in.IconWidth = in.IconHeight = 16;
  // left 4 + 2; top 4 / 2 - 1 = 1, then (4 + 23 - 1 - 16) / 2 = 5 lower
  EXPECT_EQ(IconRectOf(in), (TRect{6, 6, 22, 22}));
  in.Shadow = {10, 8, 10, 8};
  EXPECT_EQ(IconRectOf(in), (TRect{16, 14, 32, 30}));
  in.Shadow = {};
  in.BorderForm = true;
  in.ExCenterOffs = 3;
  EXPECT_EQ(IconRectOf(in), (TRect{6, 9, 22, 25}));
  in.Maximized = true;
  in.ExTitleHeight = 30;
  in.ExMaxHeight = 24;
  // 3 more: (30 - 24) / 2 - 2 = 1
  EXPECT_EQ(IconRectOf(in), (TRect{6, 10, 22, 26}));
}

TEST(FrameMetrics, MaximizedTitleShift) {
  EXPECT_EQ(MaximizedTitleShiftOf(1, 30, 24, 2, 30, 23), 6 + 2 - 3);
  EXPECT_EQ(MaximizedTitleShiftOf(0, 30, 24, 2, 30, 23), -3);
  EXPECT_EQ(MaximizedTitleShiftOf(1, 24, 30, 2, 26, 23), 2);
}

TEST(FrameMetrics, CaptionAlignment) {
  const TRect t{10, 0, 110, 20};
  struct Case {
    const char* name;
    int main, added, alignment;
    bool rtl;
    TRect r;
  };
  const Case cases[] = {
      {"left", 40, 0, kTaLeftJustify, false, t},
      {"right", 40, 0, kTaRightJustify, false, {66, 0, 110, 20}},
      {"right with an added title", 40, 20, kTaRightJustify, false, {46, 0, 110, 20}},
      {"right but too wide: stays left", 120, 0, kTaRightJustify, false, t},
      {"centre", 40, 0, kTaCenter, false, {38, 0, 78, 20}},
      {"centre but too wide: never left of the rectangle", 120, 0, kTaCenter, false, t},
      {"left on a right-to-left form goes right", 40, 0, kTaLeftJustify, true, {66, 0, 110, 20}},
      {"right on a right-to-left form goes left", 40, 0, kTaRightJustify, true, t},
  };
  for (const Case& c : cases) EXPECT_EQ(AlignCaptionRect(t, c.main, c.added, c.alignment, c.rtl), c.r) << c.name;
}

TEST(FrameMetrics, CopiesMeasuredFromTheRightEdgeStayInsideBothBitmaps) {
  struct Case {
    const char* name;
    TSize srcSize;
    TPoint srcAt;
    TSize dstSize;
    TPoint dstAt;
    TSize size;
    TacCopyArea area;
  };
  const Case cases[] = {
      {"inside", {100, 30}, {40, 0}, {60, 30}, {0, 0}, {60, 30}, {{40, 0}, {0, 0}, {60, 30}}},
      {"narrow form: negative source x", {100, 30}, {-20, 0}, {60, 30}, {0, 0}, {60, 30}, {{0, 0}, {20, 0}, {40, 30}}},
      {"source ends early", {100, 30}, {80, 0}, {60, 30}, {0, 0}, {60, 30}, {{80, 0}, {0, 0}, {20, 30}}},
      {"destination smaller", {100, 30}, {0, 0}, {50, 10}, {0, 0}, {60, 30}, {{0, 0}, {0, 0}, {50, 10}}},
      {"negative destination", {100, 30}, {10, 5}, {60, 30}, {-5, -2}, {60, 30}, {{15, 7}, {0, 0}, {55, 23}}},
      {"nothing left", {100, 30}, {150, 0}, {60, 30}, {0, 0}, {60, 30}, {{150, 0}, {0, 0}, {0, 0}}},
  };
  for (const Case& c : cases) {
    const TacCopyArea a = ClipCopyArea(c.srcSize, c.srcAt, c.dstSize, c.dstAt, c.size);
    EXPECT_EQ(a.Size, c.area.Size) << c.name;
    if (!c.area.Empty()) {
      EXPECT_EQ(a.Src, c.area.Src) << c.name;
      EXPECT_EQ(a.Dst, c.area.Dst) << c.name;
    } else {
      EXPECT_TRUE(a.Empty()) << c.name;
    }
  }
}

TEST(FrameMetrics, OnlyCornerRunsReachingTheEdgeAreCut) {
  // A 100 x 50 window. Top-left: a rounded corner (rows 0 to 2 narrowing) and, inside an opaque
  // outline, an enclosed 3 x 3 block at (1, 1) of the bottom-right corner's image.
  const std::vector<TRect> runs{
      {0, 0, 3, 1},     {0, 1, 2, 2},     {0, 2, 1, 3},      // reaches the edge
      {96, 46, 99, 47}, {96, 47, 99, 48}, {96, 48, 99, 49},  // enclosed: the last row and column stay
      {97, 0, 100, 1},  {98, 1, 100, 2},                     // top-right, at the edge
      {40, 10, 42, 11}, {41, 11, 43, 12},                    // a chain that never reaches the edge
  };
  const std::vector<TRect> expected{{0, 0, 3, 1}, {0, 1, 2, 2}, {0, 2, 1, 3}, {97, 0, 100, 1}, {98, 1, 100, 2}};
  EXPECT_EQ(OuterRuns(runs, 100, 50), expected);
  // Connected through a neighbour only: the second row reaches the edge through the first.
  const std::vector<TRect> chain{{5, 1, 8, 2}, {0, 0, 6, 1}};
  EXPECT_EQ(OuterRuns(chain, 100, 50), (std::vector<TRect>{{5, 1, 8, 2}, {0, 0, 6, 1}}));
  EXPECT_TRUE(OuterRuns({}, 100, 50).empty());
}

TEST(FrameMetrics, ThumbnailKeepsTheAspect) {
  EXPECT_EQ(FitThumbSize({200, 100}, {400, 400}), (TSize{100, 100}));
  EXPECT_EQ(FitThumbSize({100, 200}, {400, 400}), (TSize{100, 100}));
  EXPECT_EQ(FitThumbSize({200, 100}, {800, 100}), (TSize{200, 25}));
  EXPECT_EQ(FitThumbSize({0, 100}, {400, 400}), (TSize{0, 0}));
  EXPECT_EQ(FitThumbSize({200, 100}, {1, 10000}), (TSize{0, 0}));
  EXPECT_EQ(FitThumbSize({200, 100}, {0, 0}), (TSize{0, 0}));
}

}  // namespace
}  // namespace skin
