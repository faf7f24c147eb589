#include "skin/core/acSkinDirectory.h"

#include <gtest/gtest.h>

#include "TempDir.h"

namespace skin {
namespace {

TEST(SkinDirectory, FullDirectoryAgainstTheProgramFolder) {
  const std::wstring program = L"C:\\App\\Bin\\";
  const struct {
    const wchar_t* stored;
    const wchar_t* full;
  } cases[] = {
      {L"..\\Skins", L"C:\\App\\Skins"},
      {L"../Skins", L"C:\\App\\Skins"},
      {L".\\Skins", L"C:\\App\\Bin\\Skins"},
      {L"./Skins", L"C:\\App\\Bin\\Skins"},
      {L"Skins", L"C:\\App\\Bin\\Skins"},
      {L"Skins\\Dark", L"C:\\App\\Bin\\Skins\\Dark"},
      {L"c:\\Skins", L"c:\\Skins"},
      {L"\\\\server\\share\\Skins", L"\\\\server\\share\\Skins"},
      {L"", L"C:\\App\\Bin\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetFullSkinDirectory(c.stored, program), c.full)
        << "stored: " << ::testing::PrintToString(std::wstring(c.stored));
  }
}

TEST(SkinDirectory, PackedSuffixIsCutWhenANameIsLeft) {
  EXPECT_EQ(CutPackedSuffix(L"Ubuntu.asz"), L"Ubuntu");
  EXPECT_EQ(CutPackedSuffix(L"Ubuntu.ASZ"), L"Ubuntu");
  EXPECT_EQ(CutPackedSuffix(L"x.asz"), L"x");
  EXPECT_EQ(CutPackedSuffix(L".asz"), L".asz");
  EXPECT_EQ(CutPackedSuffix(L"Ubuntu"), L"Ubuntu");
  EXPECT_EQ(CutPackedSuffix(L"Ubuntu.aszx"), L"Ubuntu.aszx");
}

TEST(SkinDirectory, SkinNamesOfAFolder) {
  skin::testing::TempDir dir;
  std::filesystem::create_directories(dir / "Zeta");
  skin::testing::WriteFile(dir / "Zeta" / "Options.dat", "[GLOBALINFO]\n");
  std::filesystem::create_directories(dir / "NoOptions");  // a folder without a description is no skin
  std::filesystem::create_directories(dir / ".hidden");
  skin::testing::WriteFile(dir / ".hidden" / "Options.dat", "");
  skin::testing::WriteFile(dir / "a.b.asz", "");
  skin::testing::WriteFile(dir / "Beta.asz", "");
  skin::testing::WriteFile(dir / "Upper.ASZ", "");  // the extension must be exactly ".asz"
  skin::testing::WriteFile(dir / ".dot.asz", "");
  skin::testing::WriteFile(dir / "notes.txt", "");

  const auto all = CollectSkinNames({L"Tarvisel (internal)"}, dir.Path(), TacSkinTypes::stAllSkins);
  EXPECT_EQ(all.Names, (std::vector<std::wstring>{L"a", L"Beta", L"Tarvisel (internal)", L"Zeta"}));
  EXPECT_EQ(all.First, L"Tarvisel (internal)");

  EXPECT_EQ(CollectSkinNames({}, dir.Path(), TacSkinTypes::stPacked).Names, (std::vector<std::wstring>{L"a", L"Beta"}));
  const auto unpacked = CollectSkinNames({}, dir.Path(), TacSkinTypes::stUnpacked);
  EXPECT_EQ(unpacked.Names, (std::vector<std::wstring>{L"Zeta"}));
  EXPECT_EQ(unpacked.First, L"Zeta");

  const auto missing = CollectSkinNames({L"Only"}, dir / "absent", TacSkinTypes::stAllSkins);
  EXPECT_EQ(missing.Names, (std::vector<std::wstring>{L"Only"}));
  EXPECT_TRUE(CollectSkinNames({}, dir / "absent", TacSkinTypes::stAllSkins).First.empty());
}

}  // namespace
}  // namespace skin
