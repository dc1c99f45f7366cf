// SPDX-License-Identifier: GPL-3.0-or-later
// Reads any bytes as a document; whatever is read must write, read and write again unchanged.
#include <QBuffer>
#include <cstdio>
#include <cstdlib>

#include "document/DocumentFile.h"

namespace {

class AnswerYes : public quillon::Prompter {
 public:
  quillon::PromptAnswer Ask(std::string_view, quillon::PromptStyle,
                            quillon::PromptButtons) override {
    return quillon::PromptAnswer::Yes;
  }
};

// Reads bytes into a fresh list and writes that list out again; false when the reader fails.
bool ReadThenWrite(const QByteArray& in, QByteArray& out) {
  QByteArray input = in;
  QBuffer source(&input);
  source.open(QIODevice::ReadOnly);
  quillon::ItemList list;
  AnswerYes prompter;
  if (!quillon::ReadDocumentFrom(source, list, prompter).ok()) return false;
  out.clear();
  QBuffer sink(&out);
  sink.open(QIODevice::WriteOnly);
  quillon::WriteDocumentTo(sink, list);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QByteArray first, second, third;
  if (!ReadThenWrite(bytes, first) || !ReadThenWrite(first, second) ||
      !ReadThenWrite(second, third)) {
    return 0;
  }
  if (second != third) {
    std::fprintf(stderr, "a document written and read back does not write the same bytes\n");
    std::abort();
  }
  return 0;
}
