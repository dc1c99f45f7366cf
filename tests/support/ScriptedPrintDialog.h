// SPDX-License-Identifier: GPL-3.0-or-later
// A print dialog that answers from a script: cancel, or print (to a file when one is named)
// with a number of copies; it remembers the paper it was offered.
#pragma once

#include <QPageSize>
#include <QPrinter>
#include <optional>

#include "platform/PrintDialog.h"

namespace quillon::test {

class ScriptedPrintDialog : public PrintDialog {
 public:
  struct Answer {
    QString file;  // "Print to File"; empty prints to the printer chosen
    int copies = 1;
  };

  bool Choose(QPrinter& printer) override {
    ++calls;
    offeredPaper = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    if (!answer) return false;
    if (!answer->file.isEmpty()) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(answer->file);
    }
    printer.setCopyCount(answer->copies);
    copies = printer.copyCount();
    return true;
  }

  bool ChooseWithCorrection(QPrinter& printer, const QStringList& corrections,
                            QString& correction) override {
    offeredCorrections = corrections;
    correction = answer ? fileCorrection : QString();
    return Choose(printer);
  }

  std::optional<Answer> answer;  // none cancels
  QStringList offeredCorrections;
  QString fileCorrection;  // the stored correction the correction tab names for a file
  int calls = 0;
  int copies = 0;
  QSizeF offeredPaper;
};

}  // namespace quillon::test
