#pragma once
// PNG files of 8-bit RGBA pixels, deterministic (fixed zlib settings, no time stamps).
#include <cstdint>
#include <vector>

namespace skingen {

// Pixels: Width x Height words 0xAARRGGBB, rows top-down.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint32_t>& pixels);

}  // namespace skingen
