// SPDX-License-Identifier: GPL-3.0-or-later
// What `quillon info` prints about a document's records: JSON or a readable summary.
#pragma once

#include <ostream>

#include "document/ItemList.h"

namespace quillon {

// {"records": [...]}: every named field of each record, and its run-time content.
void WriteRecordsJson(const ItemList& list, std::ostream& out);
// The page kind and size and one line per record.
void WriteRecordsSummary(const ItemList& list, std::ostream& out);

}  // namespace quillon
