// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds any text to the number parsers (size texts in every unit, typed measures, the store's
// number strings, whole numbers) and, line by line, as a page description applied to a new
// document whose grid is then reset. Results must be finite and agree across units.
#include <QString>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "document/EditObserver.h"
#include "document/PageSetup.h"
#include "page/AnchorLines.h"
#include "page/ApplyPageset.h"
#include "page/SizeText.h"
#include "settings/NewDocument.h"
#include "settings/NumberText.h"

namespace {

using namespace quillon;

void Fail(const char* what, const QString& text) {
  std::fprintf(stderr, "%s: \"%s\"\n", what, text.toUtf8().constData());
  std::abort();
}

void CheckParsers(const QString& text) {
  const auto pixels = ParseSizeText(text, kUnitPixels);
  const auto mm = ParseSizeText(text, kUnitMillimetres);
  const auto inches = ParseSizeText(text, kUnitInches);
  if ((pixels && !std::isfinite(*pixels)) || (mm && !std::isfinite(*mm)) ||
      (inches && !std::isfinite(*inches))) {
    Fail("a size text gave a number that is not finite", text);
  }
  // Pixels and millimetres follow one rule; whatever they take, inches take the same way.
  if (pixels.has_value() != mm.has_value() || (pixels && *pixels != *mm)) {
    Fail("pixels and millimetres disagree", text);
  }
  if (mm && (!inches || *inches != *mm)) Fail("inches disagree with millimetres", text);

  if (const auto measure = ParseMeasure(text); measure && !std::isfinite(*measure)) {
    Fail("a measure that is not finite", text);
  }
  if (!std::isfinite(ReadNumberString(text, 1.5))) Fail("a store number not finite", text);
  if (const auto whole = ParseWholeNumber(text)) {
    if (ParseWholeNumber(QString::number(*whole)) != whole) Fail("whole number round trip", text);
  }
}

// The lines as the texts of a unit block, applied to a new document; then the grid is reset.
void ApplyAsPageDescription(const QStringList& lines, uint8_t selector) {
  pageset_t set;
  set.units = selector % 4;  // 0 is no unit at all
  set.orientation = (selector >> 2) % 3;
  UnitBlock& block = set.block(set.units);
  for (int i = 0; i < kUnitBlockTextCount && i < lines.size(); ++i) {
    block.*kUnitBlockTexts[i] = lines[i];
  }
  block.rowFold = selector & 0x10;
  block.columnFold = selector & 0x20;
  const int32_t kind = static_cast<int32_t>(selector >> 4) - 2;  // -2 .. 13

  UnitGridDistances grids;
  for (int u = 0; u < 3; ++u) {
    const QString distance = lines.size() > 14 + u ? lines[14 + u] : QString();
    grids[u].x = grids[u].y = ParseNumberString(distance).value_or(1.0);
  }
  static const TParams params;
  ItemList list(params.screen);
  NewDocument(list, params, 18601);
  ApplyPagesetToRecord(list, set, kind, grids);
  EditObserver observer;
  ResetAnchorLines(list, kResetBoth, observer);
  const ItemRecord* anchors = FindVisibleByKind(list, kKindAnchors);
  if (anchors == nullptr || anchors->verticalAnchors.size() > std::size_t(kMaxGridLines) + 1 ||
      anchors->horizontalAnchors.size() > std::size_t(kMaxGridLines) + 1) {
    Fail("the grid reset lost its bounds", lines.join(u'|'));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 4096) return 0;
  const auto* bytes = reinterpret_cast<const char*>(data);
  const QString text = QString::fromUtf8(bytes + 1, static_cast<qsizetype>(size - 1));
  CheckParsers(text);
  // The same bytes as UTF-16 code units reach characters UTF-8 decoding would replace.
  CheckParsers(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes + 1),
                                  static_cast<qsizetype>((size - 1) / 2)));
  const QStringList lines = text.split(u'\n');
  for (const QString& line : lines)
    CheckParsers(line);
  ApplyAsPageDescription(lines, data[0]);
  return 0;
}
