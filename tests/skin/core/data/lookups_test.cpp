// Look-ups by name, image sizes, the constant indexes and the colour queries.
#include <gtest/gtest.h>

#include "classlib/Types.h"
#include "skin/core/acSkinRecords.h"
#include "skin/graphics/SysColors.h"
#include "tests/skin/core/data/SkinFixture.h"

namespace skin {
namespace {

using test::MemorySkin;

// A master bitmap and images in a few sections; BUTTON2 inherits from BUTTON.
std::unique_ptr<TacSkinRecords> LookupSkin(const std::string& extra = "") {
  MemorySkin s;
  s.Text(
       "[GLOBALINFO]\nMASTERBITMAP=M.BMP\nBOXCHECKED=@0000@0000@0030@0010@3@0\nGRIPIMAGE=@0000@0010@0010@0020@1@0\n"
       "[BUTTON]\nBORDERSMASK=^0000^0020^0090^0060^0005^0005^0005^0005^3^1^0^0\n"
       "PATTERN=~0000~0000~0020~0020~00\nGLYPHMASK=@0000@0000@0030@0010@3@0\n"
       "[BUTTON2]\nPARENTCLASS=BUTTON\n"
       "[TABBOTTOM]\nBORDERSMASK=^0000^0020^0090^0060^0005^0005^0005^0005^3^1^0^0\n"
       "[COMBOBTN]\nPATTERN=~0000~0000~0020~0020~00\n[COMBOBOX]\nGLYPHMASK=@0000@0000@0030@0010@3@0\n" +
       extra)
      .File("M.BMP", test::EncodeBmp(test::Filled(100, 100, 0xFF808080), 24));
  return s.Load();
}

TEST(Lookups, SectionsAreFoundExactly) {
  const auto skin = LookupSkin();
  EXPECT_EQ(skin->GetSkinIndex("BUTTON"), 1);
  EXPECT_EQ(skin->GetSkinIndex("button"), -1);
  EXPECT_EQ(skin->GetSkinIndex(""), -1);
  EXPECT_TRUE(skin->IsValidSkinIndex(1));
  EXPECT_FALSE(skin->IsValidSkinIndex(static_cast<int>(skin->gd.size())));
  EXPECT_FALSE(skin->IsValidImgIndex(-1));
  const TacSkinRecords empty;
  EXPECT_EQ(empty.GetSkinIndex("BUTTON"), -1);
  EXPECT_EQ(empty.GetMaskIndex(0, "BUTTON", "BORDERSMASK"), -1);
}

TEST(Lookups, ImagesFallBackToTheParentSection) {
  const auto skin = LookupSkin();
  const int button = skin->GetSkinIndex("BUTTON");
  const int button2 = skin->GetSkinIndex("BUTTON2");
  const int border = skin->GetMaskIndex(button, "BUTTON", "BORDERSMASK");
  ASSERT_GE(border, 0);
  EXPECT_EQ(skin->GetMaskIndex(button2, "BUTTON2", "BORDERSMASK"), border);
  EXPECT_EQ(skin->gd[static_cast<std::size_t>(button2)].BorderIndex, border);
  EXPECT_EQ(skin->GetMaskIndex("BUTTON2", "BORDERSMASK"), -1);  // no parent step without an index
  EXPECT_EQ(skin->GetMaskIndex(-1, "BUTTON", "BORDERSMASK"), -1);
  EXPECT_EQ(skin->GetMaskIndex(button, "", "BORDERSMASK"), -1);
  // Only textures count as textures.
  EXPECT_EQ(skin->GetTextureIndex(button2, "BUTTON2", "BORDERSMASK"), -1);
  const int texture = skin->GetTextureIndex(button2, "BUTTON2", "PATTERN");
  EXPECT_EQ(texture, skin->GetMaskIndex("BUTTON", "PATTERN"));
  EXPECT_EQ(skin->gd[static_cast<std::size_t>(button2)].TextureNormal, texture);
  EXPECT_EQ(skin->GetPatternIndex(button, "BUTTON", "PATTERN"), -1);  // no JPEG patterns
}

// The pass after reading the sections gives GLOBALINFO its indexes; the pass with the constant
// indexes leaves that section alone.
TEST(Lookups, GlobalInfoKeepsItsOwnImageIndexes) {
  const auto skin = LookupSkin("[GLOBALINFO]\nBORDERSMASK=^0000^0020^0090^0060^0005^0005^0005^0005^3^1^0^0\n");
  const int global = skin->GetSkinIndex("GLOBALINFO");
  ASSERT_EQ(global, skin->ConstData.IndexGLobalInfo);
  const int border = skin->GetMaskIndex("GLOBALINFO", "BORDERSMASK");
  ASSERT_GE(border, 0);
  EXPECT_EQ(skin->gd[static_cast<std::size_t>(global)].BorderIndex, border);
}

TEST(Lookups, CellSizesAndBorderWidths) {
  TsMaskData md;
  const auto cell = [&](int w, int h, int count, int mask) {
    md.R = {0, 0, w, h};
    md.ImageCount = static_cast<std::int16_t>(count);
    md.MaskType = static_cast<std::int16_t>(mask);
    return std::make_pair(WidthOfImage(md), HeightOfImage(md));
  };
  EXPECT_EQ(cell(90, 40, 3, 1), std::make_pair(30, 20));
  EXPECT_EQ(cell(90, 42, 3, 2), std::make_pair(30, 14));
  EXPECT_EQ(cell(90, 42, 1, 0), std::make_pair(90, 42));
  EXPECT_EQ(cell(90, 42, 0, -1), std::make_pair(0, 0));

  TacSkinRecords skin;
  TsMaskData border;
  border.R = {0, 0, 90, 60};
  border.ImageCount = 0;
  border.MaskType = 1;
  border.BorderWidth = 5;
  skin.ma.push_back(std::move(border));
  EXPECT_EQ(skin.MaskWidthLeft(0), 5);
  skin.ma[0].BorderWidth = 0;
  EXPECT_EQ(skin.MaskWidthLeft(0), 90);  // no cells yet: one, the whole width
  EXPECT_EQ(skin.ma[0].ImageCount, 1);
  EXPECT_EQ(skin.MaskWidthTop(0), 30);
  skin.ma[0].WR = 7;
  EXPECT_EQ(skin.MaskWidthRight(0), 7);
  EXPECT_EQ(skin.MaskWidthBottom(5), 0);
}

TEST(Lookups, ConstantIndexes) {
  const auto skin = LookupSkin("[SCROLLBTNLEFT]\nBORDERSMASK=^0000^0020^0090^0060^0005^0005^0005^0005^3^1^0^0\n");
  const TConstantSkinData& c = skin->ConstData;
  EXPECT_EQ(c.IndexGLobalInfo, 0);
  EXPECT_EQ(c.CheckBoxChecked, skin->GetMaskIndex("GLOBALINFO", "BOXCHECKED"));
  EXPECT_EQ(c.GripRightBottom, skin->GetMaskIndex("GLOBALINFO", "GRIPIMAGE"));
  EXPECT_EQ(c.CheckBoxGrayed, -1);
  // A skin without TABTOP still finds the border of TABBOTTOM.
  EXPECT_EQ(c.IndexTabTop, -1);
  EXPECT_EQ(c.MaskTabTop, -1);
  EXPECT_EQ(c.MaskTabBottom, skin->GetMaskIndex("TABBOTTOM", "BORDERSMASK"));
  // No SCROLLBTNTOP: all its entries -1.
  for (int v : {c.IndexScrollTop, c.MaskScrollTop, c.MaskArrowTop, c.IndexBGScrollTop, c.IndexBGHotScrollTop})
    EXPECT_EQ(v, -1);
  EXPECT_EQ(c.MaskScrollLeft, skin->GetMaskIndex("SCROLLBTNLEFT", "BORDERSMASK"));
  EXPECT_EQ(c.ComboBtnIndex, skin->GetSkinIndex("COMBOBTN"));
  EXPECT_EQ(c.ComboBtnBG, skin->GetMaskIndex("COMBOBTN", "PATTERN"));
  EXPECT_EQ(c.ComboGlyph, skin->GetMaskIndex("COMBOBOX", "GLYPHMASK"));
  EXPECT_EQ(ConstantEntries(c).size(), 74u);

  // Without a skin every entry is -1.
  TacSkinRecords empty;
  empty.InitConstantIndexes({});
  for (const auto& [name, value] : ConstantEntries(empty.ConstData)) EXPECT_EQ(value, -1) << name;
}

TEST(Lookups, ColourQueries) {
  TacSkinRecords none;
  EXPECT_EQ(none.GetGlobalColor(), ColorToRGB(classlib::clBtnFace));
  EXPECT_EQ(none.GetGlobalFontColor(), classlib::clFuchsia);
  EXPECT_EQ(none.GetActiveEditColor(), ColorToRGB(classlib::clWindow));
  EXPECT_EQ(none.GetActiveEditFontColor(), classlib::clWindowText);
  EXPECT_EQ(none.GetHighLightColor(true), classlib::clHighlight);
  EXPECT_EQ(none.GetHighLightFontColor(true), classlib::clHighlightText);

  MemorySkin s;
  s.Text(
      "[GLOBALINFO]\nCOLOR=1\nFONTCOLOR=2\nHOTCOLOR=3\n[EDIT]\nFONTCOLOR=4\n"
      "[SELECTION]\nCOLOR=10\nHOTCOLOR=11\nFONTCOLOR=12\nHOTFONTCOLOR=$FF00FF\n"
      "[MENUITEM]\nHOTCOLOR=20\nHOTFONTCOLOR=21\n");
  const auto skin = s.Load();
  EXPECT_EQ(skin->GetGlobalColor(), 1);
  EXPECT_EQ(skin->GetGlobalFontColor(), 2);
  EXPECT_EQ(skin->GetActiveEditColor(), 3);
  EXPECT_EQ(skin->GetActiveEditFontColor(), 4);
  EXPECT_EQ(skin->GetHighLightColor(false), 10);
  EXPECT_EQ(skin->GetHighLightColor(true), 11);
  EXPECT_EQ(skin->GetHighLightFontColor(false), 12);
  EXPECT_EQ(skin->GetHighLightFontColor(true), 21);  // clFuchsia: the menu item's

  MemorySkin white;
  white.Text("[SELECTION]\nCOLOR=$FF00FF\n[MENUITEM]\nHOTCOLOR=$FFFFFF\n");
  EXPECT_EQ(white.Load()->GetHighLightColor(false), classlib::clHighlight);
}

TEST(Lookups, SectionListOnlyForAnActiveSkin) {
  auto skin = LookupSkin();
  EXPECT_TRUE(skin->GetSkinSections().empty());
  skin->SkinData.Active = true;
  const auto names = skin->GetSkinSections();
  ASSERT_EQ(names.size(), skin->gd.size());
  EXPECT_EQ(names[1], "BUTTON");
}

TEST(Lookups, ShadowTemplates) {
  const TBitmap32 active(32, 32, 0xFF000000), inactive(31, 31, 0xFF000000);
  TacSkinLoadOptions options;
  options.ExtendedBorders = true;
  options.BuiltInShadowActive = &active;
  options.BuiltInShadowInactive = &inactive;
  options.SystemFrameWidth = 2;

  MemorySkin plain;
  plain.Text("[GLOBALINFO]\n");
  plain.Options = options;
  auto skin = plain.Load();
  EXPECT_EQ(skin->FormShadowSize, TRect(9, 9, 9, 9));
  EXPECT_EQ(skin->ShdaTemplate.Width(), 32);
  EXPECT_EQ(skin->ShdiTemplate.Width(), 31);

  // An own shadow image of two cells: inactive from the first, active from the second.
  TBitmap32 ex(40, 20, 0xFF101010);
  for (int y = 0; y < 20; ++y)
    for (int x = 20; x < 40; ++x) ex.At(x, y).U = 0xFF202020;
  MemorySkin own;
  own.Text("[GLOBALINFO]\nEXBORDER=!EX.BMP!2!0!0!8!9!10!11\n").File("EX.BMP", test::EncodeBmp(ex, 32));
  own.Options = options;
  skin = own.Load();
  EXPECT_EQ(skin->FormShadowSize, TRect(6, 7, 8, 9));
  EXPECT_EQ(skin->ShdiTemplate.At(0, 0).U, 0xFF101010u);
  EXPECT_EQ(skin->ShdaTemplate.At(0, 0).U, 0xFF202020u);

  options.ExtendedBorders = false;
  own.Options = options;
  EXPECT_EQ(own.Load()->FormShadowSize, TRect());
}

}  // namespace
}  // namespace skin
