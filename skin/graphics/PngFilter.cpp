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
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= n; i += 16) {
    const __m128i sum = _mm_add_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(line + i)),
                                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(prev + i)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), sum);
  }
#endif
  for (; i < n; ++i) out[i] = static_cast<std::uint8_t>(line[i] + prev[i]);
}

#if defined(__SSE2__)
// One pixel of N bytes (at most 8) in 16-bit lanes. Loads and stores go straight to memory:
// a detour through a small buffer on the stack stalls every pixel on store forwarding.
// For N = 3 and 6 a pixel is loaded as 4 or 8 bytes; the spare lanes get no prediction, so
// storing them back writes the bytes that were already there.
template <int N>
inline __m128i LoadWide(const std::uint8_t* p) {
  if constexpr (N <= 4) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(v)), _mm_setzero_si128());
  } else {
    return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), _mm_setzero_si128());
  }
}
template <int N>
inline void StoreWide(std::uint8_t* p, __m128i x) {
  const __m128i packed = _mm_packus_epi16(x, x);
  if constexpr (N <= 4) {
    const auto v = static_cast<std::uint32_t>(_mm_cvtsi128_si32(packed));
    std::memcpy(p, &v, 4);
  } else {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), packed);
  }
}
// The lanes that belong to the pixel.
template <int N>
inline __m128i PixelLanes() {
  static_assert(N == 2 || N == 3 || N == 4 || N == 6 || N == 8);
  if constexpr (N == 2) return _mm_set_epi16(0, 0, 0, 0, 0, 0, -1, -1);
  if constexpr (N == 3) return _mm_set_epi16(0, 0, 0, 0, 0, -1, -1, -1);
  if constexpr (N == 4) return _mm_set_epi16(0, 0, 0, 0, -1, -1, -1, -1);
  if constexpr (N == 6) return _mm_set_epi16(0, 0, -1, -1, -1, -1, -1, -1);
  return _mm_set1_epi16(-1);
}
// Bytes a wide access touches: N rounded up to 4 or 8.
template <int N>
constexpr std::size_t WideBytes() {
  return N <= 4 ? 4 : 8;
}
inline __m128i Abs16(__m128i x) { return _mm_max_epi16(x, _mm_sub_epi16(_mm_setzero_si128(), x)); }
inline __m128i Low8(__m128i x) { return _mm_and_si128(x, _mm_set1_epi16(0xFF)); }

inline __m128i PaethPredictor(__m128i a, __m128i b, __m128i c) {
  const __m128i toB = _mm_sub_epi16(b, c), toA = _mm_sub_epi16(a, c);
  const __m128i pa = Abs16(toB), pb = Abs16(toA), pc = Abs16(_mm_add_epi16(toB, toA));
  // a where pa <= pb and pa <= pc; else b where pb <= pc; else c.
  const __m128i notA = _mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc));
  const __m128i useC = _mm_cmpgt_epi16(pb, pc);
  const __m128i bOrC = _mm_or_si128(_mm_and_si128(useC, c), _mm_andnot_si128(useC, b));
  return _mm_or_si128(_mm_and_si128(notA, bOrC), _mm_andnot_si128(notA, a));
}

// Filter 1, 3 or 4 over whole pixels; the last pixel, whose wide access would leave the row,
// is left to the byte loop. Returns the bytes done. Each pixel's bytes are loaded before the
// previous pixel is stored: in place, a load that half overlaps a just-stored pixel would
// wait for the store to retire.
template <int N>
std::size_t UnfilterVector(std::uint8_t filter, const std::uint8_t* line, const std::uint8_t* prev, std::uint8_t* out,
                           std::size_t n) {
  constexpr std::size_t wide = WideBytes<N>();
  if (n < wide) return 0;
  const std::size_t end = n - wide;  // the last start of a wide access
  const __m128i lanes = PixelLanes<N>();
  __m128i a = _mm_setzero_si128(), c = _mm_setzero_si128();
  __m128i x = LoadWide<N>(line);
  std::size_t i = 0;
  for (;;) {
    __m128i predicted;
    switch (filter) {
      case 1: predicted = a; break;
      case 3: predicted = _mm_srli_epi16(_mm_add_epi16(a, _mm_and_si128(LoadWide<N>(prev + i), lanes)), 1); break;
      default: {
        const __m128i b = _mm_and_si128(LoadWide<N>(prev + i), lanes);
        predicted = PaethPredictor(a, b, c);
        c = b;
      }
    }
    a = Low8(_mm_add_epi16(x, predicted));
    const bool more = i + N <= end;
    if (more) x = LoadWide<N>(line + i + N);
    StoreWide<N>(out + i, a);
    a = _mm_and_si128(a, lanes);
    i += N;
    if (!more) return i;
  }
}

