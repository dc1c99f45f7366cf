// SPDX-License-Identifier: GPL-3.0-or-later
// File > Page Setup through the main window: the wizard's steps, its form and Apply for the
// current file and for new files, against the command line's `new` with the same template.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

#include "canvas/SandboxView.h"
#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "page/Catalogue.h"
#include "page/ui/TPage.h"
#include "shell/HostWindow.h"
#include "shell/ShellFixture.h"
#include "support/CommandLineRun.h"
#include "support/DocumentFixtures.h"
#include "support/Wait.h"

namespace quillon {
namespace {

// What a page setup decides in a page setup record, as one line to compare.
QString Layout(const ItemRecord& page) {
  QStringList parts;
  for (double value :
       {page.pageWidth(), page.pageHeight(), page.cardWidth(), page.cardHeight(), page.marginLeft(),
        page.marginTop(), page.marginRight(), page.marginBottom(), page.gapVertical(),
        page.gapHorizontal(), page.designWidth(), page.designHeight()}) {
    parts.append(QString::number(value));
  }
  for (int64_t value :
       {int64_t{page.pageKind()}, int64_t{page.pageUnits()}, int64_t{page.orientation()},
        int64_t{page.quickSelectIndex()}, int64_t{page.rows()}, int64_t{page.columns()},
        int64_t{page.rowFold()}, int64_t{page.columnFold()}}) {
    parts.append(QString::number(value));
  }
  parts.append(QString::fromStdU16String(page.text()).replace(QChar(kLineSeparator), u'|'));
  return parts.join(u' ');
}

class PageSetupTest : public test::ShellTest {
 protected:
  THostWindow* Host() const { return form_->HostX(); }
  TPage* Wizard() const { return qobject_cast<TPage*>(Host()->Panel()); }
  TPagedim* Form() const { return Wizard()->Dimensions(); }

