#include "skin/graphics/IcoReader.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "classlib/CheckedSize.h"
#include "classlib/LittleEndian.h"
#include "skin/graphics/GraphicErrors.h"
#include "skin/graphics/PngChunks.h"
#include "skin/graphics/PngReader.h"
#include "skin/graphics/RasterImage.h"

namespace skin {

namespace {

// Icons are small; this keeps a hostile header from asking for a huge picture.
constexpr int kMaxIconSide = 1024;
constexpr std::size_t kDirHeader = 6, kDirEntry = 16, kBmpHeaderMin = 40;

using classlib::le::U16;
using classlib::le::U32;

[[noreturn]] void Invalid(const wchar_t* why) { throw EInvalidGraphic(std::wstring(L"Invalid icon: ") + why); }
[[noreturn]] void Short() { throw EReadError(L"Icon data ends early"); }

struct Entry {
  int width = 0, height = 0, bitCount = 0;
  std::span<const std::uint8_t> bytes;
};

std::vector<Entry> ReadDirectory(std::span<const std::uint8_t> data) {
  if (!IsIcoFile(data)) Invalid(L"no icon header");
  if (data.size() < kDirHeader) Short();
  const int count = U16(data.data() + 4);
  if (count == 0) Invalid(L"no images");
  const std::uint64_t dirEnd = kDirHeader + std::uint64_t{kDirEntry} * count;
  if (dirEnd > data.size()) Short();
  std::vector<Entry> entries;
  for (int i = 0; i < count; ++i) {
    const std::uint8_t* e = data.data() + kDirHeader + kDirEntry * i;
    const std::uint64_t size = U32(e + 8), offset = U32(e + 12);
    if (size == 0 || offset < dirEnd || offset > data.size() || size > data.size() - offset) Short();
    Entry entry;
    entry.width = e[0] == 0 ? 256 : e[0];  // the directory writes 256 as 0
    entry.height = e[1] == 0 ? 256 : e[1];
    entry.bitCount = U16(e + 6);
    entry.bytes = data.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
    entries.push_back(entry);
  }
  return entries;
}

const Entry& Pick(const std::vector<Entry>& entries, int width, int height) {
  const Entry* best = &entries.front();
  auto better = [&](const Entry& a, const Entry& b) {
    const bool exactA = a.width == width && a.height == height, exactB = b.width == width && b.height == height;
    if (exactA != exactB) return exactA;
    const long long areaA = static_cast<long long>(a.width) * a.height,
                    areaB = static_cast<long long>(b.width) * b.height;
    if (!exactA && areaA != areaB) return areaA > areaB;
    return a.bitCount > b.bitCount;
  };
  for (const Entry& e : entries)
    if (better(e, *best)) best = &e;
  return *best;
}

bool IsPng(std::span<const std::uint8_t> bytes) {
  return bytes.size() > PNGMagic.size() && std::memcmp(bytes.data(), PNGMagic.data(), PNGMagic.size()) == 0;
}

TBitmap32 DecodePng(std::span<const std::uint8_t> bytes) {
  TPngReader reader;
  // A hostile entry may claim any size: refuse what no icon needs before it is allocated.
  reader.MaxImageBytes = std::size_t{kMaxIconSide} * kMaxIconSide * 8;
  TRasterImage image;
  reader.LoadFromMemory(bytes, image);
  if (image.Width() > kMaxIconSide || image.Height() > kMaxIconSide) Invalid(L"picture too large");
  TBitmap32 out(image.Width(), image.Height());
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const std::uint32_t rgba = image.PixelRGBA(x, y);  // R low, alpha on top for 32-bit images
      TsColor_& p = out.At(x, y);
      p.R = static_cast<std::uint8_t>(rgba);
      p.G = static_cast<std::uint8_t>(rgba >> 8);
      p.B = static_cast<std::uint8_t>(rgba >> 16);
      p.A = image.PixelFormat() == TPixelFormat::pf32bit ? static_cast<std::uint8_t>(rgba >> 24) : 255;
    }
  return out;
}

// A DIB header, its palette, the colour rows and the AND mask, all bottom-up.
TBitmap32 DecodeDib(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kBmpHeaderMin) Short();
  const std::uint8_t* h = bytes.data();
  const std::uint32_t headerSize = U32(h);
  if (headerSize < kBmpHeaderMin || headerSize > bytes.size()) Invalid(L"bad bitmap header");
  const std::int32_t width = static_cast<std::int32_t>(U32(h + 4));
  const std::int32_t doubleHeight = static_cast<std::int32_t>(U32(h + 8));
  const int bitCount = U16(h + 14);
  const std::uint32_t compression = U32(h + 16), colorsUsed = U32(h + 32);
  if (compression != 0) Invalid(L"compressed bitmap");
  if (width <= 0 || doubleHeight <= 0 || doubleHeight % 2 != 0) Invalid(L"bad size");
  const int height = doubleHeight / 2;
  if (width > kMaxIconSide || height > kMaxIconSide) Invalid(L"picture too large");
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
    Invalid(L"unsupported colour depth");

