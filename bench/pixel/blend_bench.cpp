// The constant-weight, per-pixel alpha and grey-mask blends against pixman's OVER with the matching
// mask: a solid alpha, none (the source's own alpha) and a component-alpha mask.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include "bench/pixel/BenchImages.h"
#include "skin/graphics/sBlend32.h"

namespace {

struct Pair {
  explicit Pair(int n, bool opaqueSrc)
      : src(bench::RandomImage(n, n, 1, opaqueSrc)), dst(bench::RandomImage(n, n, 2, true)) {}
  skin::TBitmap32 src, dst;
};

void BM_SumBitmaps(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Pair p(n, true);
  skin::TsColor alpha;
  alpha.I = 100;
  for (auto _ : state) {
    skin::SumBitmaps(p.dst.View(), p.src.View(), alpha);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * n * n * 4);
}

void BM_PixmanOverSolidMask(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Pair p(n, true);
  bench::PixmanImage src(p.src), dst(p.dst);
  const pixman_color_t a{0, 0, 0, 155 * 257};
  bench::PixmanImage mask(pixman_image_create_solid_fill(&a));
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, src.get(), mask.get(), dst.get(), 0, 0, 0, 0, 0, 0, n, n);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * n * n * 4);
}

void BM_CopyByMask(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Pair p(n, false);
  for (auto _ : state) {
    skin::CopyByMask({0, 0, n, n}, {0, 0, n, n}, p.dst.View(), p.src.View(), skin::TCacheInfo32{}, false);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * n * n * 4);
}

void BM_PixmanOver(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Pair p(n, false);
  // Premultiplied, as pixman expects: every channel at most the alpha.
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      skin::TsColor_& c = p.src.At(x, y);
      c.R = static_cast<std::uint8_t>(c.R * c.A / 255);
      c.G = static_cast<std::uint8_t>(c.G * c.A / 255);
      c.B = static_cast<std::uint8_t>(c.B * c.A / 255);
    }
  bench::PixmanImage src(p.src), dst(p.dst);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, src.get(), nullptr, dst.get(), 0, 0, 0, 0, 0, 0, n, n);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * n * n * 4);
}

void BM_SumBitmapsByMask(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Pair p(n, true);
  skin::TBitmap32 mask = bench::RandomImage(n, n, 3, true);
  for (auto _ : state) {
    skin::SumBitmapsByMask(p.dst.View(), p.src.View(), p.dst.View(), mask.View(), 0);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * n * n * 4);
}

void BM_PixmanOverComponentMask(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Pair p(n, true);
  skin::TBitmap32 maskBits = bench::RandomImage(n, n, 3, true);
  bench::PixmanImage src(p.src), dst(p.dst), mask(maskBits);
  pixman_image_set_component_alpha(mask.get(), 1);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, src.get(), mask.get(), dst.get(), 0, 0, 0, 0, 0, 0, n, n);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * n * n * 4);
}

}  // namespace

BENCHMARK(BM_SumBitmaps)->Arg(bench::kSmall)->Arg(bench::kLarge);
BENCHMARK(BM_PixmanOverSolidMask)->Arg(bench::kSmall)->Arg(bench::kLarge);
BENCHMARK(BM_CopyByMask)->Arg(bench::kSmall)->Arg(bench::kLarge);
BENCHMARK(BM_PixmanOver)->Arg(bench::kSmall)->Arg(bench::kLarge);
BENCHMARK(BM_SumBitmapsByMask)->Arg(bench::kSmall)->Arg(bench::kLarge);
BENCHMARK(BM_PixmanOverComponentMask)->Arg(bench::kSmall)->Arg(bench::kLarge);
