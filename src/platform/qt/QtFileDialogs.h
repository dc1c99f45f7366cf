// SPDX-License-Identifier: GPL-3.0-or-later
// The file dialogs and the colour chooser on the desktop.
#pragma once

#include <QPointer>
#include <QStringList>

#include "platform/ColourChooser.h"
#include "platform/FileDialogs.h"

class QFileDialog;
class QWidget;

namespace quillon {

// The Qt name filters of a '|'-separated filter: one "Caption (patterns)" entry per pair, the
// caption kept as it stands when it already ends with its patterns in parentheses.
// "All files (*.*)|*.*|Quillon files (*.qlln)|*.qlln" gives "All files (*.*)" and
// "Quillon files (*.qlln)".
QStringList QtNameFilters(const QString& filter);

// Sets up a dialog for the request: title, name filters with the preselected one, the default
// suffix, the folder when it exists and the proposed file name.
void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request);

class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  QString ChooseFileToOpen(const FileDialogRequest& request) override;
  QString ChooseFileToSave(const FileDialogRequest& request, int* chosenFilter = nullptr) override;

 private:
  QString Run(const FileDialogRequest& request, bool save, int* chosenFilter = nullptr);
  QPointer<QWidget> parent_;
};

class QtColourChooser : public ColourChooser {
 public:
  explicit QtColourChooser(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  std::optional<uint32_t> ChooseColour(uint32_t initial, CustomColourSlots& custom) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quillon
