// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export and File > Print through the main window, with scripted dialogs, against the
// command line's output for the same document.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "document/DocumentFile.h"
#include "output/SheetComposer.h"
#include "output/ui/TPreview.h"
#include "output/ui/TPrsel.h"
#include "shell/HostWindow.h"
#include "shell/ShellFixture.h"
#include "shell/ShellIntegration.h"
#include "support/CommandLineRun.h"
#include "support/DocumentFixtures.h"
#include "support/FullDisk.h"
#include "support/Wait.h"

namespace quillon {
namespace {

using test::Quillon;
using test::ReadAll;

class OutputDialogsTest : public test::ShellTest {
 protected:
  // An 80 x 50 mm page with a filled rectangle, opened in a window; its path.
  QString OpenDrawing() {
    ItemList list;
    ItemRecord& page = test::AddPage(list);
    page.setPageWidth(80);
    page.setPageHeight(50);
    page.setDesignWidth(80);
    page.setDesignHeight(50);
    UpdatePageRect(page);
    ItemRecord& box = test::AddRectangle(list, {40, 30}, {200, 150});
    box.setFillColor(0x3060C0);
    box.setLineColor(0x000000);
    const QString path = Path("drawing.qlln");
    EXPECT_TRUE(WriteDocument(path, list).ok());
    form_->OpenDocumentWindow(path);
    EXPECT_NE(form_->ActiveWindow(), nullptr);
    return path;
  }
  // A 2 x 2 sheet of business cards with a rectangle on the first card, opened in a window.
  QString OpenCardSheet() {
    ItemList list;
    test::AddSquareCardSheet(list);
    test::AddRectangle(list, {30, 30}, {150, 140}).setFillColor(0x3060C0);
    const QString path = Path("cards.qlln");
    EXPECT_TRUE(WriteDocument(path, list).ok());
    form_->OpenDocumentWindow(path);
    EXPECT_NE(form_->ActiveWindow(), nullptr);
    return path;
  }
  TPrsel* Selection() const { return qobject_cast<TPrsel*>(form_->HostY()->Panel()); }
  // A click in the middle of a card of the selection map.
  void ClickCard(int index) {
    SelectionMapView* view = Selection()->MapView();
    const MapCard& card = view->Map().cards.at(index);
    QTest::mouseClick(view, Qt::LeftButton, {},
                      QPoint(card.left + card.width / 2, card.top + card.height / 2));
  }
  std::string Std(const QString& path) const { return path.toStdString(); }
  std::vector<FileDialogRequest>& Requests() { return files_.saveRequests; }
};

TEST_F(OutputDialogsTest, ExportExactAndSmoothWriteWhatTheCommandLineWrites) {
  const QString doc = OpenDrawing();
  struct Case {
    const char* trigger;  // a menu entry, or "button" for toolbar button 4
    const char* name;
    bool smooth;
  };
  const Case cases[] = {
      {"Exact1", "exact.bmp", false},  {"button", "button.bmp", false},
      {"Smooth1", "smooth.bmp", true}, {"Exact1", "exact.png", false},
      {"Smooth1", "smooth.jpg", true},
  };
  for (const Case& c : cases) {
    const QString mine = Path(c.name);
    files_.saveAnswers = {mine};
    if (std::string(c.trigger) == "button") {
      Button(4)->click();
    } else {
      Trigger(c.trigger);
    }
    const QString theirs = Path("cli_") + c.name;
    std::vector<std::string> args{"convert"};
    if (c.smooth) args.push_back("--smooth");
    args.insert(args.end(), {Std(doc), Std(theirs)});
    ASSERT_EQ(Quillon(args).status, 0) << c.name;
    const QByteArray written = ReadAll(mine);
    ASSERT_FALSE(written.isEmpty()) << c.name;
    EXPECT_TRUE(written == ReadAll(theirs)) << c.name << " differs from the command line's";
  }
  EXPECT_EQ(QImage(Path("exact.png"), "PNG").size(), QImage(Path("exact.bmp"), "BMP").size());
  EXPECT_TRUE(prompter_.asked.empty()) << prompter_.Texts().front();
}

TEST_F(OutputDialogsTest, ExportDialogStartsWhereItLeftOffAndRemembersTheFilter) {
  OpenDrawing();
  const QString pictures = Path("pictures");
  ASSERT_TRUE(QDir().mkpath(pictures));
  struct Case {
    int storedIndex;
    QString storedFolder;
    int chosenFilter;
    const char* typed;  // in the pictures folder
    int indexAfter;
    const char* written;
    const char* format;
  };
  const Case cases[] = {
      {5, Path("gone"), 2, "card.BMP ", 2, "card.BMP", "BMP"},  // an old index starts on JPEG
      {2, pictures, 1, "noextension", 1, "noextension.jpg", "JPEG"},
      {1, pictures, 3, "card.png", 3, "card.png", "PNG"},
      {3, pictures, 0, "again.png", 3, "again.png", "PNG"},  // no choice reported keeps it
      {2, pictures, 1, "shown.jpeg", 1, "shown.jpeg", "JPEG"},
  };
  for (const Case& c : cases) {
    form_->Params().expndx = c.storedIndex;
    form_->Params().expdir = c.storedFolder;
    files_.saveAnswers = {pictures + u'/' + QString::fromLatin1(c.typed)};
    files_.filterAnswers = {c.chosenFilter};
    Trigger("Exact1");
    const FileDialogRequest& request = Requests().back();
    EXPECT_EQ(request.title, "Export");
    EXPECT_EQ(request.filter,
              "JPEG Image Files (*.jpg,*.jpeg)|*.jpg;*.jpeg|Bitmaps (*.bmp)|*.bmp|"
              "PNG Images (*.png)|*.png");
    EXPECT_EQ(request.defaultExtension, "jpg");
    EXPECT_EQ(request.filterIndex, c.storedIndex <= 3 ? c.storedIndex : 1) << c.typed;
    EXPECT_EQ(request.initialFolder, QDir(c.storedFolder).exists() ? c.storedFolder : QString())
        << c.typed;
    EXPECT_EQ(form_->Params().expndx, c.indexAfter) << c.typed;
    EXPECT_EQ(form_->Params().expdir, pictures) << c.typed;
    EXPECT_FALSE(QImage(pictures + u'/' + QString::fromLatin1(c.written), c.format).isNull())
        << c.written;
  }
}

TEST_F(OutputDialogsTest, AnExistingPictureIsReplacedOnlyOnYes) {
  OpenDrawing();
  const QString target = Path("old.jpg");
  ASSERT_TRUE(test::WriteAll(target, "the old picture"));
  for (PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
    prompter_.asked.clear();
    prompter_.answers = {answer};
    files_.saveAnswers = {target};
    Trigger("Smooth1");
    ASSERT_EQ(prompter_.Texts(), std::vector<std::string>{"Replace the existing file?"});
    EXPECT_EQ(ReadAll(target) == "the old picture", answer == PromptAnswer::No);
  }
  EXPECT_FALSE(QImage(target, "JPEG").isNull());

  // Cancelling the dialog writes nothing; a failed write says why and names the file.
  files_.saveAnswers = {};
  Trigger("Exact1");
  files_.saveAnswers = {Path("no/such/folder/card.jpg")};
  prompter_.asked.clear();
  Trigger("Exact1");
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].style, PromptStyle::Error);
  EXPECT_NE(prompter_.asked[0].text.find("card.jpg"), std::string::npos);
  EXPECT_EQ(QDir(dir_.path()).entryList({"*.jpg"}, QDir::Files), QStringList{"old.jpg"});
}

