// SPDX-License-Identifier: GPL-3.0-or-later
// "Grid and Snap": the grid switches and distances of new files or of one document, edited in a
// working copy of the new-document defaults.
#pragma once

#include "document/ItemRecord.h"
#include "settings/TParams.h"

namespace quillon {

// The working copy for new files: the defaults as they are.
defaults_t GridOptionsForNewFiles(const TParams& params);
// The working copy for a document: the defaults, with the unit, the scale, the design area and
// grid distances of that unit (numbers and their texts) and the six switches of its page.
defaults_t GridOptionsForDocument(const TParams& params, const ItemRecord& page);

// Reads the grid distance texts of the copy's unit into its numbers. A text that does not parse
// keeps the number; so does one whose distance rounds to less than a pixel, whose text then
// goes back to the number kept. Whether every text was taken.
bool ReadGridDistances(defaults_t& copy);

// Save for new files: the distances read, the copy becomes the new-document defaults.
void SaveGridOptionsForNewFiles(TParams& params, defaults_t copy);
// Save for a document: the distances read, the six switches and the unit's distances go to the
// page record; its window then resets the grid in both directions.
void SaveGridOptionsForDocument(ItemRecord& page, defaults_t copy);

}  // namespace quillon
