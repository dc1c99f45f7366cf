// SPDX-License-Identifier: GPL-3.0-or-later
// A page kind's page description as the texts the user typed, one unit block per measuring
// unit, so that switching units keeps what was typed in each.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "page/PageKinds.h"

namespace quillon {

// The texts and flags of one measuring unit; an empty text reads as 0.
struct UnitBlock {
  int32_t quickSelectIndex = -1;  // the catalogue entry last chosen, -1 none
  QString paperWidth;
  QString paperHeight;
  QString itemWidth;
  QString itemHeight;
  QString leftMargin;
  QString topMargin;
  QString rightMargin;
  QString bottomMargin;
  QString rows;
  QString columns;
  QString rowGap;
  QString columnGap;
  QString extraA;  // carried along; no form field shows it and no template fills it
  QString extraB;
  uint8_t rowFold = 0;
  uint8_t columnFold = 0;

  friend bool operator==(const UnitBlock&, const UnitBlock&) = default;
};

inline constexpr int kUnitBlockTextCount = 14;
// The fourteen texts in the order the page setup record's text keeps them.
inline constexpr std::array<QString UnitBlock::*, kUnitBlockTextCount> kUnitBlockTexts = {
    &UnitBlock::paperWidth,  &UnitBlock::paperHeight,  &UnitBlock::itemWidth,
    &UnitBlock::itemHeight,  &UnitBlock::leftMargin,   &UnitBlock::topMargin,
    &UnitBlock::rightMargin, &UnitBlock::bottomMargin, &UnitBlock::rows,
    &UnitBlock::columns,     &UnitBlock::rowGap,       &UnitBlock::columnGap,
    &UnitBlock::extraA,      &UnitBlock::extraB};

struct pageset_t {
  int32_t orientation = kPortrait;  // 1 portrait, 2 landscape
  int32_t units = 3;                // 1 pixels, 2 millimetres, 3 inches
  std::array<UnitBlock, 3> perUnit;

  // The block of a unit; codes outside 1..3 give the inches block, as they scale as inches.
  UnitBlock& block(int32_t unit) { return perUnit[IsPageUnit(unit) ? unit - 1 : 2]; }
  const UnitBlock& block(int32_t unit) const { return perUnit[IsPageUnit(unit) ? unit - 1 : 2]; }
  UnitBlock& current() { return block(units); }
  const UnitBlock& current() const { return block(units); }

  friend bool operator==(const pageset_t&, const pageset_t&) = default;
};

// The page descriptions of the eleven kinds, kind k at index k - 1.
using pagesetArr_t = std::array<pageset_t, kPageKindCount>;

// Exchanges every width with its height in a block: paper, item, left/top and right/bottom
// margins, rows/columns, the gaps, extraA/extraB and the two folds.
void SwapBlockOrientation(UnitBlock& block);
// Switches to portrait (1) or landscape (2), swapping the current unit block; choosing the state
// already set, or any other code, changes nothing. Returns whether it switched.
bool SetOrientation(pageset_t& set, int32_t orientation);

}  // namespace quillon