// The page size and the pixels of a PDF's only page at a low resolution.
std::pair<QString, QByteArray> PdfPage(const QString& pdf) {
  QProcess info;
  info.start(QStandardPaths::findExecutable("pdfinfo"), {pdf});
  info.waitForFinished();
  QString size;
  for (const QString& line : QString::fromLocal8Bit(info.readAllStandardOutput()).split('\n')) {
    if (line.startsWith("Page size:") || line.startsWith("Pages:")) size += line + '\n';
  }
  QProcess raster;
  raster.start(QStandardPaths::findExecutable("pdftoppm"), {"-r", "40", pdf});
  raster.waitForFinished();
  return {size, raster.readAllStandardOutput()};
}

TEST_F(OutputDialogsTest, PrintToFileGivesTheCommandLinesPdfPage) {
  if (QStandardPaths::findExecutable("pdfinfo").isEmpty() ||
      QStandardPaths::findExecutable("pdftoppm").isEmpty()) {
    GTEST_SKIP() << "poppler-utils is not installed";
  }
  const QString doc = OpenDrawing();
  const QString mine = Path("window.pdf"), theirs = Path("cli.pdf");
  printDialog_.answer = test::ScriptedPrintDialog::Answer{mine, 2};
  Trigger("Print1");
  ASSERT_EQ(printDialog_.calls, 1);
  EXPECT_NEAR(printDialog_.offeredPaper.width(), 80, 0.5) << "the dialog offers the page's paper";
  EXPECT_NEAR(printDialog_.offeredPaper.height(), 50, 0.5);
  EXPECT_EQ(printDialog_.copies, 2);
  ASSERT_EQ(Quillon({"print", "--pdf", Std(theirs), Std(doc)}).status, 0);
  const auto [size, pixels] = PdfPage(mine);
  EXPECT_TRUE(size.contains(QRegularExpression("Pages: +1\\n"))) << size.toStdString();
  EXPECT_EQ(size, PdfPage(theirs).first);
  EXPECT_FALSE(pixels.isEmpty());
  EXPECT_TRUE(pixels == PdfPage(theirs).second) << "the pages look different";
  EXPECT_TRUE(prompter_.asked.empty()) << prompter_.Texts().front();

  // Toolbar button 5 prints too; a cancelled dialog prints nothing.
  const QString again = Path("button.pdf");
  printDialog_.answer = test::ScriptedPrintDialog::Answer{again, 1};
  Button(5)->click();
  EXPECT_TRUE(PdfPage(again).second == pixels);
  printDialog_.answer.reset();
  Trigger("Print1");
  EXPECT_EQ(printDialog_.calls, 3);
  EXPECT_EQ(QDir(dir_.path()).entryList({"*.pdf"}, QDir::Files),
            (QStringList{"button.pdf", "cli.pdf", "window.pdf"}));
}

