#pragma once
// PNG chunk framing over bytes in memory: the signature, chunk headers, CRC-checked chunk data
// and skipping. Every length is checked against the bytes that are really there.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace skin {

inline constexpr std::array<std::uint8_t, 8> PNGMagic = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

using TChunkType = std::array<char, 4>;

struct TPNGChunkHeader {
  std::uint32_t Length = 0;  // host order
  TChunkType ChunkType{};
};

// Byte order reversal of one 32-bit value, and of Count consecutive values in place.
constexpr std::uint32_t SwapLong(std::uint32_t Value) {
  return (Value >> 24) | ((Value >> 8) & 0xFF00u) | ((Value << 8) & 0xFF0000u) | (Value << 24);
}
void SwapLong(std::uint32_t* P, std::size_t Count);

inline std::uint32_t ReadBigEndian32(const std::uint8_t* p) {
  return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
         (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
}
inline std::uint16_t ReadBigEndian16(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }

// Chunk types compare with bit 5 of every letter ignored: "Idat" is IDAT.
bool SameChunkType(const TChunkType& a, const TChunkType& b);
// Bit 5 of the first letter clear: a decoder must understand the chunk.
inline bool IsCritical(const TChunkType& t) { return (t[0] & 0x20) == 0; }

inline constexpr TChunkType kIHDR{'I', 'H', 'D', 'R'}, kPLTE{'P', 'L', 'T', 'E'}, kIDAT{'I', 'D', 'A', 'T'},
    kIEND{'I', 'E', 'N', 'D'}, kgAMA{'g', 'A', 'M', 'A'}, kbKGD{'b', 'K', 'G', 'D'}, ktRNS{'t', 'R', 'N', 'S'};

// The CRC-32 of PNG over the type and then the data of a chunk.
std::uint32_t ChunkCRC(const TChunkType& type, std::span<const std::uint8_t> data);

class TChunkReader {
 public:
  TChunkReader(std::span<const std::uint8_t> data, std::size_t position) : data_(data), position_(position) {}

  // Reads the 8-byte header at the current position (EReadError when the data ends there,
  // EInvalidGraphic for a length of 2^31 or more).
  const TPNGChunkHeader& ReadHeader();
  // The current chunk's data after its CRC matched (EReadError when data or CRC are cut off,
  // EInvalidGraphic on a mismatch); the position moves past the CRC.
  std::span<const std::uint8_t> ReadDataAndCheckCRC();
  // Moves past the current chunk's data and CRC without reading them; stops at the end.
  void SkipData();

  const TPNGChunkHeader& Header() const { return header_; }
  bool IsChunk(const TChunkType& type) const { return SameChunkType(header_.ChunkType, type); }
  std::size_t Position() const { return position_; }
  std::size_t Remaining() const { return data_.size() - position_; }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t position_;
  TPNGChunkHeader header_;
};

}  // namespace skin
