#pragma once
// The blurred drop shadow (or glow) behind a shadowed label's text: how far it reaches beyond the
// text, the byte grid it is blurred in and how it is laid over the background. Portable.
#include <cstdint>
#include <vector>

#include "skin/graphics/Image32.h"

namespace skin {

// How far a shadow of blur B cast at distance D reaches beyond the text: up and left (never
// positive) and down and right (never negative).
struct TsShadowReach {
  int TopLeft = 0;
  int RightBottom = 0;
  // The growth of a measured text rectangle in width and height.
  int Growth() const { return RightBottom - TopLeft; }
};
TsShadowReach ShadowReach(int Distance, int Blur);

// A byte grid one cell larger than the mask on every side. Its storage only grows, so that a label
// repainted at one size allocates once.
class TsBlurGrid {
 public:
  // Blurs the text of Mask (pixels whose blue byte is not zero) Passes times: each pass stamps the
  // text solid (255) and then replaces every inner cell, row by row and in place, by the integer
  // mean of its four neighbours, so the glow spreads one cell per pass.
  void Blur(const classlib::TImage32View& Mask, int Passes);
  // The blurred value of mask pixel (x, y).
  std::uint8_t At(int x, int y) const { return cells_[std::size_t(y + 1) * std::size_t(width_ + 2) + std::size_t(x + 1)]; }
  std::size_t Allocated() const { return cells_.size(); }

 private:
  std::vector<std::uint8_t> cells_;
  int width_ = 0;
  int height_ = 0;
};

// Lays the shadow colour (Sr, Sg, Sb) over Background by the grid's weights:
// channel = ((255 - a) * background + shadow * a) / 255, so that where no shadow falls the
// background stays exactly as it was. Alpha bytes are left alone.
void ComposeShadow(const classlib::TImage32View& Background, const TsBlurGrid& Grid, int Sr, int Sg, int Sb);

}  // namespace skin
