// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export > "Picture at a resolution...": 150, 300 or 600 pixels per inch, or a number
// typed, with the size of the picture it gives and a refusal of one too large to make.
#pragma once

#include <QDialog>

#include "document/ItemRecord.h"
#include "document/ScreenMetrics.h"

class QDialogButtonBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace quillon {

class ResolutionDialog : public QDialog {
  Q_OBJECT
 public:
  // The page decides the picture's size; dpi is the resolution chosen at first.
  ResolutionDialog(const ItemRecord& page, const ScreenMetrics& screen, int dpi,
                   QWidget* parent = nullptr);
  // The resolution chosen, in pixels per inch.
  int Dpi() const;
  void SetDpi(int dpi);
  // The picture's size, or why it cannot be made; OK is enabled only when it can.
  QLabel* SizeText() const { return size_; }
  QRadioButton* Choice(int dpi) const;
  QRadioButton* Typed() const { return typed_; }
  QSpinBox* TypedDpi() const { return typedDpi_; }
  QDialogButtonBox* Buttons() const { return buttons_; }

 private:
  void ShowSize();

  const ItemRecord& page_;
  ScreenMetrics screen_;
  QRadioButton* choices_[3] = {};
  QRadioButton* typed_ = nullptr;
  QSpinBox* typedDpi_ = nullptr;
  QLabel* size_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace quillon
