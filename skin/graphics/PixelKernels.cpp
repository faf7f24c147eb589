#include "skin/graphics/PixelKernels.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace skin::kernels {
namespace {

inline int Byte(std::uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFFu); }

inline std::uint32_t MixMaskPixel(std::uint32_t out, std::uint32_t base, std::uint32_t top, std::uint32_t m) {
  std::uint32_t r = out & 0xFF000000u;
  for (int s = 0; s < 24; s += 8) {
    const int b = Byte(base, s);
    const int v = b + (((Byte(top, s) - b) * Byte(m, s)) >> 8);
    r |= static_cast<std::uint32_t>(v) << s;
  }
  return r;
}

inline std::uint32_t MixWeightPixel(std::uint32_t out, std::uint32_t base, std::uint32_t top, int w) {
  std::uint32_t r = out & 0xFF000000u;
  for (int s = 0; s < 24; s += 8) {
    const int b = Byte(base, s);
    const int v = b + (((Byte(top, s) - b) * w) >> 8);
    r |= static_cast<std::uint32_t>(v) << s;
  }
  return r;
}

inline std::uint32_t MixAlphaPixel(std::uint32_t d, std::uint32_t s) {
  const int w = Byte(s, 24);
  std::uint32_t r = 0;
  for (int sh = 0; sh < 24; sh += 8) {
    const int dc = Byte(d, sh);
    r |= static_cast<std::uint32_t>(dc + (((Byte(s, sh) - dc) * w) >> 8)) << sh;
  }
  const int da = Byte(d, 24);
  const int a = w > 0 ? da + (w * (255 - da)) / 255 : da;
  return r | (static_cast<std::uint32_t>(a) << 24);
}

inline std::uint32_t BlendConstPixel(std::uint32_t d, std::uint32_t s, int a) {
  std::uint32_t r = 0;
  for (int sh = 0; sh < 32; sh += 8)
    r |= static_cast<std::uint32_t>((Byte(d, sh) * a + Byte(s, sh) * (255 - a) + 127) >> 8) << sh;
  return r;
}

#if defined(__SSE2__)
inline __m128i Load(const std::uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(std::uint32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// floor(diff * w / 256) per 16-bit lane for |diff| <= 255 and 0 <= w <= 256: the exact 32-bit
// product shifted, of which the low 16 bits hold the whole (small) result.
inline __m128i MulShift8(__m128i diff, __m128i w) {
  const __m128i lo = _mm_mullo_epi16(diff, w);
  const __m128i hi = _mm_mulhi_epi16(diff, w);
  return _mm_or_si128(_mm_srli_epi16(lo, 8), _mm_slli_epi16(hi, 8));
}

// Channels 0..2 of each pixel from Colour, channel 3 from Alpha.
inline __m128i TakeAlpha(__m128i colour, __m128i alpha) {
  const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  return _mm_or_si128(_mm_andnot_si128(alphaMask, colour), _mm_and_si128(alphaMask, alpha));
}
#endif

}  // namespace

void Fill(std::uint32_t* dst, int count, std::uint32_t value, bool stream) {
  if (count <= 0) return;
  int i = 0;
#if defined(__SSE2__)
  const __m128i v = _mm_set1_epi32(static_cast<int>(value));
  if (stream) {
    // Large areas bypass the caches: no read of lines that are about to be overwritten whole.
    for (; i < count && (reinterpret_cast<std::uintptr_t>(dst + i) & 15) != 0; ++i) dst[i] = value;
    for (; i + 16 <= count; i += 16) {
      __m128i* p = reinterpret_cast<__m128i*>(dst + i);
      _mm_stream_si128(p, v);
      _mm_stream_si128(p + 1, v);
      _mm_stream_si128(p + 2, v);
      _mm_stream_si128(p + 3, v);
    }
  }
  for (; i + 16 <= count; i += 16) {
    Store(dst + i, v);
    Store(dst + i + 4, v);
    Store(dst + i + 8, v);
    Store(dst + i + 12, v);
  }
  for (; i + 4 <= count; i += 4) Store(dst + i, v);
#endif
  for (; i < count; ++i) dst[i] = value;
}

void FinishStreaming() {
#if defined(__SSE2__)
  _mm_sfence();
#endif
}

void BlendConstPlain(std::uint32_t* dst, const std::uint32_t* src, int count, int a) {
  for (int i = 0; i < count; ++i) dst[i] = BlendConstPixel(dst[i], src[i], a);
}

void BlendConst(std::uint32_t* dst, const std::uint32_t* src, int count, int a) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i wa = _mm_set1_epi16(static_cast<short>(a));
  const __m128i wb = _mm_set1_epi16(static_cast<short>(255 - a));
  const __m128i half = _mm_set1_epi16(127);
  for (; i + 4 <= count; i += 4) {
    const __m128i d = Load(dst + i), s = Load(src + i);
    // Largest sum 255 * 255 + 127 fits an unsigned 16-bit lane.
    const __m128i lo = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), wa),
                                                                  _mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), wb)),
                                                    half),
                                      8);
    const __m128i hi = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), wa),
                                                                  _mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), wb)),
                                                    half),
                                      8);
    Store(dst + i, _mm_packus_epi16(lo, hi));
  }
#endif
  BlendConstPlain(dst + i, src + i, count - i, a);
}

void MixByAlphaPlain(std::uint32_t* dst, const std::uint32_t* src, int count) {
  for (int i = 0; i < count; ++i) dst[i] = MixAlphaPixel(dst[i], src[i]);
}

