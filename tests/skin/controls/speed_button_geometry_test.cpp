// Caption and glyph places of a speed button, worked out by hand from the layout rules.
#include <gtest/gtest.h>

#include "skin/controls/sSpeedButtonGeometry.h"

namespace skin {
namespace {

using L = TacGlyphLayout;
using A = TacBlockAlignment;

struct PlaceCase {
  const char* name;
  TacSpeedButtonLayout in;
  TRect caption;
  int textLayout;
  TRect glyph;
};

TacSpeedButtonLayout Button(int w, int h, int tw, int th, int gw, int gh, int margin, int spacing, L layout, A align) {
  TacSpeedButtonLayout l;
  l.Width = w, l.Height = h, l.TextWidth = tw, l.TextHeight = th, l.GlyphWidth = gw, l.GlyphHeight = gh;
  l.Margin = margin, l.Spacing = spacing, l.Layout = layout, l.Alignment = align;
  l.HasCaption = tw > 0;
  return l;
}

TacSpeedButtonLayout With(TacSpeedButtonLayout l, void (*change)(TacSpeedButtonLayout&)) {
  change(l);
  return l;
}

TEST(SpeedButtonGeometry, CaptionAndGlyphPlaces) {
  const PlaceCase cases[] = {
      {"left, centred", Button(75, 25, 30, 13, 16, 16, -1, 4, L::Left, A::Center), {31, 6, 65, 19}, 0, {12, 4, 28, 20}},
      {"left, centred, pressed",
       With(Button(75, 25, 30, 13, 16, 16, -1, 4, L::Left, A::Center), [](auto& l) { l.Pressed = true; }),
       {32, 7, 66, 20},
       0,
       {13, 5, 29, 21}},
      {"left, centred, reflected",
       With(Button(75, 25, 30, 13, 16, 16, -1, 4, L::Left, A::Center), [](auto& l) { l.Reflected = true; }),
       {31, 6, 65, 19},
       0,
       {12, 2, 28, 18}},
      {"left, left-justified, margin 2",
       Button(100, 24, 30, 13, 16, 16, 2, 4, L::Left, A::LeftJustify),
       {21, 5, 57, 19},
       0,
       {5, 4, 21, 20}},
      {"left, right-justified",
       Button(100, 24, 30, 13, 16, 16, -1, 4, L::Left, A::RightJustify),
       {69, 5, 102, 19},
       0,
       {50, 4, 66, 20}},
      {"right, centred, drop-down",
       With(Button(80, 30, 40, 13, 16, 16, 2, 4, L::Right, A::Center),
            [](auto& l) { l.ArrowWidth = kDropDownArrowWidth; }),
       {1, 8, 44, 22},
       2,
       {46, 7, 62, 23}},
      // The glyph keeps its distance from the caption when pressed: both move by one pixel.
      {"right, left-justified, pressed",
       With(Button(60, 20, 20, 12, 10, 10, -1, 3, L::Right, A::LeftJustify), [](auto& l) { l.Pressed = true; }),
       {0, 5, 23, 17},
       2,
       {26, 6, 36, 16}},
      {"top, text offset 3",
       With(Button(40, 50, 24, 13, 16, 16, 1, 2, L::Top, A::Center), [](auto& l) { l.TextOffset = 3; }),
       {10, 27, 37, 41},
       1,
       {13, 9, 29, 25}},
      {"bottom, text offset 3",
       With(Button(40, 50, 24, 13, 16, 16, 1, 2, L::Bottom, A::Center), [](auto& l) { l.TextOffset = 3; }),
       {10, 9, 37, 23},
       1,
       {13, 25, 29, 41}},
      {"caption only", Button(50, 20, 20, 12, 0, 0, -1, 4, L::Left, A::Center), {14, 4, 37, 16}, 0, {15, 10, 15, 10}},
      {"glyph only", Button(23, 22, 0, 0, 16, 16, -1, 4, L::Left, A::Center), {22, 11, 22, 11}, 0, {3, 3, 19, 19}},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TacCaptionPlace p = SpeedCaptionRect(c.in);
    EXPECT_EQ(p.Rect, c.caption);
    EXPECT_EQ(p.TextLayout, c.textLayout);
    EXPECT_EQ(SpeedImgRect(c.in), c.glyph);
  }
}

TEST(SpeedButtonGeometry, MarginsWidthsAndBlend) {
  EXPECT_EQ(GenMargin(-1), 0);
  EXPECT_EQ(GenMargin(0), 3);
  EXPECT_EQ(GenMargin(2), 5);
  EXPECT_EQ(ClampBlend(150), 100);
  EXPECT_EQ(ClampBlend(-5), 0);
  EXPECT_EQ(ClampBlend(40), 40);
  EXPECT_EQ(CaptionMaxWidth(Button(75, 25, 0, 0, 16, 16, -1, 4, L::Left, A::Center)), 57);
  EXPECT_EQ(CaptionMaxWidth(Button(75, 25, 0, 0, 16, 16, -1, 4, L::Top, A::Center)), 77);
  EXPECT_EQ(CaptionMaxWidth(With(Button(80, 25, 0, 0, 16, 16, 2, 4, L::Right, A::Center),
                                 [](auto& l) { l.ArrowWidth = kDropDownArrowWidth; })),
            40);
}

}  // namespace
}  // namespace skin
