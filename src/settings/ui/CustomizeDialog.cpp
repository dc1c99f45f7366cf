// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/ui/CustomizeDialogs.h"

namespace quillon {

CustomizeDialog::CustomizeDialog(TParams& params, const QString& columnTitle,
                                 const QString& opening, QWidget* parent)
    : QWidget(parent), params_(params) {
  auto* row = new QHBoxLayout(this);
  auto* column = new QVBoxLayout;
  column->setSpacing(2);
  auto* title = new QLabel(columnTitle, this);
  title->setObjectName(QStringLiteral("SlotTitle"));
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  column->addWidget(title);
  for (int i = 0; i < kCustomSlots; ++i) {
    auto* button = new QPushButton(this);
    button->setObjectName(QStringLiteral("Slot") + SlotLetter(i));
    button->setMinimumWidth(110);
    connect(button, &QPushButton::clicked, this, [this, i] { EditSlot(i); });
    column->addWidget(button);
    slotButtons_[i] = button;
  }
  column->addStretch();
  row->addLayout(column);

  auto* right = new QVBoxLayout;
  guidance1_ = new QLabel(this);
  guidance1_->setObjectName(QStringLiteral("Guidance1"));
  guidance2_ = new QLabel(this);
  guidance2_->setObjectName(QStringLiteral("Guidance2"));
  for (QLabel* label : {guidance1_, guidance2_}) {
    label->setWordWrap(true);
    label->setMinimumWidth(320);
    // Room for four lines, so that the fields below stay put when the guidance changes.
    label->setMinimumHeight(label->fontMetrics().lineSpacing() * 4);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    right->addWidget(label);
  }
  fieldArea_ = new QWidget(this);
  fieldArea_->setObjectName(QStringLiteral("Fields"));
  fields_ = new QFormLayout(fieldArea_);
  fields_->setContentsMargins(0, 6, 0, 6);
  fieldArea_->setEnabled(false);
  right->addWidget(fieldArea_);
  sample_ = new QLabel(this);
  sample_->setObjectName(QStringLiteral("Sample"));
  sample_->setFrameShape(QFrame::Box);
  sample_->setFixedSize(320, 90);
  right->addWidget(sample_);
  extras_ = new QWidget(this);
  extras_->setObjectName(QStringLiteral("Extras"));
  right->addWidget(extras_);
  right->addStretch();
  row->addLayout(right, 1);
  SetGuidance(opening, QString::fromLatin1(kSaveOrCancel));
}

void CustomizeDialog::FinishLayout() {
  for (int i = 0; i < kCustomSlots; ++i)
    slotButtons_[i]->setText(NameOf(i));
  UpdateSample();
}

void CustomizeDialog::EditSlot(int slot) {
  if (slot < 0 || slot >= kCustomSlots) return;
  KeepEdited();
  edited_ = slot;
  showing_ = true;
  ShowSlot(slot);
  showing_ = false;
  fieldArea_->setEnabled(true);
  const auto lines = EditingGuidance();
  SetGuidance(lines[0], lines[1]);
  UpdateSample();
}

void CustomizeDialog::KeepEdited() {
  if (edited_ >= 0) KeepSlot(edited_);
}

void CustomizeDialog::FieldsChanged() {
  if (showing_ || edited_ < 0) return;
  KeepSlot(edited_);
  slotButtons_[edited_]->setText(NameOf(edited_));
  UpdateSample();
}

void CustomizeDialog::SetGuidance(const QString& first, const QString& second) {
  guidance1_->setText(first);
  guidance2_->setText(second);
}

QString CustomizeDialog::GuidanceText() const {
  return guidance1_->text() + u'\n' + guidance2_->text();
}

QLineEdit* CustomizeDialog::AddLineEdit(const QString& label, const char* name) {
  auto* edit = new QLineEdit(fieldArea_);
  edit->setObjectName(QString::fromLatin1(name));
  fields_->addRow(label, edit);
  connect(edit, &QLineEdit::textEdited, this, &CustomizeDialog::FieldsChanged);
  return edit;
}

QComboBox* CustomizeDialog::AddUnits(const QStringList& units) {
  auto* box = new QComboBox(fieldArea_);
  box->setObjectName(QStringLiteral("Units"));
  box->addItems(units);
  fields_->addRow(QStringLiteral("Units"), box);
  connect(box, &QComboBox::currentIndexChanged, this, &CustomizeDialog::FieldsChanged);
  return box;
}

}  // namespace quillon