#if defined(__SSE2__)
namespace {
inline __m128i MixAlphaHalf(__m128i d, __m128i s) {
  const __m128i w = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xFF), 0xFF);
  // d * 256 + (s - d) * w = d * (256 - w) + s * w: two unsigned products whose sum stays below 65536.
  const __m128i rgb = _mm_srli_epi16(
      _mm_add_epi16(_mm_mullo_epi16(d, _mm_sub_epi16(_mm_set1_epi16(256), w)), _mm_mullo_epi16(s, w)), 8);
  // d.A + s.A * (255 - d.A) / 255, the division exact through x * 0x8081 >> 23 for 16-bit x.
  const __m128i x = _mm_mullo_epi16(w, _mm_sub_epi16(_mm_set1_epi16(255), d));
  const __m128i q = _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
  const __m128i a = _mm_add_epi16(d, q);
  const __m128i alphaLanes = _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
  return _mm_or_si128(_mm_andnot_si128(alphaLanes, rgb), _mm_and_si128(alphaLanes, a));
}
}  // namespace
#endif

void MixByAlpha(std::uint32_t* dst, const std::uint32_t* src, int count) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; i + 4 <= count; i += 4) {
    const __m128i s = Load(src + i);
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(s, 24), zero)) == 0xFFFF) continue;  // all clear
    const __m128i d = Load(dst + i);
    const __m128i lo = MixAlphaHalf(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero));
    const __m128i hi = MixAlphaHalf(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero));
    Store(dst + i, _mm_packus_epi16(lo, hi));
  }
#endif
  MixByAlphaPlain(dst + i, src + i, count - i);
}

void MixByMaskPlain(std::uint32_t* out, const std::uint32_t* base, const std::uint32_t* top, const std::uint32_t* mask,
                    int count) {
  for (int i = 0; i < count; ++i) out[i] = MixMaskPixel(out[i], base[i], top[i], mask[i]);
}

void MixByMask(std::uint32_t* out, const std::uint32_t* base, const std::uint32_t* top, const std::uint32_t* mask,
               int count) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; i + 4 <= count; i += 4) {
    const __m128i b = Load(base + i), t = Load(top + i), m = Load(mask + i), o = Load(out + i);
    const __m128i bl = _mm_unpacklo_epi8(b, zero), bh = _mm_unpackhi_epi8(b, zero);
    const __m128i lo =
        _mm_add_epi16(bl, MulShift8(_mm_sub_epi16(_mm_unpacklo_epi8(t, zero), bl), _mm_unpacklo_epi8(m, zero)));
    const __m128i hi =
        _mm_add_epi16(bh, MulShift8(_mm_sub_epi16(_mm_unpackhi_epi8(t, zero), bh), _mm_unpackhi_epi8(m, zero)));
    Store(out + i, TakeAlpha(_mm_packus_epi16(lo, hi), o));
  }
#endif
  MixByMaskPlain(out + i, base + i, top + i, mask + i, count - i);
}

void MixByWeightPlain(std::uint32_t* out, const std::uint32_t* base, const std::uint32_t* top, int w, int count) {
  for (int i = 0; i < count; ++i) out[i] = MixWeightPixel(out[i], base[i], top[i], w);
}

void MixByWeight(std::uint32_t* out, const std::uint32_t* base, const std::uint32_t* top, int w, int count) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i wv = _mm_set1_epi16(static_cast<short>(w));
  for (; i + 4 <= count; i += 4) {
    const __m128i b = Load(base + i), t = Load(top + i), o = Load(out + i);
    const __m128i bl = _mm_unpacklo_epi8(b, zero), bh = _mm_unpackhi_epi8(b, zero);
    const __m128i lo = _mm_add_epi16(bl, MulShift8(_mm_sub_epi16(_mm_unpacklo_epi8(t, zero), bl), wv));
    const __m128i hi = _mm_add_epi16(bh, MulShift8(_mm_sub_epi16(_mm_unpackhi_epi8(t, zero), bh), wv));
    Store(out + i, TakeAlpha(_mm_packus_epi16(lo, hi), o));
  }
#endif
  MixByWeightPlain(out + i, base + i, top + i, w, count - i);
}

namespace {

inline std::uint32_t OpaqueOrKey(std::uint32_t bgr) {
  constexpr std::uint32_t kKey = 0x00FF00FFu;
  return bgr == kKey ? kKey : (bgr | 0xFF000000u);
}

inline std::uint32_t Bgr(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16);
}

}  // namespace

void OpaqueFromBgrPlain(std::uint32_t* dst, const std::uint8_t* src, int count) {
  for (int i = 0; i < count; ++i) dst[i] = OpaqueOrKey(Bgr(src + 3 * i));
}

void OpaqueFromBgr(std::uint32_t* dst, const std::uint8_t* src, int count) {
  int i = 0;
#if defined(__SSE2__)
  // Four pixels from two 8-byte loads (bytes 0..7 and 6..13, so two bytes past the four pixels
  // are read: the loop stops while a fifth pixel follows). Each 64-bit half then holds two
  // pixels at bytes 0 and 3, which shifts move into 32-bit lanes.
  const __m128i low24 = _mm_set_epi32(0, 0xFFFFFF, 0, 0xFFFFFF);
  const __m128i key = _mm_set1_epi32(0x00FF00FF);
  const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  for (; i + 5 <= count; i += 4) {
    const std::uint8_t* p = src + 3 * i;
    const __m128i v = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)),
                                         _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 6)));
    const __m128i first = _mm_and_si128(v, low24);
    const __m128i second = _mm_slli_epi64(_mm_and_si128(_mm_srli_epi64(v, 24), low24), 32);
    const __m128i bgr = _mm_or_si128(first, second);
    const __m128i isKey = _mm_cmpeq_epi32(bgr, key);
    Store(dst + i, _mm_or_si128(bgr, _mm_andnot_si128(isKey, alpha)));
  }
#endif
  OpaqueFromBgrPlain(dst + i, src + 3 * i, count - i);
}

}  // namespace skin::kernels
