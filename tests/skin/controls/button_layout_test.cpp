// Places of glyphs and captions of buttons, check boxes and radio buttons, worked out by hand from
// the rules the controls follow.
#include <gtest/gtest.h>

#include "skin/controls/sButtonLayout.h"

namespace skin {
namespace {

using classlib::TRect;
using classlib::TSize;

TButtonGeometry WithGlyph(TacGlyphAlign align, TButtonStyle style = bsPushButton, int height = 30) {
  TButtonGeometry g;
  g.Width = 100;
  g.Height = height;
  g.Style = style;
  g.HasGlyph = true;
  g.ImageWidth = g.ImageHeight = 16;
  g.Align = align;
  g.ImageMargins = {2, 3, 4, 5};
  g.ContentMargin = 6;
  return g;
}

TButtonGeometry NoGlyph(TButtonStyle style = bsPushButton) {
  TButtonGeometry g = WithGlyph(TacGlyphAlign::Left, style);
  g.HasGlyph = false;
  g.ImageWidth = g.ImageHeight = 0;
  return g;
}

TEST(ButtonGeometry, GlyphPlaces) {
  struct Case {
    const char* what;
    TButtonGeometry g;
    TRect expected;
  } cases[] = {
      {"left", WithGlyph(TacGlyphAlign::Left), {8, 7, 24, 23}},
      {"right", WithGlyph(TacGlyphAlign::Right), {74, 7, 90, 23}},
      {"top", WithGlyph(TacGlyphAlign::Top), {42, 9, 58, 25}},
      {"bottom", WithGlyph(TacGlyphAlign::Bottom), {42, 3, 58, 19}},
      {"centre", WithGlyph(TacGlyphAlign::Center), {42, 7, 58, 23}},
      {"split centres in the width less the strip", WithGlyph(TacGlyphAlign::Center, bsSplitButton), {34, 7, 50, 23}},
      {"command link at the top left", WithGlyph(TacGlyphAlign::Right, bsCommandLink), {8, 6, 24, 22}},
      {"halving truncates toward zero", WithGlyph(TacGlyphAlign::Left, bsPushButton, 9), {8, -3, 24, 13}},
      {"no glyph", NoGlyph(), {0, 0, 0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(ButtonGlyphRect(c.g), c.expected) << c.what;
  TButtonGeometry pressed = WithGlyph(TacGlyphAlign::Left);
  pressed.Pressed = true;
  EXPECT_EQ(ButtonGlyphRect(pressed), (TRect{9, 8, 25, 24}));
}

TEST(ButtonGeometry, CaptionPlaces) {
  const TSize text{40, 13};
  TButtonGeometry pressed = NoGlyph();
  pressed.Pressed = true;
  struct Case {
    const char* what;
    TButtonGeometry g;
    TRect expected;
  } cases[] = {
      {"no glyph", NoGlyph(), {29, 8, 71, 22}},
      {"left glyph", WithGlyph(TacGlyphAlign::Left), {28, 8, 94, 22}},
      {"right glyph", WithGlyph(TacGlyphAlign::Right), {6, 8, 72, 22}},
      {"top glyph", WithGlyph(TacGlyphAlign::Top), {6, 21, 94, 34}},
      {"bottom glyph", WithGlyph(TacGlyphAlign::Bottom), {6, -5, 94, 8}},
      {"centre glyph", WithGlyph(TacGlyphAlign::Center), {29, 8, 71, 22}},
      {"command link beside its glyph", WithGlyph(TacGlyphAlign::Left, bsCommandLink), {34, 6, 94, 19}},
      {"command link without glyph", NoGlyph(bsCommandLink), {44, 6, 94, 19}},
      {"split button", NoGlyph(bsSplitButton), {21, 8, 63, 22}},
      {"pressed", pressed, {30, 9, 72, 23}},
  };
  for (const Case& c : cases) EXPECT_EQ(ButtonCaptionRect(c.g, text), c.expected) << c.what;
  EXPECT_EQ(ButtonCaptionMeasureWidth(NoGlyph()), 100);
  EXPECT_EQ(ButtonCaptionMeasureWidth(WithGlyph(TacGlyphAlign::Left, bsCommandLink)), 60);
  EXPECT_EQ(ButtonCaptionMeasureWidth(NoGlyph(bsSplitButton)), 50);
}

TEST(ButtonGeometry, States) {
  struct Case {
    const char* what;
    TButtonStateInput in;
    int expected;
  } cases[] = {
      {"normal", {}, 0},
      {"pushed under the mouse", {.Pushed = true, .MouseAbove = true, .LButtonHeld = true}, 2},
      {"pushed from the keyboard", {.Pushed = true}, 2},
      {"pushed, mouse held outside", {.Pushed = true, .LButtonHeld = true, .Active = true}, 1},
      {"quick click shown pressed", {.GlobalPressed = true}, 2},
      {"down", {.Down = true}, 2},
      {"menu dropped down", {.DroppedDown = true}, 2},
      {"default button", {.DefaultLook = true}, 1},
      {"hot or focused", {.Active = true}, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(ButtonState(c.in), c.expected) << c.what;
}

TEST(CheckGeometry, GlyphCells) {
  struct Case {
    int w, h, cells, cellWidth;
  } cases[] = {
      {48, 16, 3, 16}, {32, 16, 2, 16}, {20, 16, 1, 20}, {8, 16, 1, 8},  // narrower than high: one cell, not none
      {16, 0, 1, 16},                                                    // no height: one cell, no division
      {0, 16, 1, 0},   {0, 0, 1, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GlyphCells(c.w, c.h), c.cells) << c.w << "x" << c.h;
    EXPECT_EQ(SquareGlyphCellWidth(c.w, c.h), c.cellWidth) << c.w << "x" << c.h;
  }
  // Cell chosen: pressed, active, active but read-only, normal.
  EXPECT_EQ(GlyphCell(3, true, true, false), 2);
  EXPECT_EQ(GlyphCell(3, false, true, false), 1);
  EXPECT_EQ(GlyphCell(3, false, true, true), 0);
  EXPECT_EQ(GlyphCell(3, false, false, false), 0);
  EXPECT_EQ(GlyphCell(2, true, false, false), 1);
  EXPECT_EQ(GlyphCell(2, false, true, false), 1);
  EXPECT_EQ(GlyphCell(1, true, true, false), 0);
  EXPECT_EQ(GlyphCell(0, true, true, false), 0);
}

TEST(CheckGeometry, CheckAreaAndCaption) {
  EXPECT_EQ(CheckAreaRect(100, 20, {16, 16}, 2, true), (TRect{2, 2, 18, 18}));
  EXPECT_EQ(CheckAreaRect(100, 20, {16, 16}, 2, false), (TRect{82, 2, 98, 18}));
  TCheckLayout l;
  l.Width = 100;
  l.Height = 20;
  l.CheckWidth = 16;
  l.Margin = 2;
  EXPECT_EQ(CheckCaptionWidth(l), 78);
  const TSize text{40, 13};
  EXPECT_EQ(CheckCaptionRect(l, text), (TRect{22, 2, 62, 15}));
  TCheckLayout left = l;
  left.CaptionLeft = true;
  EXPECT_EQ(CheckCaptionRect(left, text), (TRect{2, 2, 80, 15}));
  TCheckLayout wrap = l;
  wrap.WordWrap = true;
  EXPECT_EQ(CheckCaptionRect(wrap, text), (TRect{21, 2, 61, 15}));
  TCheckLayout rtl = l;
  rtl.RightToLeft = true;
  EXPECT_EQ(CheckCaptionRect(rtl, text), (TRect{38, 2, 78, 15}));
  TCheckLayout indented = l;
  indented.TextIndent = 5;
  EXPECT_EQ(CheckCaptionRect(indented, text), (TRect{27, 2, 67, 15}));
}

TEST(CheckGeometry, AutoSize) {
  // "X8" beside a 16-pixel glyph with margins of 2: glyph + 4 + text + 8 wide.
  EXPECT_EQ(CheckAutoSize({16, 16}, 2, 0, {12, 13}, true), (TSize{40, 19}));
  EXPECT_EQ(CheckAutoSize({16, 16}, 2, 3, {12, 13}, true), (TSize{43, 19}));
  EXPECT_EQ(CheckAutoSize({16, 16}, 2, 3, {0, 0}, false), (TSize{20, 18}));
  EXPECT_EQ(CheckAutoSize({16, 10}, 2, 0, {12, 20}, true), (TSize{40, 26}));
  EXPECT_EQ(PlainCheckAutoSize({12, 13}), (TSize{32, 20}));
  EXPECT_EQ(PlainCheckAutoSize({30, 18}), (TSize{50, 22}));
}

}  // namespace
}  // namespace skin
