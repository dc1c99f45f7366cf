// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/Pageset.h"

#include <utility>

namespace quillon {

void SwapBlockOrientation(UnitBlock& block) {
  std::swap(block.paperWidth, block.paperHeight);
  std::swap(block.itemWidth, block.itemHeight);
  std::swap(block.leftMargin, block.topMargin);
  std::swap(block.rightMargin, block.bottomMargin);
  std::swap(block.rows, block.columns);
  std::swap(block.rowGap, block.columnGap);
  std::swap(block.extraA, block.extraB);
  std::swap(block.rowFold, block.columnFold);
}

bool SetOrientation(pageset_t& set, int32_t orientation) {
  if (orientation != kPortrait && orientation != kLandscape) return false;
  // A stored code other than landscape counts as portrait.
  const int32_t now = set.orientation == kLandscape ? kLandscape : kPortrait;
  set.orientation = orientation;
  if (orientation == now) return false;
  SwapBlockOrientation(set.current());
  return true;
}

}  // namespace quillon
