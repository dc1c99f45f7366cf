// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>

#include "document/DocumentFile.h"
#include "support/CommandLineRun.h"
#include "support/DocumentFixtures.h"
#include "support/FullDisk.h"

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
      {{}, "exact.jpg", "JPEG"},   {{"--smooth"}, "smooth.bmp", "BMP"},
      {{}, "noextension", "JPEG"}, {{"--smooth"}, "upper.BMP", "BMP"},
      {{}, "exact.png", "PNG"},
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

// The extension chooses the picture type with blanks around it ignored; the file gets the name
// exactly as typed.
TEST_F(OutputCommandsTest, TheTypedExtensionChoosesThePictureTypeWhateverItsBlanksAndCase) {
  const std::string doc = DigitalImage();
  const std::pair<const char*, QByteArray> cases[] = {
      {"render1.ICO ", QByteArray("\0\0\1\0", 4)},
      {"render2.Bmp\t", QByteArray("BM")},
      {"render3.jpg ", QByteArray("\xFF\xD8\xFF")},
  };
  for (const auto& [name, start] : cases) {
    const auto run = Quillon({"convert", doc, Path(name)});
    ASSERT_EQ(run.status, 0) << name << ": " << run.err;
    EXPECT_TRUE(test::ReadAll(QString::fromStdString(Path(name))).startsWith(start)) << name;
  }
  EXPECT_EQ(QDir(dir_.path()).entryList({"render*"}, QDir::Files).size(), 3);
  // A document's extension is read the same way: records, with the mark at offset 60.
  const auto copy = Quillon({"convert", doc, Path("copy.QLLN ")});
  ASSERT_EQ(copy.status, 0) << copy.err;
  EXPECT_EQ(test::ReadAll(QString::fromStdString(Path("copy.QLLN "))).mid(60, 4),
            QByteArray("\xFF\x6B\xCA\x08", 4));
}

TEST_F(OutputCommandsTest, ConvertAtADpiWritesTheSheetAtThatResolution) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);  // A4 in millimetres
  page.setPageKind(1);
  ASSERT_TRUE(WriteDocument(dir_.filePath("a4.qlln"), list).ok());
  const std::string doc = Path("a4.qlln");
  const std::string image = DigitalImage();
  struct Case {
    std::string doc;
    const char* dpi;
    const char* out;
    const char* format;
    QSize size;
  };
  const Case cases[] = {
      {doc, "150", "a4-150.png", "PNG", {1240, 1754}},
      {doc, "300", "a4-300.jpg", "JPEG", {2480, 3508}},
      {doc, "72", "a4-72.bmp", "BMP", {595, 842}},
      {image, "192", "image-192.png", "PNG", {1600, 1200}},
  };
  for (const Case& c : cases) {
    const auto run = Quillon({"convert", "--dpi", c.dpi, c.doc, Path(c.out)});
    ASSERT_EQ(run.status, 0) << c.out << ": " << run.err;
    const QImage picture(QString::fromStdString(Path(c.out)), c.format);
    EXPECT_EQ(picture.size(), c.size) << c.out;
    // The resolution is written into the file, so that it prints at its size.
    EXPECT_NEAR(picture.dotsPerMeterX() * 0.0254, std::atoi(c.dpi), 1) << c.out;
  }
}

TEST_F(OutputCommandsTest, ConvertAtADpiRefusesBadValuesAndTooLargePictures) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);
  page.setPageWidth(1000);  // a metre wide: 94489 pixels at 2400 dpi
  ASSERT_TRUE(WriteDocument(dir_.filePath("wide.qlln"), list).ok());
  const std::string doc = Path("wide.qlln");
  for (const char* bad : {"71", "2401", "abc", "300.5"}) {
    const auto run = Quillon({"convert", "--dpi", bad, doc, Path("x.png")});
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_NE(run.err.find("--dpi needs a whole number from 72 to 2400"), std::string::npos)
        << run.err;
  }
  EXPECT_EQ(Quillon({"convert", "--dpi", "300", "--smooth", doc, Path("x.png")}).status, 2);
  EXPECT_EQ(Quillon({"print", "--dpi", "300", "--pdf", Path("x.pdf"), doc}).status, 2);
  const auto large = Quillon({"convert", "--dpi", "2400", doc, Path("large.png")});
  EXPECT_EQ(large.status, 1);
  EXPECT_NE(large.err.find("There is not enough memory to prepare this picture."),
            std::string::npos)
      << large.err;
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("large.png"))));
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

