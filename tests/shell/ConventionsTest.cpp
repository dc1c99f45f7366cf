// SPDX-License-Identifier: GPL-3.0-or-later
// What users expect of any desktop program: the unsaved-changes mark in the title, Tile and
// Cascade, full paths of recent files, an exit question naming the documents, the first-time
// setup in the unit of the user's country, and pictures at a chosen resolution.
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>

#include "canvas/CanvasFixtures.h"
#include "document/History.h"
#include "output/Export.h"
#include "output/ui/ResolutionDialog.h"
#include "shell/ShellFixture.h"
#include "shell/TInstall.h"
#include "support/Wait.h"

namespace quillon {
namespace {

class ConventionsTest : public test::ShellTest {
 protected:
  TSandbox* OpenCard(const char* name) {
    const QString path = Path(name);
    {
      ItemList list(ScreenMetrics{96, 96});
      test::AddPixelPage(list, 400, 300);
      test::AddRectangle(list, {10, 10}, {50, 50});
      EXPECT_TRUE(WriteDocument(path, list).ok());
    }
    files_.openAnswers = {path};
    Trigger("Open1");
    return form_->ActiveWindow();
  }
};

TEST_F(ConventionsTest, TheTitleCarriesAnAsteriskWhileTheDocumentHasUnsavedChanges) {
  TSandbox* window = OpenCard("Card.qlln");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Card"));
  SelectLastItem(window->GetItems());
  form_->Editing().UpdateSelectionCommands();
  Trigger("Duplicate1");
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Card*"));
  // The Window menu keeps naming the document.
  EXPECT_EQ(form_->FindMenu("Window1")->actions().front()->text(), QStringLiteral("Card"));
  Trigger("Save1");
  EXPECT_FALSE(IsModified(window->GetItems()));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Card"));
  Trigger("SelectAll1");
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Card")) << "selecting changes nothing";
  Trigger("Duplicate1");
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Card*"));
  // A new document is unchanged until something is done to it.
  EXPECT_EQ(New()->windowTitle(), QStringLiteral("Untitled 1"));
}

TEST_F(ConventionsTest, TileAndCascadeArrangeTheWindowsAndHeadTheOpenWindowMenu) {
  TSandbox* first = New();
  TSandbox* second = New();
  QMdiArea* area = form_->ClientArea();
  Trigger("Tile1");
  EXPECT_FALSE(first->geometry().intersects(second->geometry()));
  const QRect viewport = area->viewport()->rect();
  const auto pixels = [](const QRect& r) { return int64_t{r.width()} * r.height(); };
  for (TSandbox* window : {first, second}) {
    EXPECT_TRUE(viewport.contains(window->geometry()));
    EXPECT_GT(pixels(window->geometry()) * 5, pixels(viewport) * 2);
  }
  Trigger("Cascade1");
  EXPECT_TRUE(first->geometry().intersects(second->geometry()));
  EXPECT_NE(first->geometry().topLeft(), second->geometry().topLeft());

  QMenu* windows = form_->FindMenu("Window1");
  const auto captions = [windows] {
    QStringList texts;
    for (const QAction* action : windows->actions())
      texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
  };
  windows->popup(form_->mapToGlobal(QPoint(200, 40)));
  ASSERT_TRUE(test::WaitUntil([&] { return windows->isVisible(); }));
  EXPECT_EQ(captions(), (QStringList{"Tile", "Cascade", "-", "Untitled 1", "Untitled 2"}));
  windows->hide();
  EXPECT_EQ(captions(), (QStringList{"Untitled 1", "Untitled 2"}));
}

TEST_F(ConventionsTest, ReopenEntriesShowTheirFullPathAsTooltipAndInTheStatusLine) {
  QDir(dir_.path()).mkpath(QStringLiteral("a"));
  QDir(dir_.path()).mkpath(QStringLiteral("b"));
  form_->AddRecentFile(Path("a/Card.qlln"));
  form_->AddRecentFile(Path("b/Card.qlln"));
  QAction* newest = Action("Reopen1");
  QAction* older = Action("Reopen2");
  // Two files of one name: the same caption, told apart by the path.
  EXPECT_EQ(newest->text(), older->text());
  EXPECT_EQ(newest->toolTip(), Path("b/Card.qlln"));
  EXPECT_EQ(older->toolTip(), Path("a/Card.qlln"));
  EXPECT_TRUE(form_->FindMenu("Reopen")->toolTipsVisible());
  // An entry under the pointer tells the widget that opened its menu, as the menu bar's menus
  // do; the main window shows it in the status line.
  older->showStatusText(form_->menuBar());
  EXPECT_EQ(form_->statusBar()->currentMessage(), Path("a/Card.qlln"));
  EXPECT_EQ(older->statusTip(), Path("a/Card.qlln"));
}

TEST_F(ConventionsTest, TheExitQuestionNamesTheModifiedDocuments) {
  TSandbox* card = OpenCard("Card.qlln");
  TSandbox* untitled = New();
  New();  // unchanged, not named
  SetModified(card->GetItems(), true);
  SetModified(untitled->GetItems(), true);
  prompter_.answers = {PromptAnswer::Cancel};
  EXPECT_FALSE(form_->close());
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].text,
            "One or more files were modified, but the changes have not been saved.\r\n"
            "Do you want to save the files?");
  EXPECT_EQ(prompter_.asked[0].details, (Path("Card.qlln") + "\r\nUntitled 1").toStdString());
}

