// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QImage>

#include "canvas/CanvasFixtures.h"
#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "shell/ShellFixture.h"

namespace quillon {
namespace {

using test::ShellTest;

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Put(const QString& path, const QByteArray& content) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return {};
  file.write(content);
  return path;
}

// Where each record of a document starts: the magic number sits 60 bytes in.
std::vector<qsizetype> RecordStarts(const QByteArray& bytes) {
  const QByteArray magic("\xFF\x6B\xCA\x08", 4);
  std::vector<qsizetype> starts;
  for (qsizetype at = bytes.indexOf(magic); at >= 0; at = bytes.indexOf(magic, at + 1)) {
    if (at >= 60) starts.push_back(at - 60);
  }
  return starts;
}

TEST_F(ShellTest, AFileCutShortSaysHowMuchWasReadAndNeverOverwritesTheOriginal) {
  const QByteArray whole =
      Contents(test::WritePixelDocument(Path("Whole.qlln"), 300, 200, 3));
  const std::vector<qsizetype> starts = RecordStarts(whole);
  ASSERT_EQ(starts.size(), 5u);
  const qsizetype last = starts.back();
  // Cut inside the last record, and inside its point payload.
  int rescued = 0;
  for (const qsizetype cut : {last + 200, whole.size() - 10}) {
    const QString name = QStringLiteral("Rescued%1").arg(++rescued);
    const QString path = Put(Path("Cut.qlln"), whole.left(cut));
    prompter_.asked.clear();
    form_->OpenDocumentWindow(path);
    TSandbox* window = form_->ActiveWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(prompter_.Texts().size(), 1u);
    EXPECT_EQ(prompter_.Texts()[0],
              "\"Cut.qlln\" is damaged: it breaks off in the middle of a record. Only the first " +
                  std::to_string(last) + " of its " + std::to_string(cut) +
                  " bytes (4 records) could be read.\r\nThe document opens untitled, so that "
                  "saving it does not overwrite the damaged file.");
    EXPECT_TRUE(window->GetTitle().startsWith(QStringLiteral("Untitled ")));
    EXPECT_TRUE(IsModified(window->GetItems()));
    // Save asks for a name; the damaged file stays as it was.
    files_.saveAnswers = {dir_.filePath(name + QStringLiteral(".qlln"))};
    Trigger("Save1");
    EXPECT_EQ(files_.saveRequests.size(), static_cast<std::size_t>(rescued));
    EXPECT_EQ(Contents(path), whole.left(cut));
    EXPECT_EQ(window->GetTitle(), name);
    window->close();
  }
}

TEST_F(ShellTest, AFileWithoutAPageSaysSoWhenOpeningAndKeepsItsItemsOnTheNewFilePage) {
  const QByteArray whole =
      Contents(test::WritePixelDocument(Path("Whole.qlln"), 300, 200, 2));
  const std::vector<qsizetype> starts = RecordStarts(whole);
  ASSERT_EQ(starts.size(), 4u);
  struct Case {
    const char* name;
    QByteArray bytes;
    std::string notice;
    std::size_t records;  // after the page was given
    bool modified;
  };
  const Case cases[] = {
      {"Empty.qlln", QByteArray(),
       "\"Empty.qlln\" holds no drawing: the file is empty or too short for a Quillon document."
       "\r\nIt opens as a new document with the page setup for new files.",
       2, false},
      {"Items.qlln", whole.mid(starts[2]),
       "\"Items.qlln\" has no page setup record.\r\nIts 2 records open on the page setup for new "
       "files; save the document to keep them with that page.",
       4, true},
  };
  for (const Case& c : cases) {
    const QString path = Put(Path(c.name), c.bytes);
    prompter_.asked.clear();
    form_->OpenDocumentWindow(path);
    TSandbox* window = form_->ActiveWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{c.notice});
    ItemList& items = window->GetItems();
    ASSERT_NE(items.PageRecord(), nullptr);
    EXPECT_EQ(items.first(), items.PageRecord());
    EXPECT_EQ(items.size(), c.records);
    EXPECT_EQ(IsModified(items), c.modified);
    // Saving now works, and the saved file reads back whole with the same records.
    Trigger("Save1");
    EXPECT_EQ(prompter_.Texts().size(), 1u);
    ItemList again;
    EXPECT_TRUE(ReadDocument(path, again, prompter_).ok());
    EXPECT_NE(again.PageRecord(), nullptr);
    EXPECT_EQ(again.size(), c.records);
    window->close();
  }
}

TEST_F(ShellTest, AFileOpenedAnywayDespiteItsWrongMagicCountsAsModified) {
  QByteArray card = Contents(test::WritePixelDocument(Path("Card.qlln"), 300, 200, 2));
  const std::vector<qsizetype> starts = RecordStarts(card);
  card[starts.back() + 60] = 0;
  struct Case {
    const char* name;
    QByteArray bytes;
    QString title;
  };
  const Case cases[] = {
      {"Notes.txt", QByteArray(2 * 448, 'x'), QStringLiteral("Notes")},
      {"Broken.qlln", card, QStringLiteral("Broken")},
  };
  for (const Case& c : cases) {
    prompter_.asked.clear();
    prompter_.answers = {PromptAnswer::Yes};
    form_->OpenDocumentWindow(Put(Path(c.name), c.bytes));
    TSandbox* window = form_->ActiveWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(prompter_.Texts().front(), kInvalidFileQuestion);
    EXPECT_EQ(window->GetTitle(), c.title);
    EXPECT_TRUE(IsModified(window->GetItems()));
    // Closing asks before anything is lost.
    prompter_.answers = {PromptAnswer::No};
    window->close();
    EXPECT_EQ(prompter_.Texts().back(),
              "Do you want to save changes to " + c.title.toStdString() + "?");
  }
}

// A file that is no Quillon document, opened anyway, says what it is rather than "damaged".
TEST_F(ShellTest, AForeignFileOpenedAnywaySaysItIsNotAQuillonDocumentAndWhatItHolds) {
  QImage photo(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x)
      photo.setPixel(x, y, qRgb(x * 4, y * 4, (x * y) % 256));
  }
  ASSERT_TRUE(photo.save(Path("Photo.qlln"), "PNG"));
  ASSERT_GT(Contents(Path("Photo.qlln")).size(), 448);
  prompter_.answers = {PromptAnswer::Yes};
  form_->OpenDocumentWindow(Path("Photo.qlln"));
  TSandbox* window = form_->ActiveWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(prompter_.Texts().size(), 2u);
  EXPECT_EQ(prompter_.Texts()[0], kInvalidFileQuestion);
  const std::string notice = prompter_.Texts()[1];
  EXPECT_EQ(
      notice.rfind("\"Photo.qlln\" is not a Quillon document: it holds a PNG picture.\r\n", 0), 0u)
      << notice;
  EXPECT_EQ(notice.find("damaged"), std::string::npos) << notice;
  EXPECT_NE(notice.find("does not overwrite the file"), std::string::npos) << notice;
  EXPECT_TRUE(window->GetTitle().startsWith(QStringLiteral("Untitled ")));
}

TEST_F(ShellTest, OpenDialogProposesTheFileOpenedLastWhicheverWayItOpened) {
  const QString card = test::WritePixelDocument(Path("Card.qlln"), 300, 200);
  form_->OpenDocumentWindow(card);
  Trigger("Open1");
  ASSERT_EQ(files_.openRequests.size(), 1u);
  EXPECT_EQ(files_.openRequests[0].initialFileName, card);
}

}  // namespace
}  // namespace quillon
