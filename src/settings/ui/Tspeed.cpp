// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ui/Tspeed.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace quillon {
namespace {

struct SwitchText {
  const char* name;
  const char* caption;
  const char* guidance;  // shown while the mouse is over the box
};
constexpr SwitchText kSwitches[] = {
    {"Pictures", "Show all pictures",
     "The software shows only the outlines of your clips when this option is unchecked."},
    {"Shadows", "Show all shadows",
     "The software does not paint the shadows when this option is unchecked."},
    {"Surfaces", "Show all 3-D effects",
     "The software does not make the 3-D effect on the surface of your graphics when this option "
     "is unchecked."},
    {"LiveDrag", "Show items while dragging",
     "The software does not draw the items you drag until you release them when this option is "
     "unchecked."},
};
constexpr char kIntervalGuidance[] =
    "The software keeps a copy of every document with unsaved changes and offers it at the next "
    "start when the software or the computer stopped unexpectedly. \"Never\" keeps no copies.";
// The longest interval the box offers: one hour.
constexpr int kLongestInterval = 3600;

}  // namespace

Tspeed::Tspeed(SpeedSwitches current, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Tspeed"));
  auto* column = new QVBoxLayout(this);
  const bool on[] = {current.pictures, current.shadows, current.surfaces, current.liveDrag};
  for (int i = 0; i < 4; ++i) {
    auto* box = new QCheckBox(QString::fromLatin1(kSwitches[i].caption), this);
    box->setObjectName(QString::fromLatin1(kSwitches[i].name));
    box->setChecked(on[i]);
    box->installEventFilter(this);
    column->addWidget(box);
    boxes_[i] = box;
  }
  auto* intervalRow = new QHBoxLayout;
  auto* intervalLabel = new QLabel(QStringLiteral("Recovery copy after a change:"), this);
  interval_ = new QSpinBox(this);
  interval_->setObjectName(QStringLiteral("RecoveryInterval"));
  interval_->setRange(0, kLongestInterval);
  interval_->setSuffix(QStringLiteral(" s"));
  interval_->setSpecialValueText(QStringLiteral("Never"));
  interval_->setValue(std::clamp(current.recoveryInterval, 0, kLongestInterval));
  interval_->installEventFilter(this);
  intervalLabel->setBuddy(interval_);
  intervalRow->addWidget(intervalLabel);
  intervalRow->addWidget(interval_);
  intervalRow->addStretch();
  column->addLayout(intervalRow);
  guidance_ = new QLabel(QString::fromLatin1(kSpeedGuidance), this);
  guidance_->setObjectName(QStringLiteral("Guidance1"));
  guidance_->setWordWrap(true);
  guidance_->setMinimumWidth(360);
  column->addWidget(guidance_);
  column->addStretch();
}

SpeedSwitches Tspeed::Switches() const {
  return {boxes_[0]->isChecked(), boxes_[1]->isChecked(), boxes_[2]->isChecked(),
          boxes_[3]->isChecked(), interval_->value()};
}

QString Tspeed::GuidanceText() const {
  return guidance_->text();
}

bool Tspeed::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
    if (watched == interval_) {
      guidance_->setText(
          QString::fromLatin1(event->type() == QEvent::Enter ? kIntervalGuidance : kSpeedGuidance));
    }
    for (int i = 0; i < 4; ++i) {
      if (watched != boxes_[i]) continue;
      guidance_->setText(QString::fromLatin1(event->type() == QEvent::Enter ? kSwitches[i].guidance
                                                                            : kSpeedGuidance));
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quillon
