// FillRect32 against pixman_fill and a plain loop over the rows.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include "bench/pixel/BenchImages.h"
#include "skin/graphics/sAlphaGraph.h"

namespace {

void BM_FillRect32(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  skin::TBitmap32 b(n, n);
  for (auto _ : state) {
    skin::FillRect32(b.View(), {0, 0, n, n}, 0x00123456);
    benchmark::DoNotOptimize(b.View().Bits);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * n * n * 4);
}

void BM_PixmanFill(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  skin::TBitmap32 b(n, n);
  for (auto _ : state) {
    pixman_fill(reinterpret_cast<uint32_t*>(b.View().Bits), n, 32, 0, 0, n, n, 0xFF563412u);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * n * n * 4);
}

void BM_PlainFill(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  skin::TBitmap32 b(n, n);
  for (auto _ : state) {
    const skin::TImage32View v = b.View();
    for (int y = 0; y < n; ++y) {
      skin::TsColor_* row = v.Row(y);
      for (int x = 0; x < n; ++x) row[x].U = 0xFF563412u;
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * n * n * 4);
}

}  // namespace

BENCHMARK(BM_FillRect32)->Arg(bench::kSmall)->Arg(bench::kLarge);
BENCHMARK(BM_PixmanFill)->Arg(bench::kSmall)->Arg(bench::kLarge);
BENCHMARK(BM_PlainFill)->Arg(bench::kSmall)->Arg(bench::kLarge);
