#pragma once
// JPEG through libjpeg, portable: headers, decoding into BGR or grey rows and encoding them.
// libjpeg's fatal errors come back as EInvalidGraphic, never as an exit of the process; its
// warnings (a stream cut short, a damaged segment) are tolerated like other viewers do and the
// missing part decodes grey.
#include <cstdint>
#include <span>
#include <vector>

namespace classlib::jpeg {

struct Header {
  int Width = 0;
  int Height = 0;
  int Components = 0;  // 1 grey, 3 colour, 4 CMYK
};

struct Image {
  int Width = 0;
  int Height = 0;
  int Channels = 0;                  // 1: grey, 3: blue, green, red
  std::vector<std::uint8_t> Pixels;  // rows top-down, Width * Channels bytes each, unpadded
};

struct DecodeOptions {
  int ScaleDenominator = 1;  // 1, 2, 4 or 8
  bool Grayscale = false;
  bool Fast = false;  // the faster, less exact inverse DCT
};

Header ReadHeader(std::span<const std::uint8_t> data);
Image Decode(std::span<const std::uint8_t> data, const DecodeOptions& options = {});
// Quality 1..100.
std::vector<std::uint8_t> Encode(const Image& image, int quality, bool progressive = false);

}  // namespace classlib::jpeg
