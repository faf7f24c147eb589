// The skin manager on real windows under Wine: where a skin is loaded from, what a failed load
// leaves, and the skin commands every change sends to the application's forms.
#include <windows.h>

#include <gtest/gtest.h>

#include "ManagerFixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Dialogs.h"
#include "classlib/FormLoader.h"
#include "classlib/FormReader.h"
#include "classlib/Forms.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::testing;
namespace fs = std::filesystem;

struct Manager : ManagerOnAForm {
  void SetUp() override {
    ManagerOnAForm::SetUp();
    TsStoredSkin* internal = manager->InternalSkins().Add();
    internal->Name = L"Tarvisel (internal)";
    internal->Data = OurSkin();
    ASSERT_FALSE(internal->Data.empty());
  }
  void UnpackInto(const std::wstring& name) {
    const fs::path packed = folder.path / L"unpack.asz";
    WriteBytes(packed, OurSkin());
    UnpackSkinFile(packed, folder.path / name);
    fs::remove(packed);
  }
};

TEST_F(Manager, WithoutASkinOfThatNameTheInternalSkinLoads) {
  EXPECT_EQ(manager->InternalSkins().IndexOf(L"Tarvisel (internal)"), 0);
  EXPECT_EQ(manager->InternalSkins().IndexOf(L"tarvisel (internal)"), -1) << "names are compared exactly";
  manager->SetSkinName(L"Tarvisel");
  EXPECT_EQ(manager->SkinName(), L"Tarvisel (internal)");
  EXPECT_EQ(manager->SkinInfo(), L"7.56");
  EXPECT_TRUE(manager->SkinIsPacked);
  EXPECT_GE(manager->GetSkinIndex("BUTTON"), 0);
  EXPECT_EQ(form->Count(ACMD_NEWSKIN), 1);
  EXPECT_FALSE(aSkinChanging);
  EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(Manager, FolderBeforeInternalSkinAndPackedFileBeforeFolder) {
  UnpackInto(L"Tarvisel");
  manager->SetSkinName(L"Tarvisel");
  EXPECT_EQ(manager->SkinName(), L"Tarvisel");
  EXPECT_FALSE(manager->SkinIsPacked);
  EXPECT_EQ(manager->SkinInfo(), L"7.56");

  // A relative skin directory finds the packed file too.
  WriteBytes(folder.path / L"Tarvisel.asz", OurSkin());
  manager->SetSkinName(L"Tarvisel.asz");
  EXPECT_EQ(manager->SkinName(), L"Tarvisel");
  EXPECT_TRUE(manager->SkinIsPacked);
  EXPECT_EQ(manager->SkinInfo(), L"7.56");
  EXPECT_TRUE(boxes.texts.empty());

  const TacSkinNameList names = manager->GetSkinNames();
  EXPECT_EQ(names.Names, (std::vector<std::wstring>{L"Tarvisel", L"Tarvisel", L"Tarvisel (internal)"}));
  EXPECT_EQ(names.First, L"Tarvisel (internal)");
}

TEST_F(Manager, ADamagedPackedFileIsReportedAndTheSkinInUseStays) {
  manager->SetSkinName(L"Tarvisel");
  const TacSkinRecords* before = &manager->Records();
  const std::size_t sections = before->gd.size();
  WriteBytes(folder.path / L"Broken.asz", {'n', 'o', 't', ' ', 'a', ' ', 's', 'k', 'i', 'n'});
  manager->SetSkinName(L"Broken");
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find(L"packed"), std::wstring::npos) << "the container's own message";
  EXPECT_EQ(manager->SkinName(), L"Tarvisel (internal)");
  EXPECT_EQ(&manager->Records(), before);
  EXPECT_EQ(manager->Records().gd.size(), sections);
  EXPECT_EQ(manager->SkinInfo(), L"7.56");
  EXPECT_FALSE(aSkinChanging);
  EXPECT_FALSE(RestrictDrawing);
}

