// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/PageDimensions.h"

#include <array>

#include "document/PageSetup.h"
#include "page/Catalogue.h"
#include "page/SizeText.h"

namespace quillon {
namespace {

struct Edit {
  QString UnitBlock::*field;
  const char* label;
};
using EditLayout = std::array<Edit, kPageDimensionEdits>;

constexpr EditLayout kCardSheetEdits = {{
    {&UnitBlock::paperWidth, "Paper width"},
    {&UnitBlock::paperHeight, "Paper height"},
    {&UnitBlock::itemWidth, "Card width"},
    {&UnitBlock::itemHeight, "Card height"},
    {&UnitBlock::leftMargin, "Left margin"},
    {&UnitBlock::topMargin, "Top margin"},
    {&UnitBlock::rows, "Rows"},
    {&UnitBlock::columns, "Columns"},
    {&UnitBlock::rowGap, "Row gap"},
    {&UnitBlock::columnGap, "Column gap"},
}};

constexpr EditLayout kBrochureEdits = {{
    {&UnitBlock::paperWidth, "Paper width"},
    {&UnitBlock::paperHeight, "Paper height"},
    {&UnitBlock::itemWidth, "Brochure width"},
    {&UnitBlock::itemHeight, "Brochure height"},
    {&UnitBlock::leftMargin, "Left margin"},
    {&UnitBlock::topMargin, "Top margin"},
    {&UnitBlock::bottomMargin, "Bottom margin"},
    {&UnitBlock::rightMargin, "Right margin"},
    {&UnitBlock::rows, "Rows"},
    {&UnitBlock::columns, "Columns"},
}};

constexpr EditLayout kSingleSheetEdits = {{
    {&UnitBlock::paperWidth, "Paper width"},
    {&UnitBlock::paperHeight, "Paper height"},
    {&UnitBlock::leftMargin, "Left margin"},
    {&UnitBlock::topMargin, "Top margin"},
    {&UnitBlock::rightMargin, "Right margin"},
    {&UnitBlock::bottomMargin, "Bottom margin"},
    {&UnitBlock::rows, "Rows"},
    {&UnitBlock::columns, "Columns"},
    {&UnitBlock::rowGap, "Row gap"},
    {&UnitBlock::columnGap, "Column gap"},
}};

const EditLayout& LayoutOf(int32_t kind) {
  if (IsCardSheetKind(kind)) return kCardSheetEdits;
  if (kind == kKindBrochures) return kBrochureEdits;
  return kSingleSheetEdits;
}

}  // namespace

void PageDimensions::Load(int32_t kind, const pageset_t& set) {
  kind_ = IsPageKind(kind) ? kind : kKindIllustrations;
  set_ = set;
  if (!IsPageUnit(set_.units)) set_.units = kUnitInches;
}

QStringList PageDimensions::QuickSelectNames() const {
  QStringList names;
  for (const TemplateEntry& entry : Catalogue(set_.units, kind_))
    names.append(entry.Name());
  return names;
}

bool PageDimensions::EditShown(int n) const {
  if (n < 1 || n > kPageDimensionEdits) return false;
  if (set_.units == kUnitPixels) return n <= 2;
  if (kind_ == kKindIllustrations) return n <= 6;
  return true;
}

QString PageDimensions::EditLabel(int n) const {
  if (n < 1 || n > kPageDimensionEdits) return {};
  if (set_.units == kUnitPixels && n <= 2) {
    return n == 1 ? QStringLiteral("Image width") : QStringLiteral("Image height");
  }
  if (kind_ == 5 && (n == 3 || n == 4)) {
    return n == 3 ? QStringLiteral("Label width") : QStringLiteral("Label height");
  }
  return QString::fromLatin1(LayoutOf(kind_)[n - 1].label);
}

QString UnitBlock::*PageDimensions::EditField(int n) const {
  if (n < 1 || n > kPageDimensionEdits) return nullptr;
  return LayoutOf(kind_)[n - 1].field;
}

QString PageDimensions::EditText(int n) const {
  QString UnitBlock::*field = EditField(n);
  return field != nullptr ? set_.current().*field : QString();
}

bool PageDimensions::FoldBoxesShown() const {
  return set_.units != kUnitPixels && kind_ != kKindIllustrations;
}

std::vector<FieldProblem> PageDimensions::Problems() const {
  const int32_t units = set_.units;
  const bool counted = IsCardSheetKind(kind_) || kind_ == kKindBrochures;
  const UnitBlock& block = set_.current();
  std::vector<FieldProblem> problems;
  for (int n = 1; n <= kPageDimensionEdits; ++n) {
    if (!EditShown(n)) continue;
    QString UnitBlock::*field = EditField(n);
    const QString& text = block.*field;
    const QString label = EditLabel(n);
    const QString quoted = u'"' + text.trimmed() + u'"';
    if (field == &UnitBlock::rows || field == &UnitBlock::columns) {
      if (!counted) continue;
      const auto count = ParseWholeNumber(text);
      if (!count || *count < 1) {
        problems.push_back({n, label + QStringLiteral(": type a whole number of at least 1.")});
      }
      continue;
    }
    const auto value = ParseSizeText(text, units);
    if (!value) {
      const char* hint = units == kUnitPixels        ? "a number of pixels, such as 800"
                         : units == kUnitMillimetres ? "a number of millimetres, such as 85 or 85.5"
                                                     : "a number of inches, such as 3.5 or 3 1/2";
      problems.push_back({n, label + QStringLiteral(": ") + quoted +
                                 QStringLiteral(" is not a size; type ") +
                                 QString::fromLatin1(hint) + u'.'});
      continue;
    }
    const bool sized = field == &UnitBlock::paperWidth || field == &UnitBlock::paperHeight ||
                       field == &UnitBlock::itemWidth || field == &UnitBlock::itemHeight;
    if (sized && !(*value > 0)) {
      problems.push_back({n, label + QStringLiteral(" must be more than 0.")});
    }
  }
  return problems;
}

void PageDimensions::ChooseTemplate(int index) {
  quillon::ChooseTemplate(set_, kind_, index);
}

void PageDimensions::TypeText(int n, const QString& text) {
  if (!EditShown(n)) return;
  set_.current().*EditField(n) = text;
  Rematch();
}

void PageDimensions::SetRowFold(bool on) {
  set_.current().rowFold = on ? 1 : 0;
  Rematch();
}

void PageDimensions::SetColumnFold(bool on) {
  set_.current().columnFold = on ? 1 : 0;
  Rematch();
}

void PageDimensions::SetOrientation(int32_t orientation) {
  if (quillon::SetOrientation(set_, orientation)) Rematch();
}

void PageDimensions::SetUnits(int32_t units) {
  if (!IsPageUnit(units) || units == set_.units) return;
  set_.units = units;
  Rematch();
}

void PageDimensions::Rematch() {
  set_.current().quickSelectIndex = MatchTemplate(set_, kind_);
}

}  // namespace quillon