TEST_F(OutputDialogsTest, ACardSheetPrintsTheCardsChosenOnTheSelectionMap) {
  if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "no pdftoppm";
  const QString doc = OpenCardSheet();
  TSandbox* window = form_->ActiveWindow();
  window->PrintSelection() = u"x";
  Button(5)->click();
  THostWindow* host = form_->HostY();
  ASSERT_TRUE(host->isVisible());
  EXPECT_EQ(host->windowTitle(), "Options");
  EXPECT_EQ(host->FirstButton()->text(), "Print");
  ASSERT_NE(Selection(), nullptr);
  EXPECT_EQ(printDialog_.calls, 0) << "nothing prints before the selection's Print";
  EXPECT_EQ(Selection()->Selection(), u"x") << "the window's selection is shown";
  // The map fills the area it is shown in, whatever size the host took.
  const QSize area = Selection()->MapView()->parentWidget()->size();
  EXPECT_GE(Selection()->MapView()->width(), area.width() * 8 / 10 - 20);

  // The first card taken back, then none but the last one chosen.
  ClickCard(0);
  EXPECT_EQ(Selection()->Selection(), u"    ");
  emit Selection()->findChild<QLabel*>("none")->linkActivated("none");
  EXPECT_EQ(Selection()->Selection(), u"xxxx");
  ClickCard(3);
  EXPECT_EQ(Selection()->Selection(), u"xxx ");

  const QString mine = Path("chosen.pdf"), theirs = Path("cli.pdf");
  printDialog_.answer = test::ScriptedPrintDialog::Answer{mine, 1};
  QTest::mouseClick(host->FirstButton(), Qt::LeftButton);
  EXPECT_FALSE(host->isVisible());
  ASSERT_TRUE(test::WaitUntil([&] { return printDialog_.calls == 1; }));
  EXPECT_EQ(window->PrintSelection(), u"xxx ");
  ASSERT_EQ(Quillon({"print", "--pdf", Std(theirs), "--select", "xxx ", Std(doc)}).status, 0);
  EXPECT_TRUE(PdfPage(mine).second == PdfPage(theirs).second) << "the pages look different";
}

