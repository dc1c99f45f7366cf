// SPDX-License-Identifier: GPL-3.0-or-later
// The layout the print selection and the print preview share.
#pragma once

#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

namespace quillon {

// Lays the panel out with its guidance column, 220 pixels wide, on the left and a scroll area
// showing view, centred, in the rest; returns the scroll area.
inline QScrollArea* SheetPanelLayout(QWidget* panel, QVBoxLayout* column, QWidget* view) {
  auto* row = new QHBoxLayout(panel);
  auto* left = new QWidget(panel);
  left->setLayout(column);
  left->setFixedWidth(220);
  row->addWidget(left);
  auto* scroll = new QScrollArea(panel);
  scroll->setAlignment(Qt::AlignCenter);
  scroll->setWidget(view);
  row->addWidget(scroll, 1);
  return scroll;
}

}  // namespace quillon
