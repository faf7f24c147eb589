#include "skin/graphics/sBitmapOverloads.h"

namespace skin {

TImage32View View32(classlib::TBitmap* bmp) {
  if (bmp == nullptr || bmp->Empty() || bmp->PixelFormat() != classlib::pf32bit) return {};
  return bmp->Image32View();
}

void Stretch(classlib::TBitmap* src, classlib::TBitmap* dst, int newWidth, int newHeight, TFilterType filter, int) {
  if (src == nullptr || dst == nullptr || newWidth <= 0 || newHeight <= 0) return;
  if (src->Width() < 2 || src->Height() < 2) throw EStretchError();
  if (newWidth == src->Width() && newHeight == src->Height()) {
    if (src != dst) dst->Assign(src);
    return;
  }
  const bool wide = src->PixelFormat() == classlib::pf32bit;
  if (!wide) src->SetPixelFormat(classlib::pf24bit);
  // Resampling into a bitmap of its own, so that Dst may be Src.
  classlib::TBitmap out;
  out.SetPixelFormat(wide ? classlib::pf32bit : classlib::pf24bit);
  out.SetSize(newWidth, newHeight);
  const auto* s = static_cast<const std::uint8_t*>(src->ScanLine(0));
  const std::ptrdiff_t srcStride = static_cast<const std::uint8_t*>(src->ScanLine(1)) - s;
  auto* d = static_cast<std::uint8_t*>(out.ScanLine(0));
  const std::ptrdiff_t dstStride = newHeight > 1 ? static_cast<std::uint8_t*>(out.ScanLine(1)) - d : 0;
  StretchPixels(s, src->Width(), src->Height(), srcStride, wide ? 4 : 3, d, newWidth, newHeight, dstStride, filter);
  dst->Assign(&out);
}

}  // namespace skin
