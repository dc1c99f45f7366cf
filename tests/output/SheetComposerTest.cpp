// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/SheetComposer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "document/PageSetup.h"
#include "output/Export.h"
#include "output/PaintBox.h"
#include "output/PictureWriters.h"
#include "support/CardDesign.h"
#include "support/DesignTool.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

using test::PaintBox;

// "A8 business cards, 8 per page" style sheet in millimetres: 2 columns, 4 rows.
ItemRecord& BusinessCards(ItemList& list) {
  return test::AddBusinessCardSheet(list);
}

Bitmap Compose(const ItemList& list, ComposeMode mode, const std::u16string& selection,
               PrinterGeometry printer = {}) {
  Bitmap sheet;
  const ComposeResult result =
      ComposeSheet(list, sheet, mode, selection, ScreenMetrics{}, printer, PaintBox);
  EXPECT_TRUE(result.ok) << result.message;
  return sheet;
}

TEST(SheetComposer, EveryCardCarriesTheFirstCardsDesign) {
  ItemList list;
  BusinessCards(list);
  // A design that bleeds 4 pixels out of the first card's left and top edges.
  test::AddItem(list, kKindRectangle, {-4, -4}, {40, 30}).setLineColor(0x0000FF);
  const Bitmap sheet = Compose(list, ComposeMode::Export, u"");
  ASSERT_EQ(sheet.width(), RoundToInt32(210 / 25.4 * 96));
  const int ox = RoundToInt32(96 * 21 / 25.4), oy = RoundToInt32(96 * 19.5 / 25.4);
  const int stepX = RoundToInt32(96 * 74 / 25.4) + RoundToInt32(96 * 10 / 25.4);
  const int stepY = RoundToInt32(96 * 52 / 25.4) + RoundToInt32(96 * 10 / 25.4);
  for (int r = 0; r < 4; ++r) {
    for (int k = 0; k < 2; ++k) {
      const int x = ox + k * stepX, y = oy + r * stepY;
      EXPECT_EQ(sheet.Pixel(x + 39, y + 29), 0x0000FFu) << r << "," << k;
      EXPECT_EQ(sheet.Pixel(x + 41, y + 29), 0xFFFFFFu) << r << "," << k;
      // The bleed goes with every copy; left of and above the first card the sheet is white.
      const uint32_t bleed = k > 0 && r > 0 ? 0x0000FFu : 0xFFFFFFu;
      EXPECT_EQ(sheet.Pixel(x - 4, y - 4), bleed) << r << "," << k;
    }
  }
  EXPECT_EQ(sheet.Pixel(ox - 5, oy), 0xFFFFFFu) << "beyond the bleed stays white";
}

TEST(SheetComposer, SelectionLeavesCardsBlank) {
  ItemList list;
  BusinessCards(list);
  test::AddItem(list, kKindRectangle, {0, 0}, {40, 30}).setLineColor(0x00FF00);
  const Bitmap sheet = Compose(list, ComposeMode::Printer, u"x  x");
  const PrinterGeometry printer;
  const int ox = RoundToInt32(600 * 21 / 25.4), oy = RoundToInt32(600 * 19.5 / 25.4);
  const int stepX = RoundToInt32(600 * 74 / 25.4) + RoundToInt32(600 * 10 / 25.4);
  const int stepY = RoundToInt32(600 * 52 / 25.4) + RoundToInt32(600 * 10 / 25.4);
  auto shows = [&](int r, int k) {
    return sheet.Pixel(ox + k * stepX + 10, oy + r * stepY + 10) == 0x00FF00u;
  };
  EXPECT_EQ(sheet.width(), printer.pageWidth);
  EXPECT_FALSE(shows(0, 0));
  EXPECT_TRUE(shows(0, 1));
  EXPECT_TRUE(shows(1, 0));
  EXPECT_FALSE(shows(1, 1));
  EXPECT_TRUE(shows(3, 1)) << "cards past the end of the selection print";
}

