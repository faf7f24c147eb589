#include <windows.h>

#include <algorithm>
#include <cstring>

#include "skin/graphics/Dib32.h"
#include "skin/graphics/PixelMath.h"
#include "skin/graphics/sGradient.h"

namespace skin {
namespace {

using GradientFillProc = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// msimg32 is looked up when the program starts and released when it ends; without it the
// four-corner gradient paints nothing.
class Msimg32 {
 public:
  Msimg32() {
    module_ = LoadLibraryW(L"msimg32.dll");
    if (module_ != nullptr)
      gradientFill_ =
          reinterpret_cast<GradientFillProc>(reinterpret_cast<void*>(GetProcAddress(module_, "GradientFill")));
  }
  ~Msimg32() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  Msimg32(const Msimg32&) = delete;
  Msimg32& operator=(const Msimg32&) = delete;
  GradientFillProc GradientFill() const { return gradientFill_; }

 private:
  HMODULE module_ = nullptr;
  GradientFillProc gradientFill_ = nullptr;
};

const Msimg32 gMsimg32;

TRIVERTEX Vertex(int x, int y, TColor c) {
  TRIVERTEX v;
  v.x = x;
  v.y = y;
  v.Red = static_cast<COLOR16>(RedOf(c) << 8);
  v.Green = static_cast<COLOR16>(GreenOf(c) << 8);
  v.Blue = static_cast<COLOR16>(BlueOf(c) << 8);
  v.Alpha = 0xFF00;
  return v;
}

}  // namespace

bool PaintCornerGradient(const TImage32View& bmp, const TRect& r, const TColor (&colors)[5]) {
  const GradientFillProc gradientFill = gMsimg32.GradientFill();
  if (gradientFill == nullptr) return false;
  const TRect c = bmp.Clip(r);
  if (c.Left >= c.Right) return true;
  // The triangles are drawn on a DIB over R holding the image's pixels, then copied back.
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  TDib32 dib(w, h);
  if (!dib.Valid()) return true;
  const TImage32View d = dib.View();
  const int ox = c.Left - r.Left, cw = c.Right - c.Left;
  for (int y = c.Top; y < c.Bottom; ++y)
    std::memcpy(d.Row(y - r.Top) + ox, bmp.Row(y) + c.Left, static_cast<std::size_t>(cw) * 4);
  TRIVERTEX v[5] = {Vertex(0, 0, colors[0]), Vertex(w / 2, h / 2, colors[1]), Vertex(w, 0, colors[2]),
                    Vertex(w, h, colors[3]), Vertex(0, h, colors[4])};
  GRADIENT_TRIANGLE t[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  gradientFill(dib.DC(), v, 5, t, 4, GRADIENT_FILL_TRIANGLE);
  const TImage32View done = dib.View();
  for (int y = c.Top; y < c.Bottom; ++y) {
    TsColor_* out = bmp.Row(y) + c.Left;
    std::memcpy(out, done.Row(y - r.Top) + ox, static_cast<std::size_t>(cw) * 4);
    for (int x = 0; x < cw; ++x) out[x].A = 255;
  }
  return true;
}

}  // namespace skin
