#include <gtest/gtest.h>

#include "skin/core/acImageValue.h"

namespace skin {
namespace {

TacImageSpec Finished(std::string_view value, int w, int h, double version = 7.5) {
  TacImageSpec s = ParseImageValue(value);
  FinishImageSpec(s, w, h, version);
  return s;
}

TEST(ImageValue, ValuesThatAreNoImage) {
  for (const char* v : {"", "16777215", "#", "!FILE.JPG!1!0", "!file.png!1", "plain words", "BG.JPG"})
    EXPECT_EQ(ParseImageValue(v).Form, TacImageForm::None) << v;
}

TEST(ImageValue, GlyphRectangle) {
  const TacImageSpec s = Finished("@0095@0118@0137@0132@3@0", 200, 200);
  ASSERT_FALSE(s.Malformed()) << s.Error;
  EXPECT_EQ(s.Form, TacImageForm::Glyph);
  EXPECT_EQ(s.R, TRect(95, 118, 137, 132));
  EXPECT_EQ(s.ImageCount, 3);
  EXPECT_EQ(s.MaskType, 0);
  EXPECT_EQ(s.ImgType, static_cast<int>(TacImgType::itisaGlyph));
  EXPECT_EQ(s.DrawMode, 0);
  EXPECT_EQ(s.WL + s.WT + s.WR + s.WB, 0);
}

TEST(ImageValue, BorderRectangleWithMargins) {
  const TacImageSpec s = Finished("^0000^0010^0090^0050^0004^0005^0006^0007^3^1^4^2", 100, 100);
  ASSERT_FALSE(s.Malformed()) << s.Error;
  EXPECT_EQ(s.Form, TacImageForm::Border);
  EXPECT_EQ(s.R, TRect(0, 10, 90, 50));
  EXPECT_EQ(std::make_tuple(s.WL, s.WT, s.WR, s.WB), std::make_tuple(4, 5, 6, 7));
  EXPECT_EQ(std::make_tuple(s.ImageCount, s.MaskType, s.DrawMode, s.BorderWidth), std::make_tuple(3, 1, 4, 2));
}

TEST(ImageValue, BorderMarginsFromBorderWidthOrDerived) {
  // All margins 0: BorderWidth on every side, else a third of the cell.
  TacImageSpec s = Finished("^0000^0000^0090^0060^0000^0000^0000^0000^3^1^0^2", 100, 100);
  EXPECT_EQ(std::make_tuple(s.WL, s.WT, s.WR, s.WB), std::make_tuple(2, 2, 2, 2));
  s = Finished("^0000^0000^0090^0060^0000^0000^0000^0000^3^1^0^0", 100, 100);
  EXPECT_EQ(std::make_tuple(s.WL, s.WT, s.WR, s.WB), std::make_tuple(10, 10, 10, 10));
}

TEST(ImageValue, OldSkinsStretchOnlyOnePixelCentres) {
  // Cells 21 x 21 with margins 10: a one-pixel centre both ways sets the stretch bit below 7.4.
  const char* onePixel = "^0000^0000^0063^0042^0010^0010^0010^0010^3^1^4^0";
  EXPECT_EQ(Finished(onePixel, 100, 100, 7.0).DrawMode, 5);
  EXPECT_EQ(Finished(onePixel, 100, 100, 7.4).DrawMode, 4);
  // A wider centre clears it.
  EXPECT_EQ(Finished("^0000^0000^0063^0042^0009^0010^0009^0010^3^1^5^0", 100, 100, 7.0).DrawMode, 4);
}

TEST(ImageValue, TextureRectangle) {
  TacImageSpec s = Finished("~0010~0020~0074~0084~02~1", 100, 100);
  ASSERT_FALSE(s.Malformed()) << s.Error;
  EXPECT_EQ(s.Form, TacImageForm::Texture);
  EXPECT_EQ(s.R, TRect(10, 20, 74, 84));
  EXPECT_EQ(s.DrawMode, 2);
  EXPECT_EQ(s.MaskType, 1);
  EXPECT_EQ(s.ImageCount, 1);
  EXPECT_EQ(s.ImgType, static_cast<int>(TacImgType::itisaTexture));
  // Without the mask column the texture is unmasked.
  EXPECT_EQ(Finished("~0010~0020~0074~0084~02", 100, 100).MaskType, 0);
}

TEST(ImageValue, OwnFile) {
  TacImageSpec s = Finished("!BTN.PNG!3!1!4!5!6!7!8!2", 90, 40);
  ASSERT_FALSE(s.Malformed()) << s.Error;
  EXPECT_EQ(s.Form, TacImageForm::OwnFile);
  EXPECT_TRUE(s.Png);
  EXPECT_EQ(s.FileName, "BTN.PNG");
  EXPECT_EQ(s.R, TRect(0, 0, 90, 40));
  EXPECT_EQ(s.ImgType, 4);
  EXPECT_EQ(std::make_tuple(s.WL, s.WT, s.WR, s.WB, s.DrawMode), std::make_tuple(5, 6, 7, 8, 2));
  // Fewer than five words: margins derived; fewer than nine: stretched. Image types above 4 are PNG glyphs.
  s = Finished("!B.BMP!3!1!9", 90, 60);
  EXPECT_FALSE(s.Png);
  EXPECT_EQ(std::make_tuple(s.WL, s.WT, s.WR, s.WB, s.DrawMode), std::make_tuple(10, 10, 10, 10, 1));
  EXPECT_EQ(s.ImgType, 4);
}

TEST(ImageValue, OldForms) {
  TacImageSpec s = Finished("btn.bmp", 90, 60);
  EXPECT_EQ(s.Form, TacImageForm::OldBitmap);
  EXPECT_EQ(s.FileName, "BTN.BMP");
  EXPECT_TRUE(s.UpperCaseNames);
  EXPECT_EQ(std::make_tuple(s.ImageCount, s.MaskType, s.WL, s.WT), std::make_tuple(3, 1, 10, 10));

  s = Finished("#(10,20,70,40)(3,1,0,1)", 100, 100);
  ASSERT_FALSE(s.Malformed()) << s.Error;
  EXPECT_EQ(s.Form, TacImageForm::OldRect);
  EXPECT_EQ(s.R, TRect(10, 20, 70, 40));
  EXPECT_EQ(std::make_tuple(s.ImageCount, s.MaskType, s.BorderWidth, s.DrawMode), std::make_tuple(3, 1, 0, 1));
  EXPECT_EQ(std::make_tuple(s.WL, s.WT), std::make_tuple(6, 3));
  // Counts below their minimum are raised, a missing mode is 1, a border width sets the margins.
  s = Finished("#(0,0,30,30)(0,-2,4)", 100, 100);
  EXPECT_EQ(std::make_tuple(s.ImageCount, s.MaskType, s.DrawMode, s.WL), std::make_tuple(1, 0, 1, 4));
}

// No cells and cells of no height are images too: the border widths and cell sizes answer for
// them. Margins within the whole rectangle fit.
TEST(ImageValue, NoCellsAndCellsOfNoHeight) {
  TacImageSpec s = Finished("@0095@0118@0137@0132@0@0", 200, 200);
  ASSERT_FALSE(s.Malformed()) << s.Error;
  EXPECT_EQ(std::make_tuple(s.ImageCount, s.MaskType), std::make_tuple(0, 0));
  s = Finished("!B.PNG!0!-1!0!90!3!4!60!2", 90, 60);
  ASSERT_FALSE(s.Malformed()) << s.Error;
  EXPECT_EQ(std::make_tuple(s.ImageCount, s.MaskType, s.WL, s.WT, s.WR, s.WB), std::make_tuple(0, -1, 90, 3, 4, 60));
  // Margins from a border width need no cell size.
  s = Finished("^0000^0000^0030^0030^0000^0000^0000^0000^0^1^0^4", 100, 100);
  ASSERT_FALSE(s.Malformed()) << s.Error;
  EXPECT_EQ(std::make_tuple(s.ImageCount, s.WL, s.WB), std::make_tuple(0, 4, 4));
}

TEST(ImageValue, MalformedValuesCarryTheirReason) {
  struct Case {
    const char* value;
    int w, h;
    const char* reason;
  };
  const Case cases[] = {
      {"@00x5@0118@0137@0132@3@0", 200, 200, "left at column 2"},
      {"@0095@0118@0137@0132@3", 200, 200, "mask type at column 24 is missing"},
      {"!B.BMP!0!0", 90, 60, "cannot be derived from an image count of 0"},
      {"!B.BMP!x!0", 90, 60, "cannot be derived from an image count of 0"},
      {"!B.BMP!3!-1", 90, 60, "cannot be derived from a mask type of -1"},
      {"^0000^0000^0030^0030^0000^0000^0000^0000^0^0^0^0", 100, 100, "an image count of 0"},
      {"!B.BMP!-1!0!0!1!1!1!1", 90, 60, "image count -1 is below 0"},
      {"!B.BMP!3!-2!0!1!1!1!1", 90, 60, "mask type -2 is below -1"},
      {"!B.BMP!0!-1!0!91!1!1!1", 90, 60, "side margins 91"},
      {"!B.BMP!3!-1!0!1!61!1!1", 90, 60, "top and bottom margins 61"},
      {"!B.BMP!3!60", 90, 60, "leaves no rows"},
      {"!B.BMP!3!1!-2", 90, 60, "image type -2"},
      {"!B.BMP!3!1!0!1!1!1!1!15", 90, 60, "draw mode 15"},
      {"!B.BMP!100!1", 90, 60, "100 cells do not fit"},
      {"~0000~0000~0010~0010~99~0", 100, 100, "draw mode 99"},
      {"@0095@0118@0237@0132@3@0", 200, 200, "does not lie within the master bitmap of 200 x 200"},
      {"@0095@0118@0137@0132@3@0", 0, 0, "no master bitmap"},
      {"@0050@0050@0040@0060@1@0", 200, 200, "does not lie within"},
      {"#(0,0,30,30)(3,1,x,1)", 100, 100, "border width \"x\""},
      {"#(0,0,30,30)(3,1,0,y)", 100, 100, "draw mode \"y\""},
      {"^0000^0000^0030^0030^0011^0001^0001^0001^3^0^0^0", 100, 100, "side margins 11 and 1"},
      {"!B.BMP!3!1!0!1!31!1!1!1", 90, 60, "top and bottom margins 31"},
  };
  for (const Case& c : cases) {
    const TacImageSpec s = Finished(c.value, c.w, c.h);
    EXPECT_TRUE(s.Malformed()) << c.value;
    EXPECT_NE(s.Error.find(c.reason), std::string::npos) << c.value << ": " << s.Error;
  }
}

}  // namespace
}  // namespace skin
