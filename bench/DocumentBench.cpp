// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing documents of many records: both must stay linear in the record count.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QFileInfo>
#include <QTemporaryDir>

#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "document/Recovery.h"

namespace quillon {
namespace {

class NoQuestions : public Prompter {
 public:
  PromptAnswer Ask(std::string_view, PromptStyle, PromptButtons) override {
    return PromptAnswer::No;
  }
};

// A page and anchors record, then count items: lines, four-point shapes and short texts.
void BuildDocument(ItemList& list, int count) {
  ItemRecord& page = NewRecord(list, kKindPageSetup);
  page.setRecordClass(kClassPageSetup);
  page.setPageUnits(kUnitInches);
  page.setZoom(1.0);
  NewRecord(list, kKindAnchors);
  for (int i = 0; i < count; ++i) {
    const int32_t kind = i % 3 == 0 ? kKindLine : i % 3 == 1 ? kKindRectangle : kKindText;
    ItemRecord& r = NewRecord(list, kind);
    r.setX1(i % 1000);
    r.setY1(i / 1000);
    r.setX2(i % 1000 + 20);
    r.setY2(i / 1000 + 10);
    RecomputeDerived(r, list.screen());
    r.setStackLevel(i + 1);
    if (kind == kKindRectangle) {
      for (int k = 0; k < 4; ++k)
        NewPoint(r.points).point = {r.x1() + k, r.y1() + k};
    }
    if (kind == kKindText) SetText(r, u"Label text");
  }
}

void SetCounters(benchmark::State& state, std::size_t records, qint64 bytes) {
  state.counters["records/s"] = benchmark::Counter(static_cast<double>(records),
                                                   benchmark::Counter::kIsIterationInvariantRate);
  state.counters["MB/s"] = benchmark::Counter(static_cast<double>(bytes) / 1e6,
                                              benchmark::Counter::kIsIterationInvariantRate);
}

void BM_WriteDocument(benchmark::State& state) {
  ItemList list;
  BuildDocument(list, static_cast<int>(state.range(0)));
  QTemporaryDir dir;
  const QString path = dir.filePath("bench.qlln");
  for (auto _ : state) {
    if (!WriteDocument(path, list).ok()) state.SkipWithError("write failed");
  }
  SetCounters(state, list.size(), QFileInfo(path).size());
}

void BM_ReadDocument(benchmark::State& state) {
  ItemList list;
  BuildDocument(list, static_cast<int>(state.range(0)));
  QTemporaryDir dir;
  const QString path = dir.filePath("bench.qlln");
  WriteDocument(path, list);
  NoQuestions prompter;
  for (auto _ : state) {
    ItemList read;
    if (!ReadDocument(path, read, prompter).ok()) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(read.first());
  }
  SetCounters(state, list.size(), QFileInfo(path).size());
}

BENCHMARK(BM_WriteDocument)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDocument)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The part of a recovery copy that runs on the interface thread: the document's file bytes.
void BM_RecoverySnapshot(benchmark::State& state) {
  ItemList list;
  BuildDocument(list, static_cast<int>(state.range(0)));
  qint64 bytes = 0;
  for (auto _ : state) {
    const RecoverySnapshot snapshot = TakeSnapshot(list, {});
    bytes = snapshot.bytes.size();
    benchmark::DoNotOptimize(snapshot.bytes.data());
  }
  SetCounters(state, list.size(), bytes);
}
BENCHMARK(BM_RecoverySnapshot)->Arg(10000)->Unit(benchmark::kMillisecond);

// A whole recovery copy: the snapshot, then the file and its note written and flushed to the
// disk on the writer's own thread.
void BM_RecoveryCopy(benchmark::State& state) {
  ItemList list;
  BuildDocument(list, static_cast<int>(state.range(0)));
  QTemporaryDir dir;
  RecoveryWriter writer(dir.path());
  for (auto _ : state) {
    writer.Write(1, TakeSnapshot(list, {}));
    writer.Flush();
  }
}
BENCHMARK(BM_RecoveryCopy)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon
