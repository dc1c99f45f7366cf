// SPDX-License-Identifier: GPL-3.0-or-later
// Hit testing and outline generation on large documents.
#include <benchmark/benchmark.h>

#include <random>

#include "document/ItemList.h"
#include "render/Curves.h"
#include "render/HitTest.h"
#include "render/Outlines.h"
#include "render/ShapeBounds.h"
#include "render/Transforms.h"

namespace quillon {
namespace {

// A document of n items of every point-list kind, lines and pictures, scattered over a page
// of the given size in document pixels.
void FillDocument(ItemList& list, int n, int32_t width, int32_t height) {
  std::mt19937 random(1);
  std::uniform_int_distribution<int32_t> x(0, width), y(0, height), size(5, 120);
  std::uniform_real_distribution<double> turn(0, 6.283);
  const GeometryContext context;
  const int32_t kinds[] = {kKindLine,    kKindTriangle, kKindRectangle, kKindCircle,
                           kKindEllipse, kKindPolygon,  kKindStar,      kKindPie,
                           kKindArc,     kKindSpline,   kKindCurve,     kKindPicture};
  for (int i = 0; i < n; ++i) {
    const int32_t kind = kinds[i % std::size(kinds)];
    ItemRecord& r = NewRecord(list, kind);
    r.setStackLevel(i + 1);
    const Point c{x(random), y(random)};
    const double radius = size(random), phase = turn(random);
    const Point p = PolarPoint(c, radius, phase);
    switch (kind) {
      case kKindLine:
      case kKindPicture:
        r.setX1(c.x);
        r.setY1(c.y);
        r.setX2(p.x);
        r.setY2(p.y);
        BoundsAfterTransform(r, context);
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
      case kKindRectangle:
        RectangleFromSide(c, p, PolarPoint(p, radius, phase + 1.6), r.points);
        break;
      case kKindCircle:
        CircleFromClicks(c, p, r.points);
        break;
      case kKindEllipse:
        for (Point q : {c, p, PolarPoint(c, radius / 2, phase + 1.57)})
          NewPoint(r.points).point = q;
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
    Snapshot(r.points);
    RecomputeBounds(r, context);
  }
}

void BM_PickItem(benchmark::State& state) {
  ItemList list;
  const int32_t width = 800, height = 1100;  // an A4 page at 96 dpi
  FillDocument(list, static_cast<int>(state.range(0)), width, height);
  std::mt19937 random(2);
  std::uniform_int_distribution<int32_t> x(0, width), y(0, height);
  const GeometryContext context;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ChoosePickedItem(list, {x(random), y(random)}, context));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PickItem)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The floor under picking: visiting every record and reading the fields a pick reads first.
void BM_ListWalk(benchmark::State& state) {
  ItemList list;
  FillDocument(list, 100000, 800, 1100);
  for (auto _ : state) {
    int64_t sum = 0;
    for (const ItemRecord& r : list) {
      if (r.recordClass() != kClassContent || r.hidden() != 0) continue;
      sum += r.kind() + static_cast<int64_t>(r.lineWeight());
      if (!r.points.empty()) sum += r.points.front().point.x;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ListWalk)->Unit(benchmark::kMillisecond);

void BM_OutlineDistance(benchmark::State& state) {
  ItemList list;
  FillDocument(list, 1200, 800, 1100);
  std::vector<const ItemRecord*> items;
  for (const ItemRecord& r : list) {
    if (r.kind() == state.range(0)) items.push_back(&r);
  }
  const GeometryContext context;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(OutlineDistance(*items[i++ % items.size()], {400, 500}, context));
  }
}
BENCHMARK(BM_OutlineDistance)
    ->Arg(kKindLine)
    ->Arg(kKindRectangle)
    ->Arg(kKindEllipse)
    ->Arg(kKindPie)
    ->Arg(kKindCurve);

void BM_BuildOutline(benchmark::State& state) {
  ItemList list;
  FillDocument(list, 1200, 800, 1100);
  std::vector<const ItemRecord*> items;
  for (const ItemRecord& r : list) {
    if (r.kind() == state.range(0)) items.push_back(&r);
  }
  const TargetMapping window = TargetMapping::Window(1.5, {30, 40});
  Outline outline;
  std::size_t i = 0;
  for (auto _ : state) {
    BuildOutline(*items[i++ % items.size()], window, outline);
    benchmark::DoNotOptimize(outline.points.data());
  }
}
BENCHMARK(BM_BuildOutline)
    ->Arg(kKindRectangle)
    ->Arg(kKindEllipse)
    ->Arg(kKindPolygon)
    ->Arg(kKindPie)
    ->Arg(kKindCurve);

}  // namespace
}  // namespace quillon

