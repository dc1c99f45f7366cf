// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFormLayout>
#include <QLabel>

#include "document/ToolNumbers.h"
#include "edit/PanelCommands.h"
#include "settings/ui/PropertyPanels.h"

namespace quillon {
namespace {

std::optional<double> Field(double value) {
  return value;
}

// A plain fill colour (not "Solid" or "Clear") that no colour list entry offers follows the
// line colour of new items.
bool FillIsStray(const TParams& params, int32_t fill) {
  if (static_cast<uint32_t>(fill) >= 0x3000000u) return false;
  ValueList colours = FillValueList(ValueListKind::Colours, params);
  return SelectValue(colours, fill) < 0;
}

}  // namespace

TLinebox::TLinebox(PanelContext& context, int32_t tool, QWidget* parent)
    : PropertyPanel(context, tool, QStringLiteral("Basics"), QStringLiteral("Effects"), parent) {
  setObjectName(QStringLiteral("TLinebox"));
  if (!ShowsSelection()) SetHeading(QStringLiteral("Line"));
  AddList(0, QStringLiteral("Color"), LineColourBinding(&TParams::lineColor));
  AddList(0, QStringLiteral("Weight"), WeightBinding(&TParams::lineWidth, &TParams::lineWidthTab));
  AddList(0, QStringLiteral("Pattern"),
          {ValueListKind::LinePatterns,
           // A document's own pattern records match no entry of the list.
           [](const ItemRecord& r) { return Field(r.linePattern() >= 0 ? r.linePattern() : -100); },
           nullptr,
           [](TParams& p, const ValueListEntry& e, int) {
             // Custom entries are remembered by their slot: positions 6 to 17 are slots 1 to 12.
             const bool custom = e.source == EntrySource::CustomSlot;
             p.linePattern = custom ? 5 + e.position : e.position;
             p.linePatternTab = custom ? e.position : 0;
           },
           [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto&, const TParams& p) {
             if (e.source == EntrySource::CustomSlot) {
               ApplyCustomPattern(l, o, p.customPatterns[std::size_t(e.position - 1)]);
             } else {
               ApplyPattern(l, o, e.position);
             }
           }});
  AddList(0, QStringLiteral("Direction"),
          {ValueListKind::LineDirections,
           [](const ItemRecord& r) {
             return r.kind() == kKindLine ? Field(r.direction()) : std::nullopt;
           },
           [](const TParams& p) { return p.lineDirection; },
           [](TParams& p, const ValueListEntry& e, int position) {
             p.lineDirection = e.value;
             p.lineDirectionTab = position;
           },
           [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto& g, auto&) {
             ApplyDirection(l, o, e.value, g);
           }});
  narrowNote_ = new QLabel(
      QStringLiteral("Choose a heavier weight to fill the line or give it an outline."), this);
  narrowNote_->setWordWrap(true);
  Page(0)->addRow(narrowNote_);
  AddList(0, QStringLiteral("Fill Color"), FillColourBinding(&TParams::lineFill));
  AddList(0, QStringLiteral("Outline Weight"),
          {ValueListKind::OutlineWeights,
           [](const ItemRecord& r) { return Field(r.lineOutlineWeight()); },
           [](const TParams& p) { return p.lineOutline; },
           [](TParams& p, const ValueListEntry& e, int position) {
             p.lineOutline = e.value;
             p.lineOutlineTab = position;
           },
           [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto&, auto&) {
             ApplyOutlineWeight(l, o, e.value);
           }});
  AddList(1, QStringLiteral("Surface"), SurfaceBinding(&TParams::liplas));
  AddList(1, QStringLiteral("Shadow"), ShadowBinding(&TParams::shpoly));
  if (ShowsSelection()) {
    ShowSelectedItemGuidance();
  } else {
    SetGuidance({QStringLiteral("Select how you want the next line drawn."),
                 QStringLiteral("Click where you want to start the line, or..."),
                 QStringLiteral("Hold down the mouse button, move the mouse, and release the "
                                "button."),
                 QString()});
  }
  ShowValues();
}

void TLinebox::ShowValues() {
  PropertyPanel::ShowValues();
  if (!ShowsSelection()) {
    ValueCombo* pattern = ListLabelled(QStringLiteral("Pattern"));
    ValueList list = pattern->List();
    const TParams& p = Context().Params();
    pattern->ShowIndex(SelectPattern(list, p.linePattern, p.linePatternTab));
  }
}

bool TLinebox::OffersFill() const {
  std::optional<double> weight;
  if (ShowsSelection()) {
    weight = CommonValue([](const ItemRecord& r) { return std::optional<double>(r.lineWeight()); });
  } else {
    weight = const_cast<TLinebox*>(this)->Context().Params().lineWidth;
  }
  const ScreenMetrics screen = const_cast<TLinebox*>(this)->Context().Params().screen;
  return weight && PenWidthOf(*weight, screen) >= 3;
}

void TLinebox::ValuesShown() {
  const bool wide = OffersFill();
  for (const char* label : {"Fill Color", "Outline Weight"})
    Page(0)->setRowVisible(ListLabelled(QString::fromLatin1(label)), wide);
  Page(0)->setRowVisible(narrowNote_, !wide);
}

void TLinebox::ListChosen(ValueCombo& combo, int index) {
  PropertyPanel::ListChosen(combo, index);
  if (combo.objectName() != QStringLiteral("Color")) return;
  // The colour list may have changed; a fill colour no list offers follows the line colour.
  TParams& params = Context().Params();
  if (!ShowsSelection() && FillIsStray(params, params.lineFill)) params.lineFill = params.lineColor;
  ValueCombo* fill = ListLabelled(QStringLiteral("Fill Color"));
  fill->Fill(params);
  ShowValues();
}

}  // namespace quillon
