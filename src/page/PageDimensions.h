// SPDX-License-Identifier: GPL-3.0-or-later
// What the page-dimensions form holds and does, without its widgets: the page description of
// one kind as texts per unit, which edit box shows which text under which label, choosing a
// template, typing, the orientation and unit switches and the "Quick select" matching.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "page/Pageset.h"

namespace quillon {

inline constexpr int kPageDimensionEdits = 10;

// A shown edit box whose text cannot be applied, and why, as a sentence that names the field.
struct FieldProblem {
  int edit = 0;  // 1..10
  QString why;
  friend bool operator==(const FieldProblem&, const FieldProblem&) = default;
};

class PageDimensions {
 public:
  // Fills the form for a kind (1..11; others count as 1) from a page description.
  void Load(int32_t kind, const pageset_t& set);
  // The form's current page description.
  const pageset_t& Store() const { return set_; }

  int32_t kind() const { return kind_; }
  int32_t units() const { return set_.units; }
  int32_t orientation() const { return set_.orientation; }

  // The "Quick select" names of the kind in the current unit, and the entry shown selected (-1).
  QStringList QuickSelectNames() const;
  int selectedTemplate() const { return set_.current().quickSelectIndex; }

  // Edit box n (1..10): whether it shows, its label and its text; n outside gives false and "".
  bool EditShown(int n) const;
  QString EditLabel(int n) const;
  QString EditText(int n) const;
  bool FoldBoxesShown() const;
  // The shown edit boxes, in order, whose texts cannot be applied as they stand: a size that does
  // not parse, a paper or card (brochure) size that is not above 0, rows or columns of a card
  // sheet or brochure that are not a whole number of at least 1. Applying the form is sound
  // only when there are none.
  std::vector<FieldProblem> Problems() const;
  bool rowFold() const { return set_.current().rowFold != 0; }
  bool columnFold() const { return set_.current().columnFold != 0; }

  // A "Quick select" choice; an index outside the list is ignored.
  void ChooseTemplate(int index);
  // Typing into edit box n writes its field of the current unit block; hidden or unknown boxes
  // are ignored.
  void TypeText(int n, const QString& text);
  void SetRowFold(bool on);
  void SetColumnFold(bool on);
  // "Portrait" (1) or "Landscape" (2); the state already set changes nothing.
  void SetOrientation(int32_t orientation);
  // "Pixels" (1), "Millimeters" (2) or "Inches" (3): that unit's texts become current; nothing
  // is converted.
  void SetUnits(int32_t units);

 private:
  QString UnitBlock::*EditField(int n) const;
  void Rematch();

  int32_t kind_ = 1;
  pageset_t set_;
};

}  // namespace quillon