  std::size_t pos = headerSize;
  std::vector<std::uint32_t> palette;
  if (bitCount <= 8) {
    const std::uint32_t maxColors = 1u << bitCount;
    const std::uint32_t colors = colorsUsed == 0 ? maxColors : colorsUsed;
    if (colors > maxColors) Invalid(L"bad palette");
    if (std::uint64_t{colors} * 4 > bytes.size() - pos) Short();
    palette.assign(maxColors, 0);  // missing entries black, so no index reads outside
    for (std::uint32_t i = 0; i < colors; ++i) palette[i] = U32(bytes.data() + pos + 4 * i);
    pos += std::size_t{colors} * 4;
  }
  const std::uint64_t xorStride = *classlib::CheckedDibStride(width, bitCount);
  const std::uint64_t andStride = *classlib::CheckedDibStride(width, 1);
  const std::uint64_t xorSize = xorStride * static_cast<std::uint64_t>(height);
  const std::uint64_t andSize = andStride * static_cast<std::uint64_t>(height);
  if (xorSize > bytes.size() - pos) Short();
  const std::uint8_t* xorBits = bytes.data() + pos;
  pos += static_cast<std::size_t>(xorSize);
  // 32-bit entries may leave the AND mask out: their alpha says it all.
  const bool hasMask = andSize <= bytes.size() - pos;
  if (!hasMask && bitCount != 32) Short();
  const std::uint8_t* andBits = hasMask ? bytes.data() + pos : nullptr;

  TBitmap32 out(width, height);
  bool anyAlpha = false;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = xorBits + xorStride * static_cast<std::uint64_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      TsColor_& p = out.At(x, y);
      std::uint32_t bgra = 0;
      switch (bitCount) {
        case 32: bgra = U32(row + 4 * x); break;
        case 24: bgra = row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16; break;
        case 8: bgra = palette[row[x]]; break;
        case 4: bgra = palette[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F]; break;
        default: bgra = palette[(row[x / 8] >> (7 - x % 8)) & 1]; break;
      }
      p.B = static_cast<std::uint8_t>(bgra);
      p.G = static_cast<std::uint8_t>(bgra >> 8);
      p.R = static_cast<std::uint8_t>(bgra >> 16);
      p.A = bitCount == 32 ? static_cast<std::uint8_t>(bgra >> 24) : 0;
      anyAlpha = anyAlpha || p.A != 0;
    }
  }
  if (bitCount == 32 && anyAlpha) return out;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = andBits ? andBits + andStride * static_cast<std::uint64_t>(height - 1 - y) : nullptr;
    for (int x = 0; x < width; ++x) {
      const bool transparent = row != nullptr && ((row[x / 8] >> (7 - x % 8)) & 1) != 0;
      out.At(x, y).A = transparent ? 0 : 255;
    }
  }
  return out;
}

}  // namespace

bool IsIcoFile(std::span<const std::uint8_t> data) {
  return data.size() >= 4 && data[0] == 0 && data[1] == 0 && data[2] == 1 && data[3] == 0;
}

TBitmap32 ReadIco(std::span<const std::uint8_t> data, int width, int height) {
  const std::vector<Entry> entries = ReadDirectory(data);
  const Entry& entry = Pick(entries, width, height);
  return IsPng(entry.bytes) ? DecodePng(entry.bytes) : DecodeDib(entry.bytes);
}

int IcoEntryBitCount(std::span<const std::uint8_t> data, int width, int height) {
  const std::vector<Entry> entries = ReadDirectory(data);
  const Entry& entry = Pick(entries, width, height);
  if (IsPng(entry.bytes)) return 32;
  return entry.bytes.size() >= kBmpHeaderMin ? U16(entry.bytes.data() + 14) : entry.bitCount;
}

}  // namespace skin
