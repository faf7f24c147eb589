// Picture decoding costs: BMP variants against the plain copy, JPEG at full and reduced scale.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "classlib/BmpFormat.h"
#include "classlib/JpegCodec.h"

using namespace classlib;

namespace {

constexpr int kW = 1024, kH = 768;

bmp::Dib Sample(int bits) {
  bmp::Dib d;
  d.Width = kW;
  d.Height = kH;
  d.BitCount = bits;
  if (bits <= 8) d.Palette.assign(std::size_t{1} << bits, 0x808080);
  d.Bits.resize(d.Stride() * kH);
  for (std::size_t i = 0; i < d.Bits.size(); ++i) d.Bits[i] = static_cast<std::uint8_t>((i * 7) ^ (i >> 9));
  return d;
}

// The same picture stored with 16-bit 5-6-5 bit fields: every pixel converted on reading.
std::vector<std::uint8_t> BitFields16() {
  constexpr std::size_t kHeaders = 14 + 40 + 12;
  const std::size_t stride = bmp::Dib::StrideOf(kW, 16);
  std::vector<std::uint8_t> file(kHeaders + stride * kH, 0x5A);
  std::fill(file.begin(), file.begin() + kHeaders, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  file[0] = 'B', file[1] = 'M';
  put32(10, kHeaders);
  put32(14, 40);
  put32(18, kW);
  put32(22, kH);
  file[26] = 1, file[28] = 16;
  put32(30, 3);
  put32(54, 0xF800), put32(58, 0x07E0), put32(62, 0x001F);
  return file;
}

void BM_ReadBmp32(benchmark::State& state) {
  const std::vector<std::uint8_t> file = bmp::WriteBmpFile(Sample(32));
  for (auto _ : state) benchmark::DoNotOptimize(bmp::ReadBmpFile(file));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_ReadBmp32);

void BM_ReadBmp16BitFields(benchmark::State& state) {
  const std::vector<std::uint8_t> file = BitFields16();
  for (auto _ : state) benchmark::DoNotOptimize(bmp::ReadBmpFile(file));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_ReadBmp16BitFields);

std::vector<std::uint8_t> Jpeg() {
  jpeg::Image im{kW, kH, 3, {}};
  im.Pixels.resize(static_cast<std::size_t>(kW) * kH * 3);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      std::uint8_t* p = &im.Pixels[(static_cast<std::size_t>(y) * kW + x) * 3];
      p[0] = static_cast<std::uint8_t>(x), p[1] = static_cast<std::uint8_t>(y), p[2] = static_cast<std::uint8_t>(x ^ y);
    }
  return jpeg::Encode(im, 85);
}

void BM_DecodeJpeg(benchmark::State& state) {
  const std::vector<std::uint8_t> file = Jpeg();
  const jpeg::DecodeOptions options{static_cast<int>(state.range(0)), false, false};
  for (auto _ : state) benchmark::DoNotOptimize(jpeg::Decode(file, options));
}
BENCHMARK(BM_DecodeJpeg)->Arg(1)->Arg(8);

}  // namespace
