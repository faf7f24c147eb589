#pragma once
// Row kernels of the hottest pixel loops. Each has a plain form that states the formula and an SSE2
// form that gives the same bytes; the routines call the fast one.
#include <cstdint>

namespace skin::kernels {

// Count pixels set to Value. With Stream the stores bypass the caches (for areas far larger than
// them); FinishStreaming orders such stores before later ones.
void Fill(std::uint32_t* dst, int count, std::uint32_t value, bool stream = false);
void FinishStreaming();
// Fills of more bytes than this stream past the caches.
inline constexpr long long kStreamFillBytes = 4LL << 20;

// All four bytes: dst = (dst * a + src * (255 - a) + 127) >> 8.
void BlendConst(std::uint32_t* dst, const std::uint32_t* src, int count, int a);
void BlendConstPlain(std::uint32_t* dst, const std::uint32_t* src, int count, int a);

// An alpha image over a destination: R, G, B = mix(d, s, s.A); A = d.A + s.A * (255 - d.A) / 255.
void MixByAlpha(std::uint32_t* dst, const std::uint32_t* src, int count);
void MixByAlphaPlain(std::uint32_t* dst, const std::uint32_t* src, int count);

// Per channel of R, G, B: out = base + floor((top - base) * m / 256), m the same channel of the mask
// pixel; out's alpha is kept. Out may be Base or Top.
void MixByMask(std::uint32_t* out, const std::uint32_t* base, const std::uint32_t* top, const std::uint32_t* mask,
               int count);
void MixByMaskPlain(std::uint32_t* out, const std::uint32_t* base, const std::uint32_t* top, const std::uint32_t* mask,
                    int count);

// The same with one weight w (0..256) for every channel.
void MixByWeight(std::uint32_t* out, const std::uint32_t* base, const std::uint32_t* top, int w, int count);
void MixByWeightPlain(std::uint32_t* out, const std::uint32_t* base, const std::uint32_t* top, int w, int count);

// Count pixels of B, G, R bytes (a 24-bit row) widened to opaque 32-bit pixels; the key colour
// (B 255, G 0, R 255) becomes the key pixel 0x00FF00FF, with alpha 0.
void OpaqueFromBgr(std::uint32_t* dst, const std::uint8_t* src, int count);
void OpaqueFromBgrPlain(std::uint32_t* dst, const std::uint8_t* src, int count);

}  // namespace skin::kernels
