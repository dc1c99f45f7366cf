// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ui/PropertyPanel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "document/ToolNumbers.h"
#include "edit/PanelCommands.h"
#include "settings/ui/PlaceRow.h"

namespace quillon {
namespace {

bool IsColourList(ValueListKind kind) {
  return kind == ValueListKind::Colours || kind == ValueListKind::FillColours;
}

QIcon Swatch(const ValueListEntry& entry) {
  QPixmap swatch(14, 14);
  const auto c = static_cast<uint32_t>(entry.value);
  swatch.fill(QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
  return QIcon(swatch);
}

}  // namespace

void MakeNarrow(QComboBox* box) {
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  box->setMinimumContentsLength(4);
}

double PackShadow(int32_t size, int32_t softness, int32_t lightness) {
  return double(size & 0xFF) + double(softness & 0xFF) * 256 + double(lightness & 0xFF) * 65536;
}

ShadowValue UnpackShadow(double packed) {
  const auto v = static_cast<int64_t>(packed);
  return {int32_t(v & 0xFF), int32_t((v >> 8) & 0xFF), int32_t((v >> 16) & 0xFF)};
}

ListBinding LineColourBinding(int32_t TParams::*setting) {
  return {ValueListKind::Colours,
          [](const ItemRecord& r) { return std::optional<double>(r.lineColor()); },
          [setting](const TParams& p) { return double(p.*setting); },
          [setting](TParams& p, const ValueListEntry& e, int) { p.*setting = int32_t(e.value); },
          [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto&, auto&) {
            ApplyLineColor(l, o, int32_t(e.value));
          }};
}

ListBinding FillColourBinding(int32_t TParams::*setting) {
  return {ValueListKind::FillColours,
          [](const ItemRecord& r) { return std::optional<double>(r.fillColor()); },
          [setting](const TParams& p) { return double(p.*setting); },
          [setting](TParams& p, const ValueListEntry& e, int) { p.*setting = int32_t(e.value); },
          [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto&, auto&) {
            ApplyFillColor(l, o, int32_t(e.value));
          }};
}

ListBinding SurfaceBinding(int32_t TParams::*setting) {
  return {ValueListKind::Surfaces,
          [](const ItemRecord& r) { return std::optional<double>(r.surface()); },
          [setting](const TParams& p) { return double(p.*setting); },
          [setting](TParams& p, const ValueListEntry& e, int) { p.*setting = int32_t(e.value); },
          [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto&, auto&) {
            ApplySurface(l, o, int32_t(e.value));
          }};
}

ListBinding WeightBinding(double TParams::*setting, int32_t TParams::*position) {
  return {ValueListKind::LineWeights,
          [](const ItemRecord& r) { return std::optional<double>(r.lineWeight()); },
          [setting](const TParams& p) { return p.*setting; },
          [setting, position](TParams& p, const ValueListEntry& e, int index) {
            p.*setting = e.value;
            p.*position = index;
          },
          [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto&, auto&) {
            ApplyWeight(l, o, e.value);
          }};
}

ListBinding ShadowBinding(int32_t TParams::*setting) {
  return {ValueListKind::Shadows,
          [](const ItemRecord& r) {
            return std::optional<double>(
                PackShadow(r.shadowSize(), r.shadowSoftness(), r.shadowLightness()));
          },
          [setting](const TParams& p) { return double(p.*setting); },
          [setting](TParams& p, const ValueListEntry& e, int) {
            p.*setting = int32_t(PackShadow(e.shadow.size, e.shadow.softness, e.shadow.lightness));
          },
          [](ItemList& l, EditObserver& o, const ValueListEntry& e, auto&, auto&) {
            ApplyShadow(l, o, e.shadow.size, e.shadow.softness, e.shadow.lightness);
          }};
}

ValueCombo::ValueCombo(ListBinding binding, QWidget* parent)
    : QComboBox(parent), binding_(std::move(binding)) {
  MakeNarrow(this);
  connect(this, &QComboBox::activated, this, [this](int index) {
    if (!filling_) emit EntryChosen(index);
  });
}

void ValueCombo::Fill(const TParams& params) {
  filling_ = true;
  list_ = FillValueList(binding_.kind, params);
  clear();
  const bool swatches = IsColourList(binding_.kind);
  for (const ValueListEntry& entry : list_.entries) {
    if (swatches && entry.source != EntrySource::Customize && entry.value >= 0) {
      addItem(Swatch(entry), entry.text);
    } else {
      addItem(entry.text);
    }
  }
  setCurrentIndex(-1);
  filling_ = false;
}

void ValueCombo::Show(std::optional<double> value) {
  int index = -1;
  if (value) {
    if (binding_.kind == ValueListKind::Shadows) {
      index = SelectShadow(list_, UnpackShadow(*value));
    } else {
      index = SelectValue(list_, *value);
    }
  }
  ShowIndex(index);
}

void ValueCombo::ShowIndex(int index) {
  filling_ = true;
  setCurrentIndex(index);
  filling_ = false;
}

PropertyPanel::PropertyPanel(PanelContext& context, int32_t tool, const QString& firstPage,
                             const QString& secondPage, QWidget* parent)
    : QWidget(parent), context_(context), tool_(tool) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("Heading"));
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  column->addWidget(heading_);
  tabs_ = new QTabWidget(this);
  for (int i = 0; i < 2; ++i) {
    auto* page = new QWidget(tabs_);
    pages_[i] = new QFormLayout(page);
    pages_[i]->setRowWrapPolicy(QFormLayout::WrapAllRows);
    pages_[i]->setContentsMargins(4, 4, 4, 4);
    tabs_->addTab(page, i == 0 ? firstPage : secondPage);
  }
  column->addWidget(tabs_);
  if (ShowsSelection()) {
    place_ = new PlaceRow(context, this);
    column->addWidget(place_);
  }
  for (QLabel*& line : guidance_) {
    line = new QLabel(this);
    line->setWordWrap(true);
    line->setTextFormat(Qt::RichText);
    column->addWidget(line);
  }
  column->addStretch();
  SetHeading(ShowsSelection() ? QStringLiteral("Fine-tune") : QString());
}

