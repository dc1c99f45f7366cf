// SPDX-License-Identifier: GPL-3.0-or-later
// What the customization dialogs do, without their widgets: Save of each dialog's working copy
// into the settings object, the colour chooser's result, and the pattern record a document
// carries for a custom pattern.
#pragma once

#include <QString>
#include <cstdint>

#include "document/ItemList.h"
#include "settings/TParams.h"
#include "settings/ValueLists.h"

namespace quillon {

// The custom direction slots of a role: line directions, text angles or font sizes.
DirectionSlots& SlotsOf(TParams& params, DirectionRole role);
const DirectionSlots& SlotsOf(const TParams& params, DirectionRole role);

// Save of a dialog: every slot of the working copy has its name and typed values trimmed, is
// validated and replaces the slot in params; the edited slot (0..11, or -1 for none) is marked
// just saved so that the next fill of its list selects it.
void SaveThicknessSlots(TParams& params, const ThicknessSlots& edited, int editedSlot);
void SavePatternSlots(TParams& params, const PatternSlots& edited, int editedSlot);
void SaveDirectionSlots(TParams& params, DirectionRole role, const DirectionSlots& edited,
                        int editedSlot);
// The shadows and the light direction (0 top left, 1 top right, 2 bottom left, 3 bottom
// right); shadows have no just-saved mark.
void SaveShadowSlots(TParams& params, const ShadowSlots& edited, int32_t lightDirection);

// The label beside a shadow slider: "None" at 0, else the position as a percentage of 255.
QString ShadowPercentText(int position);

// Customize > Colors: a colour chosen in the colour chooser becomes a user colour unless the
// colour list already offers it. Returns whether it was added.
bool TakeChosenColour(TParams& params, uint32_t colour);

// Adds to the document a custom line pattern record (class 3) holding the slot's segments and
// count, numbered one below the lowest pattern number already there (-1, -2, ...); lines that
// use the pattern carry the returned number in linePattern.
int32_t AddCustomPatternRecord(ItemList& list, const custPatternRec_t& slot);

}  // namespace quillon