TEST_F(Manager, ActiveOffRemovesOnceActiveOnLoadsAgain) {
  manager->SetSkinName(L"Tarvisel");
  form->commands.clear();
  manager->SetActive(false);
  EXPECT_EQ(form->Count(ACMD_REMOVESKIN), 1);
  EXPECT_TRUE(manager->Records().gd.empty());
  EXPECT_EQ(manager->SkinInfo(), L"N/A");
  manager->SetActive(false);
  EXPECT_EQ(form->Count(ACMD_REMOVESKIN), 1);
  manager->SetActive(true);
  EXPECT_EQ(form->Count(ACMD_NEWSKIN), 1);
  EXPECT_FALSE(manager->Records().gd.empty());
}

TEST_F(Manager, HueOffsetRepaintsWithoutANewSkin) {
  manager->SetSkinName(L"Tarvisel");
  const int progress = manager->GetSkinIndex("PROGRESSH");  // a section of a strong colour
  ASSERT_GE(progress, 0);
  const TColor before = manager->Records().gd[static_cast<size_t>(progress)].Color;
  form->commands.clear();
  manager->SetHueOffset(120);
  EXPECT_EQ(form->Count(ACMD_STOPFADE), 1);
  EXPECT_EQ(form->Count(ACMD_REFRESH), 1);
  EXPECT_EQ(form->Count(ACMD_NEWSKIN), 0);
  EXPECT_NE(manager->Records().gd[static_cast<size_t>(progress)].Color, before);
  EXPECT_EQ(manager->SkinInfo(), L"7.56");
}

TEST_F(Manager, EndUpdateSendsWhatBeginUpdateHeld) {
  manager->BeginUpdate();
  manager->SetSkinName(L"Tarvisel");
  EXPECT_EQ(form->Count(ACMD_NEWSKIN), 0);
  manager->EndUpdate(true);
  EXPECT_EQ(form->Count(ACMD_NEWSKIN), 1);
  EXPECT_EQ(form->Count(ACMD_REFRESH), 1);
}

TEST_F(Manager, WithoutAnySkinTheManagerTurnsInactive) {
  manager->InternalSkins().Clear();
  manager->SetSkinName(L"Nowhere");
  EXPECT_FALSE(manager->Active());
  EXPECT_EQ(form->Count(ACMD_REMOVESKIN), 1);
  EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(Manager, ASkinOfANewerVersionWarnsAndLoads) {
  UnpackInto(L"Newer");
  const fs::path options = folder.path / L"Newer" / L"Options.dat";
  std::ifstream in(options, std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  in.close();
  const auto at = text.find("VERSION=");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, text.find_first_of("\r\n", at) - at, "VERSION=8");
  std::ofstream(options, std::ios::binary) << text;
  manager->SetSkinName(L"Newer");
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0].rfind(L"This version of the skin have not complete support", 0), 0u);
  EXPECT_EQ(manager->SkinName(), L"Newer");
  EXPECT_EQ(manager->SkinInfo(), L"8");
}

TEST_F(Manager, InternalSkinsAreExtractedByExactName) {
  manager->ExtractInternalSkin(L"tarvisel (internal)", folder.path.wstring());
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], L"Skin does not exists.");
  manager->ExtractInternalSkin(L"Tarvisel (internal)", (folder.path / L"absent").wstring());
  ASSERT_EQ(boxes.texts.size(), 2u);
  EXPECT_EQ(boxes.texts[1], L"Directory does not exists.");
  manager->ExtractInternalSkin(L"Tarvisel (internal)", folder.path.wstring());
  EXPECT_EQ(boxes.texts.size(), 2u);
  std::ifstream in(folder.path / L"Tarvisel (internal) extracted.asz", std::ios::binary);
  const std::vector<std::uint8_t> written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_TRUE(written == OurSkin());
}

TEST_F(Manager, ASectionChangeIsAnnouncedWithItsUpperCaseName) {
  manager->UpdateSkinSection("Button");
  EXPECT_EQ(GlobalSectionName, "BUTTON");
  EXPECT_EQ(form->Count(ACMD_SECTIONCHANGED), 1);
  EXPECT_EQ(form->Count(ACMD_NEWSKIN), 0);
}

