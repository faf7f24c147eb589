// PNG decoding side by side: our reader against libpng, libspng and stb_image on the same
// files in one run, with the floor of zlib's one-shot inflate of the same data plus unfiltering.
// Every decoder makes a fresh output buffer per image, as a load does.
//
// Sets: the valid images of the public PNG test suite (all 32x32 or smaller), sixteen 32x32
// RGBA images like a skin's buttons and glyphs, a 512x512 atlas of such pieces, and 1024x768
// photographic images of each colour type; libpng writes the made-up images with its default
// settings.
#include <benchmark/benchmark.h>
#include <png.h>
#include <spng.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/graphics/PngFilter.h"
#include "skin/graphics/PngReader.h"

extern "C" unsigned char* stbi_load_from_memory(const unsigned char* buffer, int len, int* x, int* y,
                                                int* channels_in_file, int desired_channels);
extern "C" void stbi_image_free(void* retval_from_stbi_load);

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Sample {
  Bytes file;
  std::int64_t pixels = 0;
  // For the floor: the image data of a non-interlaced file in one piece, and its row layout.
  Bytes idat;
  std::size_t rowBytes = 0;
  int bpp = 0;
  int height = 0;
  bool interlaced = false;
};

// ---- writing test images with libpng ---------------------------------------------------

void AppendToBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void NoFlush(png_structp) {}

Bytes EncodePng(int width, int height, int colorType, const Bytes& pixels, int channels, bool interlaced,
                const std::vector<png_color>& palette = {}) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("libpng could not write a benchmark image");
  png_set_write_fn(png, &out, AppendToBytes, NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, colorType,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  png_write_info(png, info);
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y)
    rows[static_cast<std::size_t>(y)] =
        const_cast<png_bytep>(pixels.data() + static_cast<std::size_t>(y) * width * channels);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

struct Lcg {
  std::uint32_t state;
  int Next(int range) {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(range));
  }
};

// A smooth, photograph-like field with a little sensor noise.
int PhotoValue(int x, int y, int channel, Lcg& noise) {
  const double phase = channel * 1.7;
  const double v = 128 + 60 * std::sin(x / 37.0 + phase) * std::cos(y / 23.0 - phase) +
                   40 * std::sin((x + 2 * y) / 91.0 + phase) + noise.Next(13) - 6;
  return std::clamp(static_cast<int>(v), 0, 255);
}

Bytes PhotoPixels(int width, int height, int channels, bool alpha) {
  Bytes pixels;
  pixels.reserve(static_cast<std::size_t>(width) * height * channels);
  Lcg noise{7};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < (alpha ? channels - 1 : channels); ++c)
        pixels.push_back(static_cast<std::uint8_t>(PhotoValue(x, y, c, noise)));
      if (alpha) {
        const double dx = x - width / 2.0, dy = y - height / 2.0;
        const double r = std::sqrt(dx * dx + dy * dy) / (height / 2.0);
        pixels.push_back(static_cast<std::uint8_t>(std::clamp(static_cast<int>(255 * (1.2 - r)), 0, 255)));
      }
    }
  return pixels;
}

Bytes PalettePhoto(int width, int height, std::vector<png_color>& palette) {
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        palette.push_back(
            {static_cast<png_byte>(r * 51), static_cast<png_byte>(g * 51), static_cast<png_byte>(b * 51)});
  const Bytes rgb = PhotoPixels(width, height, 3, false);
  Bytes indexes;
  for (std::size_t i = 0; i < rgb.size(); i += 3)
    indexes.push_back(
        static_cast<std::uint8_t>((rgb[i] * 6 / 256) * 36 + (rgb[i + 1] * 6 / 256) * 6 + rgb[i + 2] * 6 / 256));
  return indexes;
}

