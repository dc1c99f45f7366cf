// SPDX-License-Identifier: GPL-3.0-or-later
// Random sequences of edits, undos and redos, checked after every step against an independent
// model that replays the steps that are done.
#include <gtest/gtest.h>

#include <QBuffer>
#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "document/DocumentFile.h"
#include "document/EditCommands.h"
#include "document/History.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

// The model: drawn items bottom to top, each with its place in the list (creation or last change).
struct ModelItem {
  int32_t tag;
  Point a, b;
  int group = 0;
  int64_t listPos = 0;
};

struct Model {
  std::vector<ModelItem> items;
  int nextGroup = 1;
  int64_t nextPos = 0;
};

enum class Op { Draw, Move, Front, Back, Cut, Join, Split };

struct Step {
  Op op;
  std::vector<int32_t> tags;  // chosen items; their groups come along
  int32_t dx = 0, dy = 0;
  Point a, b;
};

std::set<int32_t> ExpandToGroups(const Model& m, const std::vector<int32_t>& tags) {
  std::set<int> groups;
  std::set<int32_t> chosen(tags.begin(), tags.end());
  for (const ModelItem& i : m.items) {
    if (chosen.contains(i.tag) && i.group != 0) groups.insert(i.group);
  }
  for (const ModelItem& i : m.items) {
    if (groups.contains(i.group)) chosen.insert(i.tag);
  }
  return chosen;
}

// The tags of the selected items in list order; each edit clones them to the end of the list in
// that order.
std::vector<int32_t> SelectedInListOrder(const Model& m, const std::set<int32_t>& chosen) {
  std::vector<const ModelItem*> selected;
  for (const ModelItem& i : m.items) {
    if (chosen.contains(i.tag)) selected.push_back(&i);
  }
  std::sort(selected.begin(), selected.end(),
            [](auto* x, auto* y) { return x->listPos < y->listPos; });
  std::vector<int32_t> tags;
  for (const ModelItem* i : selected)
    tags.push_back(i->tag);
  return tags;
}

void Apply(Model& m, const Step& s) {
  if (s.op == Op::Draw) {
    m.items.push_back({s.tags[0], s.a, s.b, 0, m.nextPos++});
    return;
  }
  const std::set<int32_t> chosen = ExpandToGroups(m, s.tags);
  const int newGroup = s.op == Op::Join ? m.nextGroup++ : 0;
  for (const int32_t tag : SelectedInListOrder(m, chosen)) {
    auto at = std::find_if(m.items.begin(), m.items.end(),
                           [&](const ModelItem& x) { return x.tag == tag; });
    ModelItem* i = &*at;
    i->listPos = m.nextPos++;
    if (s.op == Op::Move) {
      i->a = {i->a.x + s.dx, i->a.y + s.dy};
      i->b = {i->b.x + s.dx, i->b.y + s.dy};
    } else if (s.op == Op::Join || s.op == Op::Split) {
      i->group = newGroup;
    } else if (s.op == Op::Front || s.op == Op::Back) {
      ModelItem moved = *at;
      m.items.erase(at);
      m.items.insert(s.op == Op::Front ? m.items.end() : m.items.begin(), moved);
    }
  }
  if (s.op == Op::Cut) {
    std::erase_if(m.items, [&](const ModelItem& i) { return chosen.contains(i.tag); });
  }
}

class Document {
 public:
  Document() { test::AddPage(list_); }

  void Apply(const Step& s) {
    if (s.op == Op::Draw) {
      ItemRecord& r = NewItem(list_, kKindLine, observer_);
      r.setLineColor(s.tags[0]);
      r.setX1(s.a.x), r.setY1(s.a.y), r.setX2(s.b.x), r.setY2(s.b.y);
      RecomputeDerived(r, list_.screen());
      return;
    }
    Select(s.tags);
    switch (s.op) {
      case Op::Move:
        BeginEdit(list_, observer_, true);
        for (ItemRecord& r : list_) {
          if (!IsSelected(r) || !IsDrawableKind(r.kind())) continue;
          r.setX1(r.x1() + s.dx), r.setY1(r.y1() + s.dy);
          r.setX2(r.x2() + s.dx), r.setY2(r.y2() + s.dy);
          RecomputeDerived(r, list_.screen());
        }
        break;
      case Op::Front:
        BringSelectionToFront(list_, observer_);
        break;
      case Op::Back:
        SendSelectionToBack(list_, observer_);
        break;
      case Op::Cut:
        CutSelection(list_, observer_);
        break;
      case Op::Join:
        JoinItems(list_, observer_);
        break;
      case Op::Split:
        SplitGroup(list_, observer_);
        break;
      case Op::Draw:
        break;
    }
  }
  void Undo() { quillon::Undo(list_, observer_); }
  void Redo() { quillon::Redo(list_, observer_); }
  ItemList& list() { return list_; }

