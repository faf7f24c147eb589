#pragma once
// A 32-bit image as the pixel routines see it: rows of TsColor_ (B, G, R, A), any stride.
// On Windows a DIB section provides the view; in the portable core TBitmap32 owns the pixels.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/core/sConst.h"

namespace skin {

struct TImage32View {
  std::uint8_t* Bits = nullptr;  // first byte of row 0 (the top row)
  int Width = 0;
  int Height = 0;
  std::ptrdiff_t Stride = 0;  // bytes from one row to the next; negative for bottom-up storage

  bool Empty() const { return Bits == nullptr || Width <= 0 || Height <= 0; }
  TsColor_* Row(int y) const { return reinterpret_cast<TsColor_*>(Bits + Stride * y); }
  TsColor_& At(int x, int y) const { return Row(y)[x]; }
};

class TBitmap32 {
 public:
  TBitmap32() = default;
  TBitmap32(int width, int height) { SetSize(width, height); }

  void SetSize(int width, int height) {
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), TsColor_{0});
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  TImage32View View() {
    return {reinterpret_cast<std::uint8_t*>(pixels_.data()), width_, height_,
            static_cast<std::ptrdiff_t>(width_) * 4};
  }
  TsColor_& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  const TsColor_& At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<TsColor_> pixels_;
};

}  // namespace skin