  // File > Page Setup for the current file (or for new files), and the wizard it shows.
  TPage* OpenCurrent() {
    Trigger("psCurrentFile1");
    return Wizard();
  }
  TPage* OpenNewFiles() {
    Trigger("psNewFiles1");
    return Wizard();
  }
  // A press on a kind of the design-type menu (after "Back" when the dimensions show), then
  // the 200 ms until the dimensions show.
  void PressKind(int32_t kind) {
    if (Wizard()->Step() == kStepDimensions) {
      QTest::mouseClick(Wizard()->BackLink(), Qt::LeftButton);
    }
    QTest::mousePress(Wizard()->Menu()->Entry(kind), Qt::LeftButton);
    ASSERT_TRUE(test::WaitUntil([&] { return Wizard()->Step() == kStepDimensions; }));
  }
  // Chooses an entry of a list with the keyboard, as a user without the mouse would.
  static void Choose(QComboBox* list, int index) {
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
      QTest::keyClick(list, Qt::Key_Down);
    ASSERT_EQ(list->currentIndex(), index);
  }
  void ChooseTemplate(const char* name) {
    const int index = Form()->QuickSelect()->findText(QString::fromUtf8(name));
    ASSERT_GE(index, 0) << name;
    Choose(Form()->QuickSelect(), index);
  }
  static void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  void Apply() {
    QTest::mouseClick(Host()->FirstButton(), Qt::LeftButton);
    ASSERT_FALSE(Host()->isVisible());
  }
  // The page setup record `quillon new` writes with these options.
  QString CommandLineLayout(const std::vector<std::string>& options) {
    const std::string path = Path("cli.qlln").toStdString();
    std::vector<std::string> args = {"new"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(path);
    const test::CliRun run = test::Quillon(args);
    EXPECT_EQ(run.status, 0) << run.err;
    ItemList list;
    EXPECT_TRUE(ReadDocument(QString::fromStdString(path), list, prompter_).ok());
    const ItemRecord* page = FindPageRecord(list);
    return page != nullptr ? Layout(*page) : QString();
  }
};

TEST_F(PageSetupTest, BusinessCardsForNewFilesMakeTheNextDocumentLikeTheCommandLine) {
  TPage* wizard = OpenCurrent();  // no window: the current-file entry sets up new files
  ASSERT_NE(wizard, nullptr);
  EXPECT_EQ(Host()->windowTitle(), QStringLiteral("Page Setup - New Files"));
  EXPECT_EQ(wizard->Step(), kStepMenu);
  EXPECT_FALSE(wizard->ForwardArrow()->isEnabled());
  // Resting on an entry shows its description; a press chooses the kind.
  QTest::mouseMove(wizard->Menu()->Entry(4));
  wizard->Menu()->Hover(4);
  EXPECT_TRUE(wizard->Menu()->Entry(4)->IsRaised());
  EXPECT_FALSE(wizard->Menu()->Entry(1)->IsRaised());
  PressKind(4);
  EXPECT_EQ(wizard->Title()->text(), QStringLiteral("Business Cards"));
  Choose(Form()->Units(), kUnitMillimetres - 1);
  ChooseTemplate("A8 business cards, 10 per page");
  EXPECT_EQ(Form()->Edit(7)->text(), QStringLiteral("5"));
  EXPECT_EQ(Form()->SketchCaption()->text(), QStringLiteral("Scaled to fit this window"));
  EXPECT_EQ(Form()->Sketch()->Sketch().cards.size(), 10u);
  Apply();

  EXPECT_EQ(form_->Params().pspage, 4);
  EXPECT_EQ(form_->Params().defaults.units, kUnitMillimetres);
  EXPECT_EQ(form_->Params().defaults.perUnit[1].canvas[2], 210);
  TSandbox* window = New();
  ASSERT_NE(window, nullptr);
  const ItemRecord* page = FindPageRecord(window->GetItems());
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(Layout(*page), CommandLineLayout({"--kind", "4", "--units", "mm", "--template",
                                              "A8 business cards, 10 per page"}));
  EXPECT_EQ(page->modified(), 0);
}

// Page Setup > New Files and then File > New write the very file `quillon new` writes with the
// same choice, grid lines and all.
TEST_F(PageSetupTest, FileNewAfterPageSetupForNewFilesIsTheCommandLinesNewByteForByte) {
  struct Case {
    int32_t kind;
    int32_t units;
    const char* unitsOption;
    const char* name;
    bool landscape;
  };
  const Case cases[] = {
      {4, kUnitMillimetres, "mm", "A8 business cards, 10 per page", false},
      {5, kUnitInches, "inches", "1 1/4 x 3/4 labels, letter-size paper", true},
      {1, kUnitMillimetres, "mm", "A5 - note pads, books", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenNewFiles();
    PressKind(c.kind);
    Choose(Form()->Units(), c.units - 1);
    ChooseTemplate(c.name);
    if (c.landscape) QTest::mouseClick(Form()->Landscape(), Qt::LeftButton);
    Apply();
    TSandbox* window = New();
    ASSERT_NE(window, nullptr);
    const QString fromWindow = Path("window.qlln");
    ASSERT_TRUE(WriteDocument(fromWindow, window->GetItems()).ok());

    std::vector<std::string> args = {
        "new", "--kind", std::to_string(c.kind), "--units", c.unitsOption, "--template", c.name};
    if (c.landscape) args.push_back("--landscape");
    const std::string fromCommand = Path("command.qlln").toStdString();
    args.push_back(fromCommand);
    const test::CliRun run = test::Quillon(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(test::ReadAll(fromWindow), test::ReadAll(QString::fromStdString(fromCommand)));
    window->close();
    ASSERT_TRUE(test::WaitUntil([&] { return form_->Windows().empty(); }));
  }
}

TEST_F(PageSetupTest, ApplyToTheCurrentFileEqualsTheCommandLineAndReopensAtItsTexts) {
  TSandbox* window = New();
  ASSERT_NE(window, nullptr);
  TPage* wizard = OpenCurrent();
  ASSERT_NE(wizard, nullptr);
  EXPECT_EQ(Host()->windowTitle(), QStringLiteral("Page Setup - ") + window->GetTitle());
  // A new document's kind is negative until its page is set up: it opens as that kind.
  EXPECT_EQ(FindPageRecord(window->GetItems())->pageKind(), -1);
  EXPECT_EQ(wizard->Step(), kStepDimensions);
  EXPECT_EQ(wizard->Title()->text(), QStringLiteral("Illustrations"));
  PressKind(5);
  Choose(Form()->Units(), kUnitInches - 1);
  ChooseTemplate("1 1/4 x 3/4 labels, letter-size paper");
  Apply();
  const ItemRecord* page = FindPageRecord(window->GetItems());
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(Layout(*page), CommandLineLayout({"--kind", "5", "--units", "inches", "--template",
                                              "1 1/4 x 3/4 labels, letter-size paper"}));
  EXPECT_EQ(page->modified(), 1);
  EXPECT_TRUE(IsModified(window->GetItems()));

  // Opened again, the wizard starts at the dimensions with the texts as they were typed.
  wizard = OpenCurrent();
  EXPECT_EQ(wizard->Step(), kStepDimensions);
  EXPECT_EQ(wizard->Title()->text(), QStringLiteral("Labels"));
  EXPECT_EQ(Form()->Edit(3)->text(), QStringLiteral("1 1/4"));
  EXPECT_EQ(Form()->Units()->currentIndex(), kUnitInches - 1);
  Host()->SecondButton()->click();
  EXPECT_FALSE(Host()->isVisible());
}

TEST_F(PageSetupTest, UnitsBackAndForwardKeepWhatWasTyped) {
  TPage* wizard = OpenNewFiles();
  PressKind(2);
  Choose(Form()->Units(), kUnitMillimetres - 1);
  Type(Form()->Edit(3), QStringLiteral("99,5"));
  Choose(Form()->Units(), kUnitInches - 1);
  Type(Form()->Edit(3), QStringLiteral("3 7/8"));
  Choose(Form()->Units(), kUnitMillimetres - 1);
  EXPECT_EQ(Form()->Edit(3)->text(), QStringLiteral("99,5"));

  QTest::mouseClick(wizard->BackLink(), Qt::LeftButton);
  EXPECT_EQ(wizard->Step(), kStepMenu);
  EXPECT_TRUE(wizard->ForwardArrow()->isEnabled());
  QTest::mouseClick(wizard->ForwardArrow(), Qt::LeftButton);
  EXPECT_EQ(wizard->Step(), kStepDimensions);
  EXPECT_EQ(Form()->Edit(3)->text(), QStringLiteral("99,5"));
  Choose(Form()->Units(), kUnitInches - 1);
  EXPECT_EQ(Form()->Edit(3)->text(), QStringLiteral("3 7/8"));
  // Landscape swaps the rows with the columns in the unit shown.
  Type(Form()->Edit(7), QStringLiteral("3"));
  Type(Form()->Edit(8), QStringLiteral("2"));
  QTest::mouseClick(Form()->Landscape(), Qt::LeftButton);
  EXPECT_EQ(Form()->Edit(7)->text(), QStringLiteral("2"));
  EXPECT_EQ(Form()->Edit(8)->text(), QStringLiteral("3"));
  EXPECT_FALSE(Form()->Portrait()->isChecked());
  Apply();
  const pageset_t& stored = form_->Params().pagesets[1];
  EXPECT_EQ(stored.block(kUnitMillimetres).itemWidth, QStringLiteral("99,5"));
  EXPECT_EQ(stored.block(kUnitInches).itemHeight, QStringLiteral("3 7/8"));
  EXPECT_EQ(stored.units, kUnitInches);
  EXPECT_EQ(form_->Params().pspage, 2);
}

// Texts that are not sizes, sizes of zero or less and counts below 1 are marked and said; the
// sketch keeps the last sheet that could be applied, and Apply applies nothing until they are
// mended. Counts are capped.
TEST_F(PageSetupTest, FieldsThatCannotBeAppliedAreMarkedAndApplyWaitsForThem) {
  TSandbox* window = New();
  OpenCurrent();
  PressKind(4);
  Choose(Form()->Units(), kUnitMillimetres - 1);
  ChooseTemplate("A8 business cards, 8 per page");
  Apply();
  const ItemRecord* page = FindPageRecord(window->GetItems());
  const QString before = Layout(*page);

  OpenCurrent();
  const SheetSketch sound = Form()->Sketch()->Sketch();
  ASSERT_TRUE(sound.drawn);
  ASSERT_EQ(sound.cards.size(), 8u);
  EXPECT_TRUE(Form()->ProblemText()->isHidden());
  struct Edit {
    int n;
    const char* text;
    const char* why;
    const char* mended;
  };
  const Edit edits[] = {
      {1, "0", "Paper width must be more than 0.", "210"},
      {2, "-297", "Paper height must be more than 0.", "297"},
      {3, "abc",
       "Card width: \"abc\" is not a size; type a number of millimetres, such as 85 or 85.5.",
       "74"},
      {4, "", "Card height must be more than 0.", "52"},
      {5, "1/2",
       "Left margin: \"1/2\" is not a size; type a number of millimetres, such as 85 "
       "or 85.5.",
       "26"},
      {7, "0", "Rows: type a whole number of at least 1.", "4"},
      {8, "two", "Columns: type a whole number of at least 1.", "2"},
  };
  for (const Edit& e : edits) {
    Type(Form()->Edit(e.n), QString::fromLatin1(e.text));
    EXPECT_TRUE(Form()->EditMarked(e.n)) << e.n;
    EXPECT_TRUE(Form()->ProblemText()->isVisible()) << e.n;
    EXPECT_TRUE(Form()->ProblemText()->text().contains(QString::fromLatin1(e.why)))
        << Form()->ProblemText()->text().toStdString();
    EXPECT_EQ(Form()->Sketch()->Sketch().paper, sound.paper) << e.n;
    EXPECT_EQ(Form()->Sketch()->Sketch().cards, sound.cards) << e.n;
  }
  // Apply leaves the wizard open at the first field at fault and the document as it was.
  QTest::mouseClick(Host()->FirstButton(), Qt::LeftButton);
  EXPECT_TRUE(Host()->isVisible());
  EXPECT_EQ(Wizard()->focusWidget(), Form()->Edit(1));
  EXPECT_EQ(Layout(*page), before);
  for (const Edit& e : edits) {
    Type(Form()->Edit(e.n), QString::fromLatin1(e.mended));
    EXPECT_FALSE(Form()->EditMarked(e.n)) << e.n;
  }
  EXPECT_TRUE(Form()->ProblemText()->isHidden());
  Apply();
  EXPECT_EQ(Layout(*page), before);

  OpenCurrent();
  Type(Form()->Edit(7), QStringLiteral("100000"));
  Type(Form()->Edit(8), QStringLiteral("2000"));
  Type(Form()->Edit(3), QStringLiteral("0.001"));
  Type(Form()->Edit(4), QStringLiteral("0.001"));
  EXPECT_LE(Form()->Sketch()->Sketch().cards.size(), size_t(kMaxSketchCards));
  Apply();
  EXPECT_EQ(page->rows(), 1000);
  EXPECT_EQ(page->columns(), 1000);
  // The window still draws and the print selection map still lays out.
  window->FullRepaint(false);
}

// The page File > New makes has no card yet: letters as the label width must not leave it a
// label of no size, from the dimensions or from the design-type menu after "Back".
TEST_F(PageSetupTest, LettersAsTheLabelWidthOfANewPageApplyNothingAndSaySo) {
  TSandbox* window = New();
  const ItemRecord* page = FindPageRecord(window->GetItems());
  ASSERT_DOUBLE_EQ(page->cardWidth(), 0);
  const QString before = Layout(*page);
  OpenCurrent();
  PressKind(5);
  const SheetSketch sound = Form()->Sketch()->Sketch();
  ASSERT_TRUE(sound.drawn);
  Type(Form()->Edit(3), QStringLiteral("abc"));
  EXPECT_TRUE(Form()->EditMarked(3));
  EXPECT_TRUE(Form()->ProblemText()->text().startsWith(QStringLiteral("Label width: \"abc\"")));
  // The same sheet, scaled to the room the message leaves.
  const SheetSketch& shown = Form()->Sketch()->Sketch();
  ASSERT_TRUE(shown.drawn);
  ASSERT_EQ(shown.cards.size(), sound.cards.size());
  const double scale = shown.paper.width() / sound.paper.width();
  EXPECT_NEAR(shown.paper.height(), sound.paper.height() * scale, 1e-6);
  EXPECT_NEAR(shown.cards.back().right(), sound.cards.back().right() * scale, 1e-6);
  for (bool back : {false, true}) {
    if (back) QTest::mouseClick(Wizard()->BackLink(), Qt::LeftButton);
    QTest::mouseClick(Host()->FirstButton(), Qt::LeftButton);
    EXPECT_TRUE(Host()->isVisible()) << back;
    EXPECT_EQ(Wizard()->Step(), kStepDimensions) << back;
    EXPECT_EQ(Wizard()->focusWidget(), Form()->Edit(3)) << back;
    EXPECT_EQ(Layout(*page), before) << back;
  }
  Host()->SecondButton()->click();
  EXPECT_GT(page->designWidth(), 0);
  EXPECT_GT(window->View().Canvas().width(), 1);
}

TEST_F(PageSetupTest, ClosingTheWindowClosesItsPageSetupAndANewWindowIsLeftAlone) {
  TSandbox* first = New();
  ASSERT_NE(first, nullptr);
  const int32_t number = first->GetWindowId();
  OpenCurrent();
  PressKind(4);
  ChooseTemplate("Business Cards, 10 per page");
  first->close();
  EXPECT_TRUE(test::WaitUntil([&] { return !Host()->isVisible() && Host()->Panel() == nullptr; }));
  EXPECT_TRUE(form_->Windows().empty());

  // A new window takes the freed number; nothing of the discarded setup reaches it.
  TSandbox* second = New();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetWindowId(), number);
  EXPECT_EQ(FindPageRecord(second->GetItems())->pageKind(), -1);
  EXPECT_EQ(form_->Params().pspage, -1);
}

// The search box above Quick select keeps the sheets whose name has the text or whose label is
// the typed size; choosing a found sheet fills the form as from the whole list, and clearing
// the search shows the whole list again with that sheet selected.
TEST_F(PageSetupTest, SearchBoxFindsSheetsByNameOrTypedSize) {
  ASSERT_NE(OpenNewFiles(), nullptr);
  PressKind(5);
  Choose(Form()->Units(), kUnitMillimetres - 1);
  QLineEdit* search = Form()->QuickSelectSearch();
  QComboBox* list = Form()->QuickSelect();
  const int whole = list->count();
  const QString name = QStringLiteral("63.5 x 38.1 labels, 21 per A4 page (3 x 7)");
  const int index = FindTemplate(kUnitMillimetres, 5, name);
  ASSERT_GE(index, 0);

  search->setFocus();
  QTest::keyClicks(search, QStringLiteral("63,5x38,1"));
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->itemText(0), name);
  Choose(list, 0);
  EXPECT_EQ(Form()->Form().selectedTemplate(), index);
  const char* expected[] = {"210", "297", "63.5", "38.1", "7.25", "15.15", "7", "3", "0", "2.5"};
  for (int n = 1; n <= 10; ++n)
    EXPECT_EQ(Form()->Edit(n)->text(), QString::fromLatin1(expected[n - 1])) << n;

  search->clear();
  EXPECT_EQ(list->count(), whole);
  EXPECT_EQ(list->currentIndex(), index);
  EXPECT_EQ(list->itemText(index), name);

  QTest::keyClicks(search, QStringLiteral("zzz"));
  EXPECT_EQ(list->count(), 0);
  EXPECT_EQ(list->placeholderText(), QString::fromLatin1(kQuickSelectNothingFound));
  // The sheet chosen stays chosen while the search hides it.
  EXPECT_EQ(Form()->Form().selectedTemplate(), index);
}

TEST_F(PageSetupTest, ApplyWithoutAKindChangesNothing) {
  const pagesetArr_t before = form_->Params().pagesets;
  OpenNewFiles();
  EXPECT_EQ(Wizard()->Step(), kStepMenu);
  Apply();
  EXPECT_EQ(form_->Params().pspage, -1);
  EXPECT_TRUE(form_->Params().pagesets == before);
}

}  // namespace
}  // namespace quillon
