// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "document/DocumentFile.h"
#include "support/CommandLineRun.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

using test::Quillon;

class OutputCommandsTest : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }

  // A digital image of 800 x 600 pixels.
  std::string DigitalImage() {
    ItemList list;
    ItemRecord& page = test::AddPage(list);
    page.setPageKind(9);
    page.setPageUnits(kUnitPixels);
    page.setPixelsPerUnitX(1);
    page.setPixelsPerUnitY(1);
    page.setPageWidth(800);
    page.setPageHeight(600);
    EXPECT_TRUE(WriteDocument(dir_.filePath("image.qlln"), list).ok());
    return Path("image.qlln");
  }

  QTemporaryDir dir_;
};

TEST_F(OutputCommandsTest, ExactAndSmoothExportTheSameSize) {
  const std::string doc = DigitalImage();
  struct Case {
    std::vector<std::string> extra;
    const char* out;
    const char* format;
  };
  const Case cases[] = {
      {{}, "exact.jpg", "JPEG"},
      {{"--smooth"}, "smooth.bmp", "BMP"},
      {{}, "noextension", "JPEG"},
      {{"--smooth"}, "upper.BMP", "BMP"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"convert"};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    args.push_back(doc);
    args.push_back(Path(c.out));
    const auto run = Quillon(args);
    ASSERT_EQ(run.status, 0) << c.out << ": " << run.err;
    const QImage image(QString::fromStdString(Path(c.out)), c.format);
    EXPECT_EQ(image.size(), QSize(800, 600)) << c.out;
    EXPECT_EQ(image.pixel(400, 300) & 0xFFFFFF, 0xFFFFFFu) << "an empty page is white";
  }
}

TEST_F(OutputCommandsTest, PrintsToPdf) {
  const std::string doc = DigitalImage();
  const auto run = Quillon({"print", "--pdf", Path("sheet.pdf"), "--resolution", "150", doc});
  ASSERT_EQ(run.status, 0) << run.err;
  QFile pdf(QString::fromStdString(Path("sheet.pdf")));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_EQ(pdf.read(5), QByteArray("%PDF-"));
  const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
  if (pdfinfo.isEmpty()) GTEST_SKIP() << "pdfinfo is not installed";
  QProcess info;
  info.start(pdfinfo, {pdf.fileName()});
  ASSERT_TRUE(info.waitForFinished());
  const QString text = QString::fromLocal8Bit(info.readAllStandardOutput());
  EXPECT_TRUE(text.contains(QRegularExpression("Pages: +1\\n"))) << text.toStdString();
  EXPECT_TRUE(text.contains("600 x 450 pts")) << text.toStdString();
}

TEST_F(OutputCommandsTest, OutputFailuresAreOneSentenceAndUsageErrorsExitTwo) {
  const std::string doc = DigitalImage();
  const auto missing = Quillon({"convert", doc, Path("no/such/folder/out.jpg")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("out.jpg"), std::string::npos) << missing.err;
  EXPECT_EQ(Quillon({"print", "--copies", "0", "--pdf", Path("x.pdf"), doc}).status, 2);
  EXPECT_EQ(Quillon({"print", "--resolution", "abc", doc}).status, 2);
  EXPECT_EQ(Quillon({"print"}).status, 2);
  EXPECT_EQ(Quillon({"print", "--pdf", Path("no/such/folder/x.pdf"), doc}).status, 1);
}

}  // namespace
}  // namespace quillon
