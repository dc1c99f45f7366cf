// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TParams.h"

#include "document/PageSetup.h"
#include "page/Catalogue.h"

namespace quillon {
namespace {

struct UnitDefaultTexts {
  const char* grid;
  std::array<const char*, 4> canvas;
};
constexpr UnitDefaultTexts kUnitDefaults[3] = {
    {"25", {"50", "50", "400", "200"}},
    {"10", {"10", "10", "210", "297"}},
    {"0.25", {"0.2", "0.2", "8.5", "11"}},
};

UnitDefaults MakeUnitDefaults(const UnitDefaultTexts& texts) {
  UnitDefaults d;
  d.gridXText = d.gridYText = QString::fromLatin1(texts.grid);
  d.gridX = d.gridY = d.gridXText.toDouble();
  for (int n = 0; n < 4; ++n) {
    d.canvasText[n] = QString::fromLatin1(texts.canvas[n]);
    d.canvas[n] = d.canvasText[n].toDouble();
  }
  return d;
}

}  // namespace

TParams::TParams(ScreenMetrics screenMetrics) : screen(screenMetrics) {
  for (int u = 0; u < 3; ++u)
    defaults.perUnit[u] = MakeUnitDefaults(kUnitDefaults[u]);
  hints.fill(true);
  pagesets = DefaultPagesets(kUnitInches);
  SetNewDocumentUnits(kUnitInches);
  customWeights = EmptyThicknessSlots();
  customShadows = EmptyShadowSlots();
  customPatterns = EmptyPatternSlots();
  customDirections = EmptyDirectionSlots(DirectionRole::LineDirections, defaults.angles);
  customAngles = EmptyDirectionSlots(DirectionRole::TextAngles, defaults.angles);
  customSizes = EmptyDirectionSlots(DirectionRole::FontSizes, defaults.angles);
  userColours = EmptyUserColours();
  dialogColours.fill(kNoDialogColour);
}

UnitGridDistances TParams::NewFileGrids() const {
  UnitGridDistances grids;
  for (int u = 0; u < 3; ++u)
    grids[u] = {defaults.perUnit[u].gridX, defaults.perUnit[u].gridY};
  return grids;
}

void TParams::SetNewDocumentUnits(int32_t units) {
  if (!IsPageUnit(units)) return;
  const UnitScale scale = UnitsScale(units, screen);
  defaults.units = units;
  defaults.pixelsPerUnitX = scale.pixelsPerUnitX;
  defaults.pixelsPerUnitY = scale.pixelsPerUnitY;
  for (int32_t kind = 1; kind <= kPageKindCount; ++kind) {
    if (kind != kKindDigitalImages) pagesets[kind - 1].units = units;
  }
}

}  // namespace quillon
