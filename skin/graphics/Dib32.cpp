#include "skin/graphics/Dib32.h"

namespace skin {

TDib32::TDib32(int width, int height) {
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 first in memory
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc_ = CreateCompatibleDC(nullptr);
  if (dc_ == nullptr) return;
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
  if (bitmap_ == nullptr) {
    bits_ = nullptr;
    return;
  }
  old_ = SelectObject(dc_, bitmap_);
  width_ = width;
  height_ = height;
}

TDib32::~TDib32() {
  if (dc_ != nullptr && old_ != nullptr) SelectObject(dc_, old_);
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (dc_ != nullptr) DeleteDC(dc_);
}

TImage32View TDib32::View() const {
  if (bits_ == nullptr) return {};
  GdiFlush();
  return {static_cast<std::uint8_t*>(bits_), width_, height_, static_cast<std::ptrdiff_t>(width_) * 4};
}

}  // namespace skin