TEST(ManagerDescription, ReadsItsInternalSkinBeforeLoadingAndAnnouncesOnceLoaded) {
  RegisterSkinManagerClasses();
  SkinFolder folder;
  BoxRecorder boxes;
  std::string hex;
  for (std::uint8_t b : OurSkin()) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    hex += kDigits[b >> 4];
    hex += kDigits[b & 15];
  }
  // SkinName stands first: the skin must still be looked for with the directory and skins below.
  const std::string text =
      "object Root: TCountingForm\n"
      "  object sSkinManager1: TsSkinManager\n"
      "    SkinName = 'Tarvisel'\n"
      "    SkinDirectory = '.\\manager-test-skins'\n"
      "    InternalSkins = <\n"
      "      item\n"
      "        Name = 'Tarvisel (internal)'\n"
      "        Data = {" +
      hex +
      "}\n"
      "      end>\n"
      "  end\n"
      "end\n";
  Owned<TCountingForm> form{Create<TCountingForm>(Application)};
  form->Handle();
  TFormBindings bindings(form.get());
  ApplyDescription(form.get(), forms::ReadForm(text), bindings);
  auto* manager = dynamic_cast<TsSkinManager*>(form->FindComponent(L"sSkinManager1"));
  ASSERT_NE(manager, nullptr);
  EXPECT_EQ(manager->SkinDirectory(), L".\\manager-test-skins");
  EXPECT_EQ(manager->SkinName(), L"Tarvisel (internal)");
  EXPECT_EQ(manager->SkinInfo(), L"7.56");
  EXPECT_EQ(manager->Version(), L"7.56");
  EXPECT_EQ(form->Count(ACMD_NEWSKIN), 1);
  EXPECT_EQ(form->Count(ACMD_REFRESH), 0) << "Loaded announces without a repaint";
  EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(Manager, ExtendedBordersReloadWithTheSkinsShadowAndRepaintWithoutANewSkin) {
  manager->SetSkinName(L"Tarvisel");
  ASSERT_EQ(manager->SkinInfo(), L"7.56");
  EXPECT_TRUE(manager->Records().ShdaTemplate.Empty());
  form->commands.clear();
  manager->SetExtendedBorders(true);
  ASSERT_TRUE(manager->ExtendedBorders()) << "Wine has layered windows";
  // Our skin's shadow image holds two cells of 40 x 40 (tools/skingen).
  EXPECT_EQ(manager->Records().ShdaTemplate.Width(), 40);
  EXPECT_EQ(manager->Records().ShdiTemplate.Height(), 40);
  EXPECT_EQ(form->Count(ACMD_STOPFADE), 1);
  EXPECT_EQ(form->Count(ACMD_REFRESH), 1);
  EXPECT_EQ(form->Count(ACMD_NEWSKIN), 0);
  manager->SetExtendedBorders(false);
  EXPECT_EQ(manager->Records().FormShadowSize, TRect{});
}

TEST_F(Manager, CommonSectionsAddWhatTheSkinLacksAndReload) {
  manager->SetSkinName(L"Tarvisel");
  const int button = manager->GetSkinIndex("BUTTON");
  ASSERT_GE(button, 0);
  const int buttonTransparency = manager->Records().gd[static_cast<size_t>(button)].Transparency;
  ASSERT_LT(manager->GetSkinIndex("PROBEPANEL"), 0);
  form->commands.clear();
  // Blanks go from every line but comments; a section the skin has stays as the skin says.
  manager->SetCommonSections({L"[PROBEPANEL]", L"; a comment keeps its blanks", L"PARENTCLASS = button",
                              L"TRANSPARENCY = 37", L"[BUTTON]", L"TRANSPARENCY=99"});
  EXPECT_EQ(manager->CommonSections()[2], L"PARENTCLASS=button");
  EXPECT_EQ(manager->CommonSections()[1], L"; a comment keeps its blanks");
  const int added = manager->GetSkinIndex("PROBEPANEL");
  ASSERT_GE(added, 0);
  const TsGeneralData& g = manager->Records().gd[static_cast<size_t>(added)];
  EXPECT_EQ(g.ParentClass, "BUTTON");
  EXPECT_EQ(g.Transparency, 37);
  EXPECT_EQ(manager->Records().gd[static_cast<size_t>(manager->GetSkinIndex("BUTTON"))].Transparency,
            buttonTransparency);
  EXPECT_EQ(form->Count(ACMD_NEWSKIN), 1) << "the skin is loaded again and announced";
  manager->SetCommonSections({});
  EXPECT_LT(manager->GetSkinIndex("PROBEPANEL"), 0);
}

}  // namespace
}  // namespace skin
