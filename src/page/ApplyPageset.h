// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a page description into a document's page setup record.
#pragma once

#include <array>
#include <cstdint>

#include "document/ItemList.h"
#include "page/Pageset.h"

namespace quillon {

// The grid distances new files use, in page units.
struct GridDistances {
  double x = 0;
  double y = 0;
};
// By unit, index units - 1.
using UnitGridDistances = std::array<GridDistances, 3>;

// The most rows, and the most columns, a page description can set.
inline constexpr int32_t kMaxCardCount = 1000;

// The quiet form, used for new documents: writes the orientation, the kind, the catalogue
// index, every size text of the description's unit block that parses (a text that does not
// leaves its field, and so does a paper or card size of zero or less), rows and columns that
// read as whole numbers of at least 1 (at most kMaxCardCount), the folds and the fourteen
// texts; makes the design area the card (doubled by the folds) for card-sheet kinds or else the
// paper; switches the record to the description's unit, rescaling the design area's left and top
// edge, and takes that unit's grid distances from `grids`. Neither marks the record modified nor
// recomputes its window rectangle.
void ApplyPagesetToRecord(ItemRecord& page, const pageset_t& set, int32_t kind,
                          const UnitGridDistances& grids, const ScreenMetrics& screen);
// The document form, used by the page setup wizard: the quiet form on the document's page setup
// record, then the modified mark and its window rectangle. The window then resets its grid.
// False, changing nothing, when the document has no page setup record.
bool ApplyPagesetToRecord(ItemList& document, const pageset_t& set, int32_t kind,
                          const UnitGridDistances& grids);

// Takes a document's page description into the entry of its kind: unit, orientation, the
// catalogue index, the folds and the texts of that unit from the record's text lines (lines the
// text lacks keep their texts). The kind (a negative one as its absolute value), or 0 when
// that is not 1..11.
int32_t TakePagesetFromRecord(const ItemRecord& page, pagesetArr_t& sets);

}  // namespace quillon
