// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TInstall.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "document/PageSetup.h"

namespace quillon {

int32_t LocaleUnits(const QLocale& locale) {
  switch (locale.territory()) {
    case QLocale::AnyTerritory:
      return 0;
    case QLocale::UnitedStates:
    case QLocale::UnitedStatesMinorOutlyingIslands:
    case QLocale::UnitedStatesVirginIslands:
    case QLocale::PuertoRico:
    case QLocale::Liberia:
    case QLocale::Myanmar:
      return kUnitInches;
    default:
      return kUnitMillimetres;
  }
}

TInstall::TInstall(QWidget* parent, const QLocale& locale) : QWidget(parent) {
  setObjectName(QStringLiteral("TInstall"));
  auto* column = new QVBoxLayout(this);
  auto* text = new QLabel(
      QStringLiteral("In this step, please select the measuring units that you prefer to use "
                     "and then click on the Proceed button."),
      this);
  text->setWordWrap(true);
  column->addWidget(text);
  auto* box = new QGroupBox(QStringLiteral(" I prefer to use "), this);
  auto* choices = new QVBoxLayout(box);
  millimeters_ = new QCheckBox(QStringLiteral("Millimeters"), box);
  millimeters_->setObjectName(QStringLiteral("CheckBox1"));
  inches_ = new QCheckBox(QStringLiteral("Inches"), box);
  inches_->setObjectName(QStringLiteral("CheckBox2"));
  // Two check boxes that behave as one choice: ticking one clears the other.
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  group->addButton(millimeters_);
  group->addButton(inches_);
  choices->addWidget(millimeters_);
  choices->addWidget(inches_);
  if (const int32_t units = LocaleUnits(locale); units != 0) {
    (units == kUnitInches ? inches_ : millimeters_)->setChecked(true);
  }
  column->addWidget(box);
  column->addStretch();
}

int32_t TInstall::ChosenUnits() const {
  if (millimeters_->isChecked()) return kUnitMillimetres;
  if (inches_->isChecked()) return kUnitInches;
  return 0;
}

}  // namespace quillon
