#include "skin/controls/sLabelShadow.h"

#include <algorithm>

namespace skin {

TsShadowReach ShadowReach(int Distance, int Blur) {
  return {std::min(Distance - Blur, 0), std::max(Distance + Blur, 0)};
}

void TsBlurGrid::Blur(const classlib::TImage32View& Mask, int Passes) {
  width_ = std::max(Mask.Width, 0);
  height_ = std::max(Mask.Height, 0);
  const std::size_t stride = std::size_t(width_) + 2;
  const std::size_t used = stride * (std::size_t(height_) + 2);
  // Room for twice the need, never given back: sizes that wobble by a few pixels reuse it.
  if (cells_.size() < used) cells_.resize(used * 2);
  std::fill_n(cells_.begin(), used, std::uint8_t{0});
  if (Mask.Empty()) return;
  for (int pass = 0; pass < Passes; ++pass) {
    for (int y = 0; y < height_; ++y) {
      const auto* row = Mask.Row(y);
      for (int x = 0; x < width_; ++x)
        if (row[x].B != 0) cells_[std::size_t(y + 1) * stride + std::size_t(x + 1)] = 255;
    }
    for (std::size_t y = 1; y <= std::size_t(height_); ++y)
      for (std::size_t x = 1; x <= std::size_t(width_); ++x) {
        const std::size_t i = y * stride + x;
        cells_[i] = std::uint8_t((cells_[i - stride] + cells_[i + stride] + cells_[i - 1] + cells_[i + 1]) / 4);
      }
  }
}

void ComposeShadow(const classlib::TImage32View& Background, const TsBlurGrid& Grid, int Sr, int Sg, int Sb) {
  if (Background.Empty()) return;
  for (int y = 0; y < Background.Height; ++y) {
    auto* row = Background.Row(y);
    for (int x = 0; x < Background.Width; ++x) {
      const int a = Grid.At(x, y), rest = 255 - a;
      row[x].B = std::uint8_t((rest * row[x].B + Sb * a) / 255);
      row[x].G = std::uint8_t((rest * row[x].G + Sg * a) / 255);
      row[x].R = std::uint8_t((rest * row[x].R + Sr * a) / 255);
    }
  }
}

}  // namespace skin
