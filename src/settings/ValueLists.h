// SPDX-License-Identifier: GPL-3.0-or-later
// The pull-down lists of the property panels as data: built-in entries, "Customize...", then the
// user's own entries in use, and the three operations the panels bind to (fill, select a value,
// read the selection).
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "settings/TParams.h"

namespace quillon {

enum class ValueListKind {
  Colours,
  FillColours,
  LineWeights,
  OutlineWeights,
  LinePatterns,
  LineDirections,
  TextAngles,
  FontSizes,
  FontWeights,
  CharacterSets,
  Shadows,
  Surfaces,
};

inline constexpr char kCustomizeEntry[] = "Customize...";

struct ShadowValue {
  int32_t size = 0;
  int32_t softness = 0;
  int32_t lightness = 0;
  friend bool operator==(const ShadowValue&, const ShadowValue&) = default;
};

enum class EntrySource {
  BuiltIn,        // position = its place among the built-in entries
  Customize,      // "Customize..."
  ChooserColour,  // position = the colour chooser's slot, 1..16
  CustomSlot,     // position = the slot, 1..12 (user colours too)
};

struct ValueListEntry {
  QString text;  // a single space for the colour swatches after "Customize..."
  EntrySource source = EntrySource::BuiltIn;
  int position = 0;
  double value = 0;  // colour, mm, degrees, points, weight, character set, surface, pattern
  ShadowValue shadow;
  bool justSaved = false;
};

struct ValueList {
  ValueListKind kind = ValueListKind::Colours;
  std::vector<ValueListEntry> entries;
  int selected = -1;
  // The fill selected an entry whose slot was just saved in its customization dialog; the panel
  // makes it the current tool setting and then calls ClearJustSaved.
  bool selectedJustSaved = false;
};

// The built-in entries, then "Customize..." where the list has it, then the custom entries in
// use in slot order (for colours: the chooser's custom colours, then the user colours).
ValueList FillValueList(ValueListKind kind, const TParams& params);
// The character sets a font supports, by its code-page signature.
ValueList FillCharacterSets(uint32_t signature);
void ClearJustSaved(TParams& params, ValueListKind kind);

// Selects the first entry of that value, built-in entries before custom ones (reals equal within
// 0.0001), or nothing (-1). Returns the selection.
int SelectValue(ValueList& list, double value);
// Shadows match when size, softness and lightness are all equal.
int SelectShadow(ValueList& list, ShadowValue shadow);
// A built-in pattern position (0..4), or a custom pattern by its slot (1..12).
int SelectPattern(ValueList& list, int32_t position, int32_t slot);

struct ListSelection {
  EntrySource source = EntrySource::BuiltIn;
  int position = -1;  // built-in position or slot; -1 when nothing is selected
};
ListSelection ReadSelection(const ValueList& list, int index);

// The character set code (as fonts and text records carry it) of entry `index` of the full
// character set list, and the bit a character set has in a font's code-page signature; -1 for
// none.
int32_t CharacterSetValue(int index);
int SignatureBitOf(int32_t charset);

}  // namespace quillon
