#include "skin/core/acJpegDecoder.h"
#include "classlib/CheckedSize.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace skin {
namespace {

constexpr long kMaxLibjpegMemory = 256l << 20;

struct TacJpegErrors {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

extern "C" void JpegFatal(j_common_ptr info) {
  auto* err = reinterpret_cast<TacJpegErrors*>(info->err);
  (*info->err->format_message)(info, err->message);
  std::longjmp(err->jump, 1);
}

// Level -1 is a warning about damaged data: for a skin that is as bad as an error.
extern "C" void JpegMessage(j_common_ptr info, int level) {
  if (level < 0) JpegFatal(info);
}

bool TooLarge(JDIMENSION w, JDIMENSION h, std::int64_t maxPixels) {
  return w == 0 || h == 0 || !classlib::CheckedPixelCount(w, h, maxPixels);
}

void CmykRowToBgra(const JSAMPLE* src, TsColor_* dst, int width, bool inverted) {
  for (int x = 0; x < width; ++x, src += 4) {
    unsigned c = src[0], m = src[1], y = src[2], k = src[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    dst[x].R = static_cast<std::uint8_t>((c * k + 127) / 255);
    dst[x].G = static_cast<std::uint8_t>((m * k + 127) / 255);
    dst[x].B = static_cast<std::uint8_t>((y * k + 127) / 255);
    dst[x].A = 255;
  }
}

// Everything that libjpeg may jump out of lives in this frame. Objects with destructors are
// owned by the caller and only resized here before the first libjpeg call that can jump.
bool Run(std::span<const std::uint8_t> data, bool decode, std::int64_t maxPixels, int& width, int& height,
         TBitmap32& bmp, std::vector<JSAMPLE>& row, char* message) {
  jpeg_decompress_struct info;
  TacJpegErrors err;
  info.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = JpegFatal;
  err.pub.emit_message = JpegMessage;
  err.message[0] = 0;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    std::memcpy(message, err.message, JMSG_LENGTH_MAX);
    return false;
  }
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = kMaxLibjpegMemory;
  jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  if (TooLarge(info.image_width, info.image_height, maxPixels)) {
    jpeg_destroy_decompress(&info);
    std::snprintf(message, JMSG_LENGTH_MAX, "a picture of %u x %u pixels is too large", info.image_width,
                  info.image_height);
    return false;
  }
  width = static_cast<int>(info.image_width);
  height = static_cast<int>(info.image_height);
  if (!decode) {
    jpeg_destroy_decompress(&info);
    return true;
  }
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&info);
  const bool inverted = info.saw_Adobe_marker;
  const int w = static_cast<int>(info.output_width);
  const int h = static_cast<int>(info.output_height);
  // The buffers were sized by the caller from the header; a different output size is refused.
  if (w != bmp.Width() || h != bmp.Height()) {
    jpeg_destroy_decompress(&info);
    std::snprintf(message, JMSG_LENGTH_MAX, "unexpected output size");
    return false;
  }
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    JSAMPROW target = cmyk ? row.data() : reinterpret_cast<JSAMPROW>(&bmp.At(0, y));
    if (jpeg_read_scanlines(&info, &target, 1) != 1) break;
    if (cmyk) CmykRowToBgra(row.data(), &bmp.At(0, y), w, inverted);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

TacJpegResult ReadJpegSize(std::span<const std::uint8_t> data, int& width, int& height, std::int64_t maxPixels) {
  TBitmap32 unused;
  std::vector<JSAMPLE> row;
  char message[JMSG_LENGTH_MAX] = {};
  int w = 0, h = 0;
  if (!Run(data, false, maxPixels, w, h, unused, row, message)) return {false, message};
  width = w;
  height = h;
  return {true, {}};
}

TacJpegResult DecodeJpeg(std::span<const std::uint8_t> data, TBitmap32& bmp, std::int64_t maxPixels) {
  bmp.SetSize(0, 0);
  int w = 0, h = 0;
  TacJpegResult size = ReadJpegSize(data, w, h, maxPixels);
  if (!size.Ok) return size;
  bmp.SetSize(w, h, 0xFF000000u);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(w) * 4);
  char message[JMSG_LENGTH_MAX] = {};
  if (!Run(data, true, maxPixels, w, h, bmp, row, message)) {
    bmp.SetSize(0, 0);
    return {false, message};
  }
  return {true, {}};
}

}  // namespace skin
