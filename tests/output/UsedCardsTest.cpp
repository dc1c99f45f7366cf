// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/UsedCards.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "output/PrinterSettings.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

// Labels on A4: 3 columns, 7 rows.
void LabelSheet(ItemList& list) {
  ItemRecord& page = test::AddPage(list);
  page.setPageKind(5);
  page.setCardWidth(63.5);
  page.setCardHeight(38.1);
  page.setMarginLeft(7.2);
  page.setMarginTop(15.1);
  page.setGapHorizontal(2.5);
  page.setGapVertical(0);
  page.setRows(7);
  page.setColumns(3);
}

TEST(UsedCards, StartAtCardSkipsTheCardsBeforeItAndTheUsedOnes) {
  const int cards = 21;
  const struct {
    int first;
    std::u16string selection, used, expected;
  } cases[] = {
      {1, u"", u"", std::u16string(21, u' ')},
      {2, u"", u"", u"x" + std::u16string(20, u' ')},
      {21, u"", u"", std::u16string(20, u'x') + u" "},
      // The user's own blanks stay blank, and so do the remembered cards.
      {2, u"  x", u"", u"x x" + std::u16string(18, u' ')},
      {1, u"", u"xx-x", u"xx x" + std::u16string(17, u' ')},
      {5, u"", u"xx--xx", u"xxxxxx" + std::u16string(15, u' ')},
      // A start beyond the sheet prints nothing.
      {22, u"", u"", std::u16string(21, u'x')},
  };
  for (const auto& c : cases) {
    const std::u16string made = SelectionForPrint(c.selection, c.first, c.used, cards);
    EXPECT_EQ(made, c.expected) << "start " << c.first;
    EXPECT_EQ(PrintsAnyCard(made, cards), c.first <= cards);
  }
}

TEST(UsedCards, AfterAPrintThePrintedAndSkippedCardsAreUsed) {
  const int cards = 6;
  const struct {
    std::u16string used, printed;
    int first;
    std::u16string after;
    int next;
  } cases[] = {
      {u"", u"xxxx  ", 5, u"xxxxxx", 7},
      {u"", u"xxxx x", 5, u"xxxxx-", 6},
      {u"xx", u"xx  xx", 1, u"xxxx--", 5},
      {u"", u"x x   ", 1, u"-x-xxx", 1},
  };
  for (const auto& c : cases) {
    const std::u16string after = UsedAfterPrint(c.used, c.printed, c.first, cards);
    EXPECT_EQ(after, c.after);
    EXPECT_EQ(FirstFreeCard(after, cards), c.next);
    EXPECT_EQ(AllCardsUsed(after, cards), c.next > cards);
  }
}

TEST(UsedCards, ASheetIsKnownByItsLayoutNotByItsDocument) {
  ItemList a, b;
  LabelSheet(a);
  LabelSheet(b);
  EXPECT_EQ(CardCount(a), 21);
  EXPECT_EQ(SheetLayoutName(a), SheetLayoutName(b));
  EXPECT_EQ(SheetLayoutName(a),
            "3 x 7 cards of 63.5 x 38.1 mm, margins 7.2 and 15.1 mm, gaps 2.5 and 0.0 mm, paper "
            "210.0 x 297.0 mm");
  ItemList other;
  LabelSheet(other);
  other.PageRecord()->setRows(8);
  EXPECT_NE(SheetLayoutName(a), SheetLayoutName(other));
  ItemList plain;
  test::AddPage(plain).setPageKind(1);
  EXPECT_EQ(CardCount(plain), 1);
}

class PrinterStore : public testing::Test {
 protected:
  // A store of its own, opened afresh as a new run of the program opens it.
  std::unique_ptr<QSettings> Open() {
    return std::make_unique<QSettings>(dir_.filePath("Quillon.conf"), QSettings::IniFormat);
  }
  QTemporaryDir dir_;
};

