// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ui/Tspeed.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

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
  guidance_ = new QLabel(QString::fromLatin1(kSpeedGuidance), this);
  guidance_->setObjectName(QStringLiteral("Guidance1"));
  guidance_->setWordWrap(true);
  guidance_->setMinimumWidth(360);
  column->addWidget(guidance_);
  column->addStretch();
}

SpeedSwitches Tspeed::Switches() const {
  return {boxes_[0]->isChecked(), boxes_[1]->isChecked(), boxes_[2]->isChecked(),
          boxes_[3]->isChecked()};
}

QString Tspeed::GuidanceText() const {
  return guidance_->text();
}

bool Tspeed::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
    for (int i = 0; i < 4; ++i) {
      if (watched != boxes_[i]) continue;
      guidance_->setText(QString::fromLatin1(event->type() == QEvent::Enter ? kSwitches[i].guidance
                                                                            : kSpeedGuidance));
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quillon
