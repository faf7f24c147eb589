#pragma once
// The smallest building blocks of the skin painter: row access to 32-bit images, the constant-weight
// blender of two images, colour byte order, fills that keep the alpha channel meaningful, the
// disabled look of a control image and the copy of background pixels into transparent places.
// Every routine clips to the images it is given: no argument can make it touch memory outside them.
#include <cstdint>

#include "skin/graphics/Image32.h"
#include "skin/graphics/sCacheInfo32.h"

namespace skin {

// Row access to one 32-bit image. Attach refuses images lower than 2 rows or narrower than 1 pixel.
class TacFast32 {
 public:
  bool Attach(const TImage32View& bmp);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Red in the low byte, alpha on top. A point outside the image reads as 0.
  TsColor GetPixel(int x, int y) const;
  // Written back in row order (B, G, R, A); a point outside the image is ignored.
  void SetPixel(int x, int y, TsColor color);
  // Color is in row order; its alpha is set to 255 before the fill. R is clipped to the image.
  void FillRect(const TRect& r, TsColor_& color);
  void FillBitmap(TsColor_& color);

 private:
  TImage32View FBitmap;
  int FWidth = 0;
  int FHeight = 0;
};

// Blends a source image into a destination byte by byte, all four bytes of every pixel:
// dst = (dst * Alpha + src * (255 - Alpha) + 127) >> 8, Alpha being the weight of the destination.
class TacFastSum32 {
 public:
  bool Attach(const TImage32View& src, const TImage32View& dst);
  // The source rectangle goes to the destination rectangle: columns matched from the left, rows from
  // the bottom (X2 and Y2 exclusive). Parts of either rectangle outside its image are skipped.
  void BlendBitmapsRect();
  // The common area of both images, row 0 to row 0.
  void BlendBitmaps();

  std::uint8_t Alpha = 0;
  int DstX1 = 0, DstY1 = 0, DstX2 = 0, DstY2 = 0;
  int SrcX1 = 0, SrcY1 = 0, SrcX2 = 0, SrcY2 = 0;

 private:
  TImage32View FBmpSrc;
  TImage32View FBmpDst;
  int FWidthDst = 0;
  int FHeightDst = 0;
};

// Count 32-bit values from x on; nothing when Count <= 0.
void FillLongword(std::uint32_t* x, int count, std::uint32_t value);
// Red and blue exchanged, green and the top byte kept (TColor order <-> row order).
TColor SwapColor(TColor color);
TColor SwapRedBlue(TColor color);
// The colour with its top byte set to 255.
TColor CorrectColor32(TColor color);

// R filled with Color (TColor order) as an opaque pixel.
void FillRect32(const TImage32View& bmp, const TRect& r, TColor color);
// The alpha byte of every pixel of R set to Value; with SkipKey key pixels stay untouched.
void FillAlphaRect(const TImage32View& bmp, const TRect& r, std::uint8_t value, bool skipKey);
// The four border strips of R, each filled with FillRect32.
void FillDCBorder32(const TImage32View& bmp, const TRect& r, int wl, int wt, int wr, int wb, TColor color);
// Color mixed into R, whose Right and Bottom count as inclusive; Blend (percent) is the weight of
// the existing pixel. Channels are rounded to nearest, halves to even; alpha is kept.
void BlendColorRect(const TImage32View& bmp, TRect r, int blend, TColor color);

// The disabled look of a rendered control image: grey first (Grayed), then blended 60/40 with the
// parent's pixels under it or 50 % with the fill colour (Blended). ControlColor stands in for a
// fill colour of clFuchsia.
void BmpDisabledKind(const TImage32View& bmp, bool grayed, bool blended, const TCacheInfo32& ci, TPoint p,
                     TColor controlColor);

// Dst pixels of R whose low 24 bits are the key take the Src pixel at the same place from P on.
void FillTransPixels32(const TImage32View& dst, const TImage32View& src, const TRect& r, TPoint p);
// The same, testing the pixels of a mask image block at MaskOrigin instead of the Dst pixels.
void FillTransPixels32(const TImage32View& dst, const TImage32View& src, const TRect& r, TPoint p,
                       const TImage32View& mask, TPoint maskOrigin);
// Top-left of the corner block of a skin image's first cell (Corner: 13 top-left, 14 top-right,
// 16 bottom-left, 17 bottom-right, others as 13); ImageR is the image's rectangle in its bitmap.
TPoint CornerBlockOrigin(const TRect& imageR, int widthOfImage, int heightOfImage, int wr, int wb, int corner);

// Text coverage of a black-on-white rendering (Coverage, R's size) applied to R of Dst in Color
// (TColor order): every sample that is not white mixes the colour in by its darkness, alpha 255.
void ApplyTextCoverage32(const TImage32View& dst, const TRect& r, const TImage32View& coverage, TColor color);

}  // namespace skin