// Bands handed over one by one make the sheet composed whole, byte for byte: drawn by the
// real renderer (turned text, a soft shadow, dashes, a round picture, a line across every
// band and off the sheet), on cards that are copied, left blank or overlap the first card.
TEST(SheetComposer, BandsMakeTheWholeSheetExactly) {
  Bitmap photo(1200, 800);
  for (int y = 0; y < photo.height(); ++y) {
    for (int x = 0; x < photo.width(); ++x)
      photo.SetPixel(x, y, ColourOf(x / 5 % 256, y / 4 % 256, (x + y) % 256));
  }
  const QByteArray jpeg = EncodeJpeg(photo, 96);
  ASSERT_FALSE(jpeg.isEmpty());
  struct Case {
    const char* name;
    int32_t kind;
    double gap;
    std::u16string selection;
  };
  const Case cases[] = {{"cards", 4, 10, u""},
                        {"blank cards", 4, 10, u"x  x"},
                        {"first card blank", 4, 10, u"x"},
                        {"overlapping cards", 4, -5, u""},
                        {"illustration", 1, 10, u""}};
  PrinterGeometry printer;
  printer.dpiX = printer.dpiY = 150;
  printer.offsetX = 7;
  printer.offsetY = 9;
  printer.pageWidth = 1240;
  printer.pageHeight = 1754;
  for (const Case& c : cases) {
    ItemList list;
    ItemRecord& page = BusinessCards(list);
    page.setPageKind(c.kind);
    page.setGapHorizontal(c.gap);
    page.setGapVertical(c.gap);
    test::AddCardDesign(list, jpeg);
    ItemRecord& across = test::AddItem(list, kKindLine, {-40, -30}, {700, 1200});
    across.setLineWeight(0.7);
    across.setPenWidth(3);
    test::KeepDesignBounds(list);
    Bitmap whole;
    ASSERT_TRUE(
        ComposeSheet(list, whole, ComposeMode::Printer, c.selection, list.screen(), printer).ok)
        << c.name;
    for (int bandHeight : {512, 61}) {
      int next = 0;
      bool same = true;
      const ComposeResult banded = ComposeSheetInBands(
          list, ComposeMode::Printer, c.selection, list.screen(), printer, PrintQualityRenderer(),
          bandHeight, [&](const Bitmap& band, int top, const ProgressReport&) {
            EXPECT_EQ(top, next) << c.name;
            EXPECT_EQ(band.width(), whole.width()) << c.name;
            for (int y = 0; y < band.height() && top + y < whole.height(); ++y) {
              same = same && std::memcmp(band.Row(y), whole.Row(top + y),
                                         3 * std::size_t(whole.width())) == 0;
            }
            next = top + band.height();
            return true;
          });
      ASSERT_TRUE(banded.ok) << c.name;
      EXPECT_EQ(next, whole.height()) << c.name << " in bands of " << bandHeight;
      EXPECT_TRUE(same) << c.name << " in bands of " << bandHeight;
    }
  }
}

TEST(SheetComposer, FoldedRowsMakeHalfAsManyCardsTwiceAsTall) {
  ItemList list;
  ItemRecord& page = BusinessCards(list);
  page.setRowFold(255);
  const CardLayout layout = LayoutOf(page, ScreenMetrics{});
  EXPECT_EQ(layout.rows, 2);
  EXPECT_EQ(layout.columns, 2);
  EXPECT_DOUBLE_EQ(layout.cardHeight, 104 / 25.4);
  EXPECT_TRUE(layout.multiCard);
  page.setColumns(1);
  page.setRows(1);
  EXPECT_FALSE(LayoutOf(page, ScreenMetrics{}).multiCard);
}

TEST(SheetComposer, SingleCardSheetClearsTheStripsAboveAndLeft) {
  ItemList list;
  ItemRecord& page = BusinessCards(list);
  page.setRows(1);
  page.setColumns(1);
  test::AddItem(list, kKindRectangle, {-30, -30}, {10, 10}).setLineColor(0xFF0000);
  const Bitmap sheet = Compose(list, ComposeMode::Export, u"");
  const int ox = RoundToInt32(96 * 21 / 25.4), oy = RoundToInt32(96 * 19.5 / 25.4);
  EXPECT_EQ(sheet.Pixel(ox - 1, oy + 5), 0xFFFFFFu);
  EXPECT_EQ(sheet.Pixel(ox + 5, oy - 1), 0xFFFFFFu);
  EXPECT_EQ(sheet.Pixel(ox + 5, oy + 5), 0xFF0000u);
}

