// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ui/TOptions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quillon {
namespace {

QString UnitName(int32_t units) {
  switch (units) {
    case 1:
      return QStringLiteral("Pixels");
    case 2:
      return QStringLiteral("Millimeters");
    default:
      return QStringLiteral("Inches");
  }
}

}  // namespace

TOptions::TOptions(defaults_t copy, QWidget* parent) : QWidget(parent), copy_(std::move(copy)) {
  setObjectName(QStringLiteral("TOptions"));
  auto* column = new QVBoxLayout(this);
  auto* groups = new QHBoxLayout;
  column->addLayout(groups);
  const int unit = copy_.units >= 1 && copy_.units <= 3 ? copy_.units - 1 : 2;
  uint8_t defaults_t::*const switches[6] = {
      &defaults_t::gridHorizontal, &defaults_t::anchorsHorizontal, &defaults_t::snapHorizontal,
      &defaults_t::gridVertical,   &defaults_t::anchorsVertical,   &defaults_t::snapVertical};
  QString UnitDefaults::*const texts[2] = {&UnitDefaults::gridXText, &UnitDefaults::gridYText};
  static constexpr const char* kCaptions[3] = {"Show Gridlines", "Show Anchors", "Snap to Grid"};
  static constexpr const char* kNames[3] = {"Grid", "Anchors", "Snap"};
  for (int g = 0; g < 2; ++g) {
    const QString direction = g == 0 ? QStringLiteral("Horizontal") : QStringLiteral("Vertical");
    auto* group = new QGroupBox(direction, this);
    group->setObjectName(direction);
    auto* inside = new QVBoxLayout(group);
    for (int i = 0; i < 3; ++i) {
      const int k = 3 * g + i;
      auto* box = new QCheckBox(QString::fromLatin1(kCaptions[i]), group);
      box->setObjectName(direction + QString::fromLatin1(kNames[i]));
      box->setChecked(copy_.*switches[k] != 0);
      connect(box, &QCheckBox::toggled, this,
              [this, member = switches[k]](bool on) { copy_.*member = on ? 1 : 0; });
      inside->addWidget(box);
      boxes_[k] = box;
    }
    inside->addWidget(new QLabel(
        QStringLiteral("Grid Density (") + UnitName(copy_.units) + QStringLiteral(")"), group));
    auto* density = new QLineEdit(copy_.perUnit[unit].*texts[g], group);
    density->setObjectName(direction + QStringLiteral("Density"));
    connect(density, &QLineEdit::textChanged, this,
            [this, unit, member = texts[g]](const QString& text) {
              copy_.perUnit[unit].*member = text;
            });
    inside->addWidget(density);
    densities_[g] = density;
    groups->addWidget(group);
  }
  for (const char* text : {kGridDensityGuidance, kGridAnchorsGuidance, kGridDirectionGuidance}) {
    auto* label = new QLabel(QString::fromLatin1(text), this);
    label->setWordWrap(true);
    label->setMinimumWidth(360);
    column->addWidget(label);
  }
  column->addStretch();
}

}  // namespace quillon
