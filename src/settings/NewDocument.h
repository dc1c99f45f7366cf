// SPDX-License-Identifier: GPL-3.0-or-later
// A new document as File > New makes it from the settings.
#pragma once

#include <cstdint>

#include "document/ItemList.h"
#include "settings/TParams.h"

namespace quillon {

// Appends to an empty list the page setup record for new files (with the new-file page
// description of the "pspage" kind applied) and the anchors record with its first grid lines;
// the document is not marked modified. Returns the page setup record.
ItemRecord& NewDocument(ItemList& list, const TParams& params, int32_t windowNumber);

// The document File > New makes after the page setup wizard's Apply for new files with these
// page descriptions and kind, without changing `params`: the one way the command line and the
// window make it.
ItemRecord& NewDocumentAfterPageSetup(ItemList& list, const TParams& params,
                                      const pagesetArr_t& sets, int32_t kind, int32_t windowNumber);

// The page setup wizard's Apply for new files: the page descriptions and the kind become the
// new-file ones; the kind's paper width and height in its unit, when both parse to sizes above
// zero, become that unit's new-file paper size (texts and numbers) and that unit the unit of
// new documents. A kind outside 1..11 changes nothing.
void ApplyPageSetupToNewFiles(TParams& params, const pagesetArr_t& sets, int32_t kind);

}  // namespace quillon
