#include "skin/graphics/PngFilter.h"

#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace skin {

namespace {

inline std::uint8_t Paeth(int a, int b, int c) {
  const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
  if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
  if (pb <= pc) return static_cast<std::uint8_t>(b);
  return static_cast<std::uint8_t>(c);
}

void UnfilterUp(const std::uint8_t* line, const std::uint8_t* prev, std::uint8_t* out, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<std::uint8_t>(line[i] + prev[i]);
}

#if defined(__SSE2__)
// One pixel of N bytes widened to 16-bit lanes; N is at most 8.
template <int N>
inline __m128i LoadPixel(const std::uint8_t* p) {
  std::uint64_t v = 0;
  std::memcpy(&v, p, N);
  return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(&v)), _mm_setzero_si128());
}
template <int N>
inline void StorePixel(std::uint8_t* p, __m128i x) {
  std::uint64_t v;
  _mm_storel_epi64(reinterpret_cast<__m128i*>(&v), _mm_packus_epi16(_mm_and_si128(x, _mm_set1_epi16(0xFF)), x));
  std::memcpy(p, &v, N);
}
inline __m128i Abs16(__m128i x) { return _mm_max_epi16(x, _mm_sub_epi16(_mm_setzero_si128(), x)); }
inline __m128i Low8(__m128i x) { return _mm_and_si128(x, _mm_set1_epi16(0xFF)); }

template <int N>
void UnfilterSub(const std::uint8_t* line, std::uint8_t* out, std::size_t n) {
  std::memmove(out, line, N);
  __m128i a = LoadPixel<N>(out);
  for (std::size_t i = N; i + N <= n; i += N) {
    a = Low8(_mm_add_epi16(LoadPixel<N>(line + i), a));
    StorePixel<N>(out + i, a);
  }
}

template <int N>
void UnfilterAverage(const std::uint8_t* line, const std::uint8_t* prev, std::uint8_t* out, std::size_t n) {
  __m128i a = _mm_setzero_si128();
  for (std::size_t i = 0; i + N <= n; i += N) {
    const __m128i b = LoadPixel<N>(prev + i);
    a = Low8(_mm_add_epi16(LoadPixel<N>(line + i), _mm_srli_epi16(_mm_add_epi16(a, b), 1)));
    StorePixel<N>(out + i, a);
  }
}

template <int N>
void UnfilterPaeth(const std::uint8_t* line, const std::uint8_t* prev, std::uint8_t* out, std::size_t n) {
  __m128i a = _mm_setzero_si128(), c = _mm_setzero_si128();
  for (std::size_t i = 0; i + N <= n; i += N) {
    const __m128i b = LoadPixel<N>(prev + i);
    const __m128i toB = _mm_sub_epi16(b, c), toA = _mm_sub_epi16(a, c);
    const __m128i pa = Abs16(toB), pb = Abs16(toA), pc = Abs16(_mm_add_epi16(toB, toA));
    // a where pa <= pb and pa <= pc; else b where pb <= pc; else c.
    const __m128i notA = _mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc));
    const __m128i useC = _mm_cmpgt_epi16(pb, pc);
    const __m128i bOrC = _mm_or_si128(_mm_and_si128(useC, c), _mm_andnot_si128(useC, b));
    const __m128i predicted = _mm_or_si128(_mm_and_si128(notA, bOrC), _mm_andnot_si128(notA, a));
    a = Low8(_mm_add_epi16(LoadPixel<N>(line + i), predicted));
    StorePixel<N>(out + i, a);
    c = b;
  }
}

template <int N>
bool UnfilterVector(std::uint8_t filter, const std::uint8_t* line, const std::uint8_t* prev, std::uint8_t* out,
                    std::size_t n) {
  if (n % N != 0) return false;
  switch (filter) {
    case 1: UnfilterSub<N>(line, out, n); return true;
    case 3: UnfilterAverage<N>(line, prev, out, n); return true;
    case 4: UnfilterPaeth<N>(line, prev, out, n); return true;
    default: return false;
  }
}
#endif

}  // namespace

void ApplyFilterScalar(std::uint8_t Filter, const std::uint8_t* Line, const std::uint8_t* PrevLine,
                       std::uint8_t* Target, int BPP, std::size_t BytesPerRow) {
  const std::size_t n = BytesPerRow, bpp = static_cast<std::size_t>(BPP);
  const std::size_t lead = bpp < n ? bpp : n;
  switch (Filter) {
    case 0:
      if (Target != Line) std::memmove(Target, Line, n);
      break;
    case 1:
      if (Target != Line) std::memmove(Target, Line, lead);
      for (std::size_t i = bpp; i < n; ++i) Target[i] = static_cast<std::uint8_t>(Line[i] + Target[i - bpp]);
      break;
    case 2:
      UnfilterUp(Line, PrevLine, Target, n);
      break;
    case 3:
      for (std::size_t i = 0; i < lead; ++i) Target[i] = static_cast<std::uint8_t>(Line[i] + (PrevLine[i] >> 1));
      for (std::size_t i = bpp; i < n; ++i)
        Target[i] = static_cast<std::uint8_t>(Line[i] + ((Target[i - bpp] + PrevLine[i]) >> 1));
      break;
    case 4:
      for (std::size_t i = 0; i < lead; ++i) Target[i] = static_cast<std::uint8_t>(Line[i] + PrevLine[i]);
      for (std::size_t i = bpp; i < n; ++i)
        Target[i] = static_cast<std::uint8_t>(Line[i] + Paeth(Target[i - bpp], PrevLine[i], PrevLine[i - bpp]));
      break;
    default:
      if (Target != Line) std::memmove(Target, Line, n);
      break;
  }
}

void ApplyFilter(std::uint8_t Filter, const std::uint8_t* Line, const std::uint8_t* PrevLine, std::uint8_t* Target,
                 int BPP, std::size_t BytesPerRow) {
  if (Filter == 2) {
    UnfilterUp(Line, PrevLine, Target, BytesPerRow);
    return;
  }
#if defined(__SSE2__)
  bool done = false;
  switch (BPP) {
    case 2: done = UnfilterVector<2>(Filter, Line, PrevLine, Target, BytesPerRow); break;
    case 3: done = UnfilterVector<3>(Filter, Line, PrevLine, Target, BytesPerRow); break;
    case 4: done = UnfilterVector<4>(Filter, Line, PrevLine, Target, BytesPerRow); break;
    case 6: done = UnfilterVector<6>(Filter, Line, PrevLine, Target, BytesPerRow); break;
    case 8: done = UnfilterVector<8>(Filter, Line, PrevLine, Target, BytesPerRow); break;
    default: break;
  }
  if (done) return;
#endif
  ApplyFilterScalar(Filter, Line, PrevLine, Target, BPP, BytesPerRow);
}

}  // namespace skin
