// SPDX-License-Identifier: GPL-3.0-or-later
// Partly used sheets: a print can start at a later card, and the cards of a sheet that earlier
// prints used are remembered per sheet layout, so that the next print leaves them blank. Cards
// are counted from 1, row by row, as the print selection counts them.
#pragma once

#include <QString>
#include <string>

#include "document/ItemList.h"

namespace quillon {

// Marks a used card in the memory of a sheet; every other character is a free card.
inline constexpr char16_t kUsedCard = u'x';
inline constexpr char16_t kFreeCard = u'-';

// The number of cards of the document's sheet (rows times columns, folds counted once); 1 for
// anything but a card sheet or without a page setup.
int CardCount(const ItemList& list);

// The name a sheet layout is remembered by: its cards, margins, gaps and paper in millimetres,
// so that every document on the same sheet shares the memory. Empty without a page setup.
QString SheetLayoutName(const ItemList& list);

// The selection a print uses: the user's selection with the cards before firstCard and the
// used cards left out ("x"), one character per card.
std::u16string SelectionForPrint(const std::u16string& selection, int firstCard,
                                 const std::u16string& used, int cards);
// Whether the selection prints at least one of the cards.
bool PrintsAnyCard(const std::u16string& selection, int cards);
// The first card that is not used, from 1; cards + 1 when every card is.
int FirstFreeCard(const std::u16string& used, int cards);
// The memory after a print with the given selection (as SelectionForPrint made it) that
// started at firstCard: the cards it printed, and the cards before firstCard, which the user
// skipped because they are gone, are used. One character per card.
std::u16string UsedAfterPrint(const std::u16string& used, const std::u16string& printed,
                              int firstCard, int cards);
// Whether the memory marks the card (from 1) used.
bool IsUsedCard(const std::u16string& used, int position);
// Whether every one of the cards is used.
bool AllCardsUsed(const std::u16string& used, int cards);

}  // namespace quillon
