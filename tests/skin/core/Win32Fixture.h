#pragma once
// What the window tests of the skin state share: library objects owned by a test, the message
// queue pumped, and 32-bit bitmaps filled with one opaque colour.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "classlib/Bitmap.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "tests/skin/core/OwnedObject.h"

namespace skin::test {

using skin::testing::FreeObject;
using skin::testing::Owned;

inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

inline void Fill(classlib::TBitmap* b, std::uint32_t colour) {
  const TImage32View v = View32(b);
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x) v.At(x, y).U = 0xFF000000u | colour;
}

}  // namespace skin::test
