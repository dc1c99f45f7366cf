// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <random>

#include "canvas/BitmapView.h"
#include "canvas/CanvasDriver.h"
#include "canvas/SandboxView.h"
#include "render/PictureFixtures.h"
#include "document/EditCommands.h"
#include "document/History.h"
#include "document/ToolNumbers.h"
#include "render/Coordinates.h"
#include "render/ShapeBounds.h"
#include "support/Wait.h"

namespace quillon {
namespace {

using test::AddItem;
using test::AddRectangle;
using test::Pt;

// A real drawing window on a pixel page of 600 x 400; the tests add their items and open the
// document.
class CanvasSelectionTest : public test::CanvasDriverTest {
 protected:
  ItemRecord& Line(Point a, Point b, int32_t level = 0) {
    return test::AddThinLine(list_, a, b, level);
  }
  ItemRecord& Shape(int32_t kind, std::initializer_list<Point> points) {
    return test::AddShape(list_, kind, points);
  }
  std::vector<int32_t> SelectedLevels() { return test::SelectedLevels(Items()); }
  // A closed rectangle as the tool draws it, with its fill (-1 clear, -2 the line colour).
  ItemRecord& Box(Point a, Point b, int32_t fill = -1) {
    ItemRecord& r = AddRectangle(list_, a, b);
    r.setShapeStyle(2);
    r.setFillColor(fill);
    return r;
  }
  // The first corner of the visible item at the stack level.
  Point Corner(int32_t level) {
    for (ItemRecord* r : Visible()) {
      if (r->stackLevel() == level) return PointsOf(*r).front();
    }
    return {-1, -1};
  }
};

TEST_F(CanvasSelectionTest, ClicksSelectByOutlineDistanceStackingAndGroups) {
  Line({50, 50}, {250, 50}, 1);
  Line({50, 150}, {250, 150}, 2);
  Line({50, 150}, {250, 150}, 3);
  ItemRecord& a = Line({300, 300}, {400, 300}, 4);
  ItemRecord& b = Line({300, 340}, {400, 340}, 5);
  a.setGroupNumber(1);
  b.setGroupNumber(1);
  AddItem(list_, kKindGroupFrame, {350, 320}, {350, 320}).setGroupNumber(1);
  OpenBuilt();

  struct Case {
    const char* name;
    Point click;
    bool shift;
    std::vector<int32_t> selected;
    int32_t panel;
  };
  const Case cases[] = {
      {"10 pixels from a thin line", {150, 60}, false, {1}, kToolSelectedLine},
      {"11 pixels from it", {150, 61}, false, {}, kToolPointer},
      {"coincident lines: the higher", {150, 150}, false, {3}, kToolSelectedLine},
      {"a member selects its group", {350, 300}, false, {4, 5}, kToolSelectedLine},
      {"Shift-click adds", {150, 50}, true, {1, 4, 5}, kToolSelectedLine},
      {"Shift-click on the group removes it", {330, 340}, true, {1}, kToolSelectedLine},
      {"Shift-click on the last one leaves nothing", {120, 52}, true, {}, kToolPointer},
  };
  for (const Case& c : cases) {
    Click(c.click, c.shift ? Qt::ShiftModifier : Qt::NoModifier);
    EXPECT_EQ(SelectedLevels(), c.selected) << c.name;
    EXPECT_EQ(host_.tools.back(), c.panel) << c.name;
    EXPECT_EQ(window_->Mode(), kModePointer) << c.name;
  }
  EXPECT_FALSE(CanUndo(Items()));
}

TEST_F(CanvasSelectionTest, AClickOnNoOutlineTakesThePictureOrFilledShapeItLandsIn) {
  Box({100, 100}, {300, 250}, 0x0000FF);  // level 1
  Box({350, 100}, {500, 250});            // 2: clear
  Box({200, 150}, {280, 230}, -2);        // 3: solid, over 1
  Line({120, 200}, {180, 200});                                        // 4: inside 1
  test::AddSource(list_, test::Quadrants(20, 10));
  test::AddPicture(list_, {380, 280}, {520, 380}, 20, 10);             // 5
  ItemRecord& round = test::AddPicture(list_, {100, 330}, {140, 330}, 20, 10);  // 6: radius 40
  round.setClipShape(2);
  OpenBuilt();

  struct Case {
    const char* name;
    Point click;
    bool shift;
    std::vector<int32_t> selected;
  };
  const Case cases[] = {
      {"inside a filled rectangle", {130, 130}, false, {1}},
      {"inside a clear one: nothing", {420, 180}, false, {}},
      {"where two filled ones overlap: the higher", {240, 190}, false, {3}},
      {"an outline within reach comes first", {150, 207}, false, {4}},
      {"inside a picture", {450, 330}, false, {5}},
      {"inside a round picture", {110, 340}, false, {6}},
      {"beside it, in its box's corner: nothing", {139, 369}, false, {}},
      {"Shift-click inside adds", {130, 130}, true, {1}},
      {"and again toggles", {450, 330}, true, {1, 5}},
  };
  for (const Case& c : cases) {
    Click(c.click, c.shift ? Qt::ShiftModifier : Qt::NoModifier);
    EXPECT_EQ(SelectedLevels(), c.selected) << c.name;
  }
  EXPECT_FALSE(CanUndo(Items()));
}

TEST_F(CanvasSelectionTest, ArrowKeysMoveTheSelectionAndARunIsOneUndoStep) {
  ItemRecord& page = *list_.PageRecord();
  page.setGridDistanceX(25);
  page.setGridDistanceY(40);
  page.setGridHorizontal(1);  // the vertical lines: Shift+Left/Right move by 25
  Box({100, 100}, {200, 150});
  Box({300, 300}, {350, 350});
  OpenBuilt();
  EXPECT_FALSE(Key(Qt::Key_Right)) << "nothing selected: the key is not taken";

  Click({100, 125});
  Click({300, 325}, Qt::ShiftModifier);
  ASSERT_EQ(SelectedLevels(), (std::vector<int32_t>{1, 2}));
  const int stepsBefore = Steps();
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    Point moved;  // the first rectangle's corner afterwards
  };
  const Case run[] = {
      {Qt::Key_Right, {}, {101, 100}},
      {Qt::Key_Down, {}, {101, 101}},
      {Qt::Key_Left, {}, {100, 101}},
      {Qt::Key_Right, Qt::ShiftModifier, {125, 101}},
      {Qt::Key_Down, Qt::ShiftModifier, {125, 111}},  // no horizontal grid lines shown: 10
      {Qt::Key_Up, {}, {125, 110}},
  };
  for (const Case& c : run) {
    EXPECT_TRUE(Key(c.key, c.modifiers));
    EXPECT_EQ(Visible().size(), 2u);
    EXPECT_EQ(Corner(1), c.moved) << c.key;
    EXPECT_EQ(Corner(2), Pt(300 + c.moved.x - 100, 300 + c.moved.y - 100));
    EXPECT_EQ(SelectedLevels(), (std::vector<int32_t>{1, 2})) << "the selection stays";
  }
  EXPECT_EQ(Steps(), stepsBefore + 1) << "presses in quick succession are one step";
  window_->Run(Undo);
  EXPECT_EQ(Corner(1), Pt(100, 100));
  EXPECT_EQ(Corner(2), Pt(300, 300));

