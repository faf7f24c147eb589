#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "skin/core/acSkinBitmaps.h"
#include "skin/core/acSkinFiles.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/acSkinRecords.h"
#include "tools/skindump/SkinCoverage.h"
#include "tools/skingen/OurSkin.h"

namespace skin {
namespace {

namespace fs = std::filesystem;
const fs::path kResources = TARVISEL_SKIN_RESOURCES;

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Regenerate with (from the host build's tools):
//   skingen resources/skin/Tarvisel && skinpack pack resources/skin/Tarvisel resources/skin/Tarvisel.asz
TEST(OurSkin, CommittedFilesEqualTheGeneratorsOutput) {
  const skingen::SkinFiles generated = skingen::BuildOurSkin({});
  std::size_t committed = 0;
  for (const auto& entry : fs::directory_iterator(kResources / "Tarvisel")) {
    ++committed;
    const std::string name = entry.path().filename().string();
    const auto it = generated.find(name);
    ASSERT_NE(it, generated.end()) << name << " is committed but not generated";
    EXPECT_TRUE(ReadFile(entry.path()) == it->second) << name << " differs from what skingen makes now";
  }
  EXPECT_EQ(committed, generated.size());

  // The packed file holds the same files (compared unpacked, whatever zlib made of them).
  const std::vector<TacPackedEntry> entries = ReadPackedEntries(ReadFile(kResources / "Tarvisel.asz"));
  ASSERT_EQ(entries.size(), generated.size());
  EXPECT_EQ(entries[0].Name, "Options.dat");
  for (const TacPackedEntry& e : entries) {
    const auto it = generated.find(e.Name);
    ASSERT_NE(it, generated.end()) << e.Name;
    EXPECT_TRUE(e.Data == it->second) << e.Name << " in Tarvisel.asz differs from what skingen makes now";
  }
}

// Regenerate with: skingen --shadows resources/shadows
TEST(OurSkin, CommittedBuiltInShadowsEqualTheGeneratorsOutput) {
  const skingen::SkinFiles generated = skingen::BuiltInShadows();
  ASSERT_EQ(generated.size(), 2u);
  for (const auto& [name, bytes] : generated) {
    EXPECT_TRUE(ReadFile(kResources.parent_path() / "shadows" / name) == bytes)
        << name << " differs from what skingen makes now";
  }
  // Sizes and look, decoded by the engine's own reader: black, the middle darker than the edge,
  // the active shadow darker than the inactive one.
  const TBitmap32 active = DecodeSkinPng(generated.at("acSHDA.png"), true, 1 << 20);
  const TBitmap32 inactive = DecodeSkinPng(generated.at("acSHDI.png"), true, 1 << 20);
  ASSERT_EQ(active.Width(), 32);
  ASSERT_EQ(active.Height(), 32);
  ASSERT_EQ(inactive.Width(), 31);
  ASSERT_EQ(inactive.Height(), 31);
  const auto alpha = [](const TBitmap32& b, int x, int y) { return b.At(x, y).U >> 24; };
  EXPECT_EQ(active.At(16, 16).U & 0xFFFFFFu, 0u);
  EXPECT_EQ(alpha(active, 0, 0), 0u);
  EXPECT_GT(alpha(active, 16, 16), alpha(active, 16, 4));
  EXPECT_GT(alpha(active, 16, 4), 0u);
  EXPECT_GT(alpha(active, 16, 16), alpha(inactive, 15, 15));
}

// Regenerate with: skingen --light resources/light
TEST(OurSkin, CommittedGaugeLightEqualsTheGeneratorsOutput) {
  const std::vector<std::uint8_t> generated = skingen::GaugeLight().at("acGL.png");
  EXPECT_TRUE(ReadFile(kResources.parent_path() / "light" / "acGL.png") == generated)
      << "acGL.png differs from what skingen makes now";
  // Grey (white, as the reader hands it over), 300 long; no light at the ends, the most in the middle.
  const TBitmap32 light = DecodeSkinPng(generated, true, 1 << 20);
  ASSERT_EQ(light.Width(), 300);
  ASSERT_EQ(light.Height(), 40);
  const auto alpha = [&](int x, int y) { return light.At(x, y).U >> 24; };
  const std::uint32_t middle = light.At(150, 20).U;
  EXPECT_GT(middle & 0xFF, 0u);
  EXPECT_EQ(middle & 0xFF, middle >> 8 & 0xFF);
  EXPECT_EQ(middle & 0xFF, middle >> 16 & 0xFF);
  EXPECT_EQ(alpha(0, 20), 0u);
  EXPECT_EQ(alpha(299, 20), 0u);
  EXPECT_GT(alpha(150, 20), 100u);
  EXPECT_GT(alpha(150, 20), alpha(150, 0));
  EXPECT_GT(alpha(150, 20), alpha(40, 20));
}

TEST(OurSkin, LoadsWithEveryNameTheEngineAsksFor) {
  const TacPackedSkinFiles packed(ReadFile(kResources / "Tarvisel.asz"));
  const TacFolderSkinFiles folder(kResources / "Tarvisel");
  for (const TacSkinFiles* files :
       {static_cast<const TacSkinFiles*>(&packed), static_cast<const TacSkinFiles*>(&folder)}) {
    const auto skin = LoadSkinRecords(*files, {});
    for (const TacSkinNotice& n : skin->Notices) ADD_FAILURE() << n.Section << "/" << n.Key << ": " << n.Text;
    for (const std::string& name : skindump::MissingNames(*skin)) ADD_FAILURE() << "missing " << name;
    // Loads without a version notice; its PNG images are premultiplied.
    EXPECT_EQ(CheckVersion(skin->SkinData.Version), TacVersionNotice::None);
    EXPECT_GE(skin->SkinData.Version, 7.45);
    EXPECT_EQ(skin->MasterBitmap.Width(), 512);
    // Every control that paints a border finds one, and every look has a readable text colour.
    for (const TsGeneralData& g : skin->gd) {
      const TColor text = g.Props[0].FontColor.Color;
      EXPECT_NE(text, g.Props[0].Color) << g.ClassName;
    }
  }
}

TEST(OurSkin, ControlsHaveDistinctHotAndPressedLooks) {
  const auto skin = LoadSkinRecords(TacPackedSkinFiles(ReadFile(kResources / "Tarvisel.asz")), {});
  for (const char* section : {"BUTTON", "SPEEDBUTTON", "TOOLBUTTON", "MENUBTN", "UPDOWNBTN", "COMBOBTN", "TABTOP",
                              "SCROLLBTNTOP", "SCROLLSLIDERH", "SCROLLSLIDERV"}) {
    const int index = skin->GetSkinIndex(section);
    ASSERT_GE(index, 0) << section;
    EXPECT_GE(skin->gd[static_cast<std::size_t>(index)].States, 3) << section;
    const int border = skin->gd[static_cast<std::size_t>(index)].BorderIndex;
    ASSERT_GE(border, 0) << section;
    const TsMaskData& m = skin->ma[static_cast<std::size_t>(border)];
    ASSERT_EQ(m.ImageCount, 3) << section;
    // The middle pixel of the hot and of the pressed cell differ.
    const int w = WidthOfImage(m), h = HeightOfImage(m);
    const TImage32View src = m.Source();
    EXPECT_NE(src.At(m.R.Left + w + w / 2, m.R.Top + h / 2).U, src.At(m.R.Left + 2 * w + w / 2, m.R.Top + h / 2).U)
        << section;
  }
}

}  // namespace
}  // namespace skin
