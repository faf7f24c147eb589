// The whole load of our skin (unpack the container, parse the description, decode every image,
// build the records and indexes) against the sum of what its data costs at least: inflating
// every entry with zlib and decoding its PNG images with libpng (its BMP images need only a
// copy of their rows). A second pair compares the skin's PNG reader with libpng on a picture of
// the master bitmap's size.
#include <benchmark/benchmark.h>
#include <png.h>
#include <zlib.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/core/acSkinBitmaps.h"
#include "skin/core/acSkinFiles.h"
#include "skin/core/acSkinRecords.h"
#include "tools/skingen/PngEncoder.h"

namespace {

// Every benchmark runs with the allocator keeping the memory it has. Left to itself, glibc hands
// freed memory back to the system at the end of an iteration or not depending on the sizes freed
// before (so on which benchmark ran first), and the next iteration then pays a page fault for
// every page it touches, or none: the ratios would measure that instead of the work.
[[maybe_unused]] const bool kAllocatorKeepsMemory = [] {
#if defined(__GLIBC__)
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
  return true;
}();

std::vector<std::uint8_t> OurSkin() {
  std::ifstream in(TARVISEL_OUR_SKIN, std::ios::binary);
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (bytes.empty()) throw std::runtime_error("cannot read " TARVISEL_OUR_SKIN);
  return bytes;
}

std::uint32_t Le32(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24); }

// The container's entries, each inflated with plain zlib calls.
struct RawEntry {
  std::string name;
  std::vector<std::uint8_t> data;
};
std::vector<RawEntry> InflateAll(const std::vector<std::uint8_t>& packed) {
  std::vector<RawEntry> entries;
  std::size_t at = 8;
  const std::uint32_t count = Le32(&packed[4]);
  for (std::uint32_t i = 0; i < count; ++i) {
    RawEntry e;
    const std::uint32_t nameLength = Le32(&packed[at]);
    e.name.assign(reinterpret_cast<const char*>(&packed[at + 4]), nameLength);
    at += 4 + nameLength;
    e.data.resize(Le32(&packed[at]));
    at += 4;
    z_stream zs{};
    inflateInit(&zs);
    zs.next_in = const_cast<Bytef*>(&packed[at]);
    zs.avail_in = static_cast<uInt>(packed.size() - at);
    zs.next_out = e.data.data();
    zs.avail_out = static_cast<uInt>(e.data.size());
    if (inflate(&zs, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("inflate");
    at += zs.total_in;
    inflateEnd(&zs);
    entries.push_back(std::move(e));
  }
  return entries;
}

std::vector<std::uint8_t> DecodeWithLibpng(const std::vector<std::uint8_t>& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) throw std::runtime_error("libpng");
  image.format = PNG_FORMAT_BGRA;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) throw std::runtime_error("libpng");
  return pixels;
}

bool EndsWith(const std::string& s, const char* tail) {
  const std::size_t n = std::strlen(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

void BM_LoadOurSkin(benchmark::State& state) {
  const std::vector<std::uint8_t> packed = OurSkin();
  for (auto _ : state) {
    const skin::TacPackedSkinFiles files(packed);
    benchmark::DoNotOptimize(skin::LoadSkinRecords(files, {}));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(packed.size()));
}
BENCHMARK(BM_LoadOurSkin)->Unit(benchmark::kMicrosecond);

void BM_InflateAndLibpngOfOurSkin(benchmark::State& state) {
  const std::vector<std::uint8_t> packed = OurSkin();
  for (auto _ : state) {
    for (RawEntry& e : InflateAll(packed)) {
      if (EndsWith(e.name, ".PNG")) {
        benchmark::DoNotOptimize(DecodeWithLibpng(e.data));
      } else if (EndsWith(e.name, ".BMP")) {
        std::vector<std::uint8_t> rows(e.data.begin() + 54, e.data.end());  // the least a BMP costs
        benchmark::DoNotOptimize(rows.data());
      }
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(packed.size()));
}
BENCHMARK(BM_InflateAndLibpngOfOurSkin)->Unit(benchmark::kMicrosecond);

// The master bitmap's pixels as an RGBA PNG: our reader and libpng on the same file.
std::vector<std::uint8_t> MasterAsPng() {
  const skin::TacPackedSkinFiles files(OurSkin());
  const auto records = skin::LoadSkinRecords(files, {});
  const skin::TBitmap32& m = records->MasterBitmap;
  std::vector<std::uint32_t> px;
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x) px.push_back(m.At(x, y).U | 0xFF000000u);
  return skingen::EncodePng(m.Width(), m.Height(), px);
}

void BM_SkinPngReader(benchmark::State& state) {
  const std::vector<std::uint8_t> file = MasterAsPng();
  for (auto _ : state) benchmark::DoNotOptimize(skin::DecodeSkinPng(file, true));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_SkinPngReader)->Unit(benchmark::kMicrosecond);

void BM_LibpngReader(benchmark::State& state) {
  const std::vector<std::uint8_t> file = MasterAsPng();
  for (auto _ : state) benchmark::DoNotOptimize(DecodeWithLibpng(file));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_LibpngReader)->Unit(benchmark::kMicrosecond);

}  // namespace
