#pragma once
// JPEG textures of a skin, decoded through libjpeg. A skin image is either whole or refused:
// libjpeg's warnings (a stream cut short, a damaged segment) fail the decode just as its errors
// do, so a corrupt texture never loads as a picture with grey stripes in it.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "skin/graphics/Image32.h"

namespace skin {

// A JPEG kept compressed, with the size of its picture.
struct TacJpegImage {
  std::vector<std::uint8_t> Data;
  int Width = 0;
  int Height = 0;
};

struct TacJpegResult {
  bool Ok = false;
  std::string Error;  // libjpeg's message when not Ok
};

// Width and height from the headers; refuses pictures of more than MaxPixels.
TacJpegResult ReadJpegSize(std::span<const std::uint8_t> data, int& width, int& height, std::int64_t maxPixels);
// The whole picture as opaque 32-bit pixels (grey and CMYK pictures converted); Bmp is left
// empty when not Ok.
TacJpegResult DecodeJpeg(std::span<const std::uint8_t> data, TBitmap32& bmp, std::int64_t maxPixels);

}  // namespace skin
