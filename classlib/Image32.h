#pragma once
// A 32-bit image as pixel code sees it: rows of TsColor_ (B, G, R, A), any stride. On Windows a
// DIB section of TBitmap provides the view; in the portable core TBitmap32 owns the pixels. The
// skinning engine's pixel routines work on these types; they live here because the class
// library's bitmap hands out the view and the library names nothing above itself.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "classlib/Types.h"

namespace classlib {

// One pixel of a 24-bit row and of a 32-bit row.
struct TsRGB {
  std::uint8_t B, G, R;
};
struct TsRGBA {
  std::uint8_t B, G, R, A;
};

// A colour in TColor byte order (red lowest) with alpha on top, readable whole or by channel.
// `RGB` views the first three bytes as a 24-bit pixel; `MASK` is the fourth byte, as `A`.
union TsColor {
  TColor C;
  std::int32_t I;
  struct {
    std::uint8_t R, G, B, A;
  };
  TsRGBA sBGRA;
  TsRGB RGB;
  struct {
    std::uint8_t MaskPad_[3];
    std::uint8_t MASK;
  };
};

// The same four bytes in the order of a 32-bit bitmap row (blue lowest).
union TsColor_ {
  TColor C;
  std::int32_t I;
  std::uint32_t U;
  struct {
    std::uint8_t B, G, R, A;
  };
  TsRGBA sBGRA;
  TsRGB BGR;
  struct {
    std::uint8_t MaskPad_[3];
    std::uint8_t MASK;
  };
};
static_assert(sizeof(TsColor) == 4 && sizeof(TsColor_) == 4);
static_assert(sizeof(TsRGB) == 3 && sizeof(TsRGBA) == 4);

// The key pixel of a 32-bit skin image, exactly as stored in a bitmap row.
inline constexpr std::uint32_t kKeyPixel = 0x00FF00FFu;

struct TImage32View {
  std::uint8_t* Bits = nullptr;  // first byte of row 0 (the top row)
  int Width = 0;
  int Height = 0;
  std::ptrdiff_t Stride = 0;  // bytes from one row to the next; negative for bottom-up storage

  bool Empty() const { return Bits == nullptr || Width <= 0 || Height <= 0; }
  TsColor_* Row(int y) const { return reinterpret_cast<TsColor_*>(Bits + Stride * y); }
  TsColor_& At(int x, int y) const { return Row(y)[x]; }
  bool Contains(int x, int y) const { return !Empty() && x >= 0 && y >= 0 && x < Width && y < Height; }
  // The part of R that lies inside the image (Right and Bottom exclusive); empty when none does.
  TRect Clip(const TRect& r) const {
    if (Empty()) return {};
    TRect c{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, Width), std::min(r.Bottom, Height)};
    if (c.Left >= c.Right || c.Top >= c.Bottom) return {};
    return c;
  }
  bool SameImage(const TImage32View& other) const { return Bits != nullptr && Bits == other.Bits; }
};

namespace detail {

// Builds elements given no value by default-initialisation: pixels a decoder is about to write
// are not zeroed first.
template <typename T>
struct TDefaultInitAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = TDefaultInitAllocator<U>;
  };
  TDefaultInitAllocator() noexcept = default;
  template <typename U>
  TDefaultInitAllocator(const TDefaultInitAllocator<U>&) noexcept {}
  template <typename U>
  void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

}  // namespace detail

class TBitmap32 {
 public:
  TBitmap32() = default;
  TBitmap32(int width, int height, std::uint32_t fill = 0) { SetSize(width, height, fill); }

  // A bitmap whose pixels hold whatever the memory held: for a decoder that writes every pixel
  // before anyone reads one.
  static TBitmap32 Unfilled(int width, int height) {
    TBitmap32 b;
    b.width_ = width > 0 && height > 0 ? width : 0;
    b.height_ = width > 0 && height > 0 ? height : 0;
    b.pixels_.resize(static_cast<std::size_t>(b.width_) * static_cast<std::size_t>(b.height_));
    return b;
  }

  void SetSize(int width, int height, std::uint32_t fill = 0) {
    width_ = width > 0 && height > 0 ? width : 0;
    height_ = width > 0 && height > 0 ? height : 0;
    TsColor_ c;
    c.U = fill;
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), c);
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return pixels_.empty(); }
  TImage32View View() {
    return {reinterpret_cast<std::uint8_t*>(pixels_.data()), width_, height_, static_cast<std::ptrdiff_t>(width_) * 4};
  }
  TsColor_& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  const TsColor_& At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<TsColor_, detail::TDefaultInitAllocator<TsColor_>> pixels_;
};

}  // namespace classlib
