// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "document/DocumentFile.h"
#include "output/PrinterSettings.h"
#include "settings/SettingsStore.h"
#include "support/CommandLineRun.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

using test::Quillon;

constexpr int kDpi = 100;

class FirstCardCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "no pdftoppm";
    OpenSettingsStore()->clear();
    // Business cards on A4, 2 columns and 4 rows, with a rectangle on the first card.
    ItemList list;
    test::AddBusinessCardSheet(list);
    test::AddRectangle(list, {10, 10}, {200, 150}).setLineColor(0);
    ASSERT_TRUE(WriteDocument(dir_.filePath("cards.qlln"), list).ok());
  }
  void TearDown() override { OpenSettingsStore()->clear(); }

  std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }

  // Prints with the extra options and gives the page rasterised at kDpi.
  QImage Printed(const std::vector<std::string>& extra, test::CliRun* run = nullptr) {
    std::vector<std::string> args{"print", "--pdf", Path("sheet.pdf"), "--resolution",
                                  std::to_string(kDpi)};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(Path("cards.qlln"));
    const test::CliRun done = Quillon(args);
    if (run != nullptr) *run = done;
    if (done.status != 0) return {};
    QProcess raster;
    raster.start(QStandardPaths::findExecutable("pdftoppm"),
                 {"-r", QString::number(kDpi), QString::fromStdString(Path("sheet.pdf"))});
    raster.waitForFinished(60000);
    return QImage::fromData(raster.readAllStandardOutput(), "PPM");
  }

  // Whether anything of card `position` (from 1, row by row) is printed: a dark pixel on the
  // line through the middle of the card.
  static bool Inked(const QImage& page, int position) {
    const int r = (position - 1) / 2, k = (position - 1) % 2;
    const double left = 21 + k * 84, y = 19.5 + r * 62 + 26;
    for (double x = left; x < left + 74; x += 0.1) {
      if (qGray(page.pixel(int(x / 25.4 * kDpi), int(y / 25.4 * kDpi))) < 128) return true;
    }
    return false;
  }

  QTemporaryDir dir_;
};

TEST_F(FirstCardCommand, LeavesTheCardsBeforeTheFirstOneBlank) {
  const struct {
    int first;
    const char* select;
    std::vector<int> inked;
  } cases[] = {
      {1, "", {1, 2, 3, 4, 5, 6, 7, 8}},
      {2, "", {2, 3, 4, 5, 6, 7, 8}},
      {8, "", {8}},
      {3, "   x", {3, 5, 6, 7, 8}},
  };
  for (const auto& c : cases) {
    const QImage page = Printed({"--first-card", std::to_string(c.first), "--select", c.select});
    ASSERT_FALSE(page.isNull()) << c.first;
    for (int position = 1; position <= 8; ++position) {
      const bool expected = std::find(c.inked.begin(), c.inked.end(), position) != c.inked.end();
      EXPECT_EQ(Inked(page, position), expected) << "start " << c.first << ", card " << position;
    }
  }
  test::CliRun run;
  EXPECT_TRUE(Printed({"--first-card", "9"}, &run).isNull());
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("the sheet has 8 cards; there is no card 9 to start at."),
            std::string::npos)
      << run.err;
  EXPECT_EQ(Quillon({"print", "--first-card", "0", Path("cards.qlln")}).status, 2);
  EXPECT_EQ(Quillon({"print", "--first-card", "two", Path("cards.qlln")}).status, 2);
}

// The left edge of the first card's rectangle, in pixels of the page.
int BlockLeft(const QImage& page) {
  const int y = int((19.5 + 26) / 25.4 * kDpi);
  for (int x = 0; x < page.width(); ++x) {
    if (qGray(page.pixel(x, y)) < 128) return x;
  }
  return -1;
}

TEST_F(FirstCardCommand, APdfIsPrintedWithAChosenPrintersCorrectionOnly) {
  ASSERT_TRUE(WritePrinterCorrection(*OpenSettingsStore(), "Laser", {5.08, 0, 100, 100}));
  const int plain = BlockLeft(Printed({}));
  ASSERT_GT(plain, 0);
  // 5.08 mm is a fifth of an inch: 20 pixels at 100 per inch.
  EXPECT_EQ(BlockLeft(Printed({"--correction", "Laser"})), plain + 20);
  EXPECT_EQ(BlockLeft(Printed({"--correction", "none"})), plain);
  test::CliRun run;
  EXPECT_TRUE(Printed({"--correction", "Gone"}, &run).isNull());
  EXPECT_NE(run.err.find("no correction is stored for the printer \"Gone\"."), std::string::npos)
      << run.err;
  // An entry edited by hand into nonsense is ignored with a note, and the page printed plain.
  OpenSettingsStore()->setValue(QStringLiteral("PrinterCorrections/scaleX1"), "150");
  EXPECT_EQ(BlockLeft(Printed({"--correction", "Laser"}, &run)), plain);
  EXPECT_NE(run.err.find("note: The stored correction of the printer \"Laser\" was ignored"),
            std::string::npos)
      << run.err;
}

}  // namespace
}  // namespace quillon