bool PropertyPanel::ShowsSelection() const {
  return IsSelectedStateTool(tool_);
}

QString PropertyPanel::Heading() const {
  return heading_->text();
}

QString PropertyPanel::GuidanceLine(int line) const {
  return line >= 0 && line < 4 ? guidance_[line]->text() : QString();
}

void PropertyPanel::SetHeading(const QString& text) {
  heading_->setText(text);
}

void PropertyPanel::SetGuidance(std::array<QString, 4> lines) {
  for (int i = 0; i < 4; ++i) {
    guidance_[i]->setText(lines[i]);
    guidance_[i]->setVisible(!lines[i].isEmpty());
  }
}

void PropertyPanel::ShowSelectedItemGuidance() {
  SetGuidance({QStringLiteral("Change how you want the selected item drawn."),
               QStringLiteral("Hold down the Shift key to select more items."),
               QStringLiteral("Hold down the Ctrl key and move the mouse to select items inside "
                              "an area."),
               QStringLiteral("Hold down the Shift and Ctrl keys to select items partially within "
                              "an area.")});
}

ValueCombo* PropertyPanel::AddList(int page, const QString& label, ListBinding binding) {
  auto* combo = new ValueCombo(std::move(binding), this);
  combo->setObjectName(label);
  pages_[page]->addRow(label, combo);
  lists_.emplace_back(label, combo);
  combo->Fill(context_.Params());
  connect(combo, &ValueCombo::EntryChosen, this,
          [this, combo](int index) { ListChosen(*combo, index); });
  return combo;
}

ValueCombo* PropertyPanel::ListLabelled(const QString& label) const {
  for (const auto& [name, combo] : lists_) {
    if (name == label) return combo;
  }
  return nullptr;
}

std::vector<QToolButton*> PropertyPanel::AddButtons(int page, const std::vector<QString>& hints) {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  // Packed close, so that a row of four fits the side panel's 140 pixels: a wider panel would
  // widen the side panel and move the drawing windows whenever an item is selected.
  layout->setSpacing(2);
  std::vector<QToolButton*> buttons;
  for (const QString& hint : hints) {
    auto* button = new QToolButton(row);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    layout->addWidget(button);
    buttons.push_back(button);
  }
  layout->addStretch();
  pages_[page]->addRow(row);
  return buttons;
}