TEST_F(OutputCommandsTest, OutputsNeverReplaceTheInputAPipeOrAnotherName) {
  const std::string doc = DigitalImage();
  const QByteArray original = test::ReadAll(QString::fromStdString(doc));
  ASSERT_EQ(::mkfifo(Path("pipe.jpg").c_str(), 0600), 0);
  struct Case {
    std::vector<std::string> args;
    std::string inErr;
  };
  const Case cases[] = {
      {{"convert", doc, Path("pipe.jpg")}, "not a regular file"},
      {{"convert", doc, dir_.path().toStdString()}, "folder"},
      {{"print", "--pdf", Path("pipe.jpg"), doc}, "not a regular file"},
      {{"print", "--pdf", doc, doc}, "input document"},
  };
  for (const Case& c : cases) {
    const auto run = Quillon(c.args);
    EXPECT_EQ(run.status, 1) << c.args[2] << ": " << run.err;
    EXPECT_NE(run.err.find(c.inErr), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  EXPECT_EQ(test::ReadAll(QString::fromStdString(doc)), original);
  struct stat status {};
  ASSERT_EQ(::stat(Path("pipe.jpg").c_str(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
  // Only the document, the pipe and the folder's own entries: no other name was written.
  EXPECT_EQ(QDir(dir_.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                .size(),
            2);

  // A name that is not UTF-8 is written under exactly its bytes, or refused where Qt cannot
  // carry it (a UTF-8 locale); never under another name.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"convert", doc, Path("\xff\xfe.jpg")},
        {"print", "--pdf", Path("\xff.pdf"), doc}}) {
    const std::string& name = args[2];  // the output in both commands
    const auto run = Quillon(args);
    if (run.status == 0) {
      EXPECT_EQ(::stat(name.c_str(), &status), 0) << run.err;
      ::unlink(name.c_str());
    } else {
      EXPECT_EQ(run.status, 1);
      EXPECT_NE(run.err.find("not UTF-8"), std::string::npos) << run.err;
    }
    EXPECT_EQ(QDir(dir_.path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                  .size(),
              2);
  }

  // A trailing blank is part of the name but not of the type: the document stays, and a new
  // document gets that name.
  ASSERT_EQ(Quillon({"convert", doc, doc + " "}).status, 0);
  EXPECT_EQ(test::ReadAll(QString::fromStdString(doc)), original);
  EXPECT_EQ(test::ReadAll(QString::fromStdString(doc + " ")).mid(60, 4),
            QByteArray("\xFF\x6B\xCA\x08", 4));
}

TEST_F(OutputCommandsTest, AFailedPrintKeepsTheOldPdfAndLeavesNoTemporaryFile) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);
  page.setPageKind(1);
  page.setPageWidth(5000);  // 5 metres: far too large to compose at 2400 dpi
  ASSERT_TRUE(WriteDocument(dir_.filePath("large.qlln"), list).ok());
  test::WriteAll(dir_.filePath("old.pdf"), "an earlier print");
  const auto run =
      Quillon({"print", "--resolution", "2400", "--pdf", Path("old.pdf"), Path("large.qlln")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("too large to compose"), std::string::npos) << run.err;
  EXPECT_EQ(test::ReadAll(dir_.filePath("old.pdf")), "an earlier print");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
  // A print that succeeds replaces it.
  ASSERT_EQ(Quillon({"print", "--pdf", Path("old.pdf"), DigitalImage()}).status, 0);
  EXPECT_TRUE(test::ReadAll(dir_.filePath("old.pdf")).startsWith("%PDF-"));
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TEST_F(OutputCommandsTest, ConvertNeverWritesADocumentOverItsInput) {
  // A document, and a copy of it that breaks off inside a record: written over, the copy would
  // lose the part that could not be read.
  ItemList list;
  test::AddPage(list);
  test::AddItem(list, kKindLine, {10, 0}, {50, 40});
  ASSERT_TRUE(WriteDocument(dir_.filePath("whole.qlln"), list).ok());
  const QByteArray whole = test::ReadAll(dir_.filePath("whole.qlln"));
  test::WriteAll(dir_.filePath("cut.qlln"), whole + whole.right(448).left(200));
  ASSERT_EQ(::symlink(Path("cut.qlln").c_str(), Path("link.qlln").c_str()), 0);
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir_.path()));
  const std::string up = "../" + QDir(dir_.path()).dirName().toStdString() + "/";
  const std::vector<std::string> cases[] = {
      {"convert", Path("whole.qlln"), Path("whole.qlln")},
      {"convert", "whole.qlln", up + "whole.qlln"},
      {"convert", "--force", Path("cut.qlln"), Path("cut.qlln")},
      {"convert", "--force", "cut.qlln", "./cut.qlln"},
      {"convert", "--force", "./cut.qlln", Path("cut.qlln")},
      {"convert", "--force", Path("link.qlln"), "cut.qlln"},
      {"convert", "--force", "cut.qlln", Path("link.qlln")},
  };
  const QByteArray cut = test::ReadAll(dir_.filePath("cut.qlln"));
  for (const std::vector<std::string>& args : cases) {
    const auto run = Quillon(args);
    const std::string& output = args.back();
    EXPECT_EQ(run.status, 1) << output << ": " << run.err;
    EXPECT_NE(run.err.find(output + ": this is the input document"), std::string::npos) << run.err;
  }
  QDir::setCurrent(before);
  EXPECT_EQ(test::ReadAll(dir_.filePath("whole.qlln")), whole);
  EXPECT_EQ(test::ReadAll(dir_.filePath("cut.qlln")), cut);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({"cut.qlln", "link.qlln", "whole.qlln"}));
}

TEST_F(OutputCommandsTest, OutputsToAFullDiskFailWithTheCauseAndKeepTheOldFile) {
  test::FullDisk disk;
  if (!disk.mounted()) GTEST_SKIP() << "no small file system can be mounted here";
  // Something on the page, so that every output has more than its frame to write.
  ItemList list;
  test::AddPage(list).setPageKind(1);
  test::AddRectangle(list, {10, 10}, {300, 200}).setFillColor(0x3060C0);
  ASSERT_TRUE(WriteDocument(dir_.filePath("card.qlln"), list).ok());
  const std::string doc = Path("card.qlln");
  const QString names[] = {"keep.pdf", "keep.png", "keep.bmp", "keep.jpg", "keep.qlln"};
  for (const QString& name : names)
    ASSERT_TRUE(test::WriteAll(disk.filePath(name), "an earlier output"));
  ASSERT_TRUE(disk.Fill());
  for (const QString& kept : names) {
    for (const QString& name : {kept, "new" + kept.mid(4)}) {
      const std::string out = disk.filePath(name).toStdString();
      const auto run = name.endsWith(".pdf") ? Quillon({"print", "--pdf", out, doc})
                                             : Quillon({"convert", doc, out});
      EXPECT_EQ(run.status, 1) << out;
      EXPECT_TRUE(
          QString::fromStdString(run.err).contains("No space left on device", Qt::CaseInsensitive))
          << run.err;
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
  }
  for (const QString& name : names)
    EXPECT_EQ(test::ReadAll(disk.filePath(name)), "an earlier output") << name.toStdString();
  EXPECT_EQ(disk.Names().size(), std::size(names)) << disk.Names().join(' ').toStdString();
  // With room again, the same outputs replace the old files.
  disk.Free();
  ASSERT_EQ(Quillon({"print", "--pdf", disk.filePath("keep.pdf").toStdString(), doc}).status, 0);
  EXPECT_TRUE(test::ReadAll(disk.filePath("keep.pdf")).trimmed().endsWith("%%EOF"));
  ASSERT_EQ(Quillon({"convert", doc, disk.filePath("keep.png").toStdString()}).status, 0);
  EXPECT_TRUE(test::ReadAll(disk.filePath("keep.png")).startsWith("\x89PNG"));
}

TEST_F(OutputCommandsTest, UsageErrorsAreOneSentenceAndAPointerToHelp) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"print"}, {"frobnicate"}, {"convert", "--copies", "0"}}) {
    const auto run = Quillon(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
    EXPECT_NE(run.err.find("\"quillon --help\""), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Usage:"), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace quillon