// Two Paeth rows at once, the second one pixel behind the first: pixel i of the second row
// needs pixels i and i - 1 of the first, which are then done and still in registers. The two
// dependency chains run side by side instead of one after the other. N is 4 or 8, so a pixel
// is exactly one access and no byte outside the rows is touched.
template <int N>
void UnfilterPaethPair(std::uint8_t* first, std::uint8_t* second, const std::uint8_t* prev, std::size_t n) {
  const std::size_t pixels = n / N;
  __m128i a1 = _mm_setzero_si128(), c1 = _mm_setzero_si128();
  __m128i a2 = _mm_setzero_si128(), c2 = _mm_setzero_si128();
  __m128i up = _mm_setzero_si128();  // the first row's pixel above the second row's next pixel
  for (std::size_t i = 0; i <= pixels; ++i) {
    __m128i x1 = _mm_setzero_si128(), b1 = _mm_setzero_si128();
    if (i < pixels) {
      x1 = LoadWide<N>(first + i * N);
      b1 = LoadWide<N>(prev + i * N);
    }
    if (i > 0) {
      const __m128i x2 = LoadWide<N>(second + (i - 1) * N);
      a2 = Low8(_mm_add_epi16(x2, PaethPredictor(a2, up, c2)));
      c2 = up;
      StoreWide<N>(second + (i - 1) * N, a2);
    }
    if (i < pixels) {
      a1 = Low8(_mm_add_epi16(x1, PaethPredictor(a1, b1, c1)));
      c1 = b1;
      StoreWide<N>(first + i * N, a1);
      up = a1;
    }
  }
}
#endif

// Undoes Sub, Average or Paeth from byte `from` on; bytes before it are done already.
void UnfilterBytes(std::uint8_t filter, const std::uint8_t* line, const std::uint8_t* prev, std::uint8_t* out,
                   std::size_t bpp, std::size_t from, std::size_t n) {
  if (bpp == 1 && from == 0) {
    // One byte per pixel: the left neighbour stays in a register, not a store away.
    std::uint8_t a = 0, c = 0;
    switch (filter) {
      case 1:
        for (std::size_t i = 0; i < n; ++i) out[i] = a = static_cast<std::uint8_t>(line[i] + a);
        return;
      case 3:
        for (std::size_t i = 0; i < n; ++i) out[i] = a = static_cast<std::uint8_t>(line[i] + ((a + prev[i]) >> 1));
        return;
      case 4:
        for (std::size_t i = 0; i < n; ++i) {
          const std::uint8_t b = prev[i];
          out[i] = a = static_cast<std::uint8_t>(line[i] + Paeth(a, b, c));
          c = b;
        }
        return;
      default: return;
    }
  }
  for (std::size_t i = from; i < n; ++i) {
    const int a = i >= bpp ? out[i - bpp] : 0;
    const int b = prev[i];
    const int c = i >= bpp ? prev[i - bpp] : 0;
    int predicted = 0;
    switch (filter) {
      case 1: predicted = a; break;
      case 3: predicted = (a + b) >> 1; break;
      case 4: predicted = Paeth(a, b, c); break;
      default: break;
    }
    out[i] = static_cast<std::uint8_t>(line[i] + predicted);
  }
}

}  // namespace

void ApplyFilterScalar(std::uint8_t Filter, const std::uint8_t* Line, const std::uint8_t* PrevLine,
                       std::uint8_t* Target, int BPP, std::size_t BytesPerRow) {
  const std::size_t n = BytesPerRow, bpp = static_cast<std::size_t>(BPP);
  const std::size_t lead = bpp < n ? bpp : n;
  switch (Filter) {
    case 1:
      if (Target != Line) std::memmove(Target, Line, lead);
      for (std::size_t i = bpp; i < n; ++i) Target[i] = static_cast<std::uint8_t>(Line[i] + Target[i - bpp]);
      break;
    case 2: UnfilterUp(Line, PrevLine, Target, n); break;
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
    default:  // None, and filter types the standard does not know: the row as it is
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
  if (Filter != 1 && Filter != 3 && Filter != 4) {
    if (Target != Line) std::memmove(Target, Line, BytesPerRow);
    return;
  }
  std::size_t done = 0;
#if defined(__SSE2__)
  switch (BPP) {
    case 2: done = UnfilterVector<2>(Filter, Line, PrevLine, Target, BytesPerRow); break;
    case 3: done = UnfilterVector<3>(Filter, Line, PrevLine, Target, BytesPerRow); break;
    case 4: done = UnfilterVector<4>(Filter, Line, PrevLine, Target, BytesPerRow); break;
    case 6: done = UnfilterVector<6>(Filter, Line, PrevLine, Target, BytesPerRow); break;
    case 8: done = UnfilterVector<8>(Filter, Line, PrevLine, Target, BytesPerRow); break;
    default: break;
  }
#endif
  UnfilterBytes(Filter, Line, PrevLine, Target, static_cast<std::size_t>(BPP), done, BytesPerRow);
}

void ApplyFilterTwoRows(std::uint8_t FirstFilter, std::uint8_t* First, std::uint8_t SecondFilter, std::uint8_t* Second,
                        const std::uint8_t* PrevLine, int BPP, std::size_t BytesPerRow) {
#if defined(__SSE2__)
  if (FirstFilter == 4 && SecondFilter == 4 && BytesPerRow % static_cast<std::size_t>(BPP) == 0) {
    if (BPP == 4) return UnfilterPaethPair<4>(First, Second, PrevLine, BytesPerRow);
    if (BPP == 8) return UnfilterPaethPair<8>(First, Second, PrevLine, BytesPerRow);
  }
#endif
  ApplyFilter(FirstFilter, First, PrevLine, First, BPP, BytesPerRow);
  ApplyFilter(SecondFilter, Second, First, Second, BPP, BytesPerRow);
}

}  // namespace skin
