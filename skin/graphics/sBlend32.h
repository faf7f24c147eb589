#pragma once
// Allocation, whole-image transforms, blends and alpha copies of 32-bit images, and the colour
// arithmetic that goes with them. Pixels are B, G, R, A; the key pixel 0x00FF00FF marks transparent
// places of skin images and is kept or skipped exactly as each routine says. All weights are integer
// and exact; real-valued blends round to nearest with halves to even. Every routine clips to all the
// images it is given.
#include <cstdint>

#include "skin/graphics/Image32.h"
#include "skin/graphics/sCacheInfo32.h"

namespace skin {

// A new W x H image filled white (0x00FFFFFF), as a fresh bitmap reads; empty for W or H <= 0.
TBitmap32 CreateBmp32(int width, int height);
TBitmap32 CreateBmp24(int width, int height);
TBitmap32 CreateBmpLike(const TImage32View& bmp);
// A masked image (picture in the upper half of R, its mask in the lower half) as an alpha image:
// A = 255 - mask's red. Empty when the half height or the width is 0, or R leaves Bmp.
TBitmap32 CreateAlphaBmp(const TImage32View& bmp, const TRect& r);
// A quarter turn, clockwise or not; empty for an empty source.
TBitmap32 MakeRotated90(const TImage32View& bmp, bool clockwise);

// R = G = B = (R + G + B) div 3; A kept. The Trans form skips pixels equal to TransColor (32-bit).
void GrayScale(const TImage32View& bmp);
void GrayScaleTrans(const TImage32View& bmp, TsColor transColor);
// Hue and saturation of every pixel but the key pixel and grey pixels.
void ChangeBmpHUE(const TImage32View& bmp, int delta);
void ChangeBmpSaturation(const TImage32View& bmp, int delta);
// Every pixel but the key: channel = Round((channel - C) * Blend + C); A kept.
void BlendTransBitmap(const TImage32View& bmp, double blend, TsColor color);

// Mask blends: each channel of the result uses the same channel of a grey mask; A kept.
// c = (C * 256 + (c - C) * m) div 256 over equally sized Bmp and Mask.
void BlendBmpByMask(const TImage32View& bmp, const TImage32View& mask, TsColor color);
// Out = (b2 * 256 + (b1 - b2) * m) div 256, m from Mask or Percent (0..256, weight of Bmp1) without one.
void SumBitmapsByMask(const TImage32View& out, const TImage32View& bmp1, const TImage32View& bmp2,
                      const TImage32View& mask, int percent);
// Over R of all three images: Bmp1 = (b2 * 256 + (b1 - b2) * m) div 256.
void SumByMask(const TImage32View& bmp1, const TImage32View& bmp2, const TImage32View& mask, const TRect& r);
// Over R: Bmp2's alpha weighted by the mask's red k (0 full, 255 none).
void SumByMaskWith32(const TImage32View& bmp1, const TImage32View& bmp2, const TImage32View& mask, const TRect& r);

// Constant-weight blends: every byte dst = (dst * Alpha + src * (255 - Alpha) + 127) div 256.
void SumBitmaps(const TImage32View& dst, const TImage32View& src, TsColor alpha);
void SumBmpRect(const TImage32View& dst, const TImage32View& src, std::uint8_t alpha, TRect srcRect, TPoint dstPoint);

// SrcRect inclusive; d = Round(s - (s - d) * Blend) per channel, source pixels equal to TransColor
// (32-bit, unconverted) skipped; A kept.
void BlendTransRectangle(const TImage32View& dst, int x, int y, const TImage32View& src, TRect srcRect, double blend,
                         TColor transColor);
// Alpha copy of an image rectangle: R, G, B mixed by the source alpha, alpha accumulated; key pixels
// skipped or (UpdateTrans) replaced by the parent's pixel when the cache is ready.
void CopyByMask(TRect dstRect, TRect srcRect, const TImage32View& dst, const TImage32View& src, const TCacheInfo32& ci,
                bool updateTrans);
// From a masked skin image: picture cells in the upper half of Src, the mask MaskHeight / 2 rows below
// (MaskHeight: the height of the image's whole rectangle).
void CopyByMask(TRect dstRect, TRect srcRect, const TImage32View& dst, const TImage32View& src, const TCacheInfo32& ci,
                bool updateTrans, int maskHeight);
// Glyph copy: Blend is a percentage of transparency, GrayedColor (clNone for none) a tint, Reflected
// adds a fading mirror image below DstRect.
void CopyBmp32(TRect dstRect, TRect srcRect, const TImage32View& dst, const TImage32View& src, const TCacheInfo32& ci,
               bool updateTrans, TColor grayedColor, int blend, bool reflected);
// The whole Src at (X, Y); pixels equal to TransColor (converted to row order) skipped, others
// written with A = 255.
void CopyTransBitmaps(const TImage32View& dst, const TImage32View& src, int x, int y, TsColor transColor);
// SrcRect (inclusive, clamped into Src) at (X, Y); TransColor compared with the stored pixel.
void CopyTransRect(const TImage32View& dst, const TImage32View& src, int x, int y, TRect srcRect, TColor transColor,
                   const TCacheInfo32& ci, bool updateTrans);
// The same; TransColor converted to row order with A = 0, every other pixel copied whole.
void CopyTransRectA(const TImage32View& dst, const TImage32View& src, int x, int y, TRect srcRect, TColor transColor);

// Colour arithmetic on the three low bytes.
TColor MixColors(TColor color1, TColor color2, double value);
TsColor AverageColor(TsColor color1, TsColor color2);
TColor AverageColor(TColor color1, TColor color2);
TColor ChangeColor(TColor colorBegin, TColor colorEnd, double value);

}  // namespace skin