TEST_F(OutputDialogsTest, ASelectionIsDiscardedOnCancelAndWhenItsWindowCloses) {
  OpenCardSheet();
  TSandbox* window = form_->ActiveWindow();
  Trigger("Print1");
  ClickCard(1);
  QTest::mouseClick(form_->HostY()->SecondButton(), Qt::LeftButton);
  EXPECT_FALSE(form_->HostY()->isVisible());
  EXPECT_EQ(window->PrintSelection(), u"");

  Trigger("Print1");
  ASSERT_NE(Selection(), nullptr);
  ClickCard(2);
  Trigger("Close1");
  EXPECT_TRUE(test::WaitUntil([&] { return !form_->HostY()->isVisible(); }, 5000))
      << "the selection goes with its window";
  EXPECT_TRUE(form_->Windows().empty());
  EXPECT_EQ(printDialog_.calls, 0);
}

TEST_F(OutputDialogsTest, ThePreviewLeavesDeselectedCardsWhiteAndExportsAndPrintsWhatItShows) {
  OpenCardSheet();
  TSandbox* window = form_->ActiveWindow();
  Trigger("PrintPreview1");
  ASSERT_TRUE(form_->HostY()->isVisible());
  EXPECT_EQ(form_->HostY()->FirstButton()->text(), "Preview");
  ClickCard(1);
  ClickCard(2);
  QTest::mouseClick(form_->HostY()->FirstButton(), Qt::LeftButton);
  EXPECT_EQ(window->PrintSelection(), u" xx ");
  THostWindow* host = form_->HostX();
  TPreview* preview = nullptr;
  ASSERT_TRUE(test::WaitUntil([&] {
    preview = qobject_cast<TPreview*>(host->Panel());
    return host->isVisible() && preview != nullptr && preview->Prepared();
  }));
  EXPECT_EQ(host->windowTitle(), window->GetTitle());
  EXPECT_EQ(host->FirstButton()->text(), "Print");
  // The whole sheet shows at once, reduced when the area is smaller, 10 pixels from its edges.
  preview->View()->resize(300, 200);
  const QRect fitted = preview->View()->PictureRect();
  EXPECT_TRUE(QRect(10, 10, 280, 180).contains(fitted)) << fitted.width() << "x" << fitted.height();
  EXPECT_EQ(fitted.height(), 180);
  preview->View()->resize(500, 500);
  EXPECT_EQ(preview->View()->PictureRect(), QRect(61, 61, 378, 378));
  EXPECT_FALSE(preview->View()->grab().isNull());

  // The cards, 40 mm (151 screen pixels) wide 5 mm (19 pixels) from the corner and 50 mm
  // (189 pixels) apart: the ones printed carry the design, the others are white.
  const QImage shown = preview->Picture().Image();
  EXPECT_EQ(shown.size(), QSize(378, 378));
  auto drawn = [](const QImage& image, int card) {
    const int left = 19 + (card % 2) * 189, top = 19 + (card / 2) * 189;
    int pixels = 0;
    for (int y = top + 1; y < top + 150; ++y) {
      for (int x = left + 1; x < left + 150; ++x)
        pixels += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    }
    return pixels;
  };
  const bool printed[] = {true, false, false, true};
  for (int card = 0; card < 4; ++card)
    EXPECT_EQ(drawn(shown, card) > 100, printed[card]) << card;

  // The export link saves the picture shown; Print prints the window.
  files_.saveAnswers = {Path("preview.bmp")};
  emit preview->findChild<QLabel*>("texts")->linkActivated("export");
  const QImage saved(Path("preview.bmp"), "BMP");
  ASSERT_EQ(saved.size(), shown.size());
  for (int card = 0; card < 4; ++card)
    EXPECT_EQ(drawn(saved, card), drawn(shown, card)) << card;
  printDialog_.answer = test::ScriptedPrintDialog::Answer{Path("previewed.pdf"), 1};
  QTest::mouseClick(host->FirstButton(), Qt::LeftButton);
  EXPECT_FALSE(host->isVisible());
  ASSERT_TRUE(test::WaitUntil([&] { return printDialog_.calls == 1; }));
  EXPECT_TRUE(QFile::exists(Path("previewed.pdf")));
}

