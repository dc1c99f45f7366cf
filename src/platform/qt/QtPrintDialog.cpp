// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtPrintDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>

namespace quillon {

namespace {

// The whole sheet is one page: there is no range or selection to print.
void SheetOptions(QPrintDialog& dialog) {
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
}

}  // namespace

bool QtPrintDialog::Choose(QPrinter& printer) {
  QPrintDialog dialog(&printer, parent_);
  SheetOptions(dialog);
  return dialog.exec() == QDialog::Accepted;
}

bool QtPrintDialog::ChooseWithCorrection(QPrinter& printer, const QStringList& corrections,
                                         QString& correction) {
  correction.clear();
  if (corrections.isEmpty()) return Choose(printer);
  QPrintDialog dialog(&printer, parent_);
  SheetOptions(dialog);
  // The dialog takes the tab and deletes it with itself.
  auto* tab = new QWidget;
  tab->setWindowTitle(QStringLiteral("Printer Correction"));
  auto* layout = new QVBoxLayout(tab);
  auto* caption = new QLabel(
      QStringLiteral("A PDF file prints as designed, or as it will land on the printer chosen "
                     "here:"),
      tab);
  caption->setWordWrap(true);
  auto* choice = new QComboBox(tab);
  choice->setObjectName(QStringLiteral("PdfCorrection"));
  choice->addItem(QStringLiteral("No correction"));
  choice->addItems(corrections);
  layout->addWidget(caption);
  layout->addWidget(choice);
  layout->addStretch();
  dialog.setOptionTabs({tab});
  if (dialog.exec() != QDialog::Accepted) return false;
  if (choice->currentIndex() > 0) correction = choice->currentText();
  return true;
}

}  // namespace quillon
