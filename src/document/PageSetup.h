// SPDX-License-Identifier: GPL-3.0-or-later
// The page setup record that heads every document: lookup, the modified mark, the unit scale
// and the page's rectangle in window pixels.
#pragma once

#include <cstdint>

#include "document/ItemList.h"

namespace quillon {

// Page units.
inline constexpr int32_t kUnitPixels = 1;
inline constexpr int32_t kUnitMillimetres = 2;
inline constexpr int32_t kUnitInches = 3;

ItemRecord* FindPageRecord(const ItemList& list);
void SetModified(ItemList& list, bool value);
bool IsModified(const ItemList& list);
// An untouched new document: a page record that is not modified and at most three records.
bool IsPristine(const ItemList& list);

struct UnitScale {
  int32_t units;
  double pixelsPerUnitX;
  double pixelsPerUnitY;
};
// Screen pixels per page unit; codes other than pixels and millimetres scale as inches.
UnitScale UnitsScale(int32_t units, const ScreenMetrics& screen);

// Recomputes x1 .. boundHeight of the page record from its design area and zoom.
void UpdatePageRect(ItemRecord& page);
// The reader's rule: the unit scale of this screen, then UpdatePageRect.
void AdaptAfterRead(ItemRecord& page, const ScreenMetrics& screen);

struct ExportSize {
  int32_t width;
  int32_t height;
  int32_t resolutionX;  // dots per inch
  int32_t resolutionY;
};
// The canvas size used by export and preview; page may be null.
ExportSize ExportPixelSize(const ItemRecord* page, const ScreenMetrics& screen);

// The page kind as readers use it: the absolute value of pageKind.
int32_t PageKindOf(const ItemRecord& page);
// The light direction as readers use it: values of 4 and above count as 0.
int32_t LightDirectionOf(const ItemRecord& page);

}  // namespace quillon
