// SPDX-License-Identifier: GPL-3.0-or-later
// The installed scalable font families that the text panel offers, with the character sets
// each supports.
#pragma once

#include <QString>
#include <vector>

#include "settings/TParams.h"

namespace quillon {

// Rebuilds params.fonts from the font database: every scalable, public family, its name trimmed
// and cut to 32 characters, its code-page signature from the writing systems it supports and
// its own character set (that of the lowest signature bit). Needs a QGuiApplication; without
// one the list is left empty.
void EnumerateFonts(TParams& params);

// The name a family is listed under: trimmed, at most 32 characters, never half a pair.
QString FontListName(const QString& family);

// The families as the list shows them, given the font database's names with their support: a
// family that several foundries make (the database names it "Family [foundry]") is listed once
// under its plain name; the foundry tags stay only where those families differ in the
// character sets they support, so that the user can tell them apart. Names are then made list
// names (FontListName) and listed once, in their first order.
std::vector<FontEntry> MergeFoundries(const std::vector<FontEntry>& families);

}  // namespace quillon
