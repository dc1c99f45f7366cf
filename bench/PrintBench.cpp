// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a letter sheet of shadowed rectangles at printer resolution: the sheet composed in
// bands and cut into tiles, as printing to a PDF file does, with the tiles dropped.
#include <benchmark/benchmark.h>

#include "ShadowedRectangles.h"
#include "output/PrintDriver.h"

namespace quillon {
namespace {

// A printer that takes every tile and keeps none of them.
class DroppingPrinter : public PrintDevice {
 public:
  explicit DroppingPrinter(int dpi) : dpi_(dpi) {}
  PrinterGeometry Geometry() const override {
    return {dpi_, dpi_, 0, 0, RoundToInt32(8.5 * dpi_), 11 * dpi_, PageCorrection{}};
  }
  bool Begin(const std::string&, int) override { return true; }
  void DrawTile(const Bitmap& tile, int, int) override { benchmark::DoNotOptimize(tile.Row(0)); }
  bool End() override { return true; }
  void Abort() override {}
  std::string error() const override { return {}; }

 private:
  int dpi_;
};

// Arguments: rectangles, printer pixels per inch.
void BM_PrintShadowedRectangles(benchmark::State& state) {
  ItemList list(ScreenMetrics{96, 96});
  ItemRecord& page = NewRecord(list, kKindPageSetup);
  page.setRecordClass(kClassPageSetup);
  bench::AddShadowedRectangles(list, static_cast<int>(state.range(0)));
  DroppingPrinter printer(static_cast<int>(state.range(1)));
  for (auto _ : state) {
    const PrintResult printed =
        PrintSheet(list, "bench", {}, 1, printer, list.screen(), PrintQualityRenderer());
    if (!printed.ok) state.SkipWithError(printed.message.c_str());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PrintShadowedRectangles)
    ->Args({1000, 600})
    ->Args({1000, 300})
    ->ArgNames({"rectangles", "dpi"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace quillon
