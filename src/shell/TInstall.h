// SPDX-License-Identifier: GPL-3.0-or-later
// The first-time setup panel: the measuring unit the user prefers, millimetres or inches.
#pragma once

#include <QLocale>
#include <QWidget>
#include <cstdint>

class QCheckBox;

namespace quillon {

inline constexpr char kChooseUnitsMessage[] = "Please select Millimeters or Inches";

// The unit a locale measures paper in: 3 inches where inches are the custom, 2 millimetres in
// every other country, 0 when the locale names no country (the choice is then left open).
int32_t LocaleUnits(const QLocale& locale);

class TInstall : public QWidget {
  Q_OBJECT
 public:
  // The unit of the locale is chosen beforehand.
  explicit TInstall(QWidget* parent = nullptr, const QLocale& locale = QLocale());
  // The unit chosen: 2 millimetres, 3 inches, 0 none yet.
  int32_t ChosenUnits() const;
  QCheckBox* Millimeters() const { return millimeters_; }
  QCheckBox* Inches() const { return inches_; }

 private:
  QCheckBox* millimeters_ = nullptr;
  QCheckBox* inches_ = nullptr;
};

}  // namespace quillon
