// The live-preview block a skin editor sends.
#include "skin/core/acSkinPreview.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace skin {
namespace {

// The block laid out by hand at the offsets of the format: magic at 0, name at 4, folder at 132,
// options text at 645, 30646 bytes in all.
std::vector<std::uint8_t> HandBlock(std::uint32_t magic) {
  std::vector<std::uint8_t> block(30646, 0);
  block[0] = static_cast<std::uint8_t>(magic);
  block[1] = static_cast<std::uint8_t>(magic >> 8);
  block[2] = static_cast<std::uint8_t>(magic >> 16);
  block[3] = static_cast<std::uint8_t>(magic >> 24);
  std::memcpy(&block[4], "Tarvisel", 8);
  std::memcpy(&block[132], "c:\\Skins", 8);
  std::memcpy(&block[645], "[GLOBALINFO]\r\nVERSION=7.56", 26);
  return block;
}

TEST(SkinPreview, ReadsTheFieldsOfAWholeBlock) {
  const std::optional<TacSkinData> data = ParseSkinData(HandBlock(0xA400));
  ASSERT_TRUE(data);
  EXPECT_EQ(data->SkinName, "Tarvisel");
  EXPECT_EQ(data->SkinDir, "c:\\Skins");
  EXPECT_EQ(data->Data, "[GLOBALINFO]\r\nVERSION=7.56");
  // A longer block is read as far as the format goes.
  std::vector<std::uint8_t> longer = HandBlock(0xA400);
  longer.resize(40000, 'x');
  EXPECT_TRUE(ParseSkinData(longer));
}

TEST(SkinPreview, RefusesAnotherMagicAndAShortBlock) {
  EXPECT_FALSE(ParseSkinData(HandBlock(0xA401)));
  EXPECT_FALSE(ParseSkinData(HandBlock(0x0000A400u | 0x10000u)));
  std::vector<std::uint8_t> shorter = HandBlock(0xA400);
  shorter.resize(30645);
  EXPECT_FALSE(ParseSkinData(shorter));
  EXPECT_FALSE(ParseSkinData({}));
}

TEST(SkinPreview, ATextWithoutItsZeroEndsAtItsField) {
  std::vector<std::uint8_t> block = HandBlock(0xA400);
  std::memset(&block[4], 'N', 128);    // the name fills its field
  std::memset(&block[132], 'D', 513);  // the folder too, the text's first bytes follow it
  std::memset(&block[645], 'T', 30001);
  const std::optional<TacSkinData> data = ParseSkinData(block);
  ASSERT_TRUE(data);
  EXPECT_EQ(data->SkinName, std::string(128, 'N'));
  EXPECT_EQ(data->SkinDir, std::string(513, 'D'));
  EXPECT_EQ(data->Data, std::string(30001, 'T'));
}

TEST(SkinPreview, BlocksMadeForSendersMatchTheLayout) {
  const std::string made = MakeSkinDataBlock("Tarvisel", "c:\\Skins", "[GLOBALINFO]\r\nVERSION=7.56");
  const std::vector<std::uint8_t> hand = HandBlock(0xA400);
  EXPECT_EQ(std::vector<std::uint8_t>(made.begin(), made.end()), hand);
  // Over-long texts keep the zero byte of their field.
  const std::string cut = MakeSkinDataBlock(std::string(200, 'n'), "", "");
  const std::optional<TacSkinData> data =
      ParseSkinData(std::span(reinterpret_cast<const std::uint8_t*>(cut.data()), cut.size()));
  ASSERT_TRUE(data);
  EXPECT_EQ(data->SkinName, std::string(127, 'n'));
}

}  // namespace
}  // namespace skin
