#pragma once
// Windows printed into 32-bit bitmaps and the pixels of such pictures compared.
#include <windows.h>

#include <functional>
#include <memory>

#include "classlib/Bitmap.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"

namespace skin::test {

inline std::unique_ptr<classlib::TBitmap> Printed(HWND wnd, int w, int h) {
  auto bmp = NewBitmap32(w, h);
  SendMessageW(wnd, WM_PRINTCLIENT, WPARAM(bmp->Canvas()->Handle()), PRF_CLIENT);
  return bmp;
}

inline COLORREF Pixel(classlib::TBitmap* bmp, int x, int y) {
  const TsColor_ p = View32(bmp).At(x, y);
  return RGB(p.R, p.G, p.B);
}

// Pixels of the two pictures that differ, among those Where picks.
inline int Differing(classlib::TBitmap* a, classlib::TBitmap* b, const std::function<bool(int, int)>& Where = nullptr) {
  int n = 0;
  for (int y = 0; y < a->Height(); ++y)
    for (int x = 0; x < a->Width(); ++x)
      if ((!Where || Where(x, y)) && Pixel(a, x, y) != Pixel(b, x, y)) ++n;
  return n;
}

}  // namespace skin::test
