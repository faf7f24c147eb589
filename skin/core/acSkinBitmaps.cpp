#include "skin/core/acSkinBitmaps.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/BmpFormat.h"
#include "classlib/CheckedSize.h"
#include "classlib/GraphicsErrors.h"
#include "skin/graphics/GraphicErrors.h"
#include "skin/graphics/PixelKernels.h"
#include "skin/graphics/PngReader.h"
#include "skin/graphics/RasterImage.h"
#include "skin/graphics/SkinImagePasses.h"

namespace skin {
namespace {

std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

[[noreturn]] void TooLarge(std::int64_t w, std::int64_t h) {
  throw classlib::EInvalidGraphic(L"A picture of " + std::to_wstring(w) + L" x " + std::to_wstring(h) +
                                  L" pixels is too large for a skin");
}

// The BMP reader allocates the whole picture before it reads the pixels; look at the size first.
void CheckBmpSize(std::span<const std::uint8_t> data, std::int64_t maxPixels) {
  if (data.size() < 26) return;  // the reader refuses it
  const std::uint32_t headerSize = U32(&data[14]);
  std::int64_t w = 0, h = 0;
  if (headerSize == 12) {
    w = data[18] | (data[19] << 8);
    h = data[20] | (data[21] << 8);
  } else {
    w = static_cast<std::int32_t>(U32(&data[18]));
    h = static_cast<std::int32_t>(U32(&data[22]));
  }
  w = std::llabs(w);
  h = std::llabs(h);
  if (!classlib::CheckedPixelCount(w, h, maxPixels)) TooLarge(w, h);
}

// A colour (0x00RRGGBB, the byte order of a 32-bit row) as an opaque pixel; the key colour
// stays the key pixel with alpha 0.
std::uint32_t Opaque(std::uint32_t rgb) {
  rgb &= 0xFFFFFFu;
  return rgb == kKeyPixel ? kKeyPixel : (rgb | 0xFF000000u);
}

// The opaque pixel of every index a palette picture of `bits` bits per pixel can hold.
template <typename Colour>
std::vector<std::uint32_t> OpaqueTable(int bits, std::size_t entries, Colour colour) {
  std::vector<std::uint32_t> table(std::size_t{1} << bits, Opaque(0));
  for (std::size_t i = 0; i < std::min(entries, table.size()); ++i) table[i] = Opaque(colour(i));
  return table;
}

// One row of palette indexes (1, 4 or 8 bits each, the first pixel in the high bits) through a table.
void IndexedRow(const std::uint8_t* row, int bits, int width, const std::vector<std::uint32_t>& table, TsColor_* out) {
  switch (bits) {
    case 8:
      for (int x = 0; x < width; ++x) out[x].U = table[row[x]];
      break;
    case 4:
      for (int x = 0; x < width; ++x) out[x].U = table[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F];
      break;
    default:
      for (int x = 0; x < width; ++x) out[x].U = table[(row[x / 8] >> (7 - x % 8)) & 1];
      break;
  }
}

// A picture without alpha widened to 32 bits, row by row straight into the skin's bitmap.
template <typename RowOf>
TBitmap32 Widen(int width, int height, int bits, const std::vector<std::uint32_t>& table, RowOf rowOf) {
  TBitmap32 out = TBitmap32::Unfilled(width, height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rowOf(y);
    TsColor_* dst = &out.At(0, y);
    if (bits == 24) {
      kernels::OpaqueFromBgr(&dst->U, row, width);
    } else if (bits == 32) {
      std::memcpy(dst, row, static_cast<std::size_t>(width) * 4);
    } else {
      IndexedRow(row, bits, width, table, dst);
    }
  }
  return out;
}

}  // namespace

void MakeOpaqueExceptKey(TBitmap32& bmp) {
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) {
      TsColor_& c = bmp.At(x, y);
      if (c.U != kKeyPixel) c.A = 255;
    }
}

TBitmap32 DecodeSkinBmp(std::span<const std::uint8_t> data, std::int64_t maxPixels) {
  // Uncompressed files are converted where they lie; the others are decoded first.
  std::optional<classlib::bmp::DibView> view = classlib::bmp::ViewBmpFile(data);
  classlib::bmp::Dib decoded;
  if (!view) {
    CheckBmpSize(data, maxPixels);
    decoded = classlib::bmp::ReadBmpFile(data);
    view = classlib::bmp::ViewOf(decoded);
  }
  const classlib::bmp::DibView& dib = *view;
  if (!classlib::CheckedPixelCount(dib.Width, dib.Height, maxPixels)) TooLarge(dib.Width, dib.Height);
  const std::vector<std::uint32_t> table =
      dib.BitCount <= 8 ? OpaqueTable(dib.BitCount, dib.Palette.size(), [&](std::size_t i) { return dib.Palette[i]; })
                        : std::vector<std::uint32_t>{};
  // A 32-bit picture keeps its fourth byte as stored.
  return Widen(dib.Width, dib.Height, dib.BitCount, table, [&](int y) { return dib.Row(y); });
}

TBitmap32 DecodeSkinPng(std::span<const std::uint8_t> data, bool premultiplied, std::int64_t maxPixels) {
  TRasterImage image;
  try {
    TPngReader reader;
    reader.MaxImageBytes = static_cast<std::size_t>(maxPixels) * 4;
    reader.LoadFromMemory(data, image);
  } catch (const std::runtime_error& e) {
    const std::string what = e.what();
    throw classlib::EInvalidGraphic(std::wstring(what.begin(), what.end()));
  }
  if (image.PixelFormat() == TPixelFormat::pf32bit) {
    // Only a picture with its own alpha gets the alpha passes: widened pictures keep their key
    // pixels, which premultiplying would turn black.
    TBitmap32 out = image.TakeBitmap32();
    if (premultiplied)
      UpdateAlpha(out.View());
    else
      UpdateTransPixels(out.View());
    return out;
  }
  const int bits = BitsOf(image.PixelFormat());
  const std::vector<TPaletteEntry>& palette = image.Palette();
  const std::vector<std::uint32_t> table =
      bits <= 8 ? OpaqueTable(bits, palette.size(),
                              [&](std::size_t i) {
                                const TPaletteEntry& e = palette[i];
                                return std::uint32_t{e.B} | (std::uint32_t{e.G} << 8) | (std::uint32_t{e.R} << 16);
                              })
                : std::vector<std::uint32_t>{};
  return Widen(image.Width(), image.Height(), bits, table, [&](int y) { return image.ScanLine(y); });
}

}  // namespace skin
