// SPDX-License-Identifier: GPL-3.0-or-later
// The eleven page kinds a document can be, and the three measuring units of a page.
#pragma once

#include <cstdint>

namespace quillon {

inline constexpr int32_t kPageKindCount = 11;
inline constexpr int32_t kKindIllustrations = 1;
inline constexpr int32_t kKindDigitalImages = 9;
inline constexpr int32_t kKindBrochures = 10;

inline constexpr int32_t kPortrait = 1;
inline constexpr int32_t kLandscape = 2;

constexpr bool IsPageKind(int32_t kind) {
  return kind >= 1 && kind <= kPageKindCount;
}
// Pixels, millimetres or inches (the page record's unit codes 1 to 3).
constexpr bool IsPageUnit(int32_t units) {
  return units >= 1 && units <= 3;
}
// Kinds whose design is one card, repeated on every card of the sheet when printed.
constexpr bool IsCardSheetKind(int32_t kind) {
  return (kind >= 2 && kind <= 5) || kind == 11;
}

// The wizard's caption of a kind ("Illustrations" ... "Tent Cards"); "" for other numbers.
const char* PageKindName(int32_t kind);
// The units list's caption: "Pixels", "Millimeters", "Inches"; "" for other codes.
const char* UnitCaption(int32_t units);

}  // namespace quillon
