#include "skin/graphics/Dib8.h"

namespace skin {

namespace {

struct GreyInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

}  // namespace

TDib8::TDib8(int width, int height) {
  if (width <= 0 || height <= 0) return;
  GreyInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = -height;  // top-down: row 0 first in memory
  info.header.biPlanes = 1;
  info.header.biBitCount = 8;
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = 256;
  for (int i = 0; i < 256; ++i) {
    const BYTE v = static_cast<BYTE>(i);
    info.colors[i] = RGBQUAD{v, v, v, 0};
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
}

TDib8::~TDib8() {
  if (dc_ != nullptr && old_ != nullptr) SelectObject(dc_, old_);
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (dc_ != nullptr) DeleteDC(dc_);
}

TImage8View TDib8::View() const {
  if (bits_ == nullptr) return {};
  GdiFlush();
  return {static_cast<std::uint8_t*>(bits_), width_, height_, static_cast<std::ptrdiff_t>((width_ + 3) & ~3)};
}

}  // namespace skin
