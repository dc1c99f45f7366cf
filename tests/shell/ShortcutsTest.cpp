// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QMdiArea>
#include <QMenuBar>
#include <QTableWidget>
#include <algorithm>
#include <functional>

#include "canvas/CanvasFixtures.h"
#include "canvas/SandboxView.h"
#include "document/EditCommands.h"
#include "document/History.h"
#include "render/Coordinates.h"
#include "shell/ShellFixture.h"
#include "shell/ShortcutsPage.h"
#include "support/Wait.h"

namespace quillon {
namespace {

// Two overlapping rectangles (levels 1 and 2) and an open spline on top (level 3).
class ShortcutsTest : public test::ShellTest {
 protected:
  TSandbox* OpenThreeItems() {
    const QString path = Path("Three.qlln");
    {
      ItemList list(ScreenMetrics{96, 96});
      test::AddPixelPage(list, 400, 300);
      test::AddRectangle(list, {10, 10}, {50, 50});
      test::AddRectangle(list, {30, 30}, {90, 90});
      test::AddShape(list, kKindSpline, {{150, 20}, {200, 20}, {250, 60}}).setShapeStyle(0);
      EXPECT_TRUE(WriteDocument(path, list).ok());
    }
    files_.openAnswers = {path};
    Trigger("Open1");
    return form_->ActiveWindow();
  }
  // The visible drawable items in list order: the rectangles first, then the spline, then
  // whatever was added.
  static std::vector<ItemRecord*> Items(TSandbox& window) {
    std::vector<ItemRecord*> items;
    for (ItemRecord& r : window.GetItems()) {
      if (IsVisible(r) && IsDrawableKind(r.kind())) items.push_back(&r);
    }
    return items;
  }
  static ItemRecord* Item(TSandbox& window, int32_t kind, int32_t x1) {
    for (ItemRecord* r : Items(window)) {
      if (r->kind() == kind && r->x1() == x1) return r;
    }
    return nullptr;
  }
  // Selects the rectangles by their left edge, the spline by kSpline.
  static void Select(TSandbox& window, std::initializer_list<int32_t> lefts) {
    SelectOnly(window.GetItems(), nullptr);
    for (ItemRecord* r : Items(window)) {
      for (int32_t left : lefts) {
        if (r->kind() == kKindSpline ? left == kSpline : r->x1() == left) r->setSelected(255);
      }
    }
  }
  static constexpr int32_t kSpline = -1;
  // A key as the platform delivers it: Ctrl with a letter types the control character.
  void Press(QKeyCombination key) {
    QApplication::setActiveWindow(form_.get());
    QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                             : static_cast<QWidget*>(form_.get());
    QString text;
    const int k = key.key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z) {
      text = key.keyboardModifiers().testFlag(Qt::ControlModifier)
                 ? QString(QChar(char16_t(k - Qt::Key_A + 1)))
                 : QString(QChar(char16_t(u'a' + (k - Qt::Key_A))));
    }
    QTest::sendKeyEvent(QTest::Click, target, key.key(), text, key.keyboardModifiers());
  }
  static void Click(TSandbox& window, Point p) {
    const Point at = ToWindowPoint(p, window.GetZoom(), window.View().TileOrigin());
    window.Image1MouseMove(at, {});
    window.Image1MouseDown(at, {});
    window.Image1MouseUp(at, {});
  }
  // How many times Undo can run; the document is left as it was.
  static int UndoSteps(ItemList& list) {
    EditObserver quiet;
    int steps = 0;
    while (CanUndo(list)) {
      Undo(list, quiet);
      ++steps;
    }
    for (int i = 0; i < steps; ++i)
      Redo(list, quiet);
    return steps;
  }
};

enum class Before { Nothing, Lower, Upper, Both, Spline, Typing };

struct ShortcutCase {
  const char* effect;
  std::vector<QKeyCombination> keys;
  Before start;
  std::function<void(TSandbox&)> expect;
  int undoSteps;
};

constexpr QKeyCombination Ctrl(Qt::Key key) {
  return Qt::CTRL | key;
}
constexpr QKeyCombination CtrlShift(Qt::Key key) {
  return Qt::CTRL | Qt::SHIFT | key;
}

TEST_F(ShortcutsTest, EachShortcutHasItsEffectInItsModeWithItsUndoSteps) {
  using W = TSandbox;
  const auto count = [](W& w) { return static_cast<int>(Items(w).size()); };
  const auto selected = [](W& w) {
    int n = 0;
    for (ItemRecord* r : SelectedRecords(w.GetItems()))
      n += IsDrawableKind(r->kind()) ? 1 : 0;
    return n;
  };
  const auto levelOf = [](W& w, int32_t x1) {
    for (ItemRecord* r : Items(w)) {
      if (r->kind() == kKindSpline ? x1 == kSpline : r->x1() == x1) return r->stackLevel();
    }
    return -1;
  };
  const std::vector<ShortcutCase> cases = {
      {"Ctrl+C and Ctrl+V paste a copy that follows the pointer",
       {Ctrl(Qt::Key_C), Ctrl(Qt::Key_V)},
       Before::Lower,
       [&](W& w) {
         EXPECT_EQ(count(w), 4);
         EXPECT_EQ(w.Mode(), 53);
         Click(w, {300, 200});
       },
       1},
      {"Ctrl+X cuts and keeps the item for pasting",
       {Ctrl(Qt::Key_X)},
       Before::Lower,
       [&](W& w) {
         EXPECT_EQ(count(w), 2);
         EXPECT_TRUE(HasPasteContent(form_->Toolbar()->PasteBuffer()));
       },
       1},
      {"Ctrl+Y redoes",
       {Ctrl(Qt::Key_X), Ctrl(Qt::Key_Z), Ctrl(Qt::Key_Y)},
       Before::Lower,
       [&](W& w) { EXPECT_EQ(count(w), 2); },
       1},
      {"Ctrl+Shift+Z redoes",
       {Ctrl(Qt::Key_X), Ctrl(Qt::Key_Z), CtrlShift(Qt::Key_Z)},
       Before::Lower,
       [&](W& w) { EXPECT_EQ(count(w), 2); },
       1},
      {"Ctrl+A selects all",
       {Ctrl(Qt::Key_A)},
       Before::Nothing,
       [&](W& w) { EXPECT_EQ(selected(w), 3); },
       0},
      {"Ctrl+Shift+A selects all, also with a spline selected",
       {CtrlShift(Qt::Key_A)},
       Before::Spline,
       [&](W& w) { EXPECT_EQ(selected(w), 3); },
       0},
      {"Ctrl+A on a selected open spline continues it",
       {Ctrl(Qt::Key_A)},
       Before::Spline,
       [&](W& w) { EXPECT_EQ(w.Mode(), 297); },
       0},
      {"Ctrl+D duplicates 10 pixels right and down",
       {Ctrl(Qt::Key_D)},
       Before::Lower,
       [&](W& w) {
         EXPECT_EQ(count(w), 4);
         ASSERT_EQ(selected(w), 1);
         const ItemRecord* copy = FirstSelected(w.GetItems());
         EXPECT_EQ(copy->x1(), 20);
         EXPECT_EQ(copy->y1(), 20);
         EXPECT_EQ(copy->stackLevel(), 4);
       },
       1},
      {"Ctrl+Shift+D duplicates a selected spline",
       {CtrlShift(Qt::Key_D)},
       Before::Spline,
       [&](W& w) {
         EXPECT_EQ(count(w), 4);
         EXPECT_EQ(FirstSelected(w.GetItems())->points[0].point, (Point{160, 30}));
       },
       1},
      {"Ctrl+D on a selected spline deletes the point under the pointer",
       {Ctrl(Qt::Key_D)},
       Before::Spline,
       [&](W& w) { EXPECT_EQ(FirstSelected(w.GetItems())->points.size(), 2u); },
       1},
      {"Ctrl+G joins",
       {Ctrl(Qt::Key_G)},
       Before::Both,
       [&](W& w) {
         EXPECT_NE(FindVisibleByKind(w.GetItems(), kKindGroupFrame), nullptr);
         for (ItemRecord* r : SelectedRecords(w.GetItems()))
           EXPECT_GT(r->groupNumber(), 0);
       },
       1},
      {"Ctrl+Shift+G splits",
       {Ctrl(Qt::Key_G), CtrlShift(Qt::Key_G)},
       Before::Both,
       [&](W& w) { EXPECT_EQ(FindVisibleByKind(w.GetItems(), kKindGroupFrame), nullptr); },
       2},
      {"Page Up brings the lower rectangle forward one step",
       {Qt::Key_PageUp},
       Before::Lower,
       [&](W& w) {
         EXPECT_EQ(levelOf(w, 10), 2);
         EXPECT_EQ(levelOf(w, 30), 1);
         EXPECT_EQ(levelOf(w, kSpline), 3);
       },
       1},
      {"Page Down sends the upper rectangle back one step",
       {Qt::Key_PageDown},
       Before::Upper,
       [&](W& w) {
         EXPECT_EQ(levelOf(w, 30), 1);
         EXPECT_EQ(levelOf(w, 10), 2);
       },
       1},
      {"Page Up at the top changes nothing",
       {Qt::Key_PageUp},
       Before::Spline,
       [&](W& w) { EXPECT_EQ(levelOf(w, kSpline), 3); },
       0},
      {"Page Up while typing moves the caret and restacks nothing",
       {Qt::Key_PageUp},
       Before::Typing,
       [&](W& w) {
         EXPECT_NE(w.EditedText(), nullptr);
         EXPECT_EQ(levelOf(w, 10), 1);
       },
       1},
      {"Ctrl+plus zooms in",
       {Ctrl(Qt::Key_Plus)},
       Before::Nothing,
       [&](W&) { EXPECT_DOUBLE_EQ(form_->Params().zoom, 1.25); },
       0},
      {"Ctrl+= zooms in",
       {Ctrl(Qt::Key_Equal)},
       Before::Nothing,
       [&](W&) { EXPECT_DOUBLE_EQ(form_->Params().zoom, 1.25); },
       0},
      {"Ctrl+minus zooms out",
       {Ctrl(Qt::Key_Minus)},
       Before::Nothing,
       [&](W&) { EXPECT_DOUBLE_EQ(form_->Params().zoom, 0.75); },
       0},
      {"Ctrl+0 zooms to 100 %",
       {Ctrl(Qt::Key_Minus), Ctrl(Qt::Key_0)},
       Before::Nothing,
       [&](W&) { EXPECT_DOUBLE_EQ(form_->Params().zoom, 1.0); },
       0},
      {"F1 opens the user guide",
       {Qt::Key_F1},
       Before::Nothing,
       [&](W&) {
         auto* guide = form_->findChild<QWidget*>(QStringLiteral("UserGuide"));
         ASSERT_NE(guide, nullptr);
         EXPECT_TRUE(guide->isVisible());
       },
       0},
  };
  for (const ShortcutCase& c : cases) {
    SCOPED_TRACE(c.effect);
    form_.reset();
    Start();
    TSandbox* window = OpenThreeItems();
    ASSERT_NE(window, nullptr);
    const auto at = [&](Point p) {
      return ToWindowPoint(p, window->GetZoom(), window->View().TileOrigin());
    };
    switch (c.start) {
      case Before::Nothing:
        break;
      case Before::Lower:
        Select(*window, {10});
        break;
      case Before::Upper:
        Select(*window, {30});
        break;
      case Before::Both:
        Select(*window, {10, 30});
        break;
      case Before::Spline:
        // The continuation's panel opens instead of its guidance page, which would end it.
        form_->Params().hints[26] = false;
        Select(*window, {kSpline});
        // The pointer rests on the spline's middle point.
        window->Image1MouseMove(at({200, 20}), {});
        break;
      case Before::Typing:
        form_->ShowPanel(300, false, true);
        window->Image1MouseDown(at({40, 250}), {});
        window->Image1MouseUp(at({40, 250}), {});
        Press(Qt::Key_A);
        ASSERT_NE(window->EditedText(), nullptr);
        break;
    }
    // The selection shows its marks and the Edit commands follow it, as after a click.
    window->FullRepaint(false);
    form_->Editing().UpdateSelectionCommands();
    for (QKeyCombination key : c.keys)
      Press(key);
    c.expect(*window);
    window->EndGesture();
    EXPECT_EQ(UndoSteps(window->GetItems()), c.undoSteps);
  }
}

TEST_F(ShortcutsTest, MenusShowEveryKeyAndTheShortcutsPageListsEveryCommandWithKeys) {
  New();
  // An entry with several keys names them all.
  EXPECT_EQ(ShortcutsText(*Action("Redo1")), QStringLiteral("Ctrl+Alt+Z, Ctrl+Y, Ctrl+Shift+Z"));
  EXPECT_EQ(ShortcutsText(*Action("SelectAll1")), QStringLiteral("Ctrl+Shift+A, Ctrl+A"));
  EXPECT_EQ(ShortcutsText(*Action("ZoomIn1")), QStringLiteral("Ctrl++, Ctrl+="));
  // The Edit menu is measured wide enough for them.
  QMenu* edit = form_->FindMenu("Edit1");
  const QFontMetrics metrics(edit->font());
  EXPECT_GT(edit->sizeHint().width(),
            metrics.horizontalAdvance(QStringLiteral("RedoCtrl+Alt+Z, Ctrl+Y, Ctrl+Shift+Z")));

  Trigger("KeyboardShortcuts1");
  auto* table = form_->findChild<QTableWidget*>(QStringLiteral("ShortcutTable"));
  ASSERT_NE(table, nullptr);
  EXPECT_TRUE(table->isVisible());
  QStringList listed;
  for (int row = 0; row < table->rowCount(); ++row)
    listed << table->item(row, 0)->text() + u'|' + table->item(row, 1)->text();
  int commands = 0;
  for (const QAction* action : form_->menuBar()->findChildren<QAction*>()) {
    if (action->shortcuts().isEmpty() || !action->isVisible()) continue;
    ++commands;
    const QString keys = ShortcutsText(*action);
    EXPECT_TRUE(std::any_of(listed.begin(), listed.end(), [&](const QString& row) {
      return row.startsWith(keys + u'|') && row.endsWith(QStringLiteral(" > ") + action->text());
    })) << action->text().toStdString();
  }
  EXPECT_GE(commands, 20);
  EXPECT_TRUE(listed.contains(QStringLiteral("Ctrl+Alt+Z, Ctrl+Y, Ctrl+Shift+Z|Edit > Redo")));
  EXPECT_TRUE(listed.contains(QStringLiteral("Ctrl+0|Zoom > 100%")));
  // The keys of the drawing window itself are there too.
  for (const char* keys : {"Delete", "Esc", "Backspace", "Enter", "C", "Ctrl+A", "Ctrl+D",
                           "Ctrl+I, Tab", "Page Up, Page Down"}) {
    EXPECT_TRUE(std::any_of(listed.begin(), listed.end(), [&](const QString& row) {
      return row.startsWith(QString::fromLatin1(keys) + u'|');
    })) << keys;
  }
}

TEST_F(ShortcutsTest, TheNewSelectionCommandsAreOnExactlyWhileSomethingIsSelected) {
  TSandbox* window = OpenThreeItems();
  ASSERT_NE(window, nullptr);
  const char* names[] = {"CutandCopy1", "Duplicate1", "BringForward1", "SendBackward1"};
  form_->Editing().UpdateSelectionCommands();
  for (const char* name : names)
    EXPECT_FALSE(Action(name)->isEnabled()) << name;
  EXPECT_TRUE(Action("SelectAll1")->isEnabled());
  Trigger("SelectAll1");
  for (const char* name : names)
    EXPECT_TRUE(Action(name)->isEnabled()) << name;
}

}  // namespace
}  // namespace quillon
