// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing ".qlln" documents: 448-byte records, each followed by its payload.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "document/ItemList.h"
#include "platform/Prompter.h"

class QIODevice;

namespace quillon {

inline constexpr char kInvalidFileQuestion[] =
    "Not a valid Quillon file. Attempt to open it anyway?";
inline constexpr char kNewerVersionWarning[] =
    "This file was created on a newer version of Quillon software.\r\nUpdate your software. "
    "Otherwise, this file might not display correctly.";
inline constexpr char kCouldNotRead[] = "The file could not be read.";
inline constexpr char kCouldNotSave[] = "The file could not be saved.";

// Documents larger than this many bytes are refused: what is read takes about one and a half
// times its size in memory.
inline constexpr int64_t kDocumentSizeLimit = int64_t{512} << 20;

// Payloads at or above this many bytes are refused as texts or names.
inline constexpr int64_t kTextPayloadLimit = 1024000;

// A file that breaks off inside a record or its payload: what was read whole before the cut.
struct CutShort {
  int64_t bytesRead = 0;   // the bytes of the entries read whole
  int64_t fileLength = 0;  // the bytes the file holds
  int64_t records = 0;     // the entries read whole
};

struct FileResult {
  enum class Status { Ok, Declined, Failed };
  Status status = Status::Ok;
  std::string message;  // for Failed: "The file could not be ..." and the reason
  // Set by a successful read of a damaged file; the records before the cut were read.
  std::optional<CutShort> cutShort;
  bool ok() const { return status == Status::Ok; }
};

// Writes the list's records that are not undo history, through a temporary file that replaces
// the target only when complete (a folder, device or pipe is refused); clears the modified mark
// on success.
FileResult WriteDocument(const QString& path, ItemList& list);
// The records of a document as WriteDocument lays them out, onto any device.
FileResult WriteDocumentTo(QIODevice& device, ItemList& list);

// Reads a document into target, replacing its content only on success. A wrong magic number
// asks the prompter whether to go on; a newer format version is reported after loading.
FileResult ReadDocument(const QString& path, ItemList& target, Prompter& prompter);
// Devices holding more than sizeLimit bytes are refused.
FileResult ReadDocumentFrom(QIODevice& device, ItemList& target, Prompter& prompter,
                            int64_t sizeLimit = kDocumentSizeLimit);

}  // namespace quillon