// 32x32 skin pieces: gradient buttons with rounded, anti-aliased corners, and round and
// triangular glyphs on transparent ground.
Bytes SkinPixels(int kind) {
  Bytes pixels(32 * 32 * 4, 0);
  const int hue = kind * 37;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      double coverage = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          const double px = x + (sx + 0.5) / 4, py = y + (sy + 0.5) / 4;
          bool inside;
          switch (kind % 4) {
            case 0: {  // rounded button
              const double cx = std::clamp(px, 6.0, 26.0), cy = std::clamp(py, 6.0, 26.0);
              inside = (px - cx) * (px - cx) + (py - cy) * (py - cy) <= 36;
              break;
            }
            case 1:  // round glyph
              inside = (px - 16) * (px - 16) + (py - 16) * (py - 16) <= 121;
              break;
            case 2:  // arrow
              inside = py > 8 && py < 24 && std::abs(px - 16) < (py - 8) * 0.6;
              break;
            default:  // ring
              inside = std::abs(std::hypot(px - 16, py - 16) - 10) < 2.5;
          }
          coverage += inside ? 1.0 / 16 : 0;
        }
      std::uint8_t* p = &pixels[static_cast<std::size_t>(y * 32 + x) * 4];
      const int shade = 200 - y * 3;
      p[0] = static_cast<std::uint8_t>(std::clamp(shade + hue % 50, 0, 255));
      p[1] = static_cast<std::uint8_t>(std::clamp(shade - hue % 70, 0, 255));
      p[2] = static_cast<std::uint8_t>(std::clamp(shade / 2 + hue % 90, 0, 255));
      p[3] = static_cast<std::uint8_t>(coverage * 255 + 0.5);
    }
  return pixels;
}

// ---- sample sets ------------------------------------------------------------------------

void Describe(Sample& s) {
  skin::TPngReader reader;
  if (!reader.ReadImageProperties(s.file)) throw std::runtime_error("benchmark image has no usable header");
  const skin::TImageProperties& p = reader.ImageProperties();
  s.pixels = static_cast<std::int64_t>(p.Width) * p.Height;
  s.interlaced = p.Interlaced;
  s.height = static_cast<int>(p.Height);
  const int channels = p.ColorScheme == skin::TColorScheme::csRGB    ? 3
                       : p.ColorScheme == skin::TColorScheme::csRGBA ? 4
                       : p.ColorScheme == skin::TColorScheme::csGA   ? 2
                                                                     : 1;
  s.bpp = std::max(1, channels * p.BitsPerSample / 8);
  s.rowBytes = (static_cast<std::size_t>(p.Width) * channels * p.BitsPerSample + 7) / 8;
  std::size_t at = 8;
  while (at + 12 <= s.file.size()) {
    const std::uint32_t length = skin::ReadBigEndian32(&s.file[at]);
    if (std::memcmp(&s.file[at + 4], "IDAT", 4) == 0)
      s.idat.insert(s.idat.end(), s.file.begin() + static_cast<std::ptrdiff_t>(at + 8),
                    s.file.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
    at += 12 + length;
  }
}

std::vector<Sample> SuiteSet() {
  std::vector<Sample> set;
  const std::filesystem::path dir = TARVISEL_PNGSUITE_DIR;
  if (!std::filesystem::is_directory(dir)) throw std::runtime_error("PNG test suite missing: run scripts/setup");
  std::vector<std::filesystem::path> paths;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    if (e.path().extension() == ".png" && e.path().filename().string()[0] != 'x') paths.push_back(e.path());
  std::sort(paths.begin(), paths.end());
  for (const auto& path : paths) {
    std::ifstream in(path, std::ios::binary);
    Sample s;
    s.file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    Describe(s);
    set.push_back(std::move(s));
  }
  return set;
}

std::vector<Sample> SkinSet() {
  std::vector<Sample> set;
  for (int kind = 0; kind < 16; ++kind) {
    Sample s;
    s.file = EncodePng(32, 32, PNG_COLOR_TYPE_RGBA, SkinPixels(kind), 4, false);
    Describe(s);
    set.push_back(std::move(s));
  }
  return set;
}

// A 512x512 strip of skin pieces, the way a skin keeps many states and glyphs in one image.
std::vector<Sample> AtlasSet() {
  Bytes atlas(512 * 512 * 4);
  for (int ty = 0; ty < 16; ++ty)
    for (int tx = 0; tx < 16; ++tx) {
      const Bytes piece = SkinPixels(tx + 16 * ty);
      for (int y = 0; y < 32; ++y)
        std::memcpy(&atlas[(static_cast<std::size_t>(ty * 32 + y) * 512 + tx * 32) * 4], &piece[y * 32 * 4], 32 * 4);
    }
  Sample s;
  s.file = EncodePng(512, 512, PNG_COLOR_TYPE_RGBA, atlas, 4, false);
  Describe(s);
  return {std::move(s)};
}

constexpr int kPhotoWidth = 1024, kPhotoHeight = 768;

std::vector<Sample> PhotoSet(int colorType, bool interlaced) {
  Sample s;
  std::vector<png_color> palette;
  switch (colorType) {
    case PNG_COLOR_TYPE_RGB:
      s.file = EncodePng(kPhotoWidth, kPhotoHeight, colorType, PhotoPixels(kPhotoWidth, kPhotoHeight, 3, false), 3,
                         interlaced);
      break;
    case PNG_COLOR_TYPE_RGBA:
      s.file = EncodePng(kPhotoWidth, kPhotoHeight, colorType, PhotoPixels(kPhotoWidth, kPhotoHeight, 4, true), 4,
                         interlaced);
      break;
    case PNG_COLOR_TYPE_GRAY:
      s.file = EncodePng(kPhotoWidth, kPhotoHeight, colorType, PhotoPixels(kPhotoWidth, kPhotoHeight, 1, false), 1,
                         interlaced);
      break;
    default: {
      const Bytes indexes = PalettePhoto(kPhotoWidth, kPhotoHeight, palette);
      s.file = EncodePng(kPhotoWidth, kPhotoHeight, PNG_COLOR_TYPE_PALETTE, indexes, 1, interlaced, palette);
    }
  }
  Describe(s);
  return {std::move(s)};
}

// ---- the decoders -----------------------------------------------------------------------

std::uint8_t DecodeOurs(const Bytes& file) {
  skin::TPngReader reader;
  skin::TRasterImage image;
  reader.LoadFromMemory(file, image);
  return image.ScanLine(0)[0];
}

struct MemoryReader {
  const Bytes* file;
  std::size_t at;
};
void ReadMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* m = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (m->at + length > m->file->size()) png_error(png, "read past the end");
  std::memcpy(out, m->file->data() + m->at, length);
  m->at += length;
}
void Quiet(png_structp, png_const_charp) {}

