// Stretch against stb_image_resize with the matching filter, shrinking to 3/4 and enlarging to 5/4.
#include <benchmark/benchmark.h>
#include <stb_image_resize.h>

#include <vector>

#include "bench/pixel/BenchImages.h"
#include "skin/graphics/sStretch.h"

namespace {

struct FilterPair {
  skin::TFilterType ours;
  stbir_filter stb;
};
constexpr FilterPair kFilters[] = {{skin::TFilterType::ftBox, STBIR_FILTER_BOX},
                                   {skin::TFilterType::ftTriangle, STBIR_FILTER_TRIANGLE},
                                   {skin::TFilterType::ftSpline, STBIR_FILTER_CUBICBSPLINE},
                                   {skin::TFilterType::ftMitchell, STBIR_FILTER_MITCHELL}};

// Args: source size, target size in quarters of it, filter index.
void BM_Stretch(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0)), m = n * static_cast<int>(state.range(1)) / 4;
  skin::TBitmap32 src = bench::RandomImage(n, n, 4, true);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(m) * m * 4);
  const skin::TImage32View s = src.View();
  for (auto _ : state) {
    skin::StretchPixels(s.Bits, n, n, s.Stride, 4, out.data(), m, m, m * 4, kFilters[state.range(2)].ours);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * m * m);
}

void BM_StbResize(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0)), m = n * static_cast<int>(state.range(1)) / 4;
  skin::TBitmap32 src = bench::RandomImage(n, n, 4, true);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(m) * m * 4);
  const skin::TImage32View s = src.View();
  for (auto _ : state) {
    stbir_resize_uint8_generic(s.Bits, n, n, static_cast<int>(s.Stride), out.data(), m, m, m * 4, 4,
                               STBIR_ALPHA_CHANNEL_NONE, 0, STBIR_EDGE_REFLECT, kFilters[state.range(2)].stb,
                               STBIR_COLORSPACE_LINEAR, nullptr);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * m * m);
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int n : {bench::kSmall, bench::kLarge})
    for (int q : {3, 5})
      for (int f = 0; f < 4; ++f) b->Args({n, q, f});
  b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_Stretch)->Apply(Sizes);
BENCHMARK(BM_StbResize)->Apply(Sizes);