  // A click ends the run: the next press is a step of its own.
  Click({100, 125});
  EXPECT_TRUE(Key(Qt::Key_Left));
  EXPECT_TRUE(Key(Qt::Key_Left));
  EXPECT_EQ(Corner(1), Pt(98, 100));
  EXPECT_EQ(Corner(2), Pt(300, 300));
  EXPECT_EQ(Steps(), stepsBefore + 1);
}

TEST_F(CanvasSelectionTest, RubberBandSelectsInsideEitherWayAndCrossingWithShift) {
  Line({100, 100}, {200, 100}, 1);
  Line({100, 200}, {300, 200}, 2);
  OpenBuilt();
  struct Case {
    Point from, to;
    Qt::KeyboardModifiers modifiers;
    std::vector<int32_t> selected;
  };
  const Case cases[] = {
      {{90, 90}, {250, 250}, Qt::ControlModifier, {1}},
      {{250, 250}, {90, 90}, Qt::ControlModifier, {1}},
      {{90, 90}, {250, 250}, Qt::ControlModifier | Qt::ShiftModifier, {1, 2}},
      {{500, 350}, {520, 370}, Qt::ControlModifier, {}},
  };
  for (const Case& c : cases) {
    Drag(c.from, c.to, c.modifiers);
    EXPECT_EQ(SelectedLevels(), c.selected);
    EXPECT_EQ(window_->Mode(), kModePointer);
    const Rect band = window_->LastGesture().rubberBand;
    EXPECT_EQ(band.right - band.left, std::abs(c.to.x - c.from.x));
  }
  EXPECT_TRUE(HasCopyArea(window_->LastGesture()));
  EXPECT_FALSE(CanUndo(Items()));
}

TEST_F(CanvasSelectionTest, CtrlInAShapeToolStartsARubberBand) {
  Line({100, 100}, {200, 100}, 1);
  OpenBuilt();
  window_->SelectTool(102);
  ASSERT_EQ(window_->Mode(), 102);
  Drag({90, 90}, {210, 110}, Qt::ControlModifier);
  EXPECT_EQ(SelectedLevels(), std::vector<int32_t>{1});
  EXPECT_FALSE(CanUndo(Items()));
}

TEST_F(CanvasSelectionTest, PastedItemsFollowThePointerUntilAClickAndEscRemovesThem) {
  Line({100, 100}, {200, 100}, 1);
  OpenBuilt();
  ItemList buffer(ScreenMetrics{96, 96});
  Click({150, 100});
  window_->CopyItems(buffer);

  // A click without moving leaves the copy 10 pixels right and down.
  window_->PasteItems(buffer);
  EXPECT_EQ(window_->Mode(), kModePaste);
  Click({400, 300});
  const ItemRecord* first = FirstSelected(Items());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(Pt(first->x1(), first->y1()), Pt(110, 110));
  EXPECT_EQ(window_->Mode(), kModePointer);

  // Moving takes the copy's centre to the pointer.
  window_->PasteItems(buffer);
  Move({300, 300});
  Click({300, 300});
  const ItemRecord* second = FirstSelected(Items());
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(Pt(second->x1(), second->y1()), Pt(250, 300));
  EXPECT_EQ(Pt(second->x2(), second->y2()), Pt(350, 300));

  window_->PasteItems(buffer);
  Move({200, 250});
  window_->KeyDown(Qt::Key_Escape, {});
  EXPECT_EQ(window_->Mode(), kModePointer);
  int lines = 0;
  for (const ItemRecord& r : Items())
    lines += IsVisible(r) && r.kind() == kKindLine;
  EXPECT_EQ(lines, 3);
}

// A pasted copy is drawn only where it follows the pointer; Esc takes the paste back with
// nothing left on the canvas, in the document or to undo.
TEST_F(CanvasSelectionTest, APasteFollowingThePointerLeavesNothingBehindAndEscNothingToUndo) {
  Line({100, 100}, {200, 100}, 1);
  OpenBuilt();
  ItemList buffer(ScreenMetrics{96, 96});
  Click({150, 100});
  window_->CopyItems(buffer);
  SelectOnly(Items(), nullptr);
  window_->FullRepaint(false);
  const auto dark = [&](Point p) {
    return canvas_->grab().toImage().pixelColor(At(p)).value() < 128;
  };
  ASSERT_TRUE(dark({150, 100}));
  ASSERT_FALSE(dark({160, 110}));

  window_->PasteItems(buffer);
  EXPECT_TRUE(dark({160, 110})) << "the copy shows 10 pixels right and down at first";
  Move({300, 300});
  EXPECT_FALSE(dark({160, 110})) << "no copy stays behind where the paste put it";
  EXPECT_TRUE(dark({300, 300})) << "the copy is drawn at the pointer";
  window_->KeyDown(Qt::Key_Escape, {});
  EXPECT_EQ(window_->Mode(), kModePointer);
  EXPECT_FALSE(dark({300, 300}));
  EXPECT_TRUE(dark({150, 100}));
  int records = 0;
  for (const ItemRecord& r : Items())
    records += r.kind() == kKindLine || r.kind() == kKindDeletionMarker;
  EXPECT_EQ(records, 1) << "only the original line is left";
  EXPECT_FALSE(CanUndo(Items()));
  EXPECT_FALSE(IsModified(Items()));
  window_->Run(Undo);
  records = 0;
  for (const ItemRecord& r : Items())
    records += IsVisible(r) && r.kind() == kKindLine;
  EXPECT_EQ(records, 1);
}

TEST_F(CanvasSelectionTest, MarksAndTheRubberBandLeaveTheCanvasAsItWas) {
  Line({100, 100}, {200, 100}, 1);
  Shape(kKindTriangle, {{300, 100}, {400, 100}, {350, 180}}).setStackLevel(2);
  Line({100, 250}, {200, 250}, 3);
  Line({203, 253}, {300, 253}, 4);
  OpenBuilt();
  const Bitmap before = window_->View().Canvas().Clone();
  Click({150, 100});
  Click({350, 100}, Qt::ShiftModifier);
  // Two lines whose end marks overlap: the later marks saved pixels of the earlier ones.
  Click({150, 250}, Qt::ShiftModifier);
  Click({250, 253}, Qt::ShiftModifier);
  window_->Context().RemoveSelectionMarks();
  EXPECT_EQ(std::memcmp(before.Row(0), window_->View().Canvas().Row(0),
                        static_cast<std::size_t>(before.stride()) * before.height()),
            0);
  // The same after a record was freed while the marks were up.
  Click({150, 250});
  Click({250, 253}, Qt::ShiftModifier);
  RemoveRecord(Items(), *FindByLevel(Items(), 2));
  window_->Context().RemoveSelectionMarks();
  EXPECT_EQ(std::memcmp(before.Row(0), window_->View().Canvas().Row(0),
                        static_cast<std::size_t>(before.stride()) * before.height()),
            0);
  Press({500, 350}, Qt::ControlModifier);
  Move({450, 250}, Qt::ControlModifier);
  Move({520, 380}, Qt::ControlModifier);
  window_->KeyDown(Qt::Key_Escape, {});
  EXPECT_EQ(std::memcmp(before.Row(0), window_->View().Canvas().Row(0),
                        static_cast<std::size_t>(before.stride()) * before.height()),
            0);
}

TEST_F(CanvasSelectionTest, ADragPreviewAndItsGuideLeaveTheCanvasAsItWas) {
  ItemRecord& held = Line({100, 100}, {200, 100}, 1);
  held.setDirection(0);
  Shape(kKindTriangle, {{300, 100}, {400, 100}, {350, 180}}).setStackLevel(2);
  Line({100, 250}, {200, 250}, 3);
  Line({203, 253}, {300, 253}, 4);
  OpenBuilt();
  const Bitmap before = window_->View().Canvas().Clone();
  const auto same = [&] {
    return std::memcmp(before.Row(0), window_->View().Canvas().Row(0),
                       static_cast<std::size_t>(before.stride()) * before.height()) == 0;
  };
  for (const auto& [select, handle] :
       {std::pair{Pt(150, 100), Pt(200, 100)}, std::pair{Pt(350, 100), Pt(400, 100)}}) {
    Click(select);
    Press(handle);
    ASSERT_TRUE(IsHandleDragMode(window_->Mode()));
    EXPECT_TRUE(same()) << "the press took the marks away and drew the copies the same";
    Move({handle.x + 30, handle.y + 40});
    EXPECT_FALSE(same());
    window_->Context().Marks().RestoreAll();
    EXPECT_TRUE(same()) << "preview and guide lay over saved pixels";
    window_->KeyDown(Qt::Key_Escape, {});
    Release(handle);
  }
}

// A repaint of part of the canvas equals the same part of a full repaint, on seeded documents.
TEST_F(CanvasSelectionTest, RegionRepaintsEqualTheFullRepaint) {
  std::mt19937 random(77);
  std::uniform_int_distribution<int> x(0, 560), y(0, 360), size(5, 120), kind(0, 2);
  for (int i = 0; i < 40; ++i) {
    const Point a{x(random), y(random)};
    const Point b{a.x + size(random), a.y + size(random) / 2};
    if (kind(random) == 0) {
      Line(a, b, i + 1).setLineWeight(0.5 * (i % 4));
    } else {
      ItemRecord& r =
          Shape(kind(random) == 1 ? kKindRectangle : kKindTriangle, {a, {b.x, a.y}, b, {a.x, b.y}});
      r.setStackLevel(i + 1);
      r.setFillColor(0x3060C0 + i);
      r.setShadowSize(i % 5 == 0 ? 4 : 0);
    }
  }
  OpenBuilt();
  window_->FullRepaint(false);
  const Bitmap full = window_->View().Canvas().Clone();
  for (int round = 0; round < 20; ++round) {
    const Point a{x(random), y(random)};
    const Rect area{a.x, a.y, a.x + size(random), a.y + size(random)};
    window_->RegionRepaint(area);
    for (int row = 0; row < full.height(); ++row) {
      ASSERT_EQ(std::memcmp(full.Row(row), window_->View().Canvas().Row(row), 3 * full.width()), 0)
          << "row " << row << " after repainting " << area.left << "," << area.top;
    }
  }
}

TEST_F(CanvasSelectionTest, CopyToClipboardTakesTheRubberBandAreaWithoutMarks) {
  Line({100, 100}, {200, 100}, 1);
  OpenBuilt();
  Drag({90, 90}, {210, 130}, Qt::ControlModifier);
  ASSERT_TRUE(HasCopyArea(window_->LastGesture()));
  window_->CopyAreaToClipboard();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !host_.clipboard.pictures.empty(); }, 2000));
  const QImage picture = host_.clipboard.pictures.front();
  EXPECT_EQ(picture.size(), QSize(120, 40));
  // At twice the size the same band of the page is copied, clipped to the canvas.
  host_.params.zoom = 2.0;
  window_->ZoomChanged();
  Settle();
  window_->CopyAreaToClipboard();
  ASSERT_TRUE(test::WaitUntil([&] { return host_.clipboard.pictures.size() == 2; }, 2000));
  EXPECT_EQ(host_.clipboard.pictures.back().size(), QSize(240, 80));
  // The line runs through the picture; no yellow handle square is left on it.
  EXPECT_NE(picture.pixelColor(50, 10), QColor(Qt::white));
  EXPECT_NE(picture.pixelColor(10, 10), QColor(Qt::yellow));
}

