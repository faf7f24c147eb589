#pragma once
// A top-down 32-bit DIB section selected into its own memory device context: GDI draws into it and
// the pixel routines read and write it through its view. Win32 only.
#include <windows.h>

#include "skin/graphics/Image32.h"

namespace skin {

class TDib32 {
 public:
  TDib32(int width, int height);
  ~TDib32();
  TDib32(const TDib32&) = delete;
  TDib32& operator=(const TDib32&) = delete;

  bool Valid() const { return bits_ != nullptr; }
  HDC DC() const { return dc_; }
  // GDI's pending drawing is flushed first, so the view sees it.
  TImage32View View() const;

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace skin