 private:
  // Chosen items and, as a click on the canvas does, every member and frame of their groups.
  void Select(const std::vector<int32_t>& tags) {
    SelectOnly(list_, nullptr);
    std::set<int32_t> groups;
    for (ItemRecord& r : list_) {
      if (IsVisible(r) && IsDrawableKind(r.kind()) &&
          std::find(tags.begin(), tags.end(), r.lineColor()) != tags.end()) {
        r.setSelected(255);
        if (r.groupNumber() > 0) groups.insert(r.groupNumber());
      }
    }
    for (ItemRecord& r : list_) {
      if (IsVisible(r) && groups.contains(r.groupNumber())) r.setSelected(255);
    }
  }

  ItemList list_;
  EditObserver observer_;
};

// The visible drawn items, bottom to top.
std::vector<const ItemRecord*> VisibleByLevel(const ItemList& list) {
  std::vector<const ItemRecord*> shown;
  for (const ItemRecord& r : list) {
    if (IsVisible(r) && IsDrawableKind(r.kind())) shown.push_back(&r);
  }
  std::stable_sort(shown.begin(), shown.end(),
                   [](auto* x, auto* y) { return x->stackLevel() < y->stackLevel(); });
  return shown;
}

// Compares the drawn items of a list with the model; returns a description of the first
// difference, or an empty string.
std::string Difference(const ItemList& list, const Model& model) {
  const auto shown = VisibleByLevel(list);
  if (shown.size() != model.items.size()) {
    return "shows " + std::to_string(shown.size()) + " items, expected " +
           std::to_string(model.items.size());
  }
  std::map<int32_t, int> groupOf;  // real group -> model group
  std::map<int, int32_t> realOf;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const ItemRecord& r = *shown[i];
    const ModelItem& m = model.items[i];
    if (i > 0 && shown[i - 1]->stackLevel() == r.stackLevel()) return "two items share a level";
    if (r.lineColor() != m.tag) return "stacking order differs at position " + std::to_string(i);
    if (Point{r.x1(), r.y1()} != m.a || Point{r.x2(), r.y2()} != m.b) {
      return "item " + std::to_string(m.tag) + " is not where it should be";
    }
    if ((r.groupNumber() == 0) != (m.group == 0)) return "grouping differs";
    if (m.group != 0) {
      const auto [g, newG] = groupOf.try_emplace(r.groupNumber(), m.group);
      const auto [h, newH] = realOf.try_emplace(m.group, r.groupNumber());
      if (g->second != m.group || h->second != r.groupNumber()) return "groups differ";
    }
  }
  return {};
}

std::string FileDifference(ItemList& list, const Model& model) {
  QByteArray bytes;
  QBuffer sink(&bytes);
  sink.open(QIODevice::WriteOnly);
  if (!WriteDocumentTo(sink, list).ok()) return "write failed";
  QBuffer source(&bytes);
  source.open(QIODevice::ReadOnly);
  ItemList read(list.screen());
  test::ScriptedPrompter prompter;
  if (!ReadDocumentFrom(source, read, prompter).ok()) return "read failed";
  const std::string difference = Difference(read, model);
  return difference.empty() ? difference : "after reading back: " + difference;
}

Step RandomEdit(std::mt19937& random, const Model& model, int32_t& nextTag) {
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  Step s;
  if (model.items.empty() || pick(5) == 0) {
    s.op = Op::Draw;
    s.tags = {nextTag++};
    s.a = {pick(200), pick(200)};
    s.b = {pick(200), pick(200)};
    return s;
  }
  constexpr Op kEdits[] = {Op::Move, Op::Front, Op::Back, Op::Cut, Op::Join, Op::Split};
  s.op = kEdits[pick(6)];
  const int chosen = 1 + pick(3);
  for (int i = 0; i < chosen; ++i)
    s.tags.push_back(model.items[pick(model.items.size())].tag);
  s.dx = pick(21) - 10;
  s.dy = pick(21) - 10;
  return s;
}

TEST(HistoryProperty, RandomEditsUndosAndRedosMatchAReplayOfTheDoneSteps) {
  std::mt19937 random(20261210);
  for (int sequence = 0; sequence < 300; ++sequence) {
    Document document;
    std::vector<Step> steps;
    std::size_t done = 0;
    int32_t nextTag = 1;
    Model current;
    for (int action = 0; action < 30; ++action) {
      const int roll = std::uniform_int_distribution<int>(0, 9)(random);
      std::string what;
      if (roll < 2) {
        document.Undo();
        done -= done > 0;
        what = "undo";
      } else if (roll < 4) {
        document.Redo();
        done += done < steps.size();
        what = "redo";
      } else {
        const Step step = RandomEdit(random, current, nextTag);
        steps.resize(done);
        steps.push_back(step);
        done = steps.size();
        document.Apply(step);
        what = "edit " + std::to_string(static_cast<int>(step.op));
      }
      Model replay;
      for (std::size_t i = 0; i < done; ++i)
        Apply(replay, steps[i]);
      current = replay;
      const std::string difference = Difference(document.list(), replay);
      ASSERT_EQ(difference, "") << "sequence " << sequence << ", action " << action << ": " << what;
      ASSERT_EQ(FileDifference(document.list(), replay), "")
          << "sequence " << sequence << ", action " << action;
      ASSERT_EQ(CanUndo(document.list()), done > 0);
      ASSERT_EQ(CanRedo(document.list()), done < steps.size());
    }
  }
}

}  // namespace
}  // namespace quillon