// libpng brought to the same layouts: B, G, R order, 16-bit samples scaled to 8, grey alpha dropped.
std::uint8_t DecodeLibpng(const Bytes& file) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, Quiet);
  png_infop info = png_create_info_struct(png);
  MemoryReader source{&file, 0};
  std::unique_ptr<std::uint8_t[]> pixels;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    throw std::runtime_error("libpng failed");
  }
  png_set_read_fn(png, &source, ReadMemory);
  png_read_info(png, info);
  const int colorType = png_get_color_type(png, info);
  if (colorType & PNG_COLOR_MASK_COLOR) png_set_bgr(png);
  if (png_get_bit_depth(png, info) == 16) png_set_scale_16(png);
  if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_strip_alpha(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  pixels.reset(new std::uint8_t[rowBytes * height]);
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixels.get() + rowBytes * y;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return pixels[0];
}

std::uint8_t DecodeSpng(const Bytes& file, int format) {
  spng_ctx* ctx = spng_ctx_new(0);
  spng_set_png_buffer(ctx, file.data(), file.size());
  std::size_t size = 0;
  if (spng_decoded_image_size(ctx, format, &size) != 0) {
    spng_ctx_free(ctx);
    throw std::runtime_error("libspng failed");
  }
  std::unique_ptr<std::uint8_t[]> pixels(new std::uint8_t[size]);
  const int result = spng_decode_image(ctx, pixels.get(), size, format, 0);
  spng_ctx_free(ctx);
  if (result != 0) throw std::runtime_error("libspng failed");
  return pixels[0];
}

std::uint8_t DecodeStb(const Bytes& file) {
  int w, h, n;
  unsigned char* pixels = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &w, &h, &n, 0);
  if (pixels == nullptr) throw std::runtime_error("stb_image failed");
  const std::uint8_t first = pixels[0];
  stbi_image_free(pixels);
  return first;
}

