// SPDX-License-Identifier: GPL-3.0-or-later
// The "Quick select" template catalogue by measuring unit and page kind, choosing an entry
// into a page description, finding the entry a description matches, and the page descriptions
// that new files start with.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <span>

#include "page/Pageset.h"

namespace quillon {

enum class EntryOrientation : uint8_t {
  Keep,                 // the orientation stays as it is
  KeepSwapInLandscape,  // stays, and in landscape width and height are exchanged
  Portrait,
  Landscape,
};

enum class EntryFold : uint8_t { None, Rows, Columns };

// The texts of an entry, in this order; "" leaves the field empty.
enum EntryText {
  kEntryPaperWidth,
  kEntryPaperHeight,
  kEntryItemWidth,
  kEntryItemHeight,
  kEntryLeftMargin,
  kEntryTopMargin,
  kEntryRightMargin,
  kEntryBottomMargin,
  kEntryRows,
  kEntryColumns,
  kEntryRowGap,
  kEntryColumnGap,
  kEntryTextCount
};

struct TemplateEntry {
  const char* name;  // UTF-8, exactly as listed
  EntryOrientation orientation;
  std::array<const char*, kEntryTextCount> texts;
  EntryFold fold;

  QString Name() const { return QString::fromUtf8(name); }
  QString Text(EntryText which) const { return QString::fromUtf8(texts[which]); }
};

// The entries offered for a unit (1..3) and page kind (1..11), in list order; empty for other
// codes and for kinds 6 to 9 in millimetres and inches.
std::span<const TemplateEntry> Catalogue(int32_t units, int32_t kind);
// The index of the entry of that exact name, or -1.
int FindTemplate(int32_t units, int32_t kind, const QString& name);

// Writes entry `index` of the current unit's list into the current unit block: its texts (the
// fields it leaves empty are cleared), its folds, its orientation and the block's catalogue
// index. An index outside the list changes nothing and returns false.
bool ChooseTemplate(pageset_t& set, int32_t kind, int index);
// The first entry of the current unit's list that the current block describes, or -1: pixel
// entries and the plain paper sizes by their paper size (pixel entries that keep the
// orientation in either orientation), card and label layouts by every value they set.
int MatchTemplate(const pageset_t& set, int32_t kind);

// The description new files of a kind start with when nothing is stored: in millimetres and
// inches the kind's first entry on A4 or Letter paper, or that paper alone (with margins for
// illustrations and the CD and case kinds); 800 x 600 in pixels. Kind 9 is in pixels and
// landscape; the others are in `units` and portrait.
pageset_t DefaultPageset(int32_t kind, int32_t units);
pagesetArr_t DefaultPagesets(int32_t units);

}  // namespace quillon
