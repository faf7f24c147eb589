#include "skin/graphics/RasterImage.h"

#include <algorithm>
#include <utility>

namespace skin {

int BitsOf(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf15bit: return 15;
    case TPixelFormat::pf16bit: return 16;
    case TPixelFormat::pf24bit: return 24;
    case TPixelFormat::pf32bit: return 32;
    default: return 0;
  }
}

void TRasterImage::Clear() {
  format_ = TPixelFormat::pfDevice;
  width_ = height_ = 0;
  stride_ = 0;
  bits_.clear();
  bits_.shrink_to_fit();
  bitmap32_.SetSize(0, 0);
  palette_.clear();
  TransparentColor = classlib::clNone;
}

void TRasterImage::SetFormat(TPixelFormat format, int width, int height) {
  Clear();
  if (width <= 0 || height <= 0) return;
  const int bits = BitsOf(format);
  format_ = format;
  width_ = width;
  height_ = height;
  stride_ = static_cast<std::ptrdiff_t>((static_cast<std::size_t>(width) * bits + 31) / 32 * 4);
  if (format == TPixelFormat::pf32bit) {
    bitmap32_.SetSize(width, height);
  } else {
    bits_.assign(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height), 0);
  }
  if (bits <= 8) palette_.assign(std::size_t{1} << bits, TPaletteEntry{});
}

void TRasterImage::SetPalette(const std::vector<TPaletteEntry>& entries) {
  if (palette_.empty()) return;
  const std::size_t n = std::min(entries.size(), palette_.size());
  std::copy_n(entries.begin(), n, palette_.begin());
  std::fill(palette_.begin() + static_cast<std::ptrdiff_t>(n), palette_.end(), TPaletteEntry{});
}

std::uint8_t* TRasterImage::ScanLine(int y) {
  if (format_ == TPixelFormat::pf32bit) return reinterpret_cast<std::uint8_t*>(&bitmap32_.At(0, y));
  return bits_.data() + stride_ * y;
}

const std::uint8_t* TRasterImage::ScanLine(int y) const {
  if (format_ == TPixelFormat::pf32bit) return reinterpret_cast<const std::uint8_t*>(&bitmap32_.At(0, y));
  return bits_.data() + stride_ * y;
}

TBitmap32 TRasterImage::TakeBitmap32() {
  TBitmap32 taken = std::move(bitmap32_);
  Clear();
  return taken;
}

TImage32View TRasterImage::View32() {
  if (format_ != TPixelFormat::pf32bit) return {};
  return bitmap32_.View();
}

int TRasterImage::PixelIndex(int x, int y) const {
  const std::uint8_t* row = ScanLine(y);
  switch (format_) {
    case TPixelFormat::pf1bit: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case TPixelFormat::pf4bit: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
    case TPixelFormat::pf8bit: return row[x];
    default: return 0;
  }
}

std::uint32_t TRasterImage::PixelRGBA(int x, int y) const {
  const std::uint8_t* row = ScanLine(y);
  switch (format_) {
    case TPixelFormat::pf24bit: {
      const std::uint8_t* p = row + 3 * x;
      return p[2] | (p[1] << 8) | (p[0] << 16);
    }
    case TPixelFormat::pf32bit: {
      const std::uint8_t* p = row + 4 * x;
      return p[2] | (p[1] << 8) | (p[0] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }
    case TPixelFormat::pf1bit:
    case TPixelFormat::pf4bit:
    case TPixelFormat::pf8bit: {
      const TPaletteEntry& e = palette_[static_cast<std::size_t>(PixelIndex(x, y))];
      return e.R | (e.G << 8) | (e.B << 16);
    }
    default: return 0;
  }
}

}  // namespace skin