// The least any decoder must do: inflate the image data and undo the row filters.
std::uint8_t DecodeFloor(const Sample& s) {
  const std::size_t stride = s.rowBytes + 1;
  std::unique_ptr<std::uint8_t[]> raw(new std::uint8_t[stride * s.height]);
  uLongf size = static_cast<uLongf>(stride * s.height);
  if (uncompress(raw.get(), &size, s.idat.data(), static_cast<uLong>(s.idat.size())) != Z_OK)
    throw std::runtime_error("inflate failed");
  static const std::vector<std::uint8_t> zeros(1 << 16, 0);
  const std::uint8_t* prev = zeros.data();
  for (int y = 0; y < s.height; ++y) {
    std::uint8_t* row = raw.get() + stride * y;
    skin::ApplyFilter(row[0], row + 1, prev, row + 1, s.bpp, s.rowBytes);
    prev = row + 1;
  }
  return raw[1];
}

enum class Decoder { Tarvisel, Libpng, SpngNative, SpngRGBA8, StbImage, Floor };

void Run(benchmark::State& state, const std::vector<Sample>* set, Decoder decoder) {
  std::int64_t pixels = 0, bytes = 0;
  for (const Sample& s : *set) {
    pixels += s.pixels;
    bytes += static_cast<std::int64_t>(s.file.size());
  }
  for (auto _ : state) {
    for (const Sample& s : *set) {
      std::uint8_t v = 0;
      switch (decoder) {
        case Decoder::Tarvisel: v = DecodeOurs(s.file); break;
        case Decoder::Libpng: v = DecodeLibpng(s.file); break;
        case Decoder::SpngNative: v = DecodeSpng(s.file, SPNG_FMT_PNG); break;
        case Decoder::SpngRGBA8: v = DecodeSpng(s.file, SPNG_FMT_RGBA8); break;
        case Decoder::StbImage: v = DecodeStb(s.file); break;
        case Decoder::Floor: v = DecodeFloor(s); break;
      }
      benchmark::DoNotOptimize(v);
    }
  }
  state.SetItemsProcessed(state.iterations() * pixels);
  state.SetBytesProcessed(state.iterations() * bytes);
}

struct NamedSet {
  const char* name;
  std::vector<Sample> samples;
};

std::vector<NamedSet>& Sets() {
  static std::vector<NamedSet> sets;
  return sets;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Sets().push_back({"suite", SuiteSet()});
  Sets().push_back({"skin32", SkinSet()});
  Sets().push_back({"skin_atlas", AtlasSet()});
  Sets().push_back({"photo_rgb", PhotoSet(PNG_COLOR_TYPE_RGB, false)});
  Sets().push_back({"photo_rgba", PhotoSet(PNG_COLOR_TYPE_RGBA, false)});
  Sets().push_back({"photo_grey", PhotoSet(PNG_COLOR_TYPE_GRAY, false)});
  Sets().push_back({"photo_palette", PhotoSet(PNG_COLOR_TYPE_PALETTE, false)});
  Sets().push_back({"photo_rgba_adam7", PhotoSet(PNG_COLOR_TYPE_RGBA, true)});
  const std::pair<const char*, Decoder> decoders[] = {
      {"tarvisel", Decoder::Tarvisel},    {"libpng", Decoder::Libpng},      {"spng_native", Decoder::SpngNative},
      {"spng_rgba8", Decoder::SpngRGBA8}, {"stb_image", Decoder::StbImage}, {"floor_inflate_unfilter", Decoder::Floor}};
  for (const NamedSet& set : Sets()) {
    const bool anyInterlaced =
        std::any_of(set.samples.begin(), set.samples.end(), [](const Sample& s) { return s.interlaced; });
    for (const auto& [name, decoder] : decoders) {
      if (decoder == Decoder::Floor && anyInterlaced) continue;
      benchmark::RegisterBenchmark((std::string("png/") + set.name + "/" + name).c_str(), Run, &set.samples, decoder)
          ->Unit(benchmark::kMicrosecond);
    }
  }
  // TARVISEL_PNG_BENCH_DUMP=folder writes the generated images there, to look at or profile.
  if (const char* dump = std::getenv("TARVISEL_PNG_BENCH_DUMP"))
    for (const NamedSet& set : Sets())
      for (std::size_t i = 0; i < set.samples.size() && std::string(set.name) != "suite"; ++i) {
        std::ofstream out(std::filesystem::path(dump) / (std::string(set.name) + "_" + std::to_string(i) + ".png"),
                          std::ios::binary);
        out.write(reinterpret_cast<const char*>(set.samples[i].file.data()),
                  static_cast<std::streamsize>(set.samples[i].file.size()));
      }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
