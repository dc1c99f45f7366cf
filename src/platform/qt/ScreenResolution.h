// SPDX-License-Identifier: GPL-3.0-or-later
// The screen's logical resolution, read once at start.
#pragma once

namespace quillon {

struct ScreenResolution {
  int dpiX = 96;
  int dpiY = 96;
};

// The primary screen's logical dots per inch, rounded; the environment variable
// QUILLON_SCREEN_DPI (a whole number from 1 to 10000) overrides both. 96 without a screen.
ScreenResolution ReadScreenResolution();

}  // namespace quillon
