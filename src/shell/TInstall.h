// SPDX-License-Identifier: GPL-3.0-or-later
// The first-time setup panel: the measuring unit the user prefers, millimetres or inches.
#pragma once

#include <QWidget>
#include <cstdint>

class QCheckBox;

namespace quillon {

inline constexpr char kChooseUnitsMessage[] = "Please select Millimeters or Inches";

class TInstall : public QWidget {
  Q_OBJECT
 public:
  explicit TInstall(QWidget* parent = nullptr);
  // The unit chosen: 2 millimetres, 3 inches, 0 none yet.
  int32_t ChosenUnits() const;
  QCheckBox* Millimeters() const { return millimeters_; }
  QCheckBox* Inches() const { return inches_; }

 private:
  QCheckBox* millimeters_ = nullptr;
  QCheckBox* inches_ = nullptr;
};

}  // namespace quillon
