// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/PageSetup.h"

#include <algorithm>
#include <limits>

namespace quillon {

ItemRecord* FindPageRecord(const ItemList& list) {
  return list.PageRecord();
}

void SetModified(ItemList& list, bool value) {
  if (ItemRecord* page = FindPageRecord(list)) page->setModified(value ? 1 : 0);
}

bool IsModified(const ItemList& list) {
  const ItemRecord* page = FindPageRecord(list);
  return page != nullptr && page->modified() != 0;
}

bool IsPristine(const ItemList& list) {
  const ItemRecord* page = FindPageRecord(list);
  return page != nullptr && page->modified() == 0 && list.size() <= 3;
}

UnitScale UnitsScale(int32_t units, const ScreenMetrics& screen) {
  switch (units) {
    case kUnitPixels:
      return {units, 1.0, 1.0};
    case kUnitMillimetres:
      return {units, screen.dpiX / 25.4, screen.dpiY / 25.4};
    default:
      return {units, double(screen.dpiX), double(screen.dpiY)};
  }
}

void UpdatePageRect(ItemRecord& page) {
  const double z = page.zoom();
  const double ppuX = page.pixelsPerUnitX();
  const double ppuY = page.pixelsPerUnitY();
  // The evaluation order of each product is part of the rule: it decides ties in rounding.
  const int32_t x1 = RoundToInt32(page.designLeft() * ppuX * z);
  const int32_t y1 = RoundToInt32(z * (page.designTop() * ppuY));
  const int32_t x2 = ClampToInt32(int64_t{RoundToInt32(z * (ppuX * page.designWidth()))} + x1);
  const int32_t y2 = ClampToInt32(int64_t{RoundToInt32(z * (ppuY * page.designHeight()))} + y1);
  page.setX1(x1);
  page.setY1(y1);
  page.setX2(x2);
  page.setY2(y2);
  page.setBoundLeft(std::min(x1, x2));
  page.setBoundRight(std::max(x1, x2));
  page.setBoundTop(std::min(y1, y2));
  page.setBoundBottom(std::max(y1, y2));
  page.setBoundWidth(RoundToInt32(page.designWidth() * ppuX * z));
  page.setBoundHeight(RoundToInt32(z * (page.designHeight() * ppuY)));
}

void AdaptAfterRead(ItemRecord& page, const ScreenMetrics& screen) {
  const int32_t units = page.pageUnits();
  if (units == kUnitPixels || units == kUnitMillimetres || units == kUnitInches) {
    const UnitScale scale = UnitsScale(units, screen);
    page.setPixelsPerUnitX(scale.pixelsPerUnitX);
    page.setPixelsPerUnitY(scale.pixelsPerUnitY);
  }
  UpdatePageRect(page);
}

ExportSize ExportPixelSize(const ItemRecord* page, const ScreenMetrics& screen) {
  if (page == nullptr) return {1600, 1600, 200, 200};
  ExportSize size{0, 0, 200, 200};
  const double w = page->pageWidth();
  const double h = page->pageHeight();
  switch (page->pageUnits()) {
    case kUnitPixels:
      size = {RoundToInt32(w), RoundToInt32(h), screen.dpiX, screen.dpiY};
      break;
    case kUnitMillimetres:
      size.width = RoundToInt32(w / 25.4 * 200);
      size.height = RoundToInt32(h / 25.4 * 200);
      break;
    default:
      size.width = RoundToInt32(w * 200);
      size.height = RoundToInt32(h * 200);
      if (w < 2 || h < 2) {
        const bool letter = page->pageUnits() == kUnitInches;
        size.width = letter ? 2550 : 2480;
        size.height = letter ? 3300 : 3508;
        if (page->orientation() == 2) std::swap(size.width, size.height);
      }
      break;
  }
  size.width = std::clamp(size.width, 10, 32000);
  size.height = std::clamp(size.height, 10, 32000);
  return size;
}

int32_t PageKindOf(const ItemRecord& page) {
  const int32_t kind = page.pageKind();
  return kind == std::numeric_limits<int32_t>::min() ? 0 : std::abs(kind);
}

int32_t LightDirectionOf(const ItemRecord& page) {
  return page.lightDirection() >= 4 ? 0 : page.lightDirection();
}

}  // namespace quillon
