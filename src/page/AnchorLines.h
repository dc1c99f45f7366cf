// SPDX-License-Identifier: GPL-3.0-or-later
// The grid's anchor lines as the page lays them out: the lines a new document starts with and
// the equal distances a grid reset restores.
#pragma once

#include <cstdint>
#include <vector>

#include "document/EditObserver.h"
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

// The grid reset as one undo step: the redo history is dropped, the live anchors record is
// hidden and replaced by a copy whose lines of the flagged directions are rebuilt at equal
// distances, starting one distance after the page's edge; the observer hears that Undo is
// available and Redo is not. False, changing nothing, without a page setup or anchors record.
bool ResetAnchorLines(ItemList& list, int flags, EditObserver& observer);

// The anchor marks beside the rulers: 7 x 7 pixels with a 4-pixel tick towards the page.
inline constexpr int32_t kAnchorMarkSide = 7;
inline constexpr int32_t kAnchorMarkMargin = 4;
// The strip along the desk's top (left) edge that holds the marks.
inline constexpr int32_t kAnchorStripDepth = kAnchorMarkSide + kAnchorMarkMargin + 1;

// The two kinds of grid line: vertical lines position things horizontally and are shown with
// the horizontal grid, horizontal lines the other way round.
enum class GridAxis { Vertical, Horizontal };

std::vector<AnchorEntry>& LinesOf(ItemRecord& anchors, GridAxis axis);
const std::vector<AnchorEntry>& LinesOf(const ItemRecord& anchors, GridAxis axis);
// Whether the page shows the grid and the anchors of the lines of this axis.
bool AnchorsShown(const ItemRecord& page, GridAxis axis);

// The live line whose mark (position - 3 .. position + 3) holds the position, the first of
// several; -1 for none.
int AnchorIndexAt(const std::vector<AnchorEntry>& lines, int32_t position);
// Highlights line `index` of the axis alone (-1: none); whether any highlight changed. The
// highlight is pointer state, not an edit.
bool HighlightAnchor(ItemRecord& anchors, GridAxis axis, int index);
// The highlighted live line of the axis, -1 for none.
int HighlightedAnchor(const ItemRecord& anchors, GridAxis axis);

// Grid-line edits, each one undo step that first drops the redo history; false, changing
// nothing, when the page does not show the grid and anchors of that axis.
// Clones the live anchors record into a new step and returns the clone (null without one); the
// highlight, which only follows the pointer, is cleared in both versions, so that an Undo never
// brings back a highlighted anchor the pointer has left.
ItemRecord* BeginGridEdit(ItemList& list, EditObserver& observer);
// A new line at the position (page pixels at 100 % from the desk origin).
bool InsertGridLine(ItemList& list, EditObserver& observer, GridAxis axis, int32_t position);
// Marks every highlighted line deleted, vertical lines first; false when none is highlighted.
bool DeleteHighlightedLines(ItemList& list, EditObserver& observer);

// Lines at the default distance after the last live line of the axis up to and including
// `edge`, with the guard of the reset; how many were added.
int ExtendGridLines(std::vector<AnchorEntry>& lines, int32_t edge, double distance,
                    double pixelsPerUnit);
// Moves every line by `by`; when the first line would lie before 0, every line moves on by as
// much as it would lie before 0.
void ShiftGridLines(std::vector<AnchorEntry>& lines, int32_t by);

}  // namespace quillon
