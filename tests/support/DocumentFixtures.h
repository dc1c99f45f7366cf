// SPDX-License-Identifier: GPL-3.0-or-later
// Small documents built in code for the tests.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "document/ItemList.h"
#include "document/PageSetup.h"
#include "platform/Prompter.h"

namespace quillon::test {

// A page setup record for a millimetre page, as a new document has it, and the anchors record.
inline ItemRecord& AddPage(ItemList& list) {
  ItemRecord& page = NewRecord(list, kKindPageSetup);
  page.setRecordClass(kClassPageSetup);
  page.setDocumentId(18601);
  const UnitScale scale = UnitsScale(kUnitMillimetres, list.screen());
  page.setPageUnits(scale.units);
  page.setPixelsPerUnitX(scale.pixelsPerUnitX);
  page.setPixelsPerUnitY(scale.pixelsPerUnitY);
  page.setZoom(1.0);
  page.setPageWidth(210);
  page.setPageHeight(297);
  page.setDesignWidth(210);
  page.setDesignHeight(297);
  page.setGridDistanceX(10);
  page.setGridDistanceY(10);
  SetText(page,
          u"210\u07EC297\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC\u07EC"
          u"\u07EC");
  UpdatePageRect(page);
  // Records made with the window are outside the undo history.
  NewRecord(list, kKindAnchors).setHistoryState(0);
  SetModified(list, false);
  return page;
}

// Shows both grids and both anchor strips, a line every `distance` page units.
inline void ShowGridEvery(ItemRecord& page, int32_t distance) {
  page.setGridDistanceX(distance);
  page.setGridDistanceY(distance);
  page.setGridHorizontal(1);
  page.setAnchorsHorizontal(1);
  page.setGridVertical(1);
  page.setAnchorsVertical(1);
}

// An item with its defining points set and its derived geometry consistent.
inline ItemRecord& AddItem(ItemList& list, int32_t kind, Point a, Point b, int32_t level = 0) {
  ItemRecord& r = NewRecord(list, kind);
  r.setX1(a.x);
  r.setY1(a.y);
  r.setX2(b.x);
  r.setY2(b.y);
  RecomputeDerived(r, list.screen());
  r.setStackLevel(level != 0 ? level : MaxLevel(list) + 1);
  return r;
}

// Business cards in millimetres on the standard page: 2 columns and 4 rows of 74 x 52 mm,
// 10 mm apart, 21 mm from the left and 19.5 mm from the top.
inline ItemRecord& AddBusinessCardSheet(ItemList& list) {
  ItemRecord& page = AddPage(list);
  page.setPageKind(4);
  page.setCardWidth(74);
  page.setCardHeight(52);
  page.setMarginLeft(21);
  page.setMarginTop(19.5);
  page.setGapHorizontal(10);
  page.setGapVertical(10);
  page.setRows(4);
  page.setColumns(2);
  return page;
}

// A 100 x 100 mm page with a 2 x 2 sheet of 40 mm cards, 5 mm from the corner, 10 mm apart.
inline ItemRecord& AddSquareCardSheet(ItemList& list) {
  ItemRecord& page = AddPage(list);
  page.setPageKind(4);
  page.setPageWidth(100);
  page.setPageHeight(100);
  page.setDesignWidth(100);
  page.setDesignHeight(100);
  page.setRows(2);
  page.setColumns(2);
  page.setCardWidth(40);
  page.setCardHeight(40);
  page.setMarginLeft(5);
  page.setMarginTop(5);
  page.setGapHorizontal(10);
  page.setGapVertical(10);
  UpdatePageRect(page);
  return page;
}

inline ItemRecord& AddRectangle(ItemList& list, Point a, Point b) {
  ItemRecord& r = AddItem(list, kKindRectangle, a, b);
  for (Point p : {a, Point{b.x, a.y}, b, Point{a.x, b.y}}) {
    PointEntry& e = NewPoint(r.points);
    e.point = e.pointAtDragStart = p;
  }
  return r;
}

// Answers every question the same way and remembers what it was asked.
class ScriptedPrompter : public Prompter {
 public:
  explicit ScriptedPrompter(PromptAnswer answer = PromptAnswer::No) : answer_(answer) {}
  PromptAnswer Ask(std::string_view text, PromptStyle, PromptButtons buttons) override {
    asked.emplace_back(text);
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : answer_;
  }
  std::vector<std::string> asked;

 private:
  PromptAnswer answer_;
};

inline QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A one-pixel line without a direction or a text angle, at a stacking level.
inline ItemRecord& AddThinLine(ItemList& list, Point a, Point b, int32_t level = 0) {
  ItemRecord& r = AddItem(list, kKindLine, a, b, level);
  r.setLineWeight(0);
  r.setDirection(-1);
  r.setPresetTextAngle(-1);
  return r;
}

// The stacking levels of the selected items (group frames aside), ascending.
inline std::vector<int32_t> SelectedLevels(const ItemList& list) {
  std::vector<int32_t> levels;
  for (const ItemRecord& r : list) {
    if (IsSelected(r) && r.kind() != kKindGroupFrame) levels.push_back(r.stackLevel());
  }
  std::sort(levels.begin(), levels.end());
  return levels;
}

// An item's two corners as one value that compares and prints.
struct Box {
  int32_t x1, y1, x2, y2;
  friend bool operator==(const Box&, const Box&) = default;
};
inline std::ostream& operator<<(std::ostream& out, const Box& b) {
  return out << "(" << b.x1 << ", " << b.y1 << ", " << b.x2 << ", " << b.y2 << ")";
}
inline Box BoxOf(const ItemRecord& r) {
  return {r.x1(), r.y1(), r.x2(), r.y2()};
}

}  // namespace quillon::test
