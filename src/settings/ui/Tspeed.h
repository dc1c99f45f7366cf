// SPDX-License-Identifier: GPL-3.0-or-later
// The speed dialog: switches that leave out time-consuming painting in a drawing window
// (pictures as outlines, no shadows, flat surfaces) and the drawing of items while they are
// dragged, and how often a changed document's recovery copy is written. Its host applies the
// switches, which are not stored, and the interval, which is a setting.
#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace quillon {

struct SpeedSwitches {
  bool pictures = true;
  bool shadows = true;
  bool surfaces = true;
  bool liveDrag = true;
  // Seconds from a change to the recovery copy; 0 writes none.
  int32_t recoveryInterval = 60;
  friend bool operator==(const SpeedSwitches&, const SpeedSwitches&) = default;
};

inline constexpr char kSpeedGuidance[] =
    "You can turn off some time-consuming functions if you want to re-arrange your design "
    "without waiting for you PC to re-paint the items on your screen.";

class Tspeed : public QWidget {
  Q_OBJECT
 public:
  Tspeed(SpeedSwitches current, QWidget* parent = nullptr);
  // The switches as the boxes show them now.
  SpeedSwitches Switches() const;
  QString GuidanceText() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::array<QCheckBox*, 4> boxes_{};
  QSpinBox* interval_ = nullptr;
  QLabel* guidance_ = nullptr;
};

}  // namespace quillon
