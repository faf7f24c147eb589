#include "skin/core/acSkinPreview.h"

#include <algorithm>
#include <cstring>

namespace skin {
namespace {

std::string FieldText(std::span<const std::uint8_t> field) {
  const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
  return std::string(field.begin(), end);
}

void PutField(std::string& block, std::size_t offset, std::size_t size, std::string_view text) {
  const std::size_t length = std::min(text.size(), size - 1);
  std::memcpy(block.data() + offset, text.data(), length);
}

}  // namespace

std::optional<TacSkinData> ParseSkinData(std::span<const std::uint8_t> Block) {
  if (Block.size() < kSkinDataSize) return std::nullopt;
  // Little-endian, as every sender on Windows writes it.
  const std::uint32_t magic = static_cast<std::uint32_t>(Block[0]) | static_cast<std::uint32_t>(Block[1]) << 8 |
                              static_cast<std::uint32_t>(Block[2]) << 16 | static_cast<std::uint32_t>(Block[3]) << 24;
  if (magic != static_cast<std::uint32_t>(kSkinDataMagic)) return std::nullopt;
  TacSkinData data;
  std::size_t offset = 4;
  data.SkinName = FieldText(Block.subspan(offset, kSkinDataNameSize));
  offset += kSkinDataNameSize;
  data.SkinDir = FieldText(Block.subspan(offset, kSkinDataDirSize));
  offset += kSkinDataDirSize;
  data.Data = FieldText(Block.subspan(offset, kSkinDataTextSize));
  return data;
}

std::string MakeSkinDataBlock(std::string_view SkinName, std::string_view SkinDir, std::string_view Data,
                              std::int32_t Magic) {
  std::string block(kSkinDataSize, '\0');
  const auto magic = static_cast<std::uint32_t>(Magic);
  for (int i = 0; i < 4; ++i) block[static_cast<std::size_t>(i)] = static_cast<char>(magic >> (8 * i) & 0xFF);
  PutField(block, 4, kSkinDataNameSize, SkinName);
  PutField(block, 4 + kSkinDataNameSize, kSkinDataDirSize, SkinDir);
  PutField(block, 4 + kSkinDataNameSize + kSkinDataDirSize, kSkinDataTextSize, Data);
  return block;
}

}  // namespace skin
