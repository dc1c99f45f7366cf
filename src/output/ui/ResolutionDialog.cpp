// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ui/ResolutionDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "output/Export.h"

namespace quillon {
namespace {

constexpr int kListedDpi[] = {150, 300, 600};

}  // namespace

ResolutionDialog::ResolutionDialog(const ItemRecord& page, const ScreenMetrics& screen, int dpi,
                                   QWidget* parent)
    : QDialog(parent), page_(page), screen_(screen) {
  setObjectName(QStringLiteral("ResolutionDialog"));
  setWindowTitle(QStringLiteral("Picture at a Resolution"));
  auto* column = new QVBoxLayout(this);
  column->addWidget(new QLabel(QStringLiteral("Pixels per inch of the picture:"), this));
  auto* grid = new QGridLayout;
  auto* group = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    choices_[i] = new QRadioButton(QStringLiteral("%1 dpi").arg(kListedDpi[i]), this);
    group->addButton(choices_[i]);
    grid->addWidget(choices_[i], i, 0, 1, 2);
  }
  typed_ = new QRadioButton(QStringLiteral("Other:"), this);
  group->addButton(typed_);
  grid->addWidget(typed_, 3, 0);
  typedDpi_ = new QSpinBox(this);
  typedDpi_->setRange(kLowestExportDpi, kHighestExportDpi);
  typedDpi_->setSuffix(QStringLiteral(" dpi"));
  typedDpi_->setValue(300);
  grid->addWidget(typedDpi_, 3, 1);
  column->addLayout(grid);
  size_ = new QLabel(this);
  size_->setObjectName(QStringLiteral("PictureSize"));
  size_->setWordWrap(true);
  column->addWidget(size_);
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  column->addWidget(buttons_);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(group, &QButtonGroup::buttonToggled, this, [this] { ShowSize(); });
  // Typing a number chooses it.
  connect(typedDpi_, &QSpinBox::valueChanged, this, [this] {
    typed_->setChecked(true);
    ShowSize();
  });
  SetDpi(dpi);
}

QRadioButton* ResolutionDialog::Choice(int dpi) const {
  for (int i = 0; i < 3; ++i) {
    if (kListedDpi[i] == dpi) return choices_[i];
  }
  return nullptr;
}

int ResolutionDialog::Dpi() const {
  for (int i = 0; i < 3; ++i) {
    if (choices_[i]->isChecked()) return kListedDpi[i];
  }
  return typedDpi_->value();
}

void ResolutionDialog::SetDpi(int dpi) {
  if (QRadioButton* listed = Choice(dpi)) {
    listed->setChecked(true);
  } else {
    typedDpi_->setValue(dpi);
    typed_->setChecked(true);
  }
  ShowSize();
}

void ResolutionDialog::ShowSize() {
  const LargePictureSize size = ResolutionPictureSize(page_, screen_, Dpi());
  const std::string problem = PictureSizeProblem(size);
  if (problem.empty()) {
    // Three bytes a pixel while the picture is made, besides what the writer needs.
    const double megabytes = double(size.width) * double(size.height) * 3 / (1024.0 * 1024.0);
    size_->setText(QStringLiteral("The picture will be %1 x %2 pixels (%3 MB).")
                       .arg(size.width)
                       .arg(size.height)
                       .arg(megabytes, 0, 'f', 1));
  } else {
    size_->setText(QString::fromStdString(problem));
  }
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(problem.empty());
}

}  // namespace quillon
