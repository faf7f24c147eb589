// Replacing an image of loaded records by a file, and the indexes that a removal moves.
#include "skin/core/acChangeImage.h"

#include <gtest/gtest.h>

#include "SkinFixture.h"

namespace skin {
namespace {

using test::MemorySkin;

// Two small JPEG textures, kept as bitmap images in the order of their sections.
std::unique_ptr<TacSkinRecords> TwoTextures() {
  MemorySkin s;
  s.Text("[FORM]\nPATTERN=A.JPG\n[PANEL]\nPATTERN=B.JPG\n")
      .File("A.JPG", test::EncodeJpeg(10, 10))
      .File("B.JPG", test::EncodeJpeg(20, 20));
  return s.Load();
}

TEST(ChangeImage, AJpegPatternReplacesABitmapTextureAndTheIndexesAreRebuilt) {
  auto skin = TwoTextures();
  ASSERT_EQ(skin->ma.size(), 2u);
  const int panel = skin->GetSkinIndex("PANEL");
  ASSERT_EQ(skin->gd[static_cast<std::size_t>(panel)].TextureNormal, 1);

  const test::Bytes jpeg = test::EncodeJpeg(30, 30);
  const TacImageChange change = ChangeImageInRecords(*skin, "form", "pattern", "c:\\new.jpg", jpeg);
  EXPECT_FALSE(change.Changed) << "adding a pattern is not a change of an existing one";
  EXPECT_TRUE(change.IndexesMoved);
  ASSERT_EQ(skin->ma.size(), 1u);
  EXPECT_EQ(skin->ma[0].ClassName, "PANEL");  // the last record took the removed one's place
  ASSERT_EQ(skin->pa.size(), 1u);
  EXPECT_EQ(skin->pa[0].Img->Width, 30);

  skin->InitConstantIndexes(TacSkinLoadOptions());
  EXPECT_EQ(skin->gd[static_cast<std::size_t>(panel)].TextureNormal, 0);
  EXPECT_EQ(skin->gd[static_cast<std::size_t>(skin->GetSkinIndex("FORM"))].TextureNormal, -1);
  EXPECT_EQ(skin->GetPatternIndex(skin->GetSkinIndex("FORM"), "FORM", "PATTERN"), 0);
}

TEST(ChangeImage, ABitmapTextureReplacesAPatternOrTakesTheFile) {
  auto skin = TwoTextures();
  const test::Bytes jpeg = test::EncodeJpeg(30, 30);
  ChangeImageInRecords(*skin, "FORM", "PATTERN", "x.jpg", jpeg);
  ASSERT_EQ(skin->pa.size(), 1u);

  // The same pattern again: the existing one takes the file, nothing moves.
  const TacImageChange again = ChangeImageInRecords(*skin, "FORM", "PATTERN", "y.jpeg", test::EncodeJpeg(40, 8));
  EXPECT_TRUE(again.Changed);
  EXPECT_FALSE(again.IndexesMoved);
  EXPECT_EQ(skin->pa[0].Img->Width, 40);

  // A bitmap for the form's pattern: a texture record is added and the JPEG pattern removed.
  const test::Bytes bmp = test::EncodeBmp(test::Filled(5, 4, 0xFF102030), 24);
  const TacImageChange back = ChangeImageInRecords(*skin, "FORM", "PATTERN", "c:\\t.bmp", bmp);
  EXPECT_TRUE(back.Changed);
  EXPECT_TRUE(back.IndexesMoved);
  EXPECT_TRUE(skin->pa.empty());
  ASSERT_EQ(skin->ma.size(), 2u);
  EXPECT_EQ(skin->ma[1].ClassName, "FORM");
  EXPECT_EQ(skin->ma[1].R, TRect(0, 0, 5, 4));
  EXPECT_EQ(skin->ma[1].ImgType, TacImgType::itisaTexture);
  EXPECT_EQ(skin->ma[1].ImageCount, 1);

  // A bitmap for an existing texture: it takes the file.
  const TacImageChange same = ChangeImageInRecords(*skin, "PANEL", "PATTERN", "c:\\p.BMP", bmp);
  EXPECT_TRUE(same.Changed);
  EXPECT_FALSE(same.IndexesMoved);
  EXPECT_EQ(skin->ma[0].R, TRect(0, 0, 5, 4));
}

TEST(ChangeImage, ImageRecordsTakeOnlyBitmapsNamedInCapitals) {
  MemorySkin s;
  s.Text("[BUTTON]\nGLYPHMASK=!P.BMP!1!0!2\n").File("P.BMP", test::EncodeBmp(test::Filled(8, 4, 0xFF000000), 24));
  auto skin = s.Load();
  ASSERT_EQ(skin->ma.size(), 1u);
  const test::Bytes bmp = test::EncodeBmp(test::Filled(6, 3, 0xFFFFFFFF), 24);
  EXPECT_FALSE(ChangeImageInRecords(*skin, "BUTTON", "GLYPHMASK", "c:\\new.bmp", bmp).Changed);
  EXPECT_FALSE(ChangeImageInRecords(*skin, "BUTTON", "NOSUCHKEY", "c:\\new.BMP", bmp).Changed);
  EXPECT_TRUE(ChangeImageInRecords(*skin, "button", "glyphmask", "c:\\new.BMP", bmp).Changed);
  EXPECT_EQ(skin->ma[0].R, TRect(0, 0, 6, 3));
  // A damaged file raises and leaves the image as it was.
  EXPECT_ANY_THROW(ChangeImageInRecords(*skin, "BUTTON", "GLYPHMASK", "c:\\bad.BMP", test::Bytes{1, 2, 3}));
  EXPECT_EQ(skin->ma[0].R, TRect(0, 0, 6, 3));
}

}  // namespace
}  // namespace skin
