#pragma once
// Top-down DIB sections selected into their own memory device context: GDI draws into them and the
// pixel routines read and write them through their views. `TDibSection` is the one owner of the
// bitmap and its DC; the 32-bit image and the 8-bit grey mask (index = grey level, so text drawn
// in black on white reads back as levels 0..255, the form the glow mask needs) are its two
// variants. Win32 only.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "skin/graphics/Image32.h"
#include "skin/graphics/sTextGlow.h"

namespace skin {

class TDibSection {
 public:
  ~TDibSection();
  TDibSection(const TDibSection&) = delete;
  TDibSection& operator=(const TDibSection&) = delete;

  bool Valid() const { return bits_ != nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  HDC DC() const { return dc_; }

 protected:
  // Empty (not Valid) for W or H <= 0 or when GDI refuses the bitmap. BitCount is 32 or 8; the
  // 8-bit form gets a grey palette.
  TDibSection(int width, int height, int bitCount);
  // GDI's pending drawing is flushed first, so the caller sees it; null when not Valid.
  std::uint8_t* FlushedBits() const;
  std::ptrdiff_t Stride() const { return stride_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::ptrdiff_t stride_ = 0;
};

class TDib32 : public TDibSection {
 public:
  TDib32(int width, int height) : TDibSection(width, height, 32) {}
  TImage32View View() const;
};

class TDib8 : public TDibSection {
 public:
  TDib8(int width, int height) : TDibSection(width, height, 8) {}
  TImage8View View() const;
};

}  // namespace skin
