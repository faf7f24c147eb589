// Where a bitmap button puts its glyph and caption, worked out by hand from the layout rules.
#include <gtest/gtest.h>

#include "skin/controls/sBitBtnGeometry.h"
#include "skin/graphics/sColorUtils.h"

namespace skin {
namespace {

TEST(BitBtnGeometry, CaptionMeasuringWidth) {
  struct Case {
    const char* what;
    TBitBtnCaptionWidthInput in;
    int expected;
  } cases[] = {
      {"margin -1 without glyph widens by two", {75, -1, 0, 4, true, true, true}, 77},
      {"beside a glyph: margins, glyph and spacing", {75, 2, 16, 4, true, true, true}, 51},
      {"glyph above: margins only", {75, 2, 16, 4, false, true, true}, 71},
      {"caption hidden", {75, 2, 16, 4, true, false, true}, 0},
      {"caption empty", {75, 2, 16, 4, true, true, false}, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(BitBtnCaptionMaxWidth(c.in), c.expected) << c.what;
}

TEST(BitBtnGeometry, GlyphSizeAndRectangle) {
  EXPECT_EQ(BitBtnGlyphSize(64, 16, 4), (TSize{16, 16}));
  EXPECT_EQ(BitBtnGlyphSize(20, 16, 0), (TSize{20, 16}));  // at least one cell
  EXPECT_EQ(BitBtnGlyphSize(0, 16, 1), (TSize{0, 0}));
  EXPECT_EQ(BitBtnGlyphSize(16, 0, 1), (TSize{0, 0}));

  const TPoint at{10, 7};
  const TSize g{16, 16};
  EXPECT_EQ(BitBtnImgRect(at, g, false, false), (TRect{10, 7, 26, 23}));
  EXPECT_EQ(BitBtnImgRect(at, g, true, false), (TRect{11, 8, 27, 24}));
  EXPECT_EQ(BitBtnImgRect(at, g, false, true), (TRect{10, 5, 26, 21}));  // 16 / 6 = 2 up
  EXPECT_EQ(BitBtnImgRect(at, g, true, true), (TRect{11, 6, 27, 22}));
  EXPECT_EQ(BitBtnImgRect(at, {5, 5}, false, true), (TRect{10, 7, 15, 12}));  // 5 / 6 = 0
}

// The block of a 16 x 16 glyph and a 30 x 13 caption in a bitmap button, each layout.
TEST(BitBtnGeometry, GlyphAndCaptionPlaces) {
  struct Case {
    const char* what;
    int height;
    TSize glyph;
    TButtonLayout layout;
    TAlignment alignment;
    int margin, spacing;
    TPoint glyphAt;
    TRect text;
  } cases[] = {
      // margin (75 - 50 + 1) / 2 = 13 beats (75 - 50) / 2 = 12
      {"left, centred",
       25,
       {16, 16},
       TButtonLayout::blGlyphLeft,
       TAlignment::taCenter,
       -1,
       4,
       {13, 5},
       {33, 6, 63, 19}},
      {"right, centred",
       25,
       {16, 16},
       TButtonLayout::blGlyphRight,
       TAlignment::taCenter,
       -1,
       4,
       {46, 5},
       {12, 6, 42, 19}},
      {"top", 50, {16, 16}, TButtonLayout::blGlyphTop, TAlignment::taCenter, -1, 4, {30, 8}, {23, 28, 53, 41}},
      {"bottom", 50, {16, 16}, TButtonLayout::blGlyphBottom, TAlignment::taCenter, -1, 4, {30, 26}, {23, 9, 53, 22}},
      {"no glyph: no spacing",
       25,
       {0, 0},
       TButtonLayout::blGlyphLeft,
       TAlignment::taCenter,
       -1,
       4,
       {23, 13},
       {23, 6, 53, 19}},
      {"margin given, left",
       25,
       {16, 16},
       TButtonLayout::blGlyphLeft,
       TAlignment::taLeftJustify,
       2,
       4,
       {2, 5},
       {22, 6, 52, 19}},
      {"margin given, right justified",
       25,
       {16, 16},
       TButtonLayout::blGlyphLeft,
       TAlignment::taRightJustify,
       2,
       4,
       {23, 5},
       {43, 6, 73, 19}},
  };
  for (const Case& c : cases) {
    TPoint glyphAt{-100, -100};
    TRect text{-100, -100, -100, -100};
    CalcButtonLayout({0, 0, 75, c.height}, {c.glyph.cx, c.glyph.cy}, {30, 13}, c.layout, c.alignment, c.margin,
                     c.spacing, glyphAt, text, 0);
    EXPECT_EQ(glyphAt, c.glyphAt) << c.what;
    EXPECT_EQ(text, c.text) << c.what;
  }
}

}  // namespace
}  // namespace skin
