// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/ApplyPageset.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "document/PageSetup.h"
#include "page/SizeText.h"

namespace quillon {
namespace {

using DoubleSetter = void (ItemRecord::*)(double);

struct SizeField {
  QString UnitBlock::*text;
  DoubleSetter setter;
  bool positive = false;  // zero or less would leave no paper or card to draw on
};

constexpr SizeField kSizeFields[] = {
    {&UnitBlock::paperWidth, &ItemRecord::setPageWidth, true},
    {&UnitBlock::paperHeight, &ItemRecord::setPageHeight, true},
    {&UnitBlock::itemWidth, &ItemRecord::setCardWidth, true},
    {&UnitBlock::itemHeight, &ItemRecord::setCardHeight, true},
    {&UnitBlock::leftMargin, &ItemRecord::setMarginLeft},
    {&UnitBlock::topMargin, &ItemRecord::setMarginTop},
    {&UnitBlock::rightMargin, &ItemRecord::setMarginRight},
    {&UnitBlock::bottomMargin, &ItemRecord::setMarginBottom},
    {&UnitBlock::rowGap, &ItemRecord::setGapVertical},
    {&UnitBlock::columnGap, &ItemRecord::setGapHorizontal},
    {&UnitBlock::extraA, &ItemRecord::setExtraA},
    {&UnitBlock::extraB, &ItemRecord::setExtraB},
};

std::u16string BlockText(const UnitBlock& block) {
  std::u16string text;
  for (QString UnitBlock::*field : kUnitBlockTexts) {
    const QString& line = block.*field;
    text.append(reinterpret_cast<const char16_t*>(line.utf16()),
                static_cast<std::size_t>(line.size()));
    text.push_back(kLineSeparator);
  }
  return text;
}

void SetDesignSize(ItemRecord& page, int32_t kind) {
  if (IsCardSheetKind(kind)) {
    page.setDesignWidth(page.columnFold() != 0 ? 2 * page.cardWidth() : page.cardWidth());
    page.setDesignHeight(page.rowFold() != 0 ? 2 * page.cardHeight() : page.cardHeight());
  } else {
    page.setDesignWidth(page.pageWidth());
    page.setDesignHeight(page.pageHeight());
  }
}

// A rows or columns text as a count: a whole number of at least 1, at most kMaxCardCount.
std::optional<int32_t> CardCount(const QString& text) {
  const auto count = ParseWholeNumber(text);
  if (!count || *count < 1) return std::nullopt;
  return std::min(*count, kMaxCardCount);
}

}  // namespace

void ApplyPagesetToRecord(ItemRecord& page, const pageset_t& set, int32_t kind,
                          const UnitGridDistances& grids, const ScreenMetrics& screen) {
  const int32_t units = IsPageUnit(set.units) ? set.units : kUnitInches;
  const UnitBlock& block = set.block(units);
  page.setOrientation(set.orientation);
  page.setPageKind(kind);
  page.setQuickSelectIndex(block.quickSelectIndex);
  for (const SizeField& field : kSizeFields) {
    const auto value = ParseSizeText(block.*field.text, units);
    if (value && (!field.positive || *value > 0)) (page.*field.setter)(*value);
  }
  if (const auto rows = CardCount(block.rows)) page.setRows(*rows);
  if (const auto columns = CardCount(block.columns)) page.setColumns(*columns);
  page.setRowFold(block.rowFold);
  page.setColumnFold(block.columnFold);

  SetText(page, BlockText(block));
  SetDesignSize(page, PageKindOf(page));

  const UnitScale scale = UnitsScale(units, screen);
  const double oldX = page.pixelsPerUnitX();
  const double oldY = page.pixelsPerUnitY();
  page.setPageUnits(scale.units);
  page.setPixelsPerUnitX(scale.pixelsPerUnitX);
  page.setPixelsPerUnitY(scale.pixelsPerUnitY);
  page.setDesignLeft(page.designLeft() * oldX / scale.pixelsPerUnitX);
  page.setDesignTop(page.designTop() * oldY / scale.pixelsPerUnitY);
  // The grid distances would rescale the same way, but the new unit's own distances replace
  // them at once.
  page.setGridDistanceX(grids[units - 1].x);
  page.setGridDistanceY(grids[units - 1].y);
}

bool ApplyPagesetToRecord(ItemList& document, const pageset_t& set, int32_t kind,
                          const UnitGridDistances& grids) {
  ItemRecord* page = FindPageRecord(document);
  if (page == nullptr) return false;
  ApplyPagesetToRecord(*page, set, kind, grids, document.screen());
  page->setModified(1);
  UpdatePageRect(*page);
  return true;
}

int32_t TakePagesetFromRecord(const ItemRecord& page, pagesetArr_t& sets) {
  // A negative kind (a new document's, before any page setup) counts as its absolute value.
  const int32_t kind = PageKindOf(page);
  if (!IsPageKind(kind)) return 0;
  pageset_t& set = sets[kind - 1];
  set.units = IsPageUnit(page.pageUnits()) ? page.pageUnits() : kUnitInches;
  set.orientation = page.orientation() == kLandscape ? kLandscape : kPortrait;
  UnitBlock& block = set.current();
  block.quickSelectIndex = page.quickSelectIndex();
  block.rowFold = page.rowFold() != 0 ? 1 : 0;
  block.columnFold = page.columnFold() != 0 ? 1 : 0;
  // A text of fewer lines (an older or damaged file) keeps the texts it lacks as they were.
  const std::vector<std::u16string_view> lines = Lines(page);
  for (std::size_t i = 0; i < kUnitBlockTexts.size() && i < lines.size(); ++i) {
    block.*kUnitBlockTexts[i] = QString::fromUtf16(lines[i].data(), qsizetype(lines[i].size()));
  }
  return kind;
}

}  // namespace quillon
