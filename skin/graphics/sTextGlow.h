#pragma once
// The arithmetic of a coloured glow behind text: a Gaussian blur of an 8-bit mask (255 = no text,
// 0 = full text) and the mask's mix of the glow colour into a 32-bit image. Portable: the Win32
// side draws the text into the mask and hands both images over as views.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/graphics/Image32.h"

namespace skin {

// An 8-bit image as the blur sees it: one byte a pixel, any stride (negative for bottom-up DIBs).
struct TImage8View {
  std::uint8_t* Bits = nullptr;  // first byte of row 0 (the top row)
  int Width = 0;
  int Height = 0;
  std::ptrdiff_t Stride = 0;

  bool Empty() const { return Bits == nullptr || Width <= 0 || Height <= 0; }
  std::uint8_t* Row(int y) const { return Bits + Stride * y; }
};

// The blur reaches at most this far from a pixel; a glow margin beyond the kernel plus the text's
// one-pixel outline shifts gains nothing and a skin's huge glow size would size the mask by it.
inline constexpr int kMaxBlurReach = 100;
inline constexpr int kMaxGlowMargin = kMaxBlurReach + 4;

// The margin around the text rectangle that the glow mask keeps: GlowSize + 4, at most
// kMaxGlowMargin (and never negative).
int GlowMargin(int glowSize);

// The normalised weights k(-r)..k(r) of the blur for Radius, r the smallest reach whose tail
// outside it stays below 1/510 (at least 1, at most kMaxBlurReach). Empty for Radius 0.
std::vector<float> BlurKernel(double radius);

// Gaussian blur in place: every row, then every column; edge samples repeat. Radius 0 (or not a
// number) leaves the image as it is.
void Blur8(const TImage8View& img, double radius);

// Glow colour Color (an RGB TColor) mixed into Dst through the mask placed with its (0, 0) at
// Origin: for every mask value m != 255 each of R, G, B becomes C + (c - C) * m div 255 and A gains
// (255 - m) * (255 - A) div 255. Points outside Dst are skipped.
void ApplyGlowMask(const TImage32View& dst, const TImage8View& mask, TPoint origin, TColor color);

}  // namespace skin
