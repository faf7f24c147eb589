#include "classlib/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include <jpeglib.h>

#include "classlib/BmpFormat.h"
#include "classlib/CheckedSize.h"
#include "classlib/GraphicsErrors.h"

namespace classlib::jpeg {

namespace {

// libjpeg's own allocations stop here; beyond it the picture is refused.
constexpr long kMaxLibjpegMemory = 512l << 20;

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

extern "C" void OnFatalError(j_common_ptr info) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, err->message);
  std::longjmp(err->jump, 1);
}

extern "C" void OnMessage(j_common_ptr, int) {}

std::wstring Widen(const char* text) {
  std::wstring w;
  for (const char* p = text; *p; ++p) w.push_back(static_cast<unsigned char>(*p));
  return w;
}

[[noreturn]] void Fail(const char* message) { throw EInvalidGraphic(L"Invalid JPEG image: " + Widen(message)); }

void InstallErrors(jpeg_error_mgr* pub) {
  jpeg_std_error(pub);
  pub->error_exit = OnFatalError;
  pub->emit_message = OnMessage;
}

bool TooLarge(JDIMENSION w, JDIMENSION h) {
  return w == 0 || h == 0 || !CheckedPixelCount(w, h, bmp::kMaxPixels, bmp::kMaxDimension);
}

// CMYK as Adobe writes it (inverted) or plain, to blue, green, red.
void CmykToBgr(const std::uint8_t* cmyk, std::uint8_t* bgr, int width, bool inverted) {
  for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    bgr[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
    bgr[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
    bgr[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
  }
}

// Everything between setjmp and the last libjpeg call lives in this function; its locals
// have trivial destructors or were created before setjmp, so a longjmp skips nothing.
bool DecodeInto(std::span<const std::uint8_t> data, const DecodeOptions& options, bool headerOnly, Header& header,
                Image& out, std::vector<std::uint8_t>& cmykRow, char* message) {
  jpeg_decompress_struct info;
  ErrorManager err;
  info.err = &err.pub;
  InstallErrors(&err.pub);
  std::strcpy(err.message, "");
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    std::strcpy(message, err.message);
    return false;
  }
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = kMaxLibjpegMemory;
  jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  header.Width = static_cast<int>(info.image_width);
  header.Height = static_cast<int>(info.image_height);
  header.Components = info.num_components;
  if (TooLarge(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    std::strcpy(message, "the picture is too large");
    return false;
  }
  if (headerOnly) {
    jpeg_destroy_decompress(&info);
    return true;
  }
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  if (options.Grayscale || info.num_components == 1) {
    info.out_color_space = JCS_GRAYSCALE;
  } else if (cmyk) {
    info.out_color_space = JCS_CMYK;
  } else {
    info.out_color_space = JCS_EXT_BGR;
  }
  info.scale_num = 1;
  info.scale_denom = static_cast<unsigned>(options.ScaleDenominator);
  info.dct_method = options.Fast ? JDCT_IFAST : JDCT_ISLOW;
  jpeg_start_decompress(&info);
  const bool inverted = info.saw_Adobe_marker;
  out.Width = static_cast<int>(info.output_width);
  out.Height = static_cast<int>(info.output_height);
  out.Channels = info.out_color_space == JCS_GRAYSCALE ? 1 : 3;
  const std::size_t stride = static_cast<std::size_t>(out.Width) * out.Channels;
  try {
    out.Pixels.assign(stride * out.Height, 0x80);
    if (cmyk && out.Channels == 3) cmykRow.assign(static_cast<std::size_t>(out.Width) * 4, 0);
  } catch (const std::bad_alloc&) {
    jpeg_destroy_decompress(&info);
    std::strcpy(message, "out of memory");
    return false;
  }
  while (info.output_scanline < info.output_height) {
    std::uint8_t* row = &out.Pixels[stride * info.output_scanline];
    JSAMPROW target = (cmyk && out.Channels == 3) ? cmykRow.data() : row;
    if (jpeg_read_scanlines(&info, &target, 1) != 1) break;  // cannot happen with a memory source
    if (cmyk && out.Channels == 3) CmykToBgr(cmykRow.data(), row, out.Width, inverted);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool EncodeInto(const Image& image, int quality, bool progressive, unsigned char** buffer, unsigned long* size,
                char* message) {
  jpeg_compress_struct info;
  ErrorManager err;
  info.err = &err.pub;
  InstallErrors(&err.pub);
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&info);
    std::strcpy(message, err.message);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, buffer, size);
  info.image_width = static_cast<JDIMENSION>(image.Width);
  info.image_height = static_cast<JDIMENSION>(image.Height);
  info.input_components = image.Channels;
  info.in_color_space = image.Channels == 1 ? JCS_GRAYSCALE : JCS_EXT_BGR;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(image.Width) * image.Channels;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&image.Pixels[stride * info.next_scanline]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

Header ReadHeader(std::span<const std::uint8_t> data) {
  Header header;
  Image unused;
  std::vector<std::uint8_t> row;
  char message[JMSG_LENGTH_MAX] = {};
  if (!DecodeInto(data, {}, true, header, unused, row, message)) Fail(message);
  return header;
}

Image Decode(std::span<const std::uint8_t> data, const DecodeOptions& options) {
  const int d = options.ScaleDenominator;
  if (d != 1 && d != 2 && d != 4 && d != 8) throw EInvalidGraphicOperation(L"JPEG scale must be 1, 1/2, 1/4 or 1/8");
  Header header;
  Image image;
  std::vector<std::uint8_t> row;
  char message[JMSG_LENGTH_MAX] = {};
  if (!DecodeInto(data, options, false, header, image, row, message)) Fail(message);
  return image;
}

std::vector<std::uint8_t> Encode(const Image& image, int quality, bool progressive) {
  if (image.Width <= 0 || image.Height <= 0 || (image.Channels != 1 && image.Channels != 3) || image.Width > 65500 ||
      image.Height > 65500 ||
      image.Pixels.size() != static_cast<std::size_t>(image.Width) * image.Height * image.Channels)
    throw EInvalidGraphicOperation(L"Cannot encode this picture as JPEG");
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  char message[JMSG_LENGTH_MAX] = {};
  const bool ok = EncodeInto(image,
                             quality < 1     ? 1
                             : quality > 100 ? 100
                                             : quality,
                             progressive, &buffer, &size, message);
  std::vector<std::uint8_t> out;
  if (ok && buffer) out.assign(buffer, buffer + size);
  std::free(buffer);
  if (!ok) throw EInvalidGraphicOperation(L"JPEG encoding failed: " + Widen(message));
  return out;
}

}  // namespace classlib::jpeg
