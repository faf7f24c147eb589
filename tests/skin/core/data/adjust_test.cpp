// Hue and saturation of a whole skin, and the loads that must not leave half-built records.
#include <gtest/gtest.h>

#include "skin/core/acSkinRecords.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sColorUtils.h"
#include "tests/skin/core/data/SkinFixture.h"

namespace skin {
namespace {

using test::MemorySkin;

constexpr std::uint32_t kOrange = 0xFFE08020;

MemorySkin ColourSkin(int keepHue = 0) {
  TBitmap32 master(60, 10, kOrange);
  MemorySkin s;
  s.Text("[GLOBALINFO]\nMASTERBITMAP=M.BMP\nBIKEEPHUE=" + std::to_string(keepHue) +
         "\nSHADOW1COLOR=$0000FF\n"
         "BICONCLOSE=@0000@0000@0010@0010@1@0\nBICONMAX=@0010@0000@0020@0010@1@0\n"
         "BOXCHECKED=@0020@0000@0030@0010@1@0\nBICONCLOSEGLOW0=!GLOW.BMP!1!0\n"
         "[BUTTON]\nCOLOR=$2080E0\nHOTCOLOR=$E08020\nFONTCOLOR=$00C000\nTCLEFT=-1\n"
         "GRADIENTDATA=255;65280;100;0;0\nGLYPHMASK=!OWN.BMP!1!0\n")
      .File("M.BMP", test::EncodeBmp(master, 24))
      .File("OWN.BMP", test::EncodeBmp(TBitmap32(4, 4, kOrange), 24))
      .File("GLOW.BMP", test::EncodeBmp(TBitmap32(4, 4, kOrange), 24));
  return s;
}

TEST(AdjustSkin, ZeroChangesNothing) {
  const auto a = ColourSkin().Load();
  const auto b = ColourSkin().Load();
  EXPECT_EQ(a->gd[1].Color, b->gd[1].Color);
  EXPECT_EQ(a->MasterBitmap.At(5, 5).U, kOrange);
}

TEST(AdjustSkin, HueTurnsImagesAndColoursButNotNoColour) {
  MemorySkin s = ColourSkin();
  s.Options.HueOffset = 120;
  const auto skin = s.Load();
  const TsGeneralData& b = skin->gd[1];
  EXPECT_EQ(b.Color, ChangeHue(120, TColor{0x2080E0}));
  EXPECT_EQ(b.HotColor, ChangeHue(120, TColor{0xE08020}));
  EXPECT_EQ(b.Props[0].Color, b.Color);
  EXPECT_EQ(b.FontColor.Color, ChangeHue(120, TColor{0x00C000}));
  EXPECT_EQ(b.FontColor.Left, -1);
  EXPECT_EQ(b.Props[0].FontColor.Left, -1);
  EXPECT_EQ((*b.GradientArray)[0].Color1, ChangeHue(120, TColor{255}));  // once, though shared
  EXPECT_EQ(skin->SkinData.Shadow1Color, ChangeHue(120, TColor{0x0000FF}));
  TBitmap32 expected(1, 1, kOrange);
  ChangeBmpHUE(expected.View(), 120);
  EXPECT_EQ(skin->MasterBitmap.At(25, 5).U, expected.At(0, 0).U);
  EXPECT_EQ(test::Image(*skin, "BUTTON", "GLYPHMASK")->Bmp->At(0, 0).U, expected.At(0, 0).U);
}

TEST(AdjustSkin, TitleButtonsThatKeepTheirHue) {
  TBitmap32 turned(1, 1, kOrange);
  ChangeBmpHUE(turned.View(), 90);
  const std::uint32_t t = turned.At(0, 0).U;
  struct Case {
    int keep;
    std::uint32_t close, max, box, closeGlow;
  };
  for (const Case& c : {Case{0, t, t, t, t}, Case{1, kOrange, kOrange, t, kOrange}, Case{2, kOrange, t, t, kOrange}}) {
    MemorySkin s = ColourSkin(c.keep);
    s.Options.HueOffset = 90;
    const auto skin = s.Load();
    EXPECT_EQ(skin->MasterBitmap.At(5, 5).U, c.close) << c.keep;
    EXPECT_EQ(skin->MasterBitmap.At(15, 5).U, c.max) << c.keep;
    EXPECT_EQ(skin->MasterBitmap.At(25, 5).U, c.box) << c.keep;
    EXPECT_EQ(test::Image(*skin, "GLOBALINFO", "BICONCLOSEGLOW0")->Bmp->At(1, 1).U, c.closeGlow) << c.keep;
  }
}

TEST(AdjustSkin, SaturationIsTakenModulo101) {
  for (const auto& [given, applied] : {std::pair{-150, -49}, std::pair{101, 0}, std::pair{40, 40}}) {
    MemorySkin s = ColourSkin();
    s.Options.Saturation = given;
    const auto skin = s.Load();
    EXPECT_EQ(skin->gd[1].Color, ChangeSaturation(TColor{0x2080E0}, applied)) << given;
    TBitmap32 expected(1, 1, kOrange);
    ChangeBmpSaturation(expected.View(), applied);
    EXPECT_EQ(skin->MasterBitmap.At(5, 5).U, expected.At(0, 0).U) << given;
    EXPECT_EQ(skin->gd[1].FontColor.Left, -1);
  }
}

TEST(AdjustSkin, BrightnessLeavesKeyPixelsAndStateCopies) {
  MemorySkin s = ColourSkin();
  auto skin = s.Load();
  skin->MasterBitmap.At(0, 0).U = kKeyPixel;
  ChangeSkinBrightness(*skin, 30);
  EXPECT_EQ(skin->MasterBitmap.At(0, 0).U, kKeyPixel);
  EXPECT_EQ(skin->MasterBitmap.At(5, 5).U,
            static_cast<std::uint32_t>(ChangeBrightness(static_cast<TColor>(kOrange), 30)));
  EXPECT_EQ(skin->gd[1].Color, ChangeBrightness(0x2080E0, 30));
  EXPECT_EQ(skin->gd[1].Props[0].Color, 0x2080E0);
}

// A load that fails leaves the records that were in use as they were.
TEST(ReplaceSkin, AFailedLoadKeepsTheOldSkin) {
  std::unique_ptr<TacSkinRecords> current;
  MemorySkin good = ColourSkin();
  ReplaceSkinRecords(current, good.Files, good.Options);
  ASSERT_TRUE(current);
  const TacSkinRecords* before = current.get();

  MemorySkin bad;
  bad.Text("[GLOBALINFO]\nSHADOW1BLUR=soft\n[BUTTON]\nCOLOR=1\n");
  EXPECT_THROW(ReplaceSkinRecords(current, bad.Files, bad.Options), EacSkinLoadError);
  MemorySkin corrupt = ColourSkin();
  corrupt.File("OWN.BMP", {1, 2, 3});
  EXPECT_THROW(ReplaceSkinRecords(current, corrupt.Files, corrupt.Options), EacSkinLoadError);
  TacMemorySkinFiles noDescription;
  EXPECT_THROW(ReplaceSkinRecords(current, noDescription, {}), EacSkinLoadError);

  EXPECT_EQ(current.get(), before);
  EXPECT_EQ(current->gd.size(), 2u);
  EXPECT_EQ(current->gd[1].Color, 0x2080E0);
  ASSERT_EQ(current->ma.size(), 5u);
  for (const TsMaskData& m : current->ma) EXPECT_EQ(m.Manager, current.get());

  MemorySkin other;
  other.Text("[EDIT]\n");
  ReplaceSkinRecords(current, other.Files, other.Options);
  EXPECT_EQ(current->gd.size(), 1u);
}

}  // namespace
}  // namespace skin
