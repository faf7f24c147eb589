#pragma once
// Filtered resampling of 32-bit (and 24-bit) images: a horizontal pass into a work image, then a
// vertical pass, each driven by a list of source contributions with 16.16 fixed-point weights.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/Exception.h"
#include "skin/graphics/Image32.h"

namespace skin {

enum class TFilterType { ftBox, ftTriangle, ftHermite, ftBell, ftSpline, ftLanczos3, ftMitchell };

// Raised for a source narrower or lower than 2 pixels; one of the library's exceptions, so that
// the callers that catch those see it.
class EStretchError : public classlib::Exception {
 public:
  EStretchError() : classlib::Exception(L"Source bitmap is too small") {}
};

// The contributions of one pass: destination index i takes the pairs First[i] .. First[i + 1] - 1 of
// Index (source sample, always inside the source) and Weight (scaled by 65536, never 0).
struct TContributions {
  std::vector<int> First;
  std::vector<int> Index;
  std::vector<std::int32_t> Weight;
};
TContributions BuildContributions(int srcSize, int dstSize, TFilterType filter);

// Src resampled to NewWidth x NewHeight into Dst. Dst may be the image Src views. A target size of 0
// or less leaves Dst as it is; a source below 2 x 2 raises EStretchError and changes nothing.
void Stretch(const TImage32View& src, TBitmap32& dst, int newWidth, int newHeight, TFilterType filter, int unused = 0);

// The same on raw rows of 3- or 4-byte pixels (24- or 32-bit images): Dst must hold
// NewWidth x NewHeight pixels with DstStride bytes per row.
void StretchPixels(const std::uint8_t* src, int width, int height, std::ptrdiff_t srcStride, int bytesPerPixel,
                   std::uint8_t* dst, int newWidth, int newHeight, std::ptrdiff_t dstStride, TFilterType filter);

}  // namespace skin
