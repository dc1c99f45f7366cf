// SPDX-License-Identifier: GPL-3.0-or-later
// Undoable edits on a 1,000-item document, then Undo all and Redo all.
#include <benchmark/benchmark.h>

#include "document/History.h"
#include "document/PageSetup.h"

namespace quillon {
namespace {

void BuildItems(ItemList& list, EditObserver& observer) {
  ItemRecord& page = NewRecord(list, kKindPageSetup);
  page.setRecordClass(kClassPageSetup);
  NewRecord(list, kKindAnchors).setHistoryState(0);
  for (int i = 0; i < 1000; ++i) {
    ItemRecord& r = NewItem(list, kKindLine, observer);
    r.setX2(i);
    RecomputeDerived(r, list.screen());
  }
  for (ItemRecord& r : list) {
    if (r.recordClass() == kClassContent) r.setHistoryState(0);
  }
}

// Moves one item per edit, cycling through the items.
void MakeEdits(ItemList& list, EditObserver& observer, int edits) {
  std::vector<int32_t> levels;
  for (int i = 0; i < edits; ++i) {
    SelectOnly(list, FindByLevel(list, 1 + i % 1000));
    BeginEdit(list, observer, false);
    ItemRecord* moved = list.last();
    moved->setX1(moved->x1() + 1);
    RecomputeDerived(*moved, list.screen());
  }
}

void BM_Edits(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    ItemList list;
    EditObserver observer;
    BuildItems(list, observer);
    state.ResumeTiming();
    MakeEdits(list, observer, static_cast<int>(state.range(0)));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_UndoAllRedoAll(benchmark::State& state) {
  const int edits = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    ItemList list;
    EditObserver observer;
    BuildItems(list, observer);
    MakeEdits(list, observer, edits);
    state.ResumeTiming();
    for (int i = 0; i < edits; ++i)
      Undo(list, observer);
    for (int i = 0; i < edits; ++i)
      Redo(list, observer);
  }
  state.SetItemsProcessed(state.iterations() * 2 * edits);
}

BENCHMARK(BM_Edits)->Arg(2500)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoAllRedoAll)->Arg(2500)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon
