#include "skin/graphics/Dib32.h"

namespace skin {

namespace {

// Room for the grey palette of the 8-bit form; the 32-bit form uses the header alone.
struct DibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

}  // namespace

TDibSection::TDibSection(int width, int height, int bitCount) {
  if (width <= 0 || height <= 0) return;
  DibInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = -height;  // top-down: row 0 first in memory
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bitCount);
  info.header.biCompression = BI_RGB;
  if (bitCount == 8) {
    info.header.biClrUsed = 256;
    for (int i = 0; i < 256; ++i) {
      const BYTE v = static_cast<BYTE>(i);
      info.colors[i] = RGBQUAD{v, v, v, 0};
    }
  }
  dc_ = CreateCompatibleDC(nullptr);
  if (dc_ == nullptr) return;
  bitmap_ = CreateDIBSection(dc_, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits_, nullptr, 0);
  if (bitmap_ == nullptr) {
    bits_ = nullptr;
    return;
  }
  old_ = SelectObject(dc_, bitmap_);
  width_ = width;
  height_ = height;
  // DIB rows are padded to whole 32-bit words.
  stride_ = ((static_cast<std::ptrdiff_t>(width) * bitCount + 31) / 32) * 4;
}

TDibSection::~TDibSection() {
  if (dc_ != nullptr && old_ != nullptr) SelectObject(dc_, old_);
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (dc_ != nullptr) DeleteDC(dc_);
}

std::uint8_t* TDibSection::FlushedBits() const {
  if (bits_ == nullptr) return nullptr;
  GdiFlush();
  return static_cast<std::uint8_t*>(bits_);
}

TImage32View TDib32::View() const {
  std::uint8_t* bits = FlushedBits();
  if (bits == nullptr) return {};
  return {bits, Width(), Height(), Stride()};
}

TImage8View TDib8::View() const {
  std::uint8_t* bits = FlushedBits();
  if (bits == nullptr) return {};
  return {bits, Width(), Height(), Stride()};
}

}  // namespace skin
