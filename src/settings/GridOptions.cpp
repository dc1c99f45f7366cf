// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/GridOptions.h"

#include <cmath>

#include "document/Geometry.h"
#include "settings/NumberText.h"

namespace quillon {
namespace {

int UnitIndex(int32_t units) {
  return units >= 1 && units <= 3 ? units - 1 : 2;
}

// One distance text into its number, refused when it does not parse or its step in pixels
// rounds below one.
bool ReadDistance(QString& text, double& value, double pixelsPerUnit) {
  const std::optional<double> parsed = ParseNumberString(text);
  if (parsed && *parsed > 0 && std::isfinite(*parsed) &&
      RoundToInt32(*parsed * pixelsPerUnit) >= 1) {
    value = *parsed;
    return true;
  }
  text = FormatNumber(value);
  return false;
}

}  // namespace

defaults_t GridOptionsForNewFiles(const TParams& params) {
  return params.defaults;
}

defaults_t GridOptionsForDocument(const TParams& params, const ItemRecord& page) {
  defaults_t copy = params.defaults;
  if (page.pageUnits() >= 1 && page.pageUnits() <= 3) copy.units = page.pageUnits();
  copy.pixelsPerUnitX = page.pixelsPerUnitX();
  copy.pixelsPerUnitY = page.pixelsPerUnitY();
  UnitDefaults& unit = copy.perUnit[UnitIndex(copy.units)];
  unit.canvas = {page.designLeft(), page.designTop(), page.designWidth(), page.designHeight()};
  for (int i = 0; i < 4; ++i)
    unit.canvasText[i] = FormatNumber(unit.canvas[i]);
  unit.gridX = page.gridDistanceX();
  unit.gridY = page.gridDistanceY();
  unit.gridXText = FormatNumber(unit.gridX);
  unit.gridYText = FormatNumber(unit.gridY);
  const auto on = [](uint8_t v) { return uint8_t(v != 0 ? 1 : 0); };
  copy.gridHorizontal = on(page.gridHorizontal());
  copy.anchorsHorizontal = on(page.anchorsHorizontal());
  copy.snapHorizontal = on(page.snapHorizontal());
  copy.gridVertical = on(page.gridVertical());
  copy.anchorsVertical = on(page.anchorsVertical());
  copy.snapVertical = on(page.snapVertical());
  return copy;
}

bool ReadGridDistances(defaults_t& copy) {
  UnitDefaults& unit = copy.perUnit[UnitIndex(copy.units)];
  const bool x = ReadDistance(unit.gridXText, unit.gridX, copy.pixelsPerUnitX);
  const bool y = ReadDistance(unit.gridYText, unit.gridY, copy.pixelsPerUnitY);
  return x && y;
}

void SaveGridOptionsForNewFiles(TParams& params, defaults_t copy) {
  ReadGridDistances(copy);
  params.defaults = std::move(copy);
}

void SaveGridOptionsForDocument(ItemRecord& record, defaults_t copy) {
  ItemRecord* page = &record;
  ReadGridDistances(copy);
  const UnitDefaults& unit = copy.perUnit[UnitIndex(copy.units)];
  page->setGridDistanceX(unit.gridX);
  page->setGridDistanceY(unit.gridY);
  page->setGridHorizontal(copy.gridHorizontal);
  page->setAnchorsHorizontal(copy.anchorsHorizontal);
  page->setSnapHorizontal(copy.snapHorizontal);
  page->setGridVertical(copy.gridVertical);
  page->setAnchorsVertical(copy.anchorsVertical);
  page->setSnapVertical(copy.snapVertical);
}

}  // namespace quillon
