// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PrintDriver.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "output/print/QtPrintDevice.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

// Remembers every tile the driver sends.
class RecordingPrinter : public PrintDevice {
 public:
  bool Begin(const std::string& t, int c) override {
    begun = true;
    title = t;
    copies = c;
    return true;
  }
  PrinterGeometry Geometry() const override {
    PrinterGeometry g;
    g.dpiX = g.dpiY = 300;
    g.pageWidth = 1300;
    g.pageHeight = 700;
    return g;
  }
  void DrawTile(const Bitmap& tile, int x, int y) override {
    tiles.push_back({x, y, x + tile.width(), y + tile.height()});
    colours.push_back(tile.Pixel(0, 0));
  }
  bool End() override {
    ended = true;
    return true;
  }
  void Abort() override { aborted = true; }
  std::string error() const override { return {}; }

  std::string title;
  int copies = 0;
  bool begun = false;
  bool ended = false;
  bool aborted = false;
  std::vector<Rect> tiles;
  std::vector<uint32_t> colours;
};

void PaintEverything(Bitmap& target, const ItemRecord& item, const ItemList&, Point, double,
                     double) {
  target.Fill(static_cast<uint32_t>(item.lineColor()));
}

TEST(PrintDriver, SendsTheSheetInTilesColumnByColumn) {
  ItemList list;
  test::AddPage(list).setPageKind(1);
  test::AddItem(list, kKindLine, {0, 0}, {5, 5}).setLineColor(0x123456);
  RecordingPrinter printer;
  ASSERT_TRUE(PrintSheet(list, "Card", u"", 2, printer, ScreenMetrics{}, PaintEverything).ok);
  EXPECT_EQ(printer.title, "Card");
  EXPECT_EQ(printer.copies, 2);
  EXPECT_TRUE(printer.ended);
  const std::vector<Rect> expected = {{0, 0, 512, 512},     {0, 512, 512, 700},
                                      {512, 0, 1024, 512},  {512, 512, 1024, 700},
                                      {1024, 0, 1300, 512}, {1024, 512, 1300, 700}};
  EXPECT_EQ(printer.tiles, expected);
  for (uint32_t c : printer.colours)
    EXPECT_EQ(c, 0x123456u);
}

TEST(PrintDriver, NoCopiesOrNoPageMeansNoJob) {
  ItemList list;
  RecordingPrinter printer;
  EXPECT_FALSE(PrintSheet(list, "", u"", 1, printer, ScreenMetrics{}, PaintEverything).ok);
  test::AddPage(list);
  EXPECT_FALSE(PrintSheet(list, "", u"", 0, printer, ScreenMetrics{}, PaintEverything).ok);
  EXPECT_FALSE(printer.ended);
}

TEST(PrintDriver, ASheetThatCannotBeComposedOpensNoJob) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);
  page.setPageKind(4);
  page.setRows(2);
  page.setColumns(2);
  page.setCardWidth(-50);
  RecordingPrinter printer;
  const PrintResult result =
      PrintSheet(list, "", u"", 1, printer, ScreenMetrics{}, PaintEverything);
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.message.empty());
  EXPECT_FALSE(printer.begun) << "no job is opened for a sheet that cannot be made";
  EXPECT_TRUE(printer.tiles.empty());
}

// Stopped while composing, no job begins; stopped while sending, the job is aborted.
TEST(PrintDriver, ProgressCanStopTheJob) {
  ItemList list;
  test::AddPage(list).setPageKind(1);
  test::AddItem(list, kKindLine, {0, 0}, {5, 5});
  for (double stopAt : {0.5, 0.95}) {
    RecordingPrinter printer;
    const PrintResult result =
        PrintSheet(list, "", u"", 1, printer, ScreenMetrics{}, PaintEverything,
                   [&](double done) { return done < stopAt; });
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(printer.begun, stopAt > 0.9) << stopAt;
    EXPECT_EQ(printer.aborted, stopAt > 0.9) << stopAt;
    EXPECT_FALSE(printer.ended);
  }
}

// A PDF job stopped halfway leaves the file it would have replaced as it was, and no other.
TEST(PrintDriver, AStoppedPdfJobLeavesTheOldFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("sheet.pdf");
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the old sheet");
  }
  ItemList list;
  test::AddPage(list);
  test::AddItem(list, kKindLine, {0, 0}, {5, 5});
  auto pdf = QtPrintDevice::ForPdf(path, QSizeF(210, 297), 150);
  int tilesLeft = 2;
  const PrintResult result =
      PrintSheet(list, "Sheet", u"", 1, *pdf, ScreenMetrics{}, PaintEverything,
                 [&](double done) { return done < 0.9 || --tilesLeft > 0; });
  EXPECT_TRUE(result.cancelled);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("the old sheet"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(PrintDriver, PrintsToAPdfFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("sheet.pdf");
  ItemList list;
  test::AddPage(list);
  test::AddItem(list, kKindLine, {0, 0}, {5, 5}).setLineColor(0x0000FF);
  auto pdf = QtPrintDevice::ForPdf(path, QSizeF(210, 297), 150);
  const PrintResult result =
      PrintSheet(list, "Sheet", u"", 1, *pdf, ScreenMetrics{}, PaintEverything);
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(pdf->Geometry().dpiX, 150);
  EXPECT_EQ(pdf->Geometry().pageWidth, qRound(210 / 25.4 * 150));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5) == "%PDF-");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1)
      << "the temporary file became the PDF";
}

}  // namespace
}  // namespace quillon
