// SPDX-License-Identifier: GPL-3.0-or-later
// The rasterizer's hot paths: export-sized resampling, the blur of a large shadow mask, and
// whole pages of mixed items at print resolution, with and without shadows and surfaces.
#include <benchmark/benchmark.h>

#include <random>

#include "document/PageSetup.h"
#include "render/Curves.h"
#include "render/Outlines.h"
#include "render/RenderPage.h"
#include "render/Resample.h"
#include "render/ShapeBounds.h"

namespace quillon {
namespace {

Bitmap Noise(int width, int height) {
  Bitmap b(width, height);
  std::mt19937 random(5);
  for (int y = 0; y < height; ++y) {
    for (int i = 0; i < 3 * width; ++i)
      b.Row(y)[i] = random() & 0xFF;
  }
  return b;
}

// A letter page at 600 dpi reduced to half size with the triangle filter.
void BM_ResampleTriangleHalf(benchmark::State& state) {
  const Bitmap page = Noise(5100, 6600);
  Bitmap half(2550, 3300);
  for (auto _ : state)
    Resample(page, half, ResampleFilter::Triangle);
  state.counters["source MP/s"] =
      benchmark::Counter(5100.0 * 6600 / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ResampleTriangleHalf)->Unit(benchmark::kMillisecond)->UseRealTime();

// A 2000 x 2000 shadow mask shrunk to a fifth and enlarged again with the B-spline, as the blur
// of a soft shadow does.
void BM_ResampleBSplineMaskDownUp(benchmark::State& state) {
  Bitmap mask = Noise(2000, 2000);
  Bitmap small(400, 400);
  for (auto _ : state) {
    Resample(mask, small, ResampleFilter::BSpline);
    Resample(small, mask, ResampleFilter::BSpline);
  }
  state.counters["mask MP/s"] =
      benchmark::Counter(2000.0 * 2000 / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ResampleBSplineMaskDownUp)->Unit(benchmark::kMillisecond)->UseRealTime();

// n items of every drawn kind scattered over a letter page (816 x 1056 document pixels),
// filled and outlined, with the "Medium" shadow and the "Round" surface when asked for.
void FillPage(ItemList& list, int n, bool shadows, bool surfaces) {
  ItemRecord& page = NewRecord(list, kKindPageSetup);
  page.setRecordClass(kClassPageSetup);
  std::mt19937 random(11);
  std::uniform_int_distribution<int32_t> x(0, 816), y(0, 1056), size(8, 60);
  std::uniform_real_distribution<double> turn(0, 6.283);
  const int32_t kinds[] = {kKindLine,   kKindTriangle, kKindSquare,  kKindRectangle,
                           kKindCircle, kKindEllipse,  kKindPolygon, kKindStar,
                           kKindPie,    kKindArc,      kKindSpline,  kKindCurve};
  const GeometryContext context;
  for (int i = 0; i < n; ++i) {
    const int32_t kind = kinds[i % std::size(kinds)];
    ItemRecord& r = NewRecord(list, kind);
    r.setStackLevel(i + 1);
    r.setLineColor(static_cast<int32_t>(random() & 0x7F7F7F));
    r.setFillColor(i % 3 == 0 ? -2 : static_cast<int32_t>(random() & 0xFFFFFF));
    r.setLineWeight(0.5);
    if (shadows) {
      r.setShadowSize(50);
      r.setShadowSoftness(20);
      r.setShadowLightness(110);
    }
    if (surfaces) r.setSurface(127);
    const Point c{x(random), y(random)};
    const double radius = size(random), phase = turn(random);
    const Point p = PolarPoint(c, radius, phase);
    switch (kind) {
      case kKindLine:
        r.setX1(c.x);
        r.setY1(c.y);
        r.setX2(p.x);
        r.setY2(p.y);
        r.setLineWeight(1.5);
        r.setPenWidth(6);
        r.setLinePattern(i % 5);
        RecomputeDerived(r, list.screen());
        continue;
      case kKindTriangle:
      case kKindSpline:
      case kKindCurve:
        for (int k = 0; k < (kind == kKindTriangle ? 3 : 6); ++k) {
          NewPoint(r.points).point = PolarPoint(c, size(random), turn(random));
        }
        r.setShapeStyle(kind == kKindSpline ? 0 : 2);
        if (kind == kKindCurve) RecomputeCurveHandles(r.points, r.curveFactor(), 2);
        break;
      case kKindSquare:
        SquareFromSide(c, p, r.points);
        break;
      case kKindRectangle:
        RectangleFromSide(c, p, PolarPoint(p, radius, phase + 1.6), r.points);
        break;
      case kKindCircle:
        CircleFromClicks(c, p, r.points);
        break;
      case kKindEllipse:
        EllipseFromClicks(c, p, PolarPoint(c, radius / 2, phase + 1.57), r.points);
        break;
      case kKindPolygon:
        r.setSides(6);
        PolygonVertices(c, p, 6, r.points);
        break;
      case kKindStar:
        r.setSides(5);
        StarVertices(c, PolarPoint(c, radius / 2, 0), 5, p, r.points);
        break;
      default:
        ArcFromClicks(c, p, PolarPoint(c, radius, phase + turn(random)), r.points);
        break;
    }
    RecomputeBounds(r, context);
  }
}

// Arguments: item count, shadows (0/1), surfaces (0/1).
void BM_RenderPage200Dpi(benchmark::State& state) {
  ItemList list;
  FillPage(list, static_cast<int>(state.range(0)), state.range(1) != 0, state.range(2) != 0);
  const double scale = 200 / 96.0;
  Bitmap page(RoundToInt32(816 * scale), RoundToInt32(1056 * scale));
  for (auto _ : state)
    RenderPage(list, page, {0, 0}, scale, scale);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RenderPage200Dpi)
    ->ArgsProduct({{1000, 10000}, {0, 1}, {0, 1}})
    ->ArgNames({"items", "shadows", "surfaces"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace quillon
