// SPDX-License-Identifier: GPL-3.0-or-later
// The print selection map: a symbolic plan of the cards of a sheet, scaled into an area, on
// which single cards are left out of printing.
#pragma once

#include <string>
#include <vector>

#include "document/ItemList.h"

namespace quillon {

// Rows and columns beyond this are not drawn on the map.
inline constexpr int kMapMaxCards = 1000;

struct MapCard {
  int left = 0, top = 0, width = 0, height = 0;
  bool Contains(int x, int y) const {
    return x >= left && x < left + width && y >= top && y < top + height;
  }
};

struct SelectionMap {
  int width = 0;  // of the whole map
  int height = 0;
  int rows = 1;
  int columns = 1;
  std::vector<MapCard> cards;  // row by row, the order of the selection's characters
};

// The map of the document's cards fitted into an area of the given size: the page scaled to
// nine tenths of the area's smaller side, one pixel between neighbouring cards. Without a page
// setup record the map is the area with one card.
SelectionMap MapOfCards(const ItemList& list, int areaWidth, int areaHeight);

// The card at (x, y) of the map, counted from 0, or -1.
int CardAt(const SelectionMap& map, int x, int y);

// The selection with the card at index (from 0) switched between printed and left out;
// a shorter selection is first filled up with printed cards.
std::u16string ToggleCard(std::u16string selection, int index, int cards);
// Every card printed, or every card left out.
std::u16string SelectAllCards(int cards, bool print);

}  // namespace quillon
