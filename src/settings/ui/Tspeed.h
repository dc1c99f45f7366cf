// SPDX-License-Identifier: GPL-3.0-or-later
// The speed dialog: switches that leave out time-consuming painting in a drawing window
// (pictures as outlines, no shadows, flat surfaces) and the drawing of items while they are
// dragged. Its host applies the switches; they are not stored.
#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;

namespace quillon {

struct SpeedSwitches {
  bool pictures = true;
  bool shadows = true;
  bool surfaces = true;
  bool liveDrag = true;
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
  QLabel* guidance_ = nullptr;
};

}  // namespace quillon
