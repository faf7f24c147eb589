#include "skin/graphics/sStretch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "skin/graphics/PixelMath.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
void VerticalPassPlain(const std::uint8_t* work, std::ptrdiff_t workStride, int from, int rowBytes, std::uint8_t* dst,
                       std::ptrdiff_t dstStride, int newHeight, const TContributions& c) {
  if (from >= rowBytes) return;
  std::vector<std::int32_t> sum(static_cast<std::size_t>(rowBytes - from));
  for (int i = 0; i < newHeight; ++i) {
    std::fill(sum.begin(), sum.end(), 0);
    std::int32_t* acc = sum.data();
    for (int k = c.First[i]; k < c.First[i + 1]; ++k) {
      const std::uint8_t* s = work + workStride * c.Index[k] + from;
      const std::int32_t w = c.Weight[k];
      for (int b = 0; b < rowBytes - from; ++b) acc[b] += s[b] * w;
    }
    std::uint8_t* d = dst + dstStride * i + from;
    for (int b = 0; b < rowBytes - from; ++b) d[b] = ToByte(acc[b]);
  }
}

#if defined(__SSE2__)
// The SSE2 passes multiply bytes by 16.16 weights with pmaddwd, two contributions at a time. A weight
// w is split as (w >> 15) * 2^15 + (w & 0x7FFF), both parts fitting 16-bit lanes; the two partial
// sums recombine exactly, so the bytes equal the plain passes'.
struct SplitPairs {
  std::vector<int> first;  // pair range of destination index i: first[i] .. first[i + 1] - 1
  std::vector<int> a, b;   // source indexes (b = a with a zero weight for an odd count)
  std::vector<std::array<std::int16_t, 8>> low, high;  // lanes (wa, wb) repeated, low and high parts

  __m128i Low(int k) const { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(low[k].data())); }
  __m128i High(int k) const { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(high[k].data())); }
};

SplitPairs Split(const TContributions& c) {
  SplitPairs p;
  const std::size_t n = c.First.size() - 1;
  p.first.reserve(n + 1);
  for (std::size_t i = 0; i < n; ++i) {
    p.first.push_back(static_cast<int>(p.a.size()));
    for (int k = c.First[i]; k < c.First[i + 1]; k += 2) {
      const bool pair = k + 1 < c.First[i + 1];
      const std::int32_t wa = c.Weight[k], wb = pair ? c.Weight[k + 1] : 0;
      p.a.push_back(c.Index[k]);
      p.b.push_back(pair ? c.Index[k + 1] : c.Index[k]);
      const auto lo = [](std::int32_t w) { return static_cast<std::int16_t>(w & 0x7FFF); };
      const auto hi = [](std::int32_t w) { return static_cast<std::int16_t>(w >> 15); };
      p.low.push_back({lo(wa), lo(wb), lo(wa), lo(wb), lo(wa), lo(wb), lo(wa), lo(wb)});
      p.high.push_back({hi(wa), hi(wb), hi(wa), hi(wb), hi(wa), hi(wb), hi(wa), hi(wb)});
    }
  }
  p.first.push_back(static_cast<int>(p.a.size()));
  return p;
}

// Sum of the low parts plus the high parts moved up: the exact 32-bit sums, then to bytes as ToByte.
inline __m128i Sums(__m128i low, __m128i high) {
  return _mm_srai_epi32(_mm_add_epi32(low, _mm_slli_epi32(high, 15)), 16);
}

void HorizontalPass4(const std::uint8_t* src, int height, std::ptrdiff_t srcStride, std::uint8_t* work,
                     std::ptrdiff_t workStride, int newWidth, const TContributions& c) {
  const SplitPairs p = Split(c);
  const __m128i zero = _mm_setzero_si128();
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* s = src + srcStride * y;
    std::uint8_t* d = work + workStride * y;
    for (int i = 0; i < newWidth; ++i) {
      __m128i lo = zero, hi = zero;
      for (int k = p.first[i]; k < p.first[i + 1]; ++k) {
        std::int32_t pa, pb;
        std::memcpy(&pa, s + static_cast<std::ptrdiff_t>(p.a[k]) * 4, 4);
        std::memcpy(&pb, s + static_cast<std::ptrdiff_t>(p.b[k]) * 4, 4);
        const __m128i v = _mm_unpacklo_epi8(_mm_unpacklo_epi8(_mm_cvtsi32_si128(pa), _mm_cvtsi32_si128(pb)), zero);
        lo = _mm_add_epi32(lo, _mm_madd_epi16(v, p.Low(k)));
        hi = _mm_add_epi32(hi, _mm_madd_epi16(v, p.High(k)));
      }
      const __m128i r = Sums(lo, hi);
      const std::int32_t out = _mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(r, r), zero));
      std::memcpy(d + static_cast<std::ptrdiff_t>(i) * 4, &out, 4);
    }
  }
}