TEST_F(PrinterStore, KeepsTheUsedCardsAcrossARestart) {
  ItemList list;
  LabelSheet(list);
  const QString sheet = SheetLayoutName(list);
  std::string note;
  EXPECT_EQ(ReadUsedCards(*Open(), sheet, 21, note), u"");
  const std::u16string used = UsedAfterPrint(u"", SelectionForPrint(u"", 5, u"", 21), 5, 21);
  WriteUsedCards(*Open(), sheet, used);
  EXPECT_EQ(ReadUsedCards(*Open(), sheet, 21, note), used);
  EXPECT_TRUE(note.empty());
  // Cleared, the memory is gone from the store.
  WriteUsedCards(*Open(), sheet, u"");
  EXPECT_EQ(ReadUsedCards(*Open(), sheet, 21, note), u"");
  EXPECT_FALSE(Open()->childGroups().contains(kUsedCardsKey) &&
               !Open()->value(QStringLiteral("UsedCards/sheet1")).toString().isEmpty());
}

TEST_F(PrinterStore, KeepsEachPrintersCorrectionAndResetsIt) {
  const PrinterCorrection office{1.5, -0.75, 100.25, 99.5}, home{-2, 0, 100, 101};
  ASSERT_TRUE(WritePrinterCorrection(*Open(), "Office/Laser 2", office));
  ASSERT_TRUE(WritePrinterCorrection(*Open(), "Home", home));
  std::string note;
  EXPECT_EQ(ReadPrinterCorrection(*Open(), "Office/Laser 2", note), office);
  EXPECT_EQ(ReadPrinterCorrection(*Open(), "Home", note), home);
  EXPECT_EQ(ReadPrinterCorrection(*Open(), "Elsewhere", note), PrinterCorrection{});
  EXPECT_EQ(CorrectedPrinters(*Open()), QStringList({"Office/Laser 2", "Home"}));
  // "No correction" removes the entry; a correction out of bounds is not stored.
  ASSERT_TRUE(WritePrinterCorrection(*Open(), "Office/Laser 2", {}));
  EXPECT_EQ(CorrectedPrinters(*Open()), QStringList({"Home"}));
  EXPECT_FALSE(WritePrinterCorrection(*Open(), "Home", {0, 0, 120, 100}));
  EXPECT_EQ(ReadPrinterCorrection(*Open(), "Home", note), home);
}

TEST_F(PrinterStore, IgnoresEntriesEditedIntoNonsenseWithANote) {
  const struct {
    const char* value;
    const char* text;
  } corrections[] = {
      {"scaleX1", "250"}, {"offsetY1", "a lot"}, {"offsetX1", "-40"},
      {"scaleY1", "nan"}, {"scaleY1", ""},
  };
  for (const auto& c : corrections) {
    ASSERT_TRUE(WritePrinterCorrection(*Open(), "Laser", {1, 1, 100, 100}));
    Open()->setValue(QStringLiteral("PrinterCorrections/") + c.value, c.text);
    std::string note;
    EXPECT_EQ(ReadPrinterCorrection(*Open(), "Laser", note), PrinterCorrection{}) << c.value;
    EXPECT_NE(note.find("The stored correction of the printer \"Laser\" was ignored"),
              std::string::npos)
        << note;
  }
  ItemList list;
  LabelSheet(list);
  const QString sheet = SheetLayoutName(list);
  for (const std::string& used : {std::string("xxy"), std::string("x x"), std::string(22, 'x')}) {
    WriteUsedCards(*Open(), sheet, u"xx");
    Open()->setValue(QStringLiteral("UsedCards/used1"), QString::fromStdString(used));
    std::string note;
    EXPECT_EQ(ReadUsedCards(*Open(), sheet, 21, note), u"") << used;
    EXPECT_NE(note.find("do not fit this sheet and were ignored"), std::string::npos) << used;
  }
}

}  // namespace
}  // namespace quillon
