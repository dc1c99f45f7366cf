// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillon {

// The screen's logical resolution, read once at start; 96 dots per inch without a screen.
struct ScreenMetrics {
  int dpiX = 96;
  int dpiY = 96;
  double PxPerMmX() const { return dpiX / 25.4; }
  double PxPerMmY() const { return dpiY / 25.4; }
};

}  // namespace quillon