TEST_F(ConventionsTest, TheFirstTimeSetupPreselectsTheUnitOfTheUsersCountry) {
  struct Case {
    QLocale locale;
    int32_t units;
  };
  const Case cases[] = {
      {QLocale(QLocale::German, QLocale::Germany), kUnitMillimetres},
      {QLocale(QLocale::English, QLocale::UnitedKingdom), kUnitMillimetres},
      {QLocale(QLocale::French, QLocale::Canada), kUnitMillimetres},
      {QLocale(QLocale::English, QLocale::UnitedStates), kUnitInches},
      {QLocale(QLocale::Spanish, QLocale::UnitedStates), kUnitInches},
      {QLocale(QLocale::Burmese, QLocale::Myanmar), kUnitInches},
      {QLocale::c(), 0},  // no country: the choice stays open
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale.name().toStdString());
    EXPECT_EQ(LocaleUnits(c.locale), c.units);
    TInstall setup(nullptr, c.locale);
    EXPECT_EQ(setup.ChosenUnits(), c.units);
    EXPECT_EQ(setup.Millimeters()->isChecked(), c.units == kUnitMillimetres);
    EXPECT_EQ(setup.Inches()->isChecked(), c.units == kUnitInches);
  }
}

TEST_F(ConventionsTest, PictureAtAResolutionOffersTheUsualDpiATypedOneAndGuardsMemory) {
  ItemList list(ScreenMetrics{96, 96});
  test::AddPage(list);  // A4
  ResolutionDialog dialog(*list.PageRecord(), list.screen(), 300);
  QPushButton* ok = dialog.Buttons()->button(QDialogButtonBox::Ok);
  struct Case {
    int dpi;
    bool typed;
    const char* size;  // what the dialog says
    bool allowed;
  };
  const Case cases[] = {
      {150, false, "1240 x 1754 pixels", true},
      {300, false, "2480 x 3508 pixels", true},
      {600, false, "4961 x 7016 pixels", true},
      {450, true, "3720 x 5262 pixels", true},
      {2400, true,
       "There is not enough memory to prepare this picture. A picture of 19843 x "
       "28063 pixels is too large.",
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    if (c.typed) {
      dialog.TypedDpi()->setValue(c.dpi);
      EXPECT_TRUE(dialog.Typed()->isChecked());
    } else {
      dialog.Choice(c.dpi)->click();
    }
    EXPECT_EQ(dialog.Dpi(), c.dpi);
    EXPECT_TRUE(dialog.SizeText()->text().contains(QString::fromLatin1(c.size)))
        << dialog.SizeText()->text().toStdString();
    EXPECT_EQ(ok->isEnabled(), c.allowed);
  }
}

TEST_F(ConventionsTest, FileExportPictureAtAResolutionWritesThePictureAtTheChosenDpi) {
  TSandbox* window = New();  // A4 in millimetres, the new-file default here
  ASSERT_NE(window, nullptr);
  const ItemRecord* page = window->GetItems().PageRecord();
  ASSERT_NE(page, nullptr);
  const LargePictureSize expected = ResolutionPictureSize(*page, window->GetItems().screen(), 150);
  files_.saveAnswers = {Path("sheet.png")};
  bool answered = false;
  QTimer::singleShot(0, form_.get(), [&] {
    auto* dialog = qobject_cast<ResolutionDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->Choice(150)->click();
    answered = true;
    dialog->Buttons()->button(QDialogButtonBox::Ok)->click();
  });
  Trigger("Resolution1");
  EXPECT_TRUE(answered);
  const QImage picture(Path("sheet.png"), "PNG");
  EXPECT_EQ(picture.size(), QSize(int(expected.width), int(expected.height)));
  EXPECT_NEAR(picture.dotsPerMeterX() * 0.0254, 150, 1);
  EXPECT_TRUE(prompter_.asked.empty());
}

}  // namespace
}  // namespace quillon
