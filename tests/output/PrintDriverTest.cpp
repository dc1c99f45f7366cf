// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PrintDriver.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstring>

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
    pictures.push_back(tile.Clone());
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
  std::vector<Bitmap> pictures;
};

void PaintEverything(Primitives& target, const ItemRecord& item, const ItemList&, Point, double,
                     double) {
  target.bitmap().Fill(static_cast<uint32_t>(item.lineColor()));
}

TEST(PrintDriver, SendsTheSheetInTilesRowByRow) {
  ItemList list;
  test::AddPage(list).setPageKind(1);
  test::AddItem(list, kKindLine, {0, 0}, {5, 5}).setLineColor(0x123456);
  RecordingPrinter printer;
  ASSERT_TRUE(PrintSheet(list, "Card", u"", 2, printer, ScreenMetrics{}, PaintEverything).ok);
  EXPECT_EQ(printer.title, "Card");
  EXPECT_EQ(printer.copies, 2);
  EXPECT_TRUE(printer.ended);
  const std::vector<Rect> expected = {{0, 0, 512, 512},   {512, 0, 1024, 512},
                                      {1024, 0, 1300, 512}, {0, 512, 512, 700},
                                      {512, 512, 1024, 700}, {1024, 512, 1300, 700}};
  EXPECT_EQ(printer.tiles, expected);
  for (uint32_t c : printer.colours)
    EXPECT_EQ(c, 0x123456u);
}

// A block across the corner where four tiles meet, in a colour whose first two bytes are
// white, and the sheet's last pixel, whose last two bytes are.
void PaintBlockAndCorner(Primitives& target, const ItemRecord&, const ItemList&, Point, double,
                         double) {
  // Sheet pixel (x, y) is the bitmap's (x, y - top): the sheet may come in bands.
  Bitmap& bitmap = target.bitmap();
  const int top = target.origin().y;
  const auto paint = [&](int x, int y, uint32_t colour) {
    if (y >= top && y < top + bitmap.height()) bitmap.SetPixel(x, y - top, colour);
  };
  for (int y = 505; y < 520; ++y) {
    for (int x = 500; x < 530; ++x)
      paint(x, y, ColourOf(0, 0xFF, 0xFF));
  }
  paint(1299, 699, ColourOf(0xFF, 0xFF, 0));
}

