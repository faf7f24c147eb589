#pragma once
// The live-preview block a skin editor sends (by WM_COPYDATA) to show a skin it is editing:
// a signed 32-bit magic 0xA400, then the skin's name (128 bytes), its folder (513 bytes) and the
// text of its "Options.dat" (30001 bytes), each 8-bit text in the sender's ANSI code page ending
// at its first zero byte within its field. Fields follow each other without gaps.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace skin {

inline constexpr std::int32_t kSkinDataMagic = 0xA400;
inline constexpr std::size_t kSkinDataNameSize = 128;
inline constexpr std::size_t kSkinDataDirSize = 513;
inline constexpr std::size_t kSkinDataTextSize = 30001;
inline constexpr std::size_t kSkinDataSize = 4 + kSkinDataNameSize + kSkinDataDirSize + kSkinDataTextSize;

// The block's texts as the sender's 8-bit bytes.
struct TacSkinData {
  std::string SkinName;
  std::string SkinDir;
  std::string Data;
};

// The texts of a block; nullopt when the block is shorter than a whole one or its magic is not
// 0xA400. A text without a zero byte takes its whole field, never more.
std::optional<TacSkinData> ParseSkinData(std::span<const std::uint8_t> Block);

// A block holding the texts, each cut to leave room for its zero byte (for senders and tests).
std::string MakeSkinDataBlock(std::string_view SkinName, std::string_view SkinDir, std::string_view Data,
                              std::int32_t Magic = kSkinDataMagic);

}  // namespace skin
