// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

#include "settings/Customization.h"
#include "settings/NumberText.h"
#include "settings/ui/CustomizeDialogs.h"
#include "settings/ui/Samples.h"

namespace quillon {

TThickness::TThickness(TParams& params, QWidget* parent)
    : CustomizeDialog(params, QStringLiteral("Select"),
                      QStringLiteral("Click on the line weight name in the left column to enter "
                                     "new values."),
                      parent),
      slots_(params.customWeights) {
  setObjectName(QStringLiteral("TThickness"));
  name_ = AddLineEdit(QStringLiteral("Name"), "Name");
  value_ = AddLineEdit(QStringLiteral("Thickness"), "Value");
  units_ =
      AddUnits({QStringLiteral("Pixels"), QStringLiteral("Millimeters"), QStringLiteral("Inches")});
  FinishLayout();
}

std::array<QString, 2> TThickness::EditingGuidance() const {
  return {QStringLiteral("Enter a new name for the thickness in the Name field. You will be able "
                         "to select the thickness by this name."),
          QStringLiteral("Then, enter the value of the thickness and select the measuring units. "
                         "Enter the thickness of zero to remove the thickness from the pull-down "
                         "list.")};
}

void TThickness::ShowSlot(int slot) {
  name_->setText(slots_[slot].name);
  value_->setText(slots_[slot].typed);
  units_->setCurrentIndex(std::clamp(slots_[slot].units, 1, 3) - 1);
}

void TThickness::KeepSlot(int slot) {
  slots_[slot].name = name_->text();
  slots_[slot].typed = value_->text();
  slots_[slot].units = units_->currentIndex() + 1;
}

void TThickness::UpdateSample() {
  double mm = 0;
  if (edited_ >= 0) {
    custThicknessRec_t trial = slots_[edited_];
    EnterThickness(trial, trial.name, trial.typed, trial.units, params_.screen);
    mm = trial.inUse ? trial.mm : 0;
  }
  Sample()->setPixmap(QPixmap::fromImage(WeightSample(Sample()->size(), mm, params_.screen)));
}

QString TThickness::Refusal() {
  KeepEdited();
  for (int slot = 0; slot < kCustomSlots; ++slot) {
    custThicknessRec_t trial = slots_[slot];
    EnterThickness(trial, trial.name, trial.typed, trial.units, params_.screen);
    const QString refusal = ThicknessRefusal(trial, params_.screen);
    if (refusal.isEmpty()) continue;
    EditSlot(slot);
    value_->setFocus();
    value_->selectAll();
    return refusal + QStringLiteral("\r\n") + EditingGuidance()[1];
  }
  return {};
}

void TThickness::Save() {
  KeepEdited();
  SaveThicknessSlots(params_, slots_, edited_);
}

}  // namespace quillon