TEST_F(OutputDialogsTest, APreviewWhoseWindowClosesIsNeverPrepared) {
  OpenDrawing();
  Trigger("PrintPreview1");
  THostWindow* host = form_->HostX();
  ASSERT_TRUE(host->isVisible());
  auto* preview = qobject_cast<TPreview*>(host->Panel());
  ASSERT_NE(preview, nullptr);
  EXPECT_FALSE(preview->Prepared());
  Trigger("Close1");
  EXPECT_TRUE(test::WaitUntil([&] { return !host->isVisible(); }, 5000));
  EXPECT_TRUE(test::WaitUntil([&] { return host->Panel() == nullptr; }, 5000));
}

// A picture beyond the bitmap limits is never attempted: the preview and the export say so.
TEST_F(OutputDialogsTest, APictureTooLargeForMemorySaysSoInsteadOfEndingTheProgram) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);
  page.setPageKind(9);
  const UnitScale pixels = UnitsScale(kUnitPixels, list.screen());
  page.setPageUnits(pixels.units);
  page.setPixelsPerUnitX(pixels.pixelsPerUnitX);
  page.setPixelsPerUnitY(pixels.pixelsPerUnitY);
  page.setPageWidth(30000);
  page.setPageHeight(30000);
  page.setDesignWidth(200);
  page.setDesignHeight(200);
  UpdatePageRect(page);
  test::AddRectangle(list, {10, 10}, {100, 100});
  const QString path = Path("huge.qlln");
  ASSERT_TRUE(WriteDocument(path, list).ok());
  form_->OpenDocumentWindow(path);
  ASSERT_NE(form_->ActiveWindow(), nullptr);

  Trigger("PrintPreview1");
  auto* preview = qobject_cast<TPreview*>(form_->HostX()->Panel());
  ASSERT_NE(preview, nullptr);
  preview->Prepare();
  EXPECT_FALSE(preview->Prepared());
  EXPECT_TRUE(preview->findChild<QLabel*>("texts")->text().startsWith(
      QString::fromLatin1(kNotEnoughMemory)));
  EXPECT_FALSE(preview->findChild<QWidget*>("exportButton")->isVisible());
  form_->HostX()->hide();

  files_.saveAnswers = {Path("huge.jpg")};
  Trigger("Exact1");
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].text.rfind(kNotEnoughMemory, 0), 0u) << prompter_.asked[0].text;
  EXPECT_FALSE(QFile::exists(Path("huge.jpg")));
}

TEST_F(OutputDialogsTest, AScreenshotWritesTwoWebPicturesOfTheFrame) {
  form_->Params().expndx = 2;
  const QString kept = Path("shot_400w.jpg");
  ASSERT_TRUE(test::WriteAll(kept, "an older screenshot"));
  prompter_.answers = {PromptAnswer::No};
  files_.saveAnswers = {Path("shot.png")};
  Trigger("Screenshot1");
  EXPECT_EQ(Requests().back().filterIndex, 1);
  EXPECT_EQ(form_->Params().expndx, 2) << "the screenshot leaves the remembered filter alone";
  EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{"Replace the existing file?"});
  EXPECT_EQ(ReadAll(kept), "an older screenshot");
  // The frame is 1100 x 760; the capture 1108 x 768.
  EXPECT_EQ(QImage(Path("shot_4wx3h.jpg"), "JPEG").size(), QSize(1108, 831));

  files_.saveAnswers = {Path("again")};
  Trigger("Screenshot1");
  EXPECT_EQ(QImage(Path("again_400w.jpg"), "JPEG").size(), QSize(400, 277));
}