TEST(SheetComposer, IllustrationsShiftByThePrintersOffsets) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);
  page.setPageKind(1);
  test::AddItem(list, kKindRectangle, {0, 0}, {16, 16}).setLineColor(0x00FFFF);
  PrinterGeometry printer;
  printer.offsetX = 25;
  printer.offsetY = 30;
  const Bitmap sheet = Compose(list, ComposeMode::Printer, u"", printer);
  EXPECT_EQ(sheet.width(), 5100 - 50);
  EXPECT_EQ(sheet.height(), 6600 - 60);
  EXPECT_EQ(sheet.Pixel(0, 0), 0x00FFFFu);
  EXPECT_EQ(sheet.Pixel(100 - 25 - 1, 100 - 30 - 1), 0x00FFFFu);
  EXPECT_EQ(sheet.Pixel(100 - 25, 10), 0xFFFFFFu);
}

TEST(SheetComposer, PixelPagesPreviewAtTwiceTheirSize) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);
  page.setPageKind(9);
  page.setPageUnits(kUnitPixels);
  page.setPageWidth(800);
  page.setPageHeight(600);
  EXPECT_EQ(Compose(list, ComposeMode::Preview, u"").width(), 1600);
  EXPECT_EQ(Compose(list, ComposeMode::Export, u"").height(), 600);
}

TEST(SheetComposer, OversizedSheetsAreRefusedWithAReason) {
  ItemList list;
  test::AddPage(list);
  PrinterGeometry huge;
  huge.pageWidth = 400000;
  Bitmap sheet;
  const ComposeResult result =
      ComposeSheet(list, sheet, ComposeMode::Printer, u"", ScreenMetrics{}, huge, PaintBox);
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.message.find("too large"), std::string::npos);
  EXPECT_EQ(result.message.rfind(kNotEnoughMemory, 0), 0u) << result.message;
  EXPECT_TRUE(sheet.empty());
  ItemList none;
  EXPECT_FALSE(
      ComposeSheet(none, sheet, ComposeMode::Export, u"", ScreenMetrics{}, huge, PaintBox).ok);
}

// An item whose own bitmaps do not fit in memory fails the sheet with a message, not the program.
TEST(SheetComposer, AnItemThatRunsOutOfMemoryFailsTheSheetWithAMessage) {
  ItemList list;
  test::AddPage(list);
  test::AddItem(list, kKindLine, {0, 0}, {5, 5});
  Bitmap sheet;
  const ComposeResult result =
      ComposeSheet(list, sheet, ComposeMode::Export, u"", ScreenMetrics{}, PrinterGeometry{},
                   [](Primitives&, const ItemRecord&, const ItemList&, Point, double, double) {
                     throw std::bad_alloc();
                   });
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, kNotEnoughMemory);
  EXPECT_TRUE(sheet.empty());
}

// Progress hears of every item; asked to stop, the composer gives back nothing.
TEST(SheetComposer, ProgressCanStopTheSheet) {
  ItemList list;
  test::AddPage(list);
  for (int i = 0; i < 4; ++i)
    test::AddItem(list, kKindLine, {0, 0}, {5, 5 + i});
  std::vector<double> heard;
  Bitmap sheet;
  ComposeResult result = ComposeSheet(list, sheet, ComposeMode::Export, u"", ScreenMetrics{},
                                      PrinterGeometry{}, PaintBox, [&](double done) {
                                        heard.push_back(done);
                                        return true;
                                      });
  ASSERT_TRUE(result.ok);
  ASSERT_FALSE(heard.empty());
  EXPECT_DOUBLE_EQ(heard.back(), 1.0);
  EXPECT_TRUE(std::is_sorted(heard.begin(), heard.end()));
  result = ComposeSheet(list, sheet, ComposeMode::Export, u"", ScreenMetrics{}, PrinterGeometry{},
                        PaintBox, [](double done) { return done < 0.5; });
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.cancelled);
  EXPECT_TRUE(result.message.empty());
  EXPECT_TRUE(sheet.empty());
}

