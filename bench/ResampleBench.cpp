// SPDX-License-Identifier: GPL-3.0-or-later
// The resampler on export-sized pictures and on shadow masks.
#include <benchmark/benchmark.h>

#include <random>

#include "render/Blend.h"
#include "render/Resample.h"

namespace quillon {
namespace {

Bitmap Noise(int width, int height) {
  Bitmap b(width, height);
  std::mt19937 random(3);
  for (int y = 0; y < height; ++y) {
    for (int i = 0; i < 3 * width; ++i)
      b.Row(y)[i] = random() & 0xFF;
  }
  return b;
}

// A letter page at 200 dpi reduced to 96 dpi, as Smooth export does.
void BM_ResampleLetterTo96Dpi(benchmark::State& state) {
  const Bitmap page = Noise(1700, 2200);
  Bitmap screen(816, 1056);
  for (auto _ : state)
    Resample(page, screen, static_cast<ResampleFilter>(state.range(0)));
  state.SetItemsProcessed(state.iterations() * 1700 * 2200);
}

// Enlarging a picture by 2.5 with the Mitchell filter.
void BM_ResampleEnlarge(benchmark::State& state) {
  const Bitmap picture = Noise(640, 480);
  Bitmap large(1600, 1200);
  for (auto _ : state)
    Resample(picture, large, ResampleFilter::Mitchell);
  state.SetItemsProcessed(state.iterations() * 1600 * 1200);
}

// The blur of a 1000 x 600 shadow mask with softness 30 at print scale 6.25.
void BM_BlurMask(benchmark::State& state) {
  Bitmap mask = Noise(1000, 600);
  for (auto _ : state)
    BlurMask(mask, 30, state.range(0) / 100.0);
  state.SetItemsProcessed(state.iterations() * 1000 * 600);
}

BENCHMARK(BM_ResampleLetterTo96Dpi)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResampleEnlarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlurMask)->Arg(100)->Arg(625)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon
