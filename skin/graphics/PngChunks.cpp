#include "skin/graphics/PngChunks.h"

#include <zlib.h>

#include <algorithm>

#include "skin/graphics/GraphicErrors.h"
#include "skin/graphics/PngMessages.h"

namespace skin {

void SwapLong(std::uint32_t* P, std::size_t Count) {
  for (std::size_t i = 0; i < Count; ++i) P[i] = SwapLong(P[i]);
}

bool SameChunkType(const TChunkType& a, const TChunkType& b) {
  for (int i = 0; i < 4; ++i)
    if ((a[static_cast<std::size_t>(i)] | 0x20) != (b[static_cast<std::size_t>(i)] | 0x20)) return false;
  return true;
}

std::uint32_t ChunkCRC(const TChunkType& type, std::span<const std::uint8_t> data) {
  uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type.data()), 4);
  // zlib answers 0 for a null buffer: a chunk without data keeps the CRC of its type.
  if (data.empty()) return static_cast<std::uint32_t>(crc);
  // zlib takes 32-bit lengths; chunks are below 2^31 bytes anyway.
  return static_cast<std::uint32_t>(crc32(crc, data.data(), static_cast<uInt>(data.size())));
}

const TPNGChunkHeader& TChunkReader::ReadHeader() {
  if (Remaining() < 8) throw EReadError(png_messages::kReadError);
  const std::uint8_t* p = data_.data() + position_;
  header_.Length = ReadBigEndian32(p);
  std::copy_n(p + 4, 4, header_.ChunkType.begin());
  position_ += 8;
  if (header_.Length > 0x7FFFFFFFu) throw EInvalidGraphic(png_messages::kInvalidFormat);
  return header_;
}

std::span<const std::uint8_t> TChunkReader::ReadDataAndCheckCRC() {
  const std::size_t length = header_.Length;
  if (Remaining() < 4 || Remaining() - 4 < length) throw EReadError(png_messages::kReadError);
  const std::span<const std::uint8_t> chunk = data_.subspan(position_, length);
  const std::uint32_t stored = ReadBigEndian32(data_.data() + position_ + length);
  position_ += length + 4;
  if (ChunkCRC(header_.ChunkType, chunk) != stored) throw EInvalidGraphic(png_messages::kCRCError);
  return chunk;
}

void TChunkReader::SkipData() {
  const std::size_t skip = static_cast<std::size_t>(header_.Length) + 4;
  position_ += std::min(skip, Remaining());
}

}  // namespace skin