void PropertyPanel::AddTurnButtons(int page) {
  const std::vector<QString> hints{QStringLiteral("Mirror"), QStringLiteral("Flip"),
                                   QStringLiteral("Rotate"), QStringLiteral("Rotate")};
  const std::vector<QToolButton*> buttons = AddButtons(page, hints);
  const char* const glyphs[] = {"\u21C6", "\u21C5", "\u21BA", "\u21BB"};
  for (int i = 0; i < 4; ++i) {
    QToolButton* button = buttons[static_cast<std::size_t>(i)];
    button->setText(QString::fromUtf8(glyphs[i]));
    button->setObjectName(i == 0   ? QStringLiteral("Mirror")
                          : i == 1 ? QStringLiteral("Flip")
                          : i == 2 ? QStringLiteral("RotateLeft")
                                   : QStringLiteral("RotateRight"));
    connect(button, &QToolButton::clicked, this, [this, i] {
      ApplyToSelection([i](ItemList& list, EditObserver& observer, const GeometryContext& g) {
        ApplyQuarterTurnAndMirror(list, observer, i == 0, i == 1, i == 2 ? -1 : i == 3 ? 1 : 0, g);
      });
    });
  }
}

std::optional<double> PropertyPanel::CommonValue(
    const std::function<std::optional<double>(const ItemRecord&)>& value) const {
  ItemList* list = context_.ActiveDocument();
  if (list == nullptr) return std::nullopt;
  std::optional<double> common;
  for (const ItemRecord* r : SelectedRecords(*list)) {
    if (r->kind() == kKindGroupFrame) continue;
    const std::optional<double> v = value(*r);
    if (!v) continue;
    if (!common) {
      common = v;
    } else if (std::abs(*common - *v) >= 0.0001) {
      return std::nullopt;
    }
  }
  return common;
}

void PropertyPanel::ApplyToSelection(
    const std::function<void(ItemList&, EditObserver&, const GeometryContext&)>& apply) {
  ItemList* list = context_.ActiveDocument();
  DocumentEvents* events = context_.ActiveEvents();
  if (list == nullptr || events == nullptr) return;
  apply(*list, *events, context_.ActiveGeometry());
  context_.SelectionEdited();
  context_.PanelChanged(tool_);
}

bool PropertyPanel::ChangeEditedText(
    const std::function<void(ItemRecord&, const GeometryContext&)>& change,
    const std::function<void(TParams&)>& store) {
  const GeometryContext geometry = context_.ActiveGeometry();
  if (!context_.ChangeEditedText([&](ItemRecord& text) { change(text, geometry); })) return false;
  if (!ShowsSelection() && store) store(context_.Params());
  context_.PanelChanged(tool_);
  return true;
}

void PropertyPanel::ListChosen(ValueCombo& combo, int index) {
  const ValueList& list = combo.List();
  if (index < 0 || static_cast<std::size_t>(index) >= list.entries.size()) return;
  const ValueListEntry entry = list.entries[static_cast<std::size_t>(index)];
  if (entry.source == EntrySource::Customize) {
    ShowList(combo);  // the list keeps showing the value until the dialog saves another
    context_.Customize(combo.Binding().kind);
    return;
  }
  const ListBinding& binding = combo.Binding();
  if (ShowsSelection()) {
    if (binding.apply) {
      ApplyToSelection([&](ItemList& items, EditObserver& observer, const GeometryContext& g) {
        binding.apply(items, observer, entry, g, context_.Params());
      });
    }
  } else {
    if (binding.store) binding.store(context_.Params(), entry, index);
    context_.PanelChanged(tool_);
  }
  ValuesShown();
}

void PropertyPanel::ShowList(ValueCombo& combo) {
  const ListBinding& binding = combo.Binding();
  if (ShowsSelection()) {
    combo.Show(binding.itemValue ? CommonValue(binding.itemValue) : std::nullopt);
  } else {
    combo.Show(binding.setting ? std::optional<double>(binding.setting(context_.Params()))
                               : std::nullopt);
  }
}

void PropertyPanel::ShowValues() {
  for (auto& [label, combo] : lists_)
    ShowList(*combo);
  ValuesShown();
}

void PropertyPanel::SelectionChanged() {
  if (ShowsSelection()) ShowValues();
  if (place_ != nullptr) place_->Refresh();
}

void PropertyPanel::RefillLists() {
  TParams& params = context_.Params();
  for (auto& [label, combo] : lists_) {
    combo->Fill(params);
    // An entry just saved in its customization dialog becomes the tool's setting; a selection
    // changes only when the user picks it.
    const ValueList& list = combo->List();
    if (!list.selectedJustSaved) continue;
    if (combo->Binding().store) {
      combo->Binding().store(params, list.entries[static_cast<std::size_t>(list.selected)],
                             list.selected);
    }
    ClearJustSaved(params, list.kind);
  }
  ShowValues();
}

}  // namespace quillon
