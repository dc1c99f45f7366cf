// SPDX-License-Identifier: GPL-3.0-or-later
// A sheet of cards printed a part at a time: File > Print starting at a later card, the cards
// used remembered across a restart, shown grey, left blank by the next print, and forgotten.
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>

#include "document/DocumentFile.h"
#include "output/PrinterSettings.h"
#include "output/UsedCards.h"
#include "output/ui/OutputDialogs.h"
#include "output/ui/TPrsel.h"
#include "shell/HostWindow.h"
#include "shell/ShellFixture.h"
#include "support/DocumentFixtures.h"
#include "support/Wait.h"

namespace quillon {
namespace {

class PartlyUsedSheetTest : public test::ShellTest {
 protected:
  // A 2 x 2 sheet of 40 mm cards, 5 mm from the corner and 10 mm apart, with a rectangle on
  // the first card, opened in a window.
  void OpenCardSheet() {
    ItemList list;
    test::AddSquareCardSheet(list);
    test::AddRectangle(list, {30, 30}, {150, 140}).setFillColor(0x3060C0);
    const QString path = Path("cards.qlln");
    if (!QFile::exists(path)) {
      ASSERT_TRUE(WriteDocument(path, list).ok());
    }
    form_->OpenDocumentWindow(path);
    ASSERT_NE(form_->ActiveWindow(), nullptr);
  }
  TPrsel* Selection() const { return qobject_cast<TPrsel*>(form_->HostY()->Panel()); }
  void ClickCard(int index) {
    SelectionMapView* view = Selection()->MapView();
    const MapCard& card = view->Map().cards.at(index);
    QTest::mouseClick(view, Qt::LeftButton, {},
                      QPoint(card.left + card.width / 2, card.top + card.height / 2));
  }
  // Prints from the open selection to a PDF; which of the four cards show ink.
  std::vector<bool> PrintToPdf(const char* name) {
    const int before = printDialog_.calls;
    printDialog_.answer = test::ScriptedPrintDialog::Answer{Path(name), 1};
    QTest::mouseClick(form_->HostY()->FirstButton(), Qt::LeftButton);
    EXPECT_TRUE(test::WaitUntil([&] {
      return printDialog_.calls == before + 1 && !form_->Output().Busy() &&
             QFile::exists(Path(name));
    }));
    QProcess raster;
    raster.start(QStandardPaths::findExecutable("pdftoppm"), {"-r", "40", Path(name)});
    raster.waitForFinished();
    const QImage page = QImage::fromData(raster.readAllStandardOutput(), "PPM");
    // A card shows ink when the line through its middle, from its left edge to its right,
    // crosses the rectangle's outline.
    std::vector<bool> inked;
    for (const QPointF corner : {QPointF(5, 5), QPointF(55, 5), QPointF(5, 55), QPointF(55, 55)}) {
      bool any = false;
      for (double x = corner.x(); x < corner.x() + 40; x += 0.2) {
        const QPointF at = QPointF(x, corner.y() + 20) / 25.4 * 40;
        any = any || qGray(page.pixel(at.toPoint())) < 200;
      }
      inked.push_back(any);
    }
    return inked;
  }
  std::u16string Stored() {
    ItemList list;
    std::string note;
    return ReadUsedCards(*OpenSettingsStore(), SheetLayoutName(form_->ActiveWindow()->GetItems()),
                         4, note);
  }
};

TEST_F(PartlyUsedSheetTest, StartsAtACardRemembersTheUsedOnesAcrossARestartAndForgetsThem) {
  if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "no pdftoppm";
  OpenCardSheet();
  Trigger("Print1");
  ASSERT_NE(Selection(), nullptr);
  EXPECT_EQ(Selection()->FirstCard(), 1);
  EXPECT_FALSE(Selection()->findChild<QPushButton*>("clearUsed")->isVisible());
  // Start at card 2; the first card can no longer be chosen, and the last is left out.
  Selection()->findChild<QSpinBox*>("startAt")->setValue(2);
  ClickCard(0);
  EXPECT_EQ(Selection()->Selection(), u"");
  ClickCard(3);
  prompter_.answers = {PromptAnswer::Yes};
  EXPECT_EQ(PrintToPdf("first.pdf"), std::vector<bool>({false, true, true, false}));
  ASSERT_FALSE(prompter_.asked.empty());
  EXPECT_EQ(prompter_.asked.back().text, kRememberUsedCards);
  EXPECT_EQ(Stored(), u"xxx-");

  Restart();
  OpenCardSheet();
  Trigger("Print1");
  ASSERT_NE(Selection(), nullptr);
  EXPECT_EQ(Selection()->Used(), u"xxx-");
  EXPECT_EQ(Selection()->FirstCard(), 4) << "the next print starts at the first free card";
  // The used cards show grey on the map, and a click leaves them blank.
  const MapCard& used = Selection()->MapView()->Map().cards.at(1);
  const QImage map = Selection()->MapView()->grab().toImage();
  EXPECT_EQ(QColor(map.pixel(used.left + used.width / 2, used.top + used.height / 2)),
            QColor(200, 200, 200));
  ClickCard(1);
  EXPECT_EQ(Selection()->SelectionToPrint(), u"xxx ");
  // Printed again without remembering: only the free card prints, and the memory stays.
  prompter_.answers = {PromptAnswer::No};
  Selection()->findChild<QSpinBox*>("startAt")->setValue(1);
  EXPECT_EQ(PrintToPdf("second.pdf"), std::vector<bool>({false, false, false, true}));
  EXPECT_EQ(Stored(), u"xxx-");

  // Forgotten, the whole sheet is free again.
  Trigger("Print1");
  QTest::mouseClick(Selection()->findChild<QPushButton*>("clearUsed"), Qt::LeftButton);
  EXPECT_EQ(Selection()->Used(), u"");
  EXPECT_EQ(Selection()->FirstCard(), 1);
  EXPECT_EQ(Stored(), u"");
  QTest::mouseClick(form_->HostY()->SecondButton(), Qt::LeftButton);
}

TEST_F(PartlyUsedSheetTest, ASheetUsedUpIsPutAwayAndAMemoryOfNonsenseIsIgnoredWithANote) {
  if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "no pdftoppm";
  OpenCardSheet();
  WriteUsedCards(*OpenSettingsStore(), SheetLayoutName(form_->ActiveWindow()->GetItems()), u"xx");
  Trigger("Print1");
  prompter_.answers = {PromptAnswer::Yes};
  EXPECT_EQ(PrintToPdf("rest.pdf"), std::vector<bool>({false, false, true, true}));
  EXPECT_EQ(prompter_.Texts().back(), kSheetUsedUp);
  EXPECT_EQ(Stored(), u"") << "the next print starts on a new sheet";

  OpenSettingsStore()->setValue(QStringLiteral("UsedCards/sheet1"),
                                SheetLayoutName(form_->ActiveWindow()->GetItems()));
  OpenSettingsStore()->setValue(QStringLiteral("UsedCards/used1"), QStringLiteral("x?x--x"));
  Trigger("Print1");
  EXPECT_EQ(Selection()->Used(), u"") << "a memory that does not fit the sheet is ignored";
  prompter_.asked.clear();
  prompter_.answers = {PromptAnswer::Ok, PromptAnswer::No};
  EXPECT_EQ(PrintToPdf("all.pdf"), std::vector<bool>({true, true, true, true}));
  ASSERT_FALSE(prompter_.asked.empty());
  EXPECT_NE(prompter_.asked.front().text.find("do not fit this sheet and were ignored"),
            std::string::npos);
}

}  // namespace
}  // namespace quillon
