#pragma once
// Skin image files (BMP, PNG) decoded into the 32-bit images that the skin keeps. Every image
// comes out with alpha: a file without an alpha channel gets 255 in every pixel except the key
// colour clFuchsia, which stays exactly the key pixel 0x00FF00FF; a 32-bit BMP keeps its fourth
// byte as stored. Decoding errors raise classlib::EInvalidGraphic with the reader's reason.
#include <cstdint>
#include <span>

#include "skin/graphics/Image32.h"

namespace skin {

// Pictures with more pixels than this are refused before their pixels are allocated.
inline constexpr std::int64_t kMaxSkinImagePixels = std::int64_t{1} << 24;

TBitmap32 DecodeSkinBmp(std::span<const std::uint8_t> data, std::int64_t maxPixels = kMaxSkinImagePixels);
// A picture with an alpha channel: premultiplied, colours multiplied by alpha (skins of version
// 7.45 on), otherwise only its fully transparent white pixels become transparent black. A
// picture without one is widened like a bitmap, its key pixels kept.
TBitmap32 DecodeSkinPng(std::span<const std::uint8_t> data, bool premultiplied,
                        std::int64_t maxPixels = kMaxSkinImagePixels);

// Alpha 255 over the whole image, key pixels left as they are.
void MakeOpaqueExceptKey(TBitmap32& bmp);

}  // namespace skin
