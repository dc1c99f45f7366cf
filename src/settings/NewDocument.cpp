// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/NewDocument.h"

#include <cstdlib>
#include <cstring>

#include "document/PageSetup.h"
#include "page/AnchorLines.h"
#include "page/ApplyPageset.h"
#include "page/SizeText.h"
#include "settings/NumberText.h"

namespace quillon {
namespace {

// The page setup record keeps the "angles" setting in four bytes at offset 144 that no field
// names and nothing reads.
void SetAnglesCopy(ItemRecord& page, int32_t angles) {
  ItemRecord::Bytes bytes = page.persisted();
  std::memcpy(bytes.data() + 144, &angles, sizeof angles);
  page.setPersisted(bytes);
}

struct Paper {
  double width;
  double height;
};
Paper DefaultPaper(int32_t units) {
  switch (units) {
    case kUnitPixels:
      return {200.0, 200.0};
    case kUnitMillimetres:
      return {210.0, 297.0};
    default:
      return {8.5, 11.0};
  }
}

// cardWidth (offset 231) to columnFold (offset 320).
void ClearLayout(ItemRecord& page) {
  ItemRecord::Bytes bytes = page.persisted();
  std::memset(bytes.data() + 231, 0, 320 + 1 - 231);
  page.setPersisted(bytes);
}

}  // namespace

ItemRecord& NewDocument(ItemList& list, const TParams& params, int32_t windowNumber) {
  const defaults_t& d = params.defaults;
  ItemRecord& page = NewRecord(list, kKindPageSetup);
  page.setRecordClass(kClassPageSetup);
  page.setDocumentId(windowNumber);
  page.setPageUnits(d.units);
  page.setPixelsPerUnitX(d.pixelsPerUnitX);
  page.setPixelsPerUnitY(d.pixelsPerUnitY);
  SetAnglesCopy(page, d.angles);
  page.setZoom(1.0);
  page.setPageKind(0);
  const UnitDefaults& unit = d.perUnit[IsPageUnit(d.units) ? d.units - 1 : 2];
  page.setDesignLeft(unit.canvas[0]);
  page.setDesignTop(unit.canvas[1]);
  page.setDesignWidth(unit.canvas[2]);
  page.setDesignHeight(unit.canvas[3]);
  if (params.lgtdir >= 0 && params.lgtdir < 4) page.setLightDirection(uint8_t(params.lgtdir));
  const Paper paper = DefaultPaper(d.units);
  page.setPageWidth(paper.width);
  page.setPageHeight(paper.height);
  ClearLayout(page);

  const int64_t chosen = params.pspage;
  if (const int64_t magnitude = chosen < 0 ? -chosen : chosen; magnitude >= 1 && magnitude <= 11) {
    const auto kind = static_cast<int32_t>(magnitude);
    ApplyPagesetToRecord(page, params.pagesets[kind - 1], kind, params.NewFileGrids(),
                         params.screen);
    if (params.pspage < 0) page.setPageKind(-kind);
  }

  // The grid of the record's unit, which the page description may have changed.
  const int32_t units = IsPageUnit(page.pageUnits()) ? page.pageUnits() : kUnitInches;
  page.setGridDistanceX(d.perUnit[units - 1].gridX);
  page.setGridDistanceY(d.perUnit[units - 1].gridY);
  page.setGridHorizontal(d.gridHorizontal);
  page.setAnchorsHorizontal(d.anchorsHorizontal);
  page.setSnapHorizontal(d.snapHorizontal);
  page.setGridVertical(d.gridVertical);
  page.setAnchorsVertical(d.anchorsVertical);
  page.setSnapVertical(d.snapVertical);
  page.setModified(0);
  UpdatePageRect(page);

  ItemRecord& anchors = NewRecord(list, kKindAnchors);
  // Made with the window, the anchors record lies outside the undo history.
  anchors.setHistoryState(0);
  SetDefaultAnchorLines(anchors, page);
  SetModified(list, false);
  return page;
}

ItemRecord& NewDocumentAfterPageSetup(ItemList& list, const TParams& params,
                                      const pagesetArr_t& sets, int32_t kind,
                                      int32_t windowNumber) {
  TParams applied = params;
  ApplyPageSetupToNewFiles(applied, sets, kind);
  return NewDocument(list, applied, windowNumber);
}

void ApplyPageSetupToNewFiles(TParams& params, const pagesetArr_t& sets, int32_t kind) {
  if (!IsPageKind(kind)) return;
  params.pagesets = sets;
  params.pspage = kind;
  const pageset_t& set = sets[kind - 1];
  const int32_t units = IsPageUnit(set.units) ? set.units : kUnitInches;
  const UnitBlock& block = set.block(units);
  const auto width = ParseSizeText(block.paperWidth, units);
  const auto height = ParseSizeText(block.paperHeight, units);
  if (!width || !height || *width <= 0 || *height <= 0) return;
  UnitDefaults& paper = params.defaults.perUnit[units - 1];
  // Written as the store writes numbers, so that "8 1/2" reads back as 8.5 at the next start.
  paper.canvasText[2] = FormatNumber(*width);
  paper.canvasText[3] = FormatNumber(*height);
  paper.canvas[2] = *width;
  paper.canvas[3] = *height;
  const UnitScale scale = UnitsScale(units, params.screen);
  params.defaults.units = units;
  params.defaults.pixelsPerUnitX = scale.pixelsPerUnitX;
  params.defaults.pixelsPerUnitY = scale.pixelsPerUnitY;
}

}  // namespace quillon
