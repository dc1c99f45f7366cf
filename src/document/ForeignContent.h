// SPDX-License-Identifier: GPL-3.0-or-later
// What a file opened as a document holds when it is not a Quillon document, for the notice the
// user gets after opening it anyway.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <string>

#include "document/DocumentFile.h"

namespace quillon {

// The bytes the content is told by: enough for every signature below and a first record.
inline constexpr qsizetype kForeignHeadSize = 448;

// Whether a file's first bytes lack the mark at offset 60 that every Quillon record carries; a
// start too short for a record is not judged.
bool LacksQuillonMark(QByteArrayView head);
// What the first bytes of a file show it to be, as the end of a sentence: "a PNG picture",
// "a PDF document", "text" ... or "data of a kind Quillon does not know".
std::string DescribeForeignContent(QByteArrayView head);

// The notice after a file whose first record lacks the Quillon mark was opened anyway: that it
// is not a Quillon document, what it seems to hold and what was read of it; empty when the file
// starts as a Quillon document does (or cannot be read again). records is how many records were
// read.
std::string ForeignDocumentNotice(const QString& path, const FileResult& result,
                                  std::size_t records);

}  // namespace quillon
