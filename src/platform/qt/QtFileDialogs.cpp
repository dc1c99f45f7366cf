// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtFileDialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <algorithm>

namespace quillon {

QStringList QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList result;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString caption = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(u';', u' ');
    const QString suffix = u'(' + patterns + u')';
    result << (caption.endsWith(suffix) ? caption : caption + u' ' + suffix);
  }
  return result;
}

void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
  dialog.setWindowTitle(request.title);
  const QStringList filters = QtNameFilters(request.filter);
  dialog.setNameFilters(filters);
  if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
    dialog.selectNameFilter(filters[request.filterIndex - 1]);
  }
  dialog.setDefaultSuffix(request.defaultExtension);
  if (!request.initialFolder.isEmpty() && QFileInfo(request.initialFolder).isDir()) {
    dialog.setDirectory(request.initialFolder);
  }
  if (!request.initialFileName.isEmpty()) dialog.selectFile(request.initialFileName);
}

QString QtFileDialogs::Run(const FileDialogRequest& request, bool save, int* chosenFilter) {
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Open takes any name too: the dialog keeps its button grey for a path typed into another
  // folder than the one shown, so whether the file exists is checked here instead.
  dialog.setFileMode(QFileDialog::AnyFile);
  // The caller asks about replacing an existing file in its own words.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  PrepareFileDialog(dialog, request);
  for (;;) {
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return {};
    const QFileInfo file(chosen.first());
    if (chosenFilter != nullptr) {
      const qsizetype index = dialog.nameFilters().indexOf(dialog.selectedNameFilter());
      *chosenFilter = index < 0 ? 0 : static_cast<int>(index) + 1;
    }
    if (save || file.isFile()) return file.absoluteFilePath();
    QMessageBox::warning(&dialog, dialog.windowTitle(),
                         QStringLiteral("%1\nThe file does not exist. Check the name and the "
                                        "folder, then try again.")
                             .arg(QDir::toNativeSeparators(file.absoluteFilePath())));
  }
}

QString QtFileDialogs::ChooseFileToOpen(const FileDialogRequest& request) {
  return Run(request, false);
}

QString QtFileDialogs::ChooseFileToSave(const FileDialogRequest& request, int* chosenFilter) {
  return Run(request, true, chosenFilter);
}

namespace {

QColor ToQColor(uint32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

uint32_t FromQColor(const QColor& colour) {
  return static_cast<uint32_t>(colour.red()) | (static_cast<uint32_t>(colour.green()) << 8) |
         (static_cast<uint32_t>(colour.blue()) << 16);
}

}  // namespace

std::optional<uint32_t> QtColourChooser::ChooseColour(uint32_t initial, CustomColourSlots& custom) {
  const int slotCount = std::min<int>(QColorDialog::customCount(), static_cast<int>(custom.size()));
  for (int i = 0; i < slotCount; ++i) {
    QColorDialog::setCustomColor(i,
                                 custom[i] == 0xFFFFFFFF ? QColor(Qt::white) : ToQColor(custom[i]));
  }
  QColorDialog dialog(ToQColor(initial), parent_);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  for (int i = 0; i < slotCount; ++i) {
    const uint32_t now = FromQColor(QColorDialog::customColor(i));
    // A slot the user never filled keeps its empty mark.
    if (custom[i] != 0xFFFFFFFF || now != 0xFFFFFF) custom[i] = now;
  }
  if (!accepted) return std::nullopt;
  return FromQColor(dialog.selectedColor());
}

}  // namespace quillon
