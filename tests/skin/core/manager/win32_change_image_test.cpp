// Replacing an image of the loaded skin through the manager: a texture that changes kind moves a
// record, and the manager rebuilds its indexes and announces the skin without a repaint; run
// under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ManagerFixture.h"
#include "classlib/JpegCodec.h"
#include "skin/core/sChangeImageWin32.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::testing;

std::vector<std::uint8_t> Jpeg(int w, int h) {
  jpeg::Image img;
  img.Width = w;
  img.Height = h;
  img.Channels = 3;
  img.Pixels.assign(static_cast<std::size_t>(w) * h * 3, 0x80);
  return jpeg::Encode(img, 80);
}

struct ChangeImage : ManagerOnAForm {
  void SetUp() override {
    ManagerOnAForm::SetUp();
    // Two small JPEG textures, kept as bitmap images: FORM's first, PANEL's last.
    const fs::path skin = folder.path / L"Textures";
    fs::create_directories(skin);
    const std::string options =
        "[GLOBALINFO]\r\nVERSION=7.56\r\n[FORM]\r\nPATTERN=A.JPG\r\n[PANEL]\r\nPATTERN=B.JPG\r\n";
    WriteBytes(skin / L"Options.dat", std::vector<std::uint8_t>(options.begin(), options.end()));
    WriteBytes(skin / L"A.JPG", Jpeg(10, 10));
    WriteBytes(skin / L"B.JPG", Jpeg(20, 20));
    WriteBytes(folder.path / L"new.jpg", Jpeg(30, 30));
    manager->SetSkinName(L"Textures");
    ASSERT_TRUE(boxes.texts.empty());
    ASSERT_EQ(manager->Records().ma.size(), 2u);
    form->commands.clear();
  }
  int PanelTexture() const {
    const TacSkinRecords& r = manager->Records();
    return r.gd[static_cast<std::size_t>(r.GetSkinIndex("PANEL"))].TextureNormal;
  }
};

TEST_F(ChangeImage, AMovedRecordIsAnnouncedWithRebuiltIndexes) {
  ASSERT_EQ(PanelTexture(), 1);
  EXPECT_FALSE(ChangeImageInSkin(L"Form", L"Pattern", (folder.path / L"new.jpg").wstring(), manager.get()));
  const TacSkinRecords& r = manager->Records();
  ASSERT_EQ(r.ma.size(), 1u);
  EXPECT_EQ(PanelTexture(), 0) << "the index PANEL holds follows its record";
  EXPECT_EQ(r.ma[static_cast<std::size_t>(PanelTexture())].ClassName, "PANEL");
  EXPECT_TRUE(r.SkinData.Active);
  EXPECT_EQ(form->Count(ACMD_NEWSKIN), 1);
  EXPECT_EQ(form->Count(ACMD_REFRESH), 0);
}

TEST_F(ChangeImage, NothingHappensWithoutASkinANameOrTheFile) {
  const std::wstring file = (folder.path / L"new.jpg").wstring();
  EXPECT_FALSE(ChangeImageInSkin(L"", L"PATTERN", file, manager.get()));
  EXPECT_FALSE(ChangeImageInSkin(L"FORM", L"", file, manager.get()));
  EXPECT_FALSE(ChangeImageInSkin(L"FORM", L"PATTERN", (folder.path / L"missing.jpg").wstring(), manager.get()));
  manager->SetActive(false);
  form->commands.clear();
  EXPECT_FALSE(ChangeImageInSkin(L"FORM", L"PATTERN", file, manager.get()));
  EXPECT_TRUE(form->commands.empty());
}

}  // namespace
}  // namespace skin
