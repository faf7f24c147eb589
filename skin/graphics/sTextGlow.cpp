#include "skin/graphics/sTextGlow.h"

#include <algorithm>
#include <cmath>

namespace skin {

int GlowMargin(int glowSize) {
  if (glowSize >= kMaxGlowMargin - 4) return kMaxGlowMargin;
  return std::max(glowSize + 4, 0);
}

std::vector<float> BlurKernel(double radius) {
  if (!(radius != 0.0) || !std::isfinite(radius)) return {};
  // Weights for j = -kMaxBlurReach..kMaxBlurReach, normalised over the whole span first so that the
  // tail test below compares fractions of the whole bell.
  std::vector<float> full(2 * kMaxBlurReach + 1);
  double sum = 0;
  for (int j = -kMaxBlurReach; j <= kMaxBlurReach; ++j) {
    const double t = j / radius;
    full[j + kMaxBlurReach] = static_cast<float>(std::exp(-t * t / 2));
    sum += full[j + kMaxBlurReach];
  }
  if (!(sum > 0)) return {};
  for (float& k : full) k = static_cast<float>(k / sum);

  int reach = kMaxBlurReach;
  double tail = 0;
  for (;;) {
    tail += 2.0 * full[reach + kMaxBlurReach];
    if (tail < 1.0 / 510 && reach > 1)
      --reach;
    else
      break;
  }
  std::vector<float> kernel(full.begin() + (kMaxBlurReach - reach), full.begin() + (kMaxBlurReach + reach + 1));
  double own = 0;
  for (float k : kernel) own += k;
  for (float& k : kernel) k = static_cast<float>(k / own);
  return kernel;
}

namespace {

// One line of Count samples, Step bytes apart, blurred through Line (a buffer of Count values).
void BlurLine(std::uint8_t* first, std::ptrdiff_t step, int count, const std::vector<double>& kernel,
              std::vector<std::uint8_t>& line) {
  const int reach = static_cast<int>(kernel.size() / 2);
  const int last = count - 1;
  for (int i = 0; i < count; ++i) {
    double sum = 0;
    for (int j = -reach; j <= reach; ++j) sum += kernel[j + reach] * first[step * std::clamp(i - j, 0, last)];
    // The allowance absorbs the last bits of double rounding, so that an exact 255 stays 255.
    const double v = std::floor(sum + 1e-6);
    line[i] = static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
  }
  for (int i = 0; i < count; ++i) first[step * i] = line[i];
}

}  // namespace

void Blur8(const TImage8View& img, double radius) {
  if (img.Empty()) return;
  const std::vector<float> weights = BlurKernel(radius);
  if (weights.empty()) return;
  // Single-precision weights add up to 1 only within a few parts in ten million, enough to turn a
  // line of 255 into 254; renormalised in double precision a constant line stays constant.
  double total = 0;
  for (float k : weights) total += k;
  std::vector<double> kernel;
  for (float k : weights) kernel.push_back(k / total);
  std::vector<std::uint8_t> line(static_cast<std::size_t>(std::max(img.Width, img.Height)));
  for (int y = 0; y < img.Height; ++y) BlurLine(img.Row(y), 1, img.Width, kernel, line);
  for (int x = 0; x < img.Width; ++x) BlurLine(img.Row(0) + x, img.Stride, img.Height, kernel, line);
}

void ApplyGlowMask(const TImage32View& dst, const TImage8View& mask, TPoint origin, TColor color) {
  if (dst.Empty() || mask.Empty()) return;
  const int cr = color & 0xFF, cg = (color >> 8) & 0xFF, cb = (color >> 16) & 0xFF;
  const int y0 = std::max(0, -origin.Y), y1 = std::min(mask.Height, dst.Height - origin.Y);
  const int x0 = std::max(0, -origin.X), x1 = std::min(mask.Width, dst.Width - origin.X);
  for (int y = y0; y < y1; ++y) {
    const std::uint8_t* m = mask.Row(y);
    TsColor_* d = dst.Row(origin.Y + y) + origin.X;
    for (int x = x0; x < x1; ++x) {
      const int v = m[x];
      if (v == 255) continue;
      TsColor_& p = d[x];
      p.R = static_cast<std::uint8_t>(cr + (p.R - cr) * v / 255);
      p.G = static_cast<std::uint8_t>(cg + (p.G - cg) * v / 255);
      p.B = static_cast<std::uint8_t>(cb + (p.B - cb) * v / 255);
      p.A = static_cast<std::uint8_t>(p.A + (255 - v) * (255 - p.A) / 255);
    }
  }
}

}  // namespace skin
