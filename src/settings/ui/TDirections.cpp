// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

#include "settings/Customization.h"
#include "settings/ui/CustomizeDialogs.h"
#include "settings/ui/Samples.h"

namespace quillon {
namespace {

QString Opening(DirectionRole role) {
  return role == DirectionRole::FontSizes
             ? QStringLiteral(
                   "Click on the name in the left column to enter or change the font "
                   "size.")
             : QStringLiteral(
                   "Click on the name in the left column to enter or change the "
                   "angle.");
}

}  // namespace

TDirections::TDirections(TParams& params, DirectionRole role, QWidget* parent)
    : CustomizeDialog(params, QStringLiteral("Select"), Opening(role), parent),
      role_(role),
      slots_(SlotsOf(params, role)) {
  setObjectName(QStringLiteral("TDirections"));
  name_ = AddLineEdit(QStringLiteral("Name"), "Name");
  if (role == DirectionRole::FontSizes) {
    value_ = AddLineEdit(QStringLiteral("Size"), "Value");
  } else {
    value_ = AddLineEdit(QStringLiteral("Angle"), "Value");
    units_ = AddUnits({QStringLiteral("Degrees"), QStringLiteral("Radians")});
  }
  FinishLayout();
}

std::array<QString, 2> TDirections::EditingGuidance() const {
  switch (role_) {
    case DirectionRole::FontSizes:
      return {QStringLiteral("Enter a new name in the Name field. You will be able to select the "
                             "font size by this name."),
              QStringLiteral("Then, enter the font size. Leave the font size field empty to "
                             "remove the size from the pull-down list.")};
    case DirectionRole::TextAngles:
      return {QStringLiteral("Enter a new name in the Name field. You will be able to select the "
                             "angle by this name."),
              QStringLiteral("Then, enter the angle of the text. Leave the angle field empty to "
                             "remove this item from the pull-down list.")};
    default:
      return {QStringLiteral("Enter a new name in the Name field. You will be able to select the "
                             "angle by this name."),
              QStringLiteral("Then, enter the angle of the line. Leave the angle field empty to "
                             "remove the direction from the pull-down list.")};
  }
}

void TDirections::ShowSlot(int slot) {
  name_->setText(slots_[slot].name);
  value_->setText(slots_[slot].typed);
  if (units_ != nullptr) {
    units_->setCurrentIndex(slots_[slot].units == kAngleRadians ? 1 : 0);
  }
}

void TDirections::KeepSlot(int slot) {
  slots_[slot].name = name_->text();
  slots_[slot].typed = value_->text();
  if (units_ != nullptr) {
    slots_[slot].units = units_->currentIndex() == 1 ? kAngleRadians : kAngleDegrees;
  }
}

void TDirections::UpdateSample() {
  std::optional<double> value;
  if (edited_ >= 0) {
    custDirectionRec_t trial = slots_[edited_];
    trial.name = trial.name.trimmed();
    trial.typed = trial.typed.trimmed();
    ValidateDirection(trial, role_);
    if (trial.inUse) value = trial.value;
  }
  const QImage image = role_ == DirectionRole::FontSizes ? FontSizeSample(Sample()->size(), value)
                                                         : AngleSample(Sample()->size(), value);
  Sample()->setPixmap(QPixmap::fromImage(image));
}

void TDirections::Save() {
  KeepEdited();
  SaveDirectionSlots(params_, role_, slots_, edited_);
}

}  // namespace quillon
