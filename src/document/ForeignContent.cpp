// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ForeignContent.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

#include "document/ItemRecord.h"

namespace quillon {
namespace {

constexpr qsizetype kMagicOffset = 60;

struct Signature {
  qsizetype offset;
  const char* bytes;
  qsizetype length;
  const char* content;
};

// Starts of the files a user is most likely to open by mistake.
constexpr Signature kSignatures[] = {
    {0, "\x89PNG\r\n\x1A\n", 8, "a PNG picture"},
    {0, "\xFF\xD8\xFF", 3, "a JPEG picture"},
    {0, "GIF87a", 6, "a GIF picture"},
    {0, "GIF89a", 6, "a GIF picture"},
    {0, "BM", 2, "a bitmap picture"},
    {0, "\0\0\1\0", 4, "an icon"},
    {40, " EMF", 4, "an enhanced metafile picture"},
    {0, "\xD7\xCD\xC6\x9A", 4, "a metafile picture"},
    {0, "%PDF-", 5, "a PDF document"},
    {0, "%!PS", 4, "a PostScript document"},
    {0, "<svg", 4, "an SVG picture"},
    {0, "RIFF", 4, "a RIFF file (a WebP picture, a sound or a video)"},
    {0, "II*\0", 4, "a TIFF picture"},
    {0, "MM\0*", 4, "a TIFF picture"},
    {0, "PK\3\4", 4, "a ZIP archive (or an office document, which is one)"},
    {0, "\x1F\x8B", 2, "a gzip archive"},
    {0,
     "\x7F"
     "ELF",
     4, "a program"},
};

bool StartsWith(QByteArrayView head, const Signature& s) {
  return head.size() >= s.offset + s.length &&
         std::memcmp(head.data() + s.offset, s.bytes, std::size_t(s.length)) == 0;
}

// Text: no control characters but tab, line breaks and form feed, and valid UTF-8 (a character
// cut at the end of the head counts as valid).
bool LooksLikeText(QByteArrayView head) {
  if (head.isEmpty()) return false;
  qsizetype i = 0;
  while (i < head.size()) {
    const auto c = static_cast<unsigned char>(head[i]);
    if (c < 0x80) {
      if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') return false;
      if (c == 0x7F) return false;
      ++i;
      continue;
    }
    const int following = (c & 0xE0) == 0xC0   ? 1
                          : (c & 0xF0) == 0xE0 ? 2
                          : (c & 0xF8) == 0xF0 ? 3
                                               : -1;
    if (following < 0) return false;
    for (int k = 1; k <= following; ++k) {
      if (i + k >= head.size()) return true;
      if ((static_cast<unsigned char>(head[i + k]) & 0xC0) != 0x80) return false;
    }
    i += following + 1;
  }
  return true;
}

}  // namespace

bool LacksQuillonMark(QByteArrayView head) {
  if (head.size() < kForeignHeadSize) return false;
  // Records are little-endian whatever the machine.
  const auto* b = reinterpret_cast<const unsigned char*>(head.data() + kMagicOffset);
  const uint32_t magic =
      uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  return magic != kMagic;
}

std::string DescribeForeignContent(QByteArrayView head) {
  for (const Signature& s : kSignatures) {
    if (StartsWith(head, s)) return s.content;
  }
  if (head.startsWith("\xEF\xBB\xBF")) head = head.sliced(3);
  if (LooksLikeText(head)) {
    const QByteArrayView start = head.trimmed();
    if (start.startsWith("<")) return "text in XML or HTML";
    return "text";
  }
  return "data of a kind Quillon does not know";
}

std::string ForeignDocumentNotice(const QString& path, const FileResult& result,
                                  std::size_t records) {
  const QString trimmed = path.trimmed();
  QFile file(trimmed);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return {};
  const QByteArray head = file.read(kForeignHeadSize);
  if (!LacksQuillonMark(head)) return {};
  const std::string name = '"' + QFileInfo(trimmed).fileName().toStdString() + '"';
  std::string notice =
      name + " is not a Quillon document: it holds " + DescribeForeignContent(head) + ".\r\n";
  const std::string count = std::to_string(records) + (records == 1 ? " record" : " records");
  if (result.cutShort) {
    notice += "Only its first " + std::to_string(result.cutShort->bytesRead) + " of " +
              std::to_string(result.cutShort->fileLength) + " bytes could be taken as " + count +
              ", which draw nothing sensible. The document opens untitled, so that saving it "
              "does not overwrite the file.";
  } else {
    notice += "Its bytes were taken as " + count +
              ", which draw nothing sensible; saving the document would replace the file with a "
              "Quillon document.";
  }
  return notice;
}

}  // namespace quillon