// Thousands of random pointer and key events never crash, never leave an item set aside, and
// undoing everything brings back the starting records.
TEST_F(CanvasSelectionTest, RandomGesturesKeepTheDocumentConsistent) {
  std::mt19937 random(1234);
  for (int i = 0; i < 12; ++i) {
    const int x = 40 + 45 * i, y = 60 + 25 * (i % 6);
    if (i % 3 == 0) Line({x, y}, {x + 40, y + 30}, i + 1);
    if (i % 3 == 1) {
      Shape(kKindRectangle, {{x, y}, {x + 40, y}, {x + 40, y + 30}, {x, y + 30}})
          .setStackLevel(i + 1);
    }
    if (i % 3 == 2) {
      Shape(kKindTriangle, {{x, y}, {x + 40, y}, {x + 20, y + 35}}).setStackLevel(i + 1);
    }
  }
  OpenBuilt();
  std::vector<std::array<uint8_t, kPersistedSize>> start;
  for (const ItemRecord& r : Items()) {
    if (IsVisible(r)) start.push_back(r.persisted());
  }
  ItemList buffer(ScreenMetrics{96, 96});
  std::uniform_int_distribution<int> pick(0, 11), px(0, 600), py(0, 400);
  bool down = false;
  for (int step = 0; step < 3000; ++step) {
    const Point p{px(random), py(random)};
    const Qt::KeyboardModifiers m = (pick(random) == 0 ? Qt::ShiftModifier : Qt::NoModifier) |
                                    (pick(random) == 0 ? Qt::ControlModifier : Qt::NoModifier);
    switch (pick(random)) {
      case 0:
      case 1:
        Press(p, m);
        down = true;
        break;
      case 2:
      case 3:
      case 4:
        Move(p, m);
        break;
      case 5:
      case 6:
        Release(p, m);
        down = false;
        break;
      case 7:
        window_->KeyDown(Qt::Key_Escape, {});
        break;
      case 8:
        window_->Run(Undo);
        break;
      case 9:
        window_->Run(Redo);
        break;
      case 10:
        if (step % 2 == 0) {
          window_->CopyItems(buffer);
        } else {
          window_->PasteItems(buffer);
        }
        break;
      default:
        window_->SelectTool(step % 4 == 0 ? 102 : kToolPointer);
        break;
    }
    if (step % 500 == 0) QApplication::processEvents();
  }
  if (down) Release({0, 0});
  window_->EndGesture();
  for (const ItemRecord& r : Items())
    ASSERT_EQ(r.setAside(), 0);
  while (CanUndo(Items()))
    window_->Run(Undo);
  std::vector<std::array<uint8_t, kPersistedSize>> end;
  for (const ItemRecord& r : Items()) {
    if (IsVisible(r)) end.push_back(r.persisted());
  }
  ASSERT_EQ(end.size(), start.size());
  for (std::size_t i = 0; i < start.size(); ++i) {
    // Selection flags may differ; the geometry and every other byte may not.
    auto a = start[i], b = end[i];
    ItemRecord ra, rb;
    ra.setPersisted(a);
    rb.setPersisted(b);
    ra.setSelected(0);
    rb.setSelected(0);
    ra.setHidden(0);
    rb.setHidden(0);
    EXPECT_EQ(ra.kind(), rb.kind()) << i;
    EXPECT_EQ(Pt(ra.x1(), ra.y1()), Pt(rb.x1(), rb.y1())) << i;
    EXPECT_EQ(Pt(ra.boundLeft(), ra.boundTop()), Pt(rb.boundLeft(), rb.boundTop())) << i;
  }
  // What is saved reads back the same.
  const QString saved = dir_.filePath(QStringLiteral("soak.qlln"));
  ASSERT_TRUE(WriteDocument(saved, Items()).ok());
  ItemList reread(ScreenMetrics{96, 96});
  test::ScriptedPrompter prompter;
  ASSERT_TRUE(ReadDocument(saved, reread, prompter).ok());
  int visible = 0;
  for (const ItemRecord& r : reread)
    visible += IsVisible(r) ? 1 : 0;
  EXPECT_EQ(visible, static_cast<int>(start.size()));
}

}  // namespace
}  // namespace quillon
