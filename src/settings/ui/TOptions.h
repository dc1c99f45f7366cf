// SPDX-License-Identifier: GPL-3.0-or-later
// "Grid and Snap": per direction, whether the grid lines and anchors show and whether points
// snap to the grid, and the default distance between grid lines, edited in a working copy of
// the new-document defaults. Its host saves the copy for new files or for one document.
#pragma once

#include <QWidget>
#include <array>

#include "settings/TParams.h"

class QCheckBox;
class QLineEdit;

namespace quillon {

inline constexpr char kGridDensityGuidance[] =
    "Grid Density is the initial, default distance between the gridlines. Once you establish the "
    "grid, you can further customize each distance by moving the anchors. Each drawing has its own "
    "grid that is saved with the file.";
inline constexpr char kGridAnchorsGuidance[] =
    "Grid Anchors are the starting points of gridlines, small blue cylinders that appear next to "
    "the rulers. When the anchors are visible, you can move or delete each gridline by moving or "
    "deleting its anchor.";
inline constexpr char kGridDirectionGuidance[] =
    "Horizontal grid makes vertical gridlines that help you position objects in the horizontal "
    "direction, that is why you see vertical lines when you select a horizontal grid.";

class TOptions : public QWidget {
  Q_OBJECT
 public:
  explicit TOptions(defaults_t copy, QWidget* parent = nullptr);
  // The working copy as the boxes have set it.
  const defaults_t& WorkingCopy() const { return copy_; }

 private:
  defaults_t copy_;
  // Horizontal group first: grid, anchors, snap.
  std::array<QCheckBox*, 6> boxes_{};
  std::array<QLineEdit*, 2> densities_{};
};

}  // namespace quillon