// Damaged card layouts: each composes what lies on the paper or fails with one sentence.
TEST(SheetComposer, DamagedCardLayoutsComposeOrFailWithASentence) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* name;
    void (*damage)(ItemRecord&);
    bool composes;
  };
  const Case cases[] = {
      {"negative left margin", [](ItemRecord& p) { p.setMarginLeft(-0.3); }, true},
      {"margin far left", [](ItemRecord& p) { p.setMarginLeft(-5000); }, true},
      {"negative top margin", [](ItemRecord& p) { p.setMarginTop(-30); }, true},
      {"overlapping cards", [](ItemRecord& p) { p.setGapHorizontal(-20); }, true},
      {"zero-sized cards", [](ItemRecord& p) { p.setCardWidth(0); }, true},
      {"negative card width", [](ItemRecord& p) { p.setCardWidth(-74); }, false},
      {"negative card height", [](ItemRecord& p) { p.setCardHeight(-1e-3); }, false},
      {"cards stacked backwards", [](ItemRecord& p) { p.setGapHorizontal(-80); }, false},
      {"NaN margin", [](ItemRecord& p) { p.setMarginTop(kNaN); }, false},
      {"huge gap", [](ItemRecord& p) { p.setGapVertical(1e300); }, false},
      {"every length -Infinity",
       [](ItemRecord& p) {
         for (auto set :
              {&ItemRecord::setPageWidth, &ItemRecord::setPageHeight, &ItemRecord::setCardWidth,
               &ItemRecord::setCardHeight, &ItemRecord::setMarginLeft, &ItemRecord::setMarginTop,
               &ItemRecord::setGapHorizontal, &ItemRecord::setGapVertical}) {
           (p.*set)(-kInf);
         }
       },
       false},
  };
  for (const Case& c : cases) {
    for (ComposeMode mode : {ComposeMode::Export, ComposeMode::Preview, ComposeMode::Printer}) {
      ItemList list;
      c.damage(BusinessCards(list));
      test::AddItem(list, kKindRectangle, {0, 0}, {40, 30}).setLineColor(0x0000FF);
      Bitmap sheet;
      const ComposeResult result =
          ComposeSheet(list, sheet, mode, u"x x x", ScreenMetrics{}, PrinterGeometry{}, PaintBox);
      EXPECT_EQ(result.ok, c.composes) << c.name << ": " << result.message;
      if (!result.ok) {
        EXPECT_TRUE(sheet.empty()) << c.name;
        EXPECT_EQ(result.message.back(), '.') << c.name;
        EXPECT_EQ(result.message.find('\n'), std::string::npos) << c.name;
      }
    }
  }
}

// Counts of cards far beyond the paper cost only the cards the paper shows.
TEST(SheetComposer, EndlessRowsAndColumnsComposeOnlyWhatThePaperShows) {
  ItemList list;
  ItemRecord& page = BusinessCards(list);
  page.setRows(std::numeric_limits<int32_t>::max());
  page.setColumns(std::numeric_limits<int32_t>::max());
  test::AddItem(list, kKindRectangle, {0, 0}, {40, 30}).setLineColor(0x00FF00);
  const Bitmap sheet = Compose(list, ComposeMode::Printer, u"");
  const int ox = RoundToInt32(600 * 21 / 25.4), oy = RoundToInt32(600 * 19.5 / 25.4);
  const int stepX = RoundToInt32(600 * 74 / 25.4) + RoundToInt32(600 * 10 / 25.4);
  const int stepY = RoundToInt32(600 * 52 / 25.4) + RoundToInt32(600 * 10 / 25.4);
  // The last card that starts on the paper, in both directions, carries the design.
  const int k = (sheet.width() - 1 - ox) / stepX, r = (sheet.height() - 1 - oy) / stepY;
  ASSERT_GT(k, 1);
  ASSERT_GT(r, 3);
  EXPECT_EQ(sheet.Pixel(ox + k * stepX, oy + r * stepY), 0x00FF00u);
  EXPECT_EQ(sheet.Pixel(ox + k * stepX - 2, oy + r * stepY), 0xFFFFFFu);
}

TEST(SheetComposer, TheDefaultRendererDrawsTheItems) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);
  page.setPageUnits(kUnitPixels);
  page.setPageWidth(40);
  page.setPageHeight(30);
  page.setPageKind(9);
  ItemRecord& box = test::AddRectangle(list, {5, 5}, {20, 20});
  box.setShapeStyle(2);
  box.setLineColor(0x0000FF);
  Bitmap sheet;
  ASSERT_TRUE(
      ComposeSheet(list, sheet, ComposeMode::Export, u"", ScreenMetrics{}, PrinterGeometry{}).ok);
  EXPECT_EQ(sheet.Pixel(10, 10), 0x0000FFu);
  EXPECT_EQ(sheet.Pixel(30, 25), 0xFFFFFFu);
}

}  // namespace
}  // namespace quillon
