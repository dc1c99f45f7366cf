// SPDX-License-Identifier: GPL-3.0-or-later
// The search box above "Quick select": which entries of a kind's list in a unit a typed text
// finds, by any part of their names or by a size typed as "63.5 x 38.1".
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace quillon {

// A width and a height in millimetres, or in pixels for pixel sizes.
struct TypedSize {
  double width = 0;
  double height = 0;
};

// The sizes a text such as "63.5 x 38.1", "63,5x38,1", "2 5/8 x 1" or "4 x 1 in" may mean in
// a list of `units`: the list's own unit, and the other of millimetres and inches unless the
// text names its unit ("mm", "in", an inch mark). Empty when the text is no size.
std::vector<TypedSize> ReadTypedSizes(const QString& text, int32_t units);

// Whether a name contains the text, whatever the case, the blanks around an "x" between numbers,
// "×" for "x" and "," for "."; a number in the text is not found inside a longer number.
bool NameContains(const QString& name, const QString& text);

// The indices into Catalogue(units, kind) of the entries the text finds, in list order: every
// entry for a blank text; otherwise the entries whose name contains it and, when it reads as a
// size, those whose card or label size (the paper for plain paper sizes) is that size either
// way round, within 0.3 mm (half a pixel in pixels).
std::vector<int> SearchTemplates(int32_t units, int32_t kind, const QString& text);

}  // namespace quillon
