// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/PictureDialog.h"

#include <gtest/gtest.h>

#include <QFile>

#include "ShellFixture.h"
#include "canvas/CanvasFixtures.h"
#include "document/ToolNumbers.h"
#include "shell/HostWindow.h"

namespace quillon {
namespace {

using test::ShellTest;

TEST(PictureDialog, OffersTheRememberedFolderAndFilter) {
  TParams params;
  params.picidr = QStringLiteral("/home/ada/Pictures");
  params.picndx = 7;
  const FileDialogRequest request = InsertPictureRequest(params, QStringLiteral("/tmp/a.jpg"));
  EXPECT_EQ(request.title, QStringLiteral("Open"));
  EXPECT_EQ(request.filter.count(QLatin1Char('|')), 13);
  EXPECT_TRUE(request.filter.startsWith(QStringLiteral("JPEG Image Files (*.jpg,*.jpeg)|")));
  EXPECT_EQ(request.filterIndex, 7);
  EXPECT_EQ(request.defaultExtension, QStringLiteral("qlln"));
  EXPECT_EQ(request.initialFolder, params.picidr);
  EXPECT_EQ(request.initialFileName, QStringLiteral("/tmp/a.jpg"));

  params.picndx = 0;  // out of range: the first entry and no default extension
  const FileDialogRequest plain = InsertPictureRequest(params, {});
  EXPECT_EQ(plain.filterIndex, 1);
  EXPECT_TRUE(plain.defaultExtension.isEmpty());
}

TEST(PictureDialog, TheChosenFileIsRemembered) {
  struct Case {
    const char* path;
    const char* extension;
    int32_t filter;  // what picndx becomes from 3
  };
  for (const Case& c : {Case{"/home/ada/Pictures/photo.JPG", "jpg", 1},
                        Case{"/home/ada/Pictures/photo.jpeg", "jpeg", 3},
                        Case{"/home/ada/Pictures/logo.wmf", "wmf", 6},
                        Case{"/home/ada/Pictures/plan.qlln", "qlln", 7},
                        Case{"/home/ada/Pictures/notes.txt", "txt", 3}}) {
    TParams params;
    params.picndx = 3;
    EXPECT_EQ(RememberPictureChoice(params, QString::fromUtf8(c.path)),
              QString::fromUtf8(c.extension));
    EXPECT_EQ(params.picndx, c.filter) << c.path;
    EXPECT_EQ(params.picidr, QStringLiteral("/home/ada/Pictures"));
  }
}

int VisibleRectangles(TSandbox& window) {
  int count = 0;
  for (ItemRecord& r : window.GetItems()) {
    if (IsVisible(r) && r.kind() == kKindRectangle) ++count;
  }
  return count;
}

TEST_F(ShellTest, InsertingADocumentPastesItsItemsAndAPictureOpensTheClipEditor) {
  const QString card = test::WritePixelDocument(Path("Card.qlln"), 300, 200, 3);
  const QString junk = Path("junk.qlln");
  QFile file(junk);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(4096, 'x'));  // longer than a record, with no magic number
  file.close();

  // Without a drawing window a new one takes the items.
  files_.openAnswers = {card, junk, Path("photo.gif")};
  form_->RunTool(kToolInsertPicture);
  TSandbox* window = form_->ActiveWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(VisibleRectangles(*window), 3);
  EXPECT_EQ(form_->Params().picndx, 7);

  // A document that cannot be read pastes nothing, now or on a later Paste.
  form_->RunTool(kToolInsertPicture);
  EXPECT_FALSE(prompter_.asked.empty());
  EXPECT_EQ(VisibleRectangles(*window), 3);
  EXPECT_EQ(form_->Toolbar()->PasteBuffer().size(), 0u);
  EXPECT_EQ(files_.openRequests[1].initialFileName, card);

  form_->RunTool(kToolInsertPicture);
  EXPECT_EQ(form_->HostX()->Code(), kToolNewPicture);
  EXPECT_EQ(form_->Params().picndx, 2);
  EXPECT_EQ(form_->Params().picidr, dir_.path());
  ASSERT_EQ(files_.openRequests.size(), 3u);
  EXPECT_EQ(files_.openRequests[2].filterIndex, 7);
}

}  // namespace
}  // namespace quillon
