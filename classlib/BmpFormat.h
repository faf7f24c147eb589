#pragma once
// The BMP file format, portable: reading every variant a user's picture may come in (core and
// info headers, 1/4/8-bit with colour table, RLE4/RLE8, 16-bit, 24-bit, 32-bit with or without
// bit fields, bottom-up or top-down) into the one layout GDI takes, and writing it back.
// Input is hostile: every offset and size is checked before use; the reader never reads past the
// data and refuses what it cannot decode with EInvalidGraphic.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace classlib::bmp {

// A device-independent bitmap as CreateDIBSection takes it: rows bottom-up (the last row of the
// picture first), each padded to a multiple of 4 bytes.
struct Dib {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;                    // 1, 4, 8, 24 or 32
  std::vector<std::uint32_t> Palette;  // 1 << BitCount RGBQUAD values (0x00RRGGBB) when BitCount <= 8
  std::vector<std::uint8_t> Bits;      // Height * Stride() bytes

  static std::size_t StrideOf(int width, int bitCount) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
  }
  std::size_t Stride() const { return StrideOf(Width, BitCount); }
};

// The rows of a picture where they already lie, in a file or in a Dib: for readers that convert
// them straight into a picture of their own.
struct DibView {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;                    // 1, 4, 8, 24 or 32
  std::vector<std::uint32_t> Palette;  // as in Dib
  const std::uint8_t* Bits = nullptr;  // the stored rows, Height * Stride() bytes
  bool TopDown = false;                // stored top row first

  std::size_t Stride() const { return Dib::StrideOf(Width, BitCount); }
  // Row y of the picture, counted from the top.
  const std::uint8_t* Row(int y) const {
    return Bits + Stride() * static_cast<std::size_t>(TopDown ? y : Height - 1 - y);
  }
};

// Pictures larger than this are refused before anything is allocated.
inline constexpr int kMaxDimension = 32768;
inline constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

// A whole .bmp file ("BM", file header, bitmap header, colour table, pixels).
Dib ReadBmpFile(std::span<const std::uint8_t> file);
// An uncompressed file whose rows GDI takes as they are (1, 4, 8 or 24 bits per pixel, 32 bits
// with the standard masks), seen in place; nullopt for a file whose pixels need decoding (RLE,
// bit fields, 16 bits), which ReadBmpFile reads. A damaged file raises as in ReadBmpFile.
std::optional<DibView> ViewBmpFile(std::span<const std::uint8_t> file);
DibView ViewOf(const Dib& dib);
// A packed DIB (bitmap header, colour table, pixels): bitmap resources and the clipboard.
Dib ReadPackedDib(std::span<const std::uint8_t> dib);
// An uncompressed file with a BITMAPINFOHEADER; 32-bit pixels keep their fourth byte.
std::vector<std::uint8_t> WriteBmpFile(const Dib& dib);

}  // namespace classlib::bmp
