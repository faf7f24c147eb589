// Loading the sections of a skin and its skin-wide values.
#include <gtest/gtest.h>

#include <cstring>

#include "classlib/Types.h"
#include "skin/core/acSkinRecords.h"
#include "skin/graphics/SysColors.h"
#include "tests/skin/core/data/SkinFixture.h"

namespace skin {
namespace {

using test::MemorySkin;
using test::Section;

std::unique_ptr<TacSkinRecords> LoadText(const std::string& text, TacSkinLoadOptions options = {}) {
  MemorySkin s;
  s.Text(text);
  s.Options = options;
  return s.Load();
}

TEST(LoadSections, DefaultsOfAnEmptySection) {
  const auto skin = LoadText("[PANEL]\n");
  const TsGeneralData* g = Section(*skin, "PANEL");
  ASSERT_TRUE(g);
  EXPECT_EQ(g->States, 4);
  EXPECT_EQ(g->Color, 0xFFFFFF);
  EXPECT_EQ(g->HotColor, 0xFFFFFF);
  EXPECT_EQ(g->FontColor, (TsFontColor{0, -1, -1, -1, -1}));
  EXPECT_EQ(g->HotFontColor, (TsFontColor{0, -1, -1, -1, -1}));
  EXPECT_EQ(g->GradientData, " ");
  EXPECT_EQ(g->FadingIterations, 5);
  EXPECT_EQ(g->GlowColor, 0xFFFFFF);
  EXPECT_EQ(g->ParentClass, "");
  EXPECT_FALSE(g->FadingEnabled);
}

TEST(LoadSections, ValueForms) {
  const auto skin = LoadText(
      "[S]\nCOLOR=$0000FF\nHOTCOLOR=0x00FF00\nTRANSPARENCY=30\nFONTCOLOR=16711680\nTCLEFT=-1\nTCTOP=5\n"
      "FADINGENABLED=true\nSHOWFOCUS=yes\nGIVEOWNFONT=1\nGSIZE=300\nSTATES=3\n"
      "[T]\nCOLOR=not a colour\n");
  const TsGeneralData* s = Section(*skin, "S");
  EXPECT_EQ(s->Color, 0x0000FF);
  EXPECT_EQ(s->HotColor, 0x00FF00);
  EXPECT_EQ(s->Transparency, 30);
  EXPECT_EQ(s->FontColor, (TsFontColor{0xFF0000, -1, 5, -1, -1}));
  EXPECT_TRUE(s->FadingEnabled);
  EXPECT_FALSE(s->ShowFocus);
  EXPECT_TRUE(s->GiveOwnFont);
  EXPECT_EQ(s->GlowSize, 300 & 0xFF);
  EXPECT_EQ(s->States, 3);
  EXPECT_EQ(Section(*skin, "T")->Color, 0xFFFFFF);  // not a number: missing
}

TEST(LoadSections, InheritanceThroughParentClass) {
  const auto skin = LoadText(
      "[BASE]\nCOLOR=$FF00000F\nFONTCOLOR=255\nFADINGENABLED=1\nGRADIENTDATA=1;2;100;0;0\nHOTCOLOR=$FF00000F\n"
      "[MIDDLE]\nPARENTCLASS=BASE\nTRANSPARENCY=20\n"
      "[CHILD]\nPARENTCLASS=MIDDLE\nFONTCOLOR=-1\nHOTCOLOR=$FF000005\n"
      "[SELF]\nPARENTCLASS=SELF\n"
      "[ORPHAN]\nPARENTCLASS=NOWHERE\n");
  const TsGeneralData* child = Section(*skin, "CHILD");
  EXPECT_EQ(child->ParentClass, "MIDDLE");
  EXPECT_EQ(child->Color, ColorToRGB(classlib::clBtnFace));  // from two levels up, as RGB
  EXPECT_EQ(child->Transparency, 20);
  EXPECT_EQ(child->FontColor.Color, 255);  // written as -1: missing, so inherited
  EXPECT_TRUE(child->FadingEnabled);
  EXPECT_EQ(child->GradientData, "1;2;100;0;0");
  EXPECT_EQ(child->HotColor, classlib::clWindow);  // its own value is taken unchanged
  EXPECT_EQ(Section(*skin, "BASE")->HotColor, classlib::clBtnFace);
  EXPECT_EQ(Section(*skin, "SELF")->Color, 0xFFFFFF);
  EXPECT_EQ(Section(*skin, "ORPHAN")->Color, 0xFFFFFF);
}

TEST(LoadSections, ParentClassCyclesEnd) {
  const auto skin =
      LoadText("[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\nFONTCOLOR=77\n[C]\nPARENTCLASS=A\nBORDERSMASK=x\n");
  EXPECT_EQ(Section(*skin, "A")->FontColor.Color, 77);
  EXPECT_EQ(Section(*skin, "C")->FontColor.Color, 77);
  EXPECT_EQ(Section(*skin, "A")->Color, 0xFFFFFF);
  EXPECT_EQ(skin->GetMaskIndex(skin->GetSkinIndex("A"), "A", "BORDERSMASK"), -1);
  EXPECT_EQ(skin->GetTextureIndex(skin->GetSkinIndex("B"), "B", "PATTERN"), -1);
}

TEST(LoadSections, GradientsAndStates) {
  const auto skin = LoadText(
      "[ONE]\nSTATES=1\nCOLOR=5\nGRADIENTDATA=1;2\nGRADIENTPERCENT=50\nHOTCOLOR=9\n"
      "[TWO]\nGRADIENTDATA=255;16711680;100;0;0\nGRADIENTPERCENT=40\nHOTGRADIENTDATA=x\nHOTGRADIENTPERCENT=30\n"
      "HOTCOLOR=7\nHOTTCLEFT=3\n"
      "[THREE]\nGRADIENTDATA=5\nGRADIENTPERCENT=40\n");
  const TsGeneralData* one = Section(*skin, "ONE");
  EXPECT_EQ(one->HotColor, 0);  // hot values are not read for one state
  EXPECT_EQ(one->Props[1].Color, 5);
  EXPECT_EQ(one->Props[1].GradientArray, one->GradientArray);
  EXPECT_EQ(one->GradientPercent, 50);  // three characters: parsed (no whole segment)
  EXPECT_TRUE(one->GradientArray->empty());

  const TsGeneralData* two = Section(*skin, "TWO");
  ASSERT_EQ(two->GradientArray->size(), 1u);
  EXPECT_EQ((*two->GradientArray)[0].Color2, 16711680);
  EXPECT_EQ(two->Props[0].GradientArray, two->GradientArray);  // shared, not copied
  EXPECT_EQ(two->HotGradientPercent, 0);                       // one character
  EXPECT_EQ(two->Props[1].Color, 7);
  EXPECT_EQ(two->Props[1].FontColor.Left, 3);

  EXPECT_EQ(Section(*skin, "THREE")->GradientPercent, 0);
}

TEST(LoadSections, BadGradientFailsTheLoadNamingTheKey) {
  try {
    LoadText("[BUTTON]\nGRADIENTDATA=1;2;x;0;0\n");
    FAIL();
  } catch (const EacSkinLoadError& e) {
    EXPECT_NE(e.Message().find(L"BUTTON"), std::wstring::npos);
    EXPECT_NE(e.Message().find(L"GRADIENTDATA"), std::wstring::npos);
  }
}

TEST(LoadSections, SkinWideValues) {
  TacSkinLoadOptions options;
  options.SystemFrameWidth = 8;
  auto skin = LoadText(
      "[GLOBALINFO]\nVERSION=7.56\nAUTHOR=Tarvisel\nTITLEHEIGHT=26\nBORDERWIDTH=70000\n"
      "SHADOW1OFFSET=3\nAEROBLUR=2\nBICONCLOSEGLOW=$10\n",
      options);
  const TsSkinData& d = skin->SkinData;
  EXPECT_DOUBLE_EQ(d.Version, 7.56);
  EXPECT_EQ(d.Author, "Tarvisel");
  EXPECT_EQ(d.ExTitleHeight, 26);
  EXPECT_EQ(d.ExMaxHeight, 26);  // 0 takes the title height
  EXPECT_EQ(d.ExBorderWidth, static_cast<std::int16_t>(70000 & 0xFFFF));
  EXPECT_EQ(d.ExContentOffs, 8);
  EXPECT_EQ(d.Shadow1Offset, 3);
  EXPECT_EQ(d.Shadow1Blur, -1);
  EXPECT_TRUE(d.UseAeroBluring);
  EXPECT_EQ(d.BICloseGlow, 16);
  EXPECT_EQ(skin->GetSkinIndex("GLOBALINFO"), 0);  // also an ordinary section

  for (const char* key : {"SHADOW1OFFSET", "SHADOW1BLUR", "BICONMINGLOWMARGIN"}) {
    try {
      LoadText(std::string("[GLOBALINFO]\n") + key + "=wide\n");
      ADD_FAILURE() << key;
    } catch (const EacSkinLoadError& e) {
      EXPECT_NE(e.Message().find(std::wstring(key, key + std::strlen(key))), std::wstring::npos);
    }
  }
}

TEST(LoadSections, VersionNotices) {
  EXPECT_EQ(CheckVersion(6.99), TacVersionNotice::OldSkin);
  EXPECT_EQ(CheckVersion(7), TacVersionNotice::None);
  EXPECT_EQ(CheckVersion(7.98), TacVersionNotice::None);
  EXPECT_EQ(CheckVersion(7.99), TacVersionNotice::NewerSkin);
  EXPECT_EQ(CheckVersion(8), TacVersionNotice::NewerSkin);
}

TEST(LoadSections, CommonSectionsAddWhatTheSkinLacks) {
  const TacSkinIni common(
      "[BUTTON]\nCOLOR=1\n"
      "[MYBUTTON]\nPARENTCLASS=button\nFONTCOLOR=99\n"
      "[LONE]\nHOTCOLOR=4\n");
  TacSkinLoadOptions options;
  options.CommonSections = &common;
  const auto skin = LoadText("[BUTTON]\nCOLOR=255\nTRANSPARENCY=40\nGRADIENTDATA=1;2;100;0;0\n", options);
  ASSERT_EQ(skin->gd.size(), 3u);
  EXPECT_EQ(Section(*skin, "BUTTON")->Color, 255);  // sections of the skin stay as they are
  const TsGeneralData* mine = Section(*skin, "MYBUTTON");
  EXPECT_EQ(mine->ParentClass, "BUTTON");
  EXPECT_EQ(mine->Color, 255);
  EXPECT_EQ(mine->Transparency, 40);
  EXPECT_EQ(mine->FontColor.Color, 99);
  EXPECT_EQ(mine->Props[0].FontColor.Color, 99);
  EXPECT_NE(mine->GradientArray, Section(*skin, "BUTTON")->GradientArray);
  const TsGeneralData* lone = Section(*skin, "LONE");
  EXPECT_EQ(lone->States, 3);
  EXPECT_EQ(lone->Props[1].Color, 4);
}

}  // namespace
}  // namespace skin
