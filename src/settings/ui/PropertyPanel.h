// SPDX-License-Identifier: GPL-3.0-or-later
// The common frame of the property panels: a heading, two tabbed pages of labelled value
// lists, buttons, and four guidance lines. Each list is bound to an item field, a tool setting
// and an apply operation; the panel shows the tool's settings for a drawing tool and the
// selection's values for a selected-state tool, and follows the document's selection.
#pragma once

#include <QComboBox>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "settings/ui/PanelContext.h"

class QFormLayout;
class QLabel;
class QTabWidget;
class QToolButton;

namespace quillon {

class PlaceRow;

// Lets a list shrink to the narrow side column; its pop-up still shows whole entries.
void MakeNarrow(QComboBox* box);

// A list bound to one property.
struct ListBinding {
  ValueListKind kind = ValueListKind::Colours;
  // The item's value; none when the item has no such property.
  std::function<std::optional<double>(const ItemRecord&)> itemValue;
  // The tool setting's value and its list position, shown for a drawing tool.
  std::function<double(const TParams&)> setting;
  std::function<void(TParams&, const ValueListEntry&, int position)> store;
  // Applies the chosen entry to the selection as one undo step.
  std::function<void(ItemList&, EditObserver&, const ValueListEntry&, const GeometryContext&,
                     const TParams&)>
      apply;
};

// The bindings several panels share, each with the tool setting it keeps: the line colour, the
// fill colour, the surface and the shadow (all selected kinds).
ListBinding LineColourBinding(int32_t TParams::*setting);
ListBinding FillColourBinding(int32_t TParams::*setting);
ListBinding SurfaceBinding(int32_t TParams::*setting);
// The line weight (with its pen width) and the setting's weight and list position.
ListBinding WeightBinding(double TParams::*setting, int32_t TParams::*position);
ListBinding ShadowBinding(int32_t TParams::*setting);

// A pull-down list over a value list; the panel fills it without reacting to its own changes.
class ValueCombo : public QComboBox {
  Q_OBJECT
 public:
  ValueCombo(ListBinding binding, QWidget* parent);
  const ListBinding& Binding() const { return binding_; }
  const ValueList& List() const { return list_; }
  // Refills from the settings and selects nothing.
  void Fill(const TParams& params);
  // Selects an entry of the value (-1 for none, or no value).
  void Show(std::optional<double> value);
  // Selects an entry index without a change being reported.
  void ShowIndex(int index);

 signals:
  void EntryChosen(int index);

 private:
  ListBinding binding_;
  ValueList list_;
  bool filling_ = false;
};

// The three shadow fields packed into one value: size, softness and lightness in bytes 0 to 2,
// as the tool settings keep them.
double PackShadow(int32_t size, int32_t softness, int32_t lightness);
ShadowValue UnpackShadow(double packed);

class PropertyPanel : public QWidget {
  Q_OBJECT
 public:
  // The tool number decides between the tool's settings and the selection's values.
  PropertyPanel(PanelContext& context, int32_t tool, const QString& firstPage,
                const QString& secondPage, QWidget* parent);
  int32_t Tool() const { return tool_; }
  bool ShowsSelection() const;
  QString Heading() const;
  QString GuidanceLine(int line) const;
  QTabWidget* Pages() const { return tabs_; }
  // The "Position and size" row of a panel that shows the selection, else null.
  PlaceRow* Place() const { return place_; }
  // The list with this label, or null.
  ValueCombo* ListLabelled(const QString& label) const;
  // Lists are filled afresh (after a customization dialog closed) and show their values again.
  void RefillLists();
  // The selection changed: the panel shows its values.
  void SelectionChanged();
  // Shows the values for the panel's mode.
  virtual void ShowValues();

 protected:
  PanelContext& Context() { return context_; }
  QFormLayout* Page(int page) const { return pages_[page]; }
  ValueCombo* AddList(int page, const QString& label, ListBinding binding);
  void SetHeading(const QString& text);
  void SetGuidance(std::array<QString, 4> lines);
  // The guidance beside selected lines and shapes: how to change them and select more.
  void ShowSelectedItemGuidance();
  // A row of small buttons under the lists of a page, each with a hint.
  std::vector<QToolButton*> AddButtons(int page, const std::vector<QString>& hints);
  // Mirror, flip and the two quarter turns of the selection, each one undo step.
  void AddTurnButtons(int page);
  // The common value of the selected items (group frames skipped); none when they differ or
  // none has the property.
  std::optional<double> CommonValue(
      const std::function<std::optional<double>(const ItemRecord&)>& value) const;
  // Runs an apply operation on the active document, then records the step.
  void ApplyToSelection(
      const std::function<void(ItemList&, EditObserver&, const GeometryContext&)>& apply);
  // While a text is typed on the canvas its edit step is open: the change goes into that text
  // (and, for a drawing tool, store into the tool's settings), then the step is recorded.
  // False when no text is being typed.
  bool ChangeEditedText(const std::function<void(ItemRecord&, const GeometryContext&)>& change,
                        const std::function<void(TParams&)>& store);
  // A list entry was chosen by the user.
  virtual void ListChosen(ValueCombo& combo, int index);
  // Fills or values changed: subclasses show or hide dependent rows.
  virtual void ValuesShown() {}

 private:
  void ShowList(ValueCombo& combo);

  PanelContext& context_;
  int32_t tool_;
  QLabel* heading_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  PlaceRow* place_ = nullptr;
  std::array<QFormLayout*, 2> pages_{};
  std::array<QLabel*, 4> guidance_{};
  std::vector<std::pair<QString, ValueCombo*>> lists_;
};

}  // namespace quillon
