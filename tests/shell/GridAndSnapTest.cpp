// SPDX-License-Identifier: GPL-3.0-or-later
// "Grid and Snap" for new files and for one document, driven through the menu, its host and its
// boxes.
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>

#include "document/History.h"
#include "page/AnchorLines.h"
#include "settings/ui/TOptions.h"
#include "shell/HostWindow.h"
#include "shell/ShellFixture.h"

namespace quillon {
namespace {

class GridAndSnapTest : public test::ShellTest {
 protected:
  THostWindow* Open(const char* entry) {
    Trigger(entry);
    THostWindow* host = form_->HostX();
    EXPECT_TRUE(host->isVisible()) << entry;
    EXPECT_NE(host->Panel(), nullptr) << entry;
    return host;
  }
  template <class T>
  static T* Part(THostWindow* host, const QString& name) {
    T* part = host->Panel()->findChild<T*>(name);
    EXPECT_NE(part, nullptr) << name.toStdString();
    return part;
  }
  static void Tick(THostWindow* host, const char* name) {
    QTest::mouseClick(Part<QCheckBox>(host, QString::fromLatin1(name)), Qt::LeftButton);
  }
  static void Type(THostWindow* host, const char* field, const QString& text) {
    auto* edit = Part<QLineEdit>(host, QString::fromLatin1(field));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  static void Save(THostWindow* host) {
    QTest::mouseClick(host->FirstButton(), Qt::LeftButton);
    EXPECT_FALSE(host->isVisible());
  }
  static std::vector<int32_t> Lines(TSandbox* window, GridAxis axis) {
    std::vector<int32_t> positions;
    const ItemRecord* anchors = FindVisibleByKind(window->GetItems(), kKindAnchors);
    for (const AnchorEntry& a : LinesOf(*anchors, axis)) {
      if (a.deleted == 0) positions.push_back(a.position);
    }
    return positions;
  }
};

TEST_F(GridAndSnapTest, NewFilesTakeTheSavedSwitchesAndDistances) {
  const defaults_t before = form_->Params().defaults;
  const int unit = before.units - 1;
  THostWindow* host = Open("gasNewFiles1");
  EXPECT_EQ(host->windowTitle(), QStringLiteral("Grid and Snap - New Files"));
  Tick(host, "HorizontalGrid");
  Tick(host, "VerticalGrid");
  Tick(host, "VerticalSnap");
  Type(host, "HorizontalDensity", QStringLiteral("0.5"));
  Type(host, "VerticalDensity", QStringLiteral("0.001"));  // below a pixel: refused
  Save(host);
  const defaults_t& after = form_->Params().defaults;
  EXPECT_EQ(after.gridHorizontal, 1);
  EXPECT_EQ(after.gridVertical, 1);
  EXPECT_EQ(after.snapVertical, 1);
  EXPECT_EQ(after.snapHorizontal, before.snapHorizontal);
  EXPECT_DOUBLE_EQ(after.perUnit[unit].gridX, 0.5);
  EXPECT_DOUBLE_EQ(after.perUnit[unit].gridY, before.perUnit[unit].gridY);

  // The next new document shows its grid, and the menus say so.
  TSandbox* window = New();
  ASSERT_NE(window, nullptr);
  const ItemRecord& page = *window->GetItems().PageRecord();
  EXPECT_EQ(page.gridHorizontal(), 1);
  EXPECT_EQ(page.snapVertical(), 1);
  EXPECT_DOUBLE_EQ(page.gridDistanceX(), 0.5);
  EXPECT_TRUE(Action("Both1")->isChecked());
  EXPECT_TRUE(Action("Vertical2")->isChecked());

  // Cancel keeps everything.
  host = Open("gasNewFiles1");
  Tick(host, "HorizontalGrid");
  QTest::mouseClick(host->SecondButton(), Qt::LeftButton);
  EXPECT_EQ(form_->Params().defaults.gridHorizontal, 1);
}

TEST_F(GridAndSnapTest, TheCurrentFilesDialogSavesIntoTheWindowItWasOpenedFor) {
  TSandbox* first = New();
  ASSERT_TRUE(QTest::qWaitFor([first] { return first->IsReady(); }, 5000));
  THostWindow* host = Open("gasCurrentFile1");
  EXPECT_EQ(host->windowTitle(), QStringLiteral("Grid and Snap - ") + first->GetTitle());
  EXPECT_TRUE(Part<QCheckBox>(host, QStringLiteral("HorizontalAnchors"))->isChecked());
  Tick(host, "HorizontalGrid");
  Tick(host, "HorizontalSnap");
  Type(host, "HorizontalDensity", QStringLiteral("2"));

  // Another window becomes active before Save: the first one still takes the change.
  TSandbox* second = New();
  ASSERT_NE(second, first);
  const std::vector<int32_t> secondLines = Lines(second, GridAxis::Vertical);
  Save(host);
  const ItemRecord& page = *first->GetItems().PageRecord();
  EXPECT_EQ(page.gridHorizontal(), 1);
  EXPECT_EQ(page.snapHorizontal(), 1);
  EXPECT_DOUBLE_EQ(page.gridDistanceX(), 2);
  EXPECT_EQ(second->GetItems().PageRecord()->gridHorizontal(), 0);
  EXPECT_EQ(Lines(second, GridAxis::Vertical), secondLines);

  // The grid was reset to the new distance as one undo step.
  const std::vector<int32_t> lines = Lines(first, GridAxis::Vertical);
  ASSERT_GE(lines.size(), 2u);
  const int32_t step = RoundToInt32(2 * page.pixelsPerUnitX());
  EXPECT_EQ(lines[1] - lines[0], step);
  EXPECT_TRUE(CanUndo(first->GetItems()));
  first->Run(Undo);
  EXPECT_FALSE(CanUndo(first->GetItems()));
  EXPECT_NE(Lines(first, GridAxis::Vertical), lines);

  // Closing the window closes its dialog.
  form_->ClientArea()->setActiveSubWindow(first);
  host = Open("gasCurrentFile1");
  prompter_.answers.push_back(PromptAnswer::No);  // not saved
  first->close();
  ASSERT_TRUE(QTest::qWaitFor([host] { return !host->isVisible(); }, 5000));
}

}  // namespace
}  // namespace quillon
