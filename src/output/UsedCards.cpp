// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/UsedCards.h"

#include <algorithm>
#include <cmath>

#include "document/PageSetup.h"
#include "output/PrintDriver.h"
#include "output/PrintSelection.h"
#include "output/SheetComposer.h"

namespace quillon {
namespace {

// A length of the layout in millimetres, to a tenth: what a sheet's maker prints on its box.
QString Millimetres(double inches) {
  return QString::number(std::round(inches * 254) / 10, 'f', 1);
}

}  // namespace

int CardCount(const ItemList& list) {
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr) return 1;
  const CardLayout layout = LayoutOf(*page, list.screen());
  if (!layout.cardSheet || layout.rows < 1 || layout.columns < 1) return 1;
  return static_cast<int>(std::min<int64_t>(int64_t{layout.rows} * layout.columns, kMapMaxCards));
}

QString SheetLayoutName(const ItemList& list) {
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr) return {};
  const CardLayout layout = LayoutOf(*page, list.screen());
  const QSizeF paper = PaperMillimetres(*page, list.screen());
  return QStringLiteral(
             "%1 x %2 cards of %3 x %4 mm, margins %5 and %6 mm, gaps %7 and %8 mm, "
             "paper %9 x %10 mm")
      .arg(layout.columns)
      .arg(layout.rows)
      .arg(Millimetres(layout.cardWidth), Millimetres(layout.cardHeight),
           Millimetres(layout.marginLeft), Millimetres(layout.marginTop),
           Millimetres(layout.gapHorizontal), Millimetres(layout.gapVertical),
           Millimetres(paper.width() / 25.4))
      .arg(Millimetres(paper.height() / 25.4));
}

bool IsUsedCard(const std::u16string& used, int position) {
  return position >= 1 && position <= static_cast<int>(used.size()) &&
         used[position - 1] == kUsedCard;
}

std::u16string SelectionForPrint(const std::u16string& selection, int firstCard,
                                 const std::u16string& used, int cards) {
  std::u16string result(static_cast<size_t>(std::max(cards, 0)), u' ');
  for (int position = 1; position <= cards; ++position) {
    const bool print =
        position >= firstCard && !IsUsedCard(used, position) && PrintsCard(selection, position);
    result[position - 1] = print ? u' ' : u'x';
  }
  return result;
}

bool PrintsAnyCard(const std::u16string& selection, int cards) {
  for (int position = 1; position <= cards; ++position) {
    if (PrintsCard(selection, position)) return true;
  }
  return false;
}

int FirstFreeCard(const std::u16string& used, int cards) {
  int position = 1;
  while (position <= cards && IsUsedCard(used, position))
    ++position;
  return position;
}

std::u16string UsedAfterPrint(const std::u16string& used, const std::u16string& printed,
                              int firstCard, int cards) {
  std::u16string result(static_cast<size_t>(std::max(cards, 0)), kFreeCard);
  for (int position = 1; position <= cards; ++position) {
    if (IsUsedCard(used, position) || position < firstCard || PrintsCard(printed, position)) {
      result[position - 1] = kUsedCard;
    }
  }
  return result;
}

bool AllCardsUsed(const std::u16string& used, int cards) {
  return cards >= 1 && FirstFreeCard(used, cards) > cards;
}

}  // namespace quillon