// Long work shows its progress; stopped, it writes nothing, says nothing and keeps the old file.
TEST_F(OutputDialogsTest, StoppingAnExportOrAPrintLeavesTheOldFile) {
  OpenCardSheet();
  const QString picture = Path("kept.bmp"), pdf = Path("kept.pdf");
  ASSERT_TRUE(test::WriteAll(picture, "an old picture"));
  ASSERT_TRUE(test::WriteAll(pdf, "an old file"));
  progress_.stopAt = 0.5;
  for (const char* entry : {"Exact1", "Smooth1"}) {
    prompter_.answers = {PromptAnswer::Yes};
    files_.saveAnswers = {picture};
    Trigger(entry);
    EXPECT_EQ(ReadAll(picture), "an old picture") << entry;
  }
  form_->ActiveWindow()->PrintSelection() = u"";
  printDialog_.answer = test::ScriptedPrintDialog::Answer{pdf, 1};
  form_->Files().PrintWindow(*form_->ActiveWindow());
  EXPECT_EQ(ReadAll(pdf), "an old file");
  // Stopped while the tiles go out, the job is aborted and its temporary file removed.
  progress_.stopAt = 0.95;
  form_->Files().PrintWindow(*form_->ActiveWindow());
  EXPECT_EQ(ReadAll(pdf), "an old file");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 3)
      << QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString();
  EXPECT_EQ(progress_.captions,
            (std::vector<QString>{"Exporting the picture...", "Exporting the picture...",
                                  "Printing...", "Printing..."}));
  EXPECT_EQ(progress_.open, 0);
  EXPECT_EQ(prompter_.Texts(),
            (std::vector<std::string>{"Replace the existing file?", "Replace the existing file?"}));
  // Let run, the same work writes the file.
  progress_.stopAt = 2;
  form_->Files().PrintWindow(*form_->ActiveWindow());
  EXPECT_TRUE(ReadAll(pdf).startsWith("%PDF-"));
  EXPECT_DOUBLE_EQ(progress_.reports.back(), 1.0);
}

// A file handed over while a print runs opens after it. The drawing is untouched, so the file
// would take its window: it must not while the print reads that document.
TEST_F(OutputDialogsTest, AFileHandedOverDuringAPrintOpensAfterIt) {
  OpenDrawing();
  TSandbox* window = form_->ActiveWindow();
  const QString other = Path("other.qlln");
  ASSERT_TRUE(QFile::copy(Path("drawing.qlln"), other));
  std::vector<QString> titlesDuring;
  progress_.duringWork = [&] {
    if (progress_.reports.size() == 1) form_->DdeServerConv1ExecuteMacro(OpenMacro(other));
    test::RunQueued();
    titlesDuring.push_back(window->GetTitle());
  };
  printDialog_.answer = test::ScriptedPrintDialog::Answer{Path("sheet.pdf"), 1};
  Trigger("Print1");
  EXPECT_TRUE(QFile::exists(Path("sheet.pdf")));
  ASSERT_FALSE(titlesDuring.empty());
  for (const QString& title : titlesDuring)
    EXPECT_EQ(title, QStringLiteral("drawing"));
  EXPECT_TRUE(test::WaitUntil([&] { return window->GetTitle() == QStringLiteral("other"); }));
}

TEST_F(OutputDialogsTest, AFailedPrintToFileSaysWhyAndKeepsTheOldFile) {
  OpenDrawing();
  const QString kept = Path("kept.pdf");
  ASSERT_TRUE(test::WriteAll(kept, "an old file"));
  // The folder of the temporary file is missing, so the job cannot start.
  printDialog_.answer = test::ScriptedPrintDialog::Answer{Path("missing/sheet.pdf"), 1};
  Trigger("Print1");
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].style, PromptStyle::Error);
  EXPECT_NE(prompter_.asked[0].text.find("sheet.pdf"), std::string::npos)
      << prompter_.asked[0].text;
  EXPECT_EQ(ReadAll(kept), "an old file");
}

TEST_F(OutputDialogsTest, PrintToFileOntoAFullDiskSaysWhyAndKeepsTheOldFile) {
  test::FullDisk disk;
  if (!disk.mounted()) GTEST_SKIP() << "no small file system can be mounted here";
  OpenDrawing();
  const QString kept = disk.filePath("kept.pdf");
  ASSERT_TRUE(test::WriteAll(kept, "an old file"));
  ASSERT_TRUE(disk.Fill());
  for (const QString& target : {kept, disk.filePath("new.pdf")}) {
    prompter_.asked.clear();
    printDialog_.answer = test::ScriptedPrintDialog::Answer{target, 1};
    Trigger("Print1");
    ASSERT_EQ(prompter_.asked.size(), 1u) << target.toStdString();
    EXPECT_EQ(prompter_.asked[0].style, PromptStyle::Error);
    EXPECT_NE(prompter_.asked[0].text.find("no space left on device"), std::string::npos)
        << prompter_.asked[0].text;
  }
  EXPECT_EQ(ReadAll(kept), "an old file");
  EXPECT_EQ(disk.Names(), QStringList{"kept.pdf"});
}

}  // namespace
}  // namespace quillon
