// SPDX-License-Identifier: GPL-3.0-or-later
// Storage for item records, taken from the system in chunks of many records, so that a document
// of many records costs neither one allocation nor one page fault per record.
#pragma once

#include <cstddef>

namespace quillon {

// Room for one object of recordSize bytes (the size the pool was made for; any other size is
// passed on to the global allocator). Throws std::bad_alloc when the system has no memory left.
void* AllocateRecord(std::size_t size);
// Gives back what AllocateRecord gave for the same size.
void ReleaseRecord(void* storage, std::size_t size) noexcept;

}  // namespace quillon
