#include "skin/graphics/sStretch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "skin/graphics/PixelMath.h"

namespace skin {
namespace {

constexpr std::array<float, 7> kSupport = {0.51f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};
constexpr double kPi = 3.14159265358979323846;

// sin from IEEE double arithmetic alone, so that both builds compute the same Lanczos weights
// whatever their run-time library does.
double PortableSin(double x) {
  constexpr double twoPi = 2 * kPi;
  double r = x - std::nearbyint(x / twoPi) * twoPi;
  if (r > kPi / 2) r = kPi - r;
  if (r < -kPi / 2) r = -kPi - r;
  const double r2 = r * r;
  double term = r, sum = r;
  for (int n = 1; n <= 12; ++n) {
    term *= -r2 / ((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum;
}

float FilterWeight(TFilterType filter, float x, float signedX) {
  switch (filter) {
    case TFilterType::ftBox: return (x <= 0.5f && signedX != -0.5f) ? 1.0f : 0.0f;
    case TFilterType::ftTriangle: return 1.0f - x;
    case TFilterType::ftHermite: return x * x * (2.0f * x - 3.0f) + 1.0f;
    case TFilterType::ftBell: {
      if (x < 0.5f) return 0.75f - x * x;
      const float t = x - 1.5f;
      return t * t * 0.5f;
    }
    case TFilterType::ftSpline: {
      if (x < 1.0f) return x * x * (x / 2.0f - 1.0f) + 2.0f / 3.0f;
      const float t = 2.0f - x;
      return t * t * t / 6.0f;
    }
    case TFilterType::ftLanczos3: {
      if (x == 0.0f) return 1.0f;
      const double d = x;
      return static_cast<float>(PortableSin(kPi * d) * PortableSin(d) / (kPi * d * d));
    }
    case TFilterType::ftMitchell:
      if (x < 1.0f) return x * x * (7.0f / 6.0f * x - 2.0f) + 8.0f / 9.0f;
      return x * x * (-7.0f / 18.0f * x + 2.0f) - 10.0f / 3.0f * x + 16.0f / 9.0f;
  }
  return 0.0f;
}

// Samples beyond either end mirror back: -j before the first, 2n - 1 - j after the last. The two
// mirrors repeat with period 2n - 1, so any index, however far out, lands inside.
int MirrorIndex(long long j, int n) {
  if (j >= 0 && j < n) return static_cast<int>(j);
  const long long period = 2LL * n - 1;
  long long m = j % period;
  if (m < 0) m += period;
  if (m >= n) m = period - m;
  return static_cast<int>(m);
}

inline std::uint8_t ToByte(std::int32_t sum) {
  if (sum < 0) return 0;
  if (sum >= 0xFF0001) return 255;
  return static_cast<std::uint8_t>(sum >> 16);
}

template <int Channels>
void HorizontalPass(const std::uint8_t* src, int height, std::ptrdiff_t srcStride, std::uint8_t* work,
                    std::ptrdiff_t workStride, int newWidth, const TContributions& c) {
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* s = src + srcStride * y;
    std::uint8_t* d = work + workStride * y;
    for (int i = 0; i < newWidth; ++i) {
      std::int32_t sum[Channels] = {};
      for (int k = c.First[i]; k < c.First[i + 1]; ++k) {
        const std::uint8_t* p = s + static_cast<std::ptrdiff_t>(c.Index[k]) * Channels;
        const std::int32_t w = c.Weight[k];
        for (int ch = 0; ch < Channels; ++ch) sum[ch] += p[ch] * w;
      }
      for (int ch = 0; ch < Channels; ++ch) d[ch] = ToByte(sum[ch]);
      d += Channels;
    }
  }
}

// Row by row: every destination row sums whole work rows, so the walk stays sequential in memory.
void VerticalPass(const std::uint8_t* work, std::ptrdiff_t workStride, int rowBytes, std::uint8_t* dst,
                  std::ptrdiff_t dstStride, int newHeight, const TContributions& c) {
  std::vector<std::int32_t> sum(static_cast<std::size_t>(rowBytes));
  for (int i = 0; i < newHeight; ++i) {
    std::fill(sum.begin(), sum.end(), 0);
    std::int32_t* acc = sum.data();
    for (int k = c.First[i]; k < c.First[i + 1]; ++k) {
      const std::uint8_t* s = work + workStride * c.Index[k];
      const std::int32_t w = c.Weight[k];
      for (int b = 0; b < rowBytes; ++b) acc[b] += s[b] * w;
    }
    std::uint8_t* d = dst + dstStride * i;
    for (int b = 0; b < rowBytes; ++b) d[b] = ToByte(acc[b]);
  }
}

}  // namespace

TContributions BuildContributions(int srcSize, int dstSize, TFilterType filter) {
  TContributions c;
  const auto f = static_cast<std::size_t>(filter);
  if (srcSize <= 0 || dstSize <= 0 || f >= kSupport.size()) return c;
  const float support = kSupport[f];
  const float scale = srcSize > dstSize ? static_cast<float>(dstSize) / static_cast<float>(srcSize) : 1.0f;
  const float width = support / scale;
  c.First.reserve(static_cast<std::size_t>(dstSize) + 1);
  for (int i = 0; i < dstSize; ++i) {
    c.First.push_back(static_cast<int>(c.Index.size()));
    const float center =
        static_cast<float>(static_cast<long long>(i) * srcSize) / static_cast<float>(dstSize);
    const long long left = static_cast<long long>(std::floor(center - width));
    const long long right = static_cast<long long>(std::ceil(center + width));
    for (long long j = left; j <= right; ++j) {
      const float signedX = (center - static_cast<float>(j)) * scale;
      const float x = std::fabs(center - static_cast<float>(j)) * scale;
      if (x >= support) continue;
      const float w = FilterWeight(filter, x, signedX);
      if (w == 0.0f) continue;
      const int weight = RoundToInt(static_cast<double>(w) * static_cast<double>(scale) * 65536.0);
      if (weight == 0) continue;
      c.Index.push_back(MirrorIndex(j, srcSize));
      c.Weight.push_back(weight);
    }
  }
  c.First.push_back(static_cast<int>(c.Index.size()));
  return c;
}

void StretchPixels(const std::uint8_t* src, int width, int height, std::ptrdiff_t srcStride, int bytesPerPixel,
                   std::uint8_t* dst, int newWidth, int newHeight, std::ptrdiff_t dstStride, TFilterType filter) {
  if (src == nullptr || dst == nullptr || newWidth <= 0 || newHeight <= 0) return;
  if (bytesPerPixel != 3 && bytesPerPixel != 4) return;
  if (width < 2 || height < 2) throw EStretchError("Source bitmap is too small");
  if (static_cast<std::size_t>(filter) >= kSupport.size()) return;
  const int rowBytes = newWidth * bytesPerPixel;
  std::vector<std::uint8_t> work(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height));
  {
    const TContributions h = BuildContributions(width, newWidth, filter);
    if (bytesPerPixel == 4)
      HorizontalPass<4>(src, height, srcStride, work.data(), rowBytes, newWidth, h);
    else
      HorizontalPass<3>(src, height, srcStride, work.data(), rowBytes, newWidth, h);
  }
  const TContributions v = BuildContributions(height, newHeight, filter);
  VerticalPass(work.data(), rowBytes, rowBytes, dst, dstStride, newHeight, v);
}

void Stretch(const TImage32View& src, TBitmap32& dst, int newWidth, int newHeight, TFilterType filter, int) {
  if (newWidth <= 0 || newHeight <= 0) return;
  if (src.Bits == nullptr || src.Width < 2 || src.Height < 2) throw EStretchError("Source bitmap is too small");
  TImage32View d = dst.View();
  if (newWidth == src.Width && newHeight == src.Height) {
    if (d.SameImage(src)) return;
    TBitmap32 copy(src.Width, src.Height);
    for (int y = 0; y < src.Height; ++y)
      std::memcpy(copy.View().Row(y), src.Row(y), static_cast<std::size_t>(src.Width) * 4);
    dst = std::move(copy);
    return;
  }
  // A new image, so that Src may be Dst's own pixels.
  TBitmap32 out(newWidth, newHeight);
  const TImage32View o = out.View();
  StretchPixels(src.Bits, src.Width, src.Height, src.Stride, 4, o.Bits, newWidth, newHeight, o.Stride, filter);
  dst = std::move(out);
}

}  // namespace skin
