// PaintGrad (vertical and horizontal, two segments) against a pixman linear gradient drawn with SRC.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include "bench/pixel/BenchImages.h"
#include "skin/graphics/sGradient.h"

namespace {

void BM_PaintGrad(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  skin::TBitmap32 b(n, n);
  skin::TsGradArray arr;
  skin::PrepareGradArray(
      state.range(1) == 0 ? "255;16711680;50;0;0;16711680;65280;50;0;0" : "255;16711680;50;1;0;16711680;65280;50;1;0",
      arr);
  for (auto _ : state) {
    skin::PaintGrad(b.View(), {0, 0, n, n}, arr);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * n * n * 4);
}

void BM_PixmanLinearGradient(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  skin::TBitmap32 b(n, n);
  bench::PixmanImage dst(b);
  const bool vertical = state.range(1) == 0;
  const pixman_point_fixed_t p1{0, 0};
  const pixman_point_fixed_t p2{vertical ? 0 : pixman_int_to_fixed(n), vertical ? pixman_int_to_fixed(n) : 0};
  const pixman_gradient_stop_t stops[3] = {{0, {0xFFFF, 0, 0, 0xFFFF}},
                                           {pixman_double_to_fixed(0.5), {0, 0, 0xFFFF, 0xFFFF}},
                                           {pixman_int_to_fixed(1), {0, 0xFFFF, 0, 0xFFFF}}};
  bench::PixmanImage grad(pixman_image_create_linear_gradient(&p1, &p2, stops, 3));
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, grad.get(), nullptr, dst.get(), 0, 0, 0, 0, 0, 0, n, n);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * n * n * 4);
}

}  // namespace

// Second argument: 0 vertical, 1 horizontal.
BENCHMARK(BM_PaintGrad)
    ->Args({bench::kSmall, 0})
    ->Args({bench::kSmall, 1})
    ->Args({bench::kLarge, 0})
    ->Args({bench::kLarge, 1});
BENCHMARK(BM_PixmanLinearGradient)
    ->Args({bench::kSmall, 0})
    ->Args({bench::kSmall, 1})
    ->Args({bench::kLarge, 0})
    ->Args({bench::kLarge, 1});
