#include "skin/core/acSkinBitmaps.h"

#include <cstdlib>
#include <string>

#include "classlib/BmpFormat.h"
#include "classlib/CheckedSize.h"
#include "classlib/GraphicsErrors.h"
#include "skin/graphics/GraphicErrors.h"
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

// A colour-table entry (0x00RRGGBB, the byte order of a 32-bit row) as an opaque pixel.
std::uint32_t Opaque(std::uint32_t quad) {
  quad &= 0xFFFFFFu;
  return quad == kKeyPixel ? kKeyPixel : (quad | 0xFF000000u);
}

std::uint32_t OpaqueBgr(std::uint8_t b, std::uint8_t g, std::uint8_t r) {
  const std::uint32_t px = (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
  return px == 0xFF00FF ? kKeyPixel : (px | 0xFF000000u);
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
  CheckBmpSize(data, maxPixels);
  const classlib::bmp::Dib dib = classlib::bmp::ReadBmpFile(data);
  if (!classlib::CheckedPixelCount(dib.Width, dib.Height, maxPixels)) TooLarge(dib.Width, dib.Height);
  TBitmap32 out(dib.Width, dib.Height);
  const std::size_t stride = dib.Stride();
  for (int y = 0; y < dib.Height; ++y) {
    // DIB rows run bottom-up.
    const std::uint8_t* row = dib.Bits.data() + stride * static_cast<std::size_t>(dib.Height - 1 - y);
    TsColor_* dst = &out.At(0, y);
    const int w = dib.Width;
    switch (dib.BitCount) {
      case 32:
        for (int x = 0; x < w; ++x) dst[x].U = U32(row + 4 * x);
        break;
      case 24:
        for (int x = 0; x < w; ++x) dst[x].U = OpaqueBgr(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
        break;
      case 8:
        for (int x = 0; x < w; ++x) dst[x].U = Opaque(dib.Palette[row[x]]);
        break;
      case 4:
        for (int x = 0; x < w; ++x) dst[x].U = Opaque(dib.Palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F]);
        break;
      case 1:
        for (int x = 0; x < w; ++x) dst[x].U = Opaque(dib.Palette[(row[x / 8] >> (7 - x % 8)) & 1]);
        break;
      default: throw classlib::EInvalidGraphic(L"Invalid bitmap: unsupported bit count");
    }
  }
  return out;
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
  TBitmap32 out(image.Width(), image.Height());
  if (image.PixelFormat() == TPixelFormat::pf32bit) {
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x) out.At(x, y) = image.Bitmap32().At(x, y);
  } else {
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x) {
        const std::uint32_t rgba = image.PixelRGBA(x, y);  // R in the low byte
        out.At(x, y).U = OpaqueBgr(static_cast<std::uint8_t>(rgba >> 16), static_cast<std::uint8_t>(rgba >> 8),
                                   static_cast<std::uint8_t>(rgba));
      }
  }
  if (premultiplied)
    UpdateAlpha(out.View());
  else
    UpdateTransPixels(out.View());
  return out;
}

}  // namespace skin
