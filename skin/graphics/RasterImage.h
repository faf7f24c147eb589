#pragma once
// A decoded picture in the layouts a device-independent bitmap can take: palette images of
// 1, 4 or 8 bits, 24-bit B, G, R rows and 32-bit B, G, R, A rows. Rows run top-down and are
// padded to 4 bytes, so each one copies unchanged into a DIB section's scan line.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/Types.h"
#include "skin/graphics/Image32.h"

namespace skin {

// The layouts of a bitmap, as the component library names them.
enum class TPixelFormat : std::uint8_t {
  pfDevice,
  pf1bit,
  pf4bit,
  pf8bit,
  pf15bit,
  pf16bit,
  pf24bit,
  pf32bit,
  pfCustom
};

int BitsOf(TPixelFormat format);  // 0 for pfDevice and pfCustom

// One colour of a palette, laid out like the system's PALETTEENTRY.
struct TPaletteEntry {
  std::uint8_t R = 0, G = 0, B = 0, Flags = 0;
  friend bool operator==(const TPaletteEntry&, const TPaletteEntry&) = default;
};

class TRasterImage {
 public:
  // Allocates zeroed pixels for one of pf1bit, pf4bit, pf8bit, pf24bit, pf32bit; the caller has
  // bounded the size. A palette format gets a black palette of 2^bits entries.
  void SetFormat(TPixelFormat format, int width, int height);
  void Clear();

  TPixelFormat PixelFormat() const { return format_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  std::ptrdiff_t Stride() const { return stride_; }
  std::uint8_t* ScanLine(int y);
  const std::uint8_t* ScanLine(int y) const;

  // 32-bit images only; an empty view otherwise.
  TImage32View View32();
  TBitmap32& Bitmap32() { return bitmap32_; }
  const TBitmap32& Bitmap32() const { return bitmap32_; }
  // The 32-bit pixels handed over without a copy; the image is left empty.
  TBitmap32 TakeBitmap32();

  // Always exactly 2^bits entries for a palette format (missing ones black), empty otherwise,
  // so that no pixel value can index outside it.
  const std::vector<TPaletteEntry>& Palette() const { return palette_; }
  void SetPalette(const std::vector<TPaletteEntry>& entries);

  // clNone when no colour is transparent.
  classlib::TColor TransparentColor = classlib::clNone;
  bool Transparent() const { return TransparentColor != classlib::clNone; }

  // The colour of pixel (x, y) as R, G, B in a TColor, palette resolved; alpha in the top byte
  // for 32-bit images, 0 otherwise.
  std::uint32_t PixelRGBA(int x, int y) const;
  // The raw value of pixel (x, y) for palette formats (its index).
  int PixelIndex(int x, int y) const;

 private:
  TPixelFormat format_ = TPixelFormat::pfDevice;
  int width_ = 0;
  int height_ = 0;
  std::ptrdiff_t stride_ = 0;
  std::vector<std::uint8_t> bits_;  // every format except 32-bit
  TBitmap32 bitmap32_;              // 32-bit rows
  std::vector<TPaletteEntry> palette_;
};

}  // namespace skin