void VerticalPass(const std::uint8_t* work, std::ptrdiff_t workStride, int rowBytes, std::uint8_t* dst,
                  std::ptrdiff_t dstStride, int newHeight, const TContributions& c) {
  const SplitPairs p = Split(c);
  const __m128i zero = _mm_setzero_si128();
  const int vectorBytes = rowBytes & ~15;
  for (int i = 0; i < newHeight; ++i) {
    std::uint8_t* d = dst + dstStride * i;
    for (int b = 0; b < vectorBytes; b += 16) {
      __m128i lo[4] = {zero, zero, zero, zero}, hi[4] = {zero, zero, zero, zero};
      for (int k = p.first[i]; k < p.first[i + 1]; ++k) {
        const __m128i ra = _mm_loadu_si128(reinterpret_cast<const __m128i*>(work + workStride * p.a[k] + b));
        const __m128i rb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(work + workStride * p.b[k] + b));
        const __m128i l = _mm_unpacklo_epi8(ra, rb), h = _mm_unpackhi_epi8(ra, rb);
        const __m128i v[4] = {_mm_unpacklo_epi8(l, zero), _mm_unpackhi_epi8(l, zero), _mm_unpacklo_epi8(h, zero),
                              _mm_unpackhi_epi8(h, zero)};
        const __m128i wl = p.Low(k), wh = p.High(k);
        for (int q = 0; q < 4; ++q) {
          lo[q] = _mm_add_epi32(lo[q], _mm_madd_epi16(v[q], wl));
          hi[q] = _mm_add_epi32(hi[q], _mm_madd_epi16(v[q], wh));
        }
      }
      const __m128i w01 = _mm_packs_epi32(Sums(lo[0], hi[0]), Sums(lo[1], hi[1]));
      const __m128i w23 = _mm_packs_epi32(Sums(lo[2], hi[2]), Sums(lo[3], hi[3]));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + b), _mm_packus_epi16(w01, w23));
    }
  }
  VerticalPassPlain(work, workStride, vectorBytes, rowBytes, dst, dstStride, newHeight, c);
}
#else
void VerticalPass(const std::uint8_t* work, std::ptrdiff_t workStride, int rowBytes, std::uint8_t* dst,
                  std::ptrdiff_t dstStride, int newHeight, const TContributions& c) {
  VerticalPassPlain(work, workStride, 0, rowBytes, dst, dstStride, newHeight, c);
}
#endif

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
    const float center = static_cast<float>(static_cast<long long>(i) * srcSize) / static_cast<float>(dstSize);
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
  if (width < 2 || height < 2) throw EStretchError();
  if (static_cast<std::size_t>(filter) >= kSupport.size()) return;
  const int rowBytes = newWidth * bytesPerPixel;
  std::vector<std::uint8_t> work(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height));
  {
    const TContributions h = BuildContributions(width, newWidth, filter);
    if (bytesPerPixel == 4)
#if defined(__SSE2__)
      HorizontalPass4(src, height, srcStride, work.data(), rowBytes, newWidth, h);
#else
      HorizontalPass<4>(src, height, srcStride, work.data(), rowBytes, newWidth, h);
#endif
    else
      HorizontalPass<3>(src, height, srcStride, work.data(), rowBytes, newWidth, h);
  }
  const TContributions v = BuildContributions(height, newHeight, filter);
  VerticalPass(work.data(), rowBytes, rowBytes, dst, dstStride, newHeight, v);
}

void Stretch(const TImage32View& src, TBitmap32& dst, int newWidth, int newHeight, TFilterType filter, int) {
  if (newWidth <= 0 || newHeight <= 0) return;
  if (src.Bits == nullptr || src.Width < 2 || src.Height < 2) throw EStretchError();
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
