// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PrintSelection.h"

#include <algorithm>
#include <cmath>

#include "document/PageSetup.h"
#include "output/PrintDriver.h"
#include "output/SheetComposer.h"

namespace quillon {
namespace {

// A length on the map; values that are not numbers or absurdly large count as nothing.
int OnMap(double value) {
  if (!std::isfinite(value) || std::abs(value) > 1e6) return 0;
  return static_cast<int>(std::lround(value));
}

}  // namespace

SelectionMap MapOfCards(const ItemList& list, int areaWidth, int areaHeight) {
  SelectionMap map;
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr) {
    map.width = std::max(areaWidth, 1);
    map.height = std::max(areaHeight, 1);
    map.cards.push_back({0, 0, map.width, map.height});
    return map;
  }
  const ScreenMetrics& screen = list.screen();
  const CardLayout layout = LayoutOf(*page, screen);
  const QSizeF paper = PaperMillimetres(*page, screen);
  // Everything in screen pixels, as the document shows it.
  const double pageW = paper.width() / 25.4 * screen.dpiX;
  const double pageH = paper.height() / 25.4 * screen.dpiY;
  const double larger = std::max(std::abs(pageW), std::abs(pageH));
  const double smallerArea = std::max(1, std::min(areaWidth, areaHeight));
  const double x = std::isfinite(larger) && larger >= 1 ? 0.9 * smallerArea / larger : 0;
  map.rows = std::clamp(layout.rows, 1, kMapMaxCards);
  map.columns = std::clamp(layout.columns, 1, kMapMaxCards);
  map.width = std::max(1, OnMap(pageW * x) + 2 * map.columns);
  map.height = std::max(1, OnMap(pageH * x) + 2 * map.rows);
  const int cw = std::max(0, OnMap(layout.cardWidth * screen.dpiX * x));
  const int ch = std::max(0, OnMap(layout.cardHeight * screen.dpiY * x));
  const int gx = OnMap(layout.gapHorizontal * screen.dpiX * x);
  const int gy = OnMap(layout.gapVertical * screen.dpiY * x);
  const int left = OnMap(layout.marginLeft * screen.dpiX * x);
  const int top = OnMap(layout.marginTop * screen.dpiY * x);
  map.cards.reserve(static_cast<size_t>(map.rows) * map.columns);
  for (int r = 0; r < map.rows; ++r) {
    for (int k = 0; k < map.columns; ++k) {
      map.cards.push_back({left + k * (cw + 1 + gx), top + r * (ch + 1 + gy), cw, ch});
    }
  }
  return map;
}

int CardAt(const SelectionMap& map, int x, int y) {
  for (size_t i = 0; i < map.cards.size(); ++i) {
    if (map.cards[i].Contains(x, y)) return static_cast<int>(i);
  }
  return -1;
}

std::u16string ToggleCard(std::u16string selection, int index, int cards) {
  if (index < 0 || index >= cards) return selection;
  if (selection.size() < static_cast<size_t>(cards)) selection.resize(cards, u' ');
  selection[index] = selection[index] == u'x' ? u' ' : u'x';
  return selection;
}

std::u16string SelectAllCards(int cards, bool print) {
  return std::u16string(static_cast<size_t>(std::max(cards, 0)), print ? u' ' : u'x');
}

}  // namespace quillon
