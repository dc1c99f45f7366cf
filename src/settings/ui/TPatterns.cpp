// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

#include "settings/Customization.h"
#include "settings/ui/CustomizeDialogs.h"
#include "settings/ui/Samples.h"

namespace quillon {

TPatterns::TPatterns(TParams& params, QWidget* parent)
    : CustomizeDialog(params, QStringLiteral("Line pattern"),
                      QStringLiteral("Click on the pattern name in the left column to enter new "
                                     "values."),
                      parent),
      slots_(params.customPatterns) {
  setObjectName(QStringLiteral("TPatterns"));
  name_ = AddLineEdit(QStringLiteral("Name"), "Name");
  units_ =
      AddUnits({QStringLiteral("Pixels"), QStringLiteral("Millimeters"), QStringLiteral("Inches")});
  for (int i = 0; i < kPatternSlotSegments; ++i) {
    const QByteArray name = QStringLiteral("Segment%1").arg(i + 1).toLatin1();
    segments_[i] = AddLineEdit(i % 2 == 0 ? QStringLiteral("Dash") : QStringLiteral("Space"),
                               name.constData());
  }
  FinishLayout();
}

std::array<QString, 2> TPatterns::EditingGuidance() const {
  return {QStringLiteral("Enter a new name for the line pattern in the Name field. You will be "
                         "able to select the pattern by this name."),
          QStringLiteral("Then, select the measuring units and enter the lengths of the dashes "
                         "and spaces. Make the first dash equal to zero to remove the pattern "
                         "from the pull-down list")};
}

void TPatterns::ShowSlot(int slot) {
  name_->setText(slots_[slot].name);
  units_->setCurrentIndex(std::clamp(slots_[slot].units, 1, 3) - 1);
  for (int i = 0; i < kPatternSlotSegments; ++i)
    segments_[i]->setText(slots_[slot].typed[i]);
}

void TPatterns::KeepSlot(int slot) {
  slots_[slot].name = name_->text();
  slots_[slot].units = units_->currentIndex() + 1;
  for (int i = 0; i < kPatternSlotSegments; ++i)
    slots_[slot].typed[i] = segments_[i]->text();
}

void TPatterns::UpdateSample() {
  custPatternRec_t trial;
  if (edited_ >= 0) {
    trial = slots_[edited_];
    ValidatePattern(trial, params_.screen);
  }
  Sample()->setPixmap(QPixmap::fromImage(PatternSample(Sample()->size(), trial, params_.screen)));
}

void TPatterns::Save() {
  KeepEdited();
  SavePatternSlots(params_, slots_, edited_);
}

}  // namespace quillon