TEST(PrintDriver, LeavesOutWhiteButPrintsTheSamePage) {
  ItemList list;
  test::AddPage(list).setPageKind(1);
  test::AddItem(list, kKindLine, {0, 0}, {5, 5});
  RecordingPrinter printer;
  ASSERT_TRUE(PrintSheet(list, "", u"", 1, printer, ScreenMetrics{}, PaintBlockAndCorner).ok);
  // White tiles are not sent; the others whole, on the grid, so that neighbouring tiles meet
  // however a rasteriser rounds their edges.
  const std::vector<Rect> expected = {{0, 0, 512, 512},
                                      {512, 0, 1024, 512},
                                      {0, 512, 512, 700},
                                      {512, 512, 1024, 700},
                                      {1024, 512, 1300, 700}};
  EXPECT_EQ(printer.tiles, expected);
  // On white paper the tiles make the whole sheet, byte for byte.
  Bitmap sheet;
  ASSERT_TRUE(ComposeSheet(list, sheet, ComposeMode::Printer, u"", ScreenMetrics{},
                           printer.Geometry(), PaintBlockAndCorner)
                  .ok);
  Bitmap paper(sheet.width(), sheet.height());
  for (size_t i = 0; i < printer.tiles.size(); ++i) {
    const Bitmap& tile = printer.pictures[i];
    paper.CopyFrom(tile, 0, 0, tile.width(), tile.height(), printer.tiles[i].left,
                   printer.tiles[i].top);
  }
  for (int y = 0; y < sheet.height(); ++y)
    ASSERT_EQ(std::memcmp(paper.Row(y), sheet.Row(y), 3 * size_t(sheet.width())), 0) << y;
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

// Stopped while the first band is drawn, no job begins; stopped once tiles were sent, the job
// is aborted.
TEST(PrintDriver, ProgressCanStopTheJob) {
  ItemList list;
  test::AddPage(list).setPageKind(1);
  test::AddItem(list, kKindLine, {0, 0}, {5, 5});
  for (int reportsBeforeStop : {0, 1}) {
    RecordingPrinter printer;
    int reports = 0;
    const PrintResult result =
        PrintSheet(list, "", u"", 1, printer, ScreenMetrics{}, PaintEverything,
                   [&](double) { return reports++ < reportsBeforeStop; });
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(printer.begun, reportsBeforeStop > 0) << reportsBeforeStop;
    EXPECT_EQ(printer.aborted, reportsBeforeStop > 0) << reportsBeforeStop;
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
  const PrintResult result = PrintSheet(list, "Sheet", u"", 1, *pdf, ScreenMetrics{},
                                       PaintEverything, [&](double done) { return done < 0.5; });
  EXPECT_TRUE(result.cancelled);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("the old sheet"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// An underline across the sheet and a bar down it, each crossing tile borders, with a block
// that makes every tile hold ink in a different part of it.
void PaintAcrossTileBorders(Primitives& target, const ItemRecord&, const ItemList&, Point, double,
                            double) {
  Bitmap& bitmap = target.bitmap();
  const int top = target.origin().y;
  const auto paint = [&](int x, int y, uint32_t colour) {
    if (x >= 0 && x < bitmap.width() && y >= top && y < top + bitmap.height()) {
      bitmap.SetPixel(x, y - top, colour);
    }
  };
  for (int x = 0; x < bitmap.width(); ++x) {
    for (int y = 40 + 17 * (x / kPrintTileSize); y < 60 + 17 * (x / kPrintTileSize); ++y)
      paint(x, y, ColourOf(0x20, 0x80, 0x20));
    for (int y = 300; y < 303; ++y)
      paint(x, y, ColourOf(0, 0, 0));
  }
  for (int y = 0; y < 4000; ++y) {
    for (int x = 700 + 9 * (y / kPrintTileSize); x < 702 + 9 * (y / kPrintTileSize); ++x)
      paint(x, y, ColourOf(0x20, 0x20, 0xA0));
    for (int x = 1100; x < 1103; ++x)
      paint(x, y, ColourOf(0xA0, 0x20, 0x20));
  }
}

// The colours along a line of the page image, from `from` in steps of `step`.
std::vector<QRgb> Profile(const QImage& image, QPoint from, QPoint step, int count) {
  std::vector<QRgb> colours;
  for (int i = 0; i < count; ++i)
    colours.push_back(image.pixel(from + i * step));
  return colours;
}

// Equal but for the blending a rasteriser may do at an edge; a step of a whole pixel is not.
bool Alike(const std::vector<QRgb>& a, const std::vector<QRgb>& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::abs(qRed(a[i]) - qRed(b[i])) > 40 || std::abs(qGreen(a[i]) - qGreen(b[i])) > 40 ||
        std::abs(qBlue(a[i]) - qBlue(b[i])) > 40) {
      return false;
    }
  }
  return true;
}

// Rasterised at its own resolution, a PDF page shows an underline just as thick on both sides
// of a tile border, and a bar just as wide above and below one: the tiles meet exactly.
TEST(PrintDriver, APdfPageRasterisedAtItsResolutionHasNoStepsAtTileBorders) {
  const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
  if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm is not installed";
  QTemporaryDir dir;
  ItemList list;
  test::AddPage(list).setPageKind(1);
  test::AddItem(list, kKindLine, {0, 0}, {5, 5});
  const QString path = dir.filePath("sheet.pdf");
  auto pdf = QtPrintDevice::ForPdf(path, QSizeF(101.6, 152.4), kPdfResolution);
  ASSERT_TRUE(PrintSheet(list, "Sheet", u"", 1, *pdf, ScreenMetrics{}, PaintAcrossTileBorders).ok);
  QProcess raster;
  raster.start(pdftoppm,
               {"-r", QString::number(kPdfResolution), "-aa", "no", "-aaVector", "no", path});
  ASSERT_TRUE(raster.waitForFinished(120000));
  const QImage page = QImage::fromData(raster.readAllStandardOutput(), "PPM");
  ASSERT_EQ(page.size(), QSize(2400, 3600));
  // Down through the underline, in every tile column.
  const auto across = [&](int x) { return Profile(page, {x, 294}, {0, 1}, 15); };
  for (int x : {511, 512, 1023, 1024, 1535, 1536, 2100})
    EXPECT_TRUE(Alike(across(x), across(100))) << "the underline steps at x = " << x;
  // Along a row through each bar, in every band of tiles.
  for (int y : {511, 512, 1023, 1024, 1535, 1536, 3000}) {
    const int left = 696 + 9 * (y / kPrintTileSize);
    EXPECT_TRUE(Alike(Profile(page, {left, y}, {1, 0}, 10), Profile(page, {696, 100}, {1, 0}, 10)))
        << "the bar steps at y = " << y;
    EXPECT_TRUE(Alike(Profile(page, {1096, y}, {1, 0}, 10), Profile(page, {1096, 100}, {1, 0}, 10)))
        << "the bar steps at y = " << y;
  }
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
