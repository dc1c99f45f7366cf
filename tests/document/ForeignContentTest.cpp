// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ForeignContent.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "document/DocumentFile.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

// A start of `size` bytes: `start` followed by filler.
QByteArray Head(const QByteArray& start, char filler = '\x01', qsizetype size = 448) {
  return start + QByteArray(std::max<qsizetype>(0, size - start.size()), filler);
}

QByteArray Png() {
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

TEST(ForeignContent, TheFirstBytesTellWhatAFileHolds) {
  QByteArray emf = Head(QByteArray("\x01\0\0\0", 4));
  emf.replace(40, 4, " EMF");
  const std::pair<QByteArray, const char*> cases[] = {
      {Head(Png()), "a PNG picture"},
      {Head("\xFF\xD8\xFF\xE0"), "a JPEG picture"},
      {Head("GIF89a"), "a GIF picture"},
      {Head("BM"), "a bitmap picture"},
      {Head(QByteArray("\0\0\1\0", 4)), "an icon"},
      {emf, "an enhanced metafile picture"},
      {Head("%PDF-1.4\n"), "a PDF document"},
      {Head("PK\x03\x04"), "a ZIP archive (or an office document, which is one)"},
      {Head("Dear Anna,\nthe cards", 'x'), "text"},
      {Head("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
            "e",
            ' '),
       "text"},
      {Head("<?xml version=\"1.0\"?>", ' '), "text in XML or HTML"},
      {Head("abc\xC3", 'a'), "data of a kind Quillon does not know"},  // not UTF-8
      {Head(QByteArray(4, '\0')), "data of a kind Quillon does not know"},
  };
  for (const auto& [head, content] : cases)
    EXPECT_EQ(DescribeForeignContent(head), content) << head.left(12).toHex().toStdString();
}

TEST(ForeignContent, OnlyAFirstRecordWithoutTheMarkIsForeign) {
  ItemList list;
  test::AddPage(list);
  QByteArray document;
  QBuffer device(&document);
  device.open(QIODevice::WriteOnly);
  ASSERT_TRUE(WriteDocumentTo(device, list).ok());
  EXPECT_FALSE(LacksQuillonMark(document));
  EXPECT_TRUE(LacksQuillonMark(Head(Png())));
  EXPECT_FALSE(LacksQuillonMark(Png().left(100))) << "too short to be judged";
}

}  // namespace
}  // namespace quillon
