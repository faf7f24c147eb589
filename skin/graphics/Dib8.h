#pragma once
// A top-down 8-bit DIB section with a grey palette (index = grey level) selected into its own memory
// device context: text drawn into it in black on white reads back as levels 0..255, the form the
// glow mask needs. Win32 only.
#include <windows.h>

#include "skin/graphics/sTextGlow.h"

namespace skin {

class TDib8 {
 public:
  // Empty (not Valid) for W or H <= 0 or when GDI refuses the bitmap.
  TDib8(int width, int height);
  ~TDib8();
  TDib8(const TDib8&) = delete;
  TDib8& operator=(const TDib8&) = delete;

  bool Valid() const { return bits_ != nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  HDC DC() const { return dc_; }
  // GDI's pending drawing is flushed first, so the view sees it.
  TImage8View View() const;

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace skin
