// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/PictureDialog.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

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

}  // namespace
}  // namespace quillon
