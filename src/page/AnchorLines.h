// SPDX-License-Identifier: GPL-3.0-or-later
// The grid's anchor lines as the page lays them out: the lines a new document starts with and
// the equal distances a grid reset restores.
#pragma once

#include <cstdint>
#include <vector>

#include "document/ItemList.h"

namespace quillon {

// ResetAnchorLines flags: the vertical lines (horizontal direction), the horizontal lines, both.
inline constexpr int kResetHorizontal = 2;
inline constexpr int kResetVertical = 4;
inline constexpr int kResetBoth = 6;

// No direction gets more lines than this, however small the grid distance.
inline constexpr int kMaxGridLines = 10000;

// Line positions in page pixels at 100 %: origin + k * Round(distance * pixelsPerUnit) for
// k = first .. Trunc(length / distance), where length and distance are in page units. Only the
// line at k = 0 (when first is 0) is made when the distance is not positive or rounds to less
// than one pixel.
std::vector<int32_t> GridLinePositions(int32_t origin, double length, double distance,
                                       double pixelsPerUnit, int first);

// Fills the anchors record with a new document's lines: one at the page's left (top) edge and
// one every grid distance after it, across the design area of the page record.
void SetDefaultAnchorLines(ItemRecord& anchors, const ItemRecord& page);

// The grid reset as one undo step: the live anchors record is hidden and replaced by a copy
// whose lines of the flagged directions are rebuilt at equal distances, starting one distance
// after the page's edge. False, changing nothing, without a page setup or anchors record.
bool ResetAnchorLines(ItemList& list, int flags);

}  // namespace quillon
