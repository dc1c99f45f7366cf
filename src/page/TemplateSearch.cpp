// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/TemplateSearch.h"

#include <QRegularExpression>
#include <cmath>

#include "document/PageSetup.h"
#include "page/Catalogue.h"
#include "page/SizeText.h"

namespace quillon {
namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kMillimetreTolerance = 0.3;
constexpr double kPixelTolerance = 0.5;

std::optional<double> InMillimetres(const QString& text, int32_t units) {
  if (text.trimmed().isEmpty()) return std::nullopt;
  const auto value = ParseSizeText(text, units);
  if (!value || *value <= 0) return std::nullopt;
  return units == kUnitInches ? *value * kMillimetresPerInch : *value;
}

QString Normalised(const QString& text) {
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  static const QRegularExpression times(QStringLiteral("(?<=[0-9/])\\s*x\\s*(?=[0-9]|$)"));
  QString s = text.toLower();
  s.replace(QChar(0x00D7), u'x');
  s.replace(u',', u'.');
  s.replace(blanks, QStringLiteral(" "));
  s.replace(times, QStringLiteral("x"));
  return s.trimmed();
}

bool PartOfNumber(QChar c) {
  return c.isDigit() || c == u'.' || c == u'/';
}

}  // namespace

std::vector<TypedSize> ReadTypedSizes(const QString& text, int32_t units) {
  static const QRegularExpression pattern(
      QStringLiteral("^\\s*(.+?)\\s*[x\\x{00D7}*]\\s*(.+?)\\s*(mm|in|inch|inches|\"|px)?\\s*$"),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return {};
  const QString unit = match.captured(3).toLower();
  std::vector<int32_t> readings;
  if (units == kUnitPixels) {
    if (unit.isEmpty() || unit == QStringLiteral("px")) readings = {kUnitPixels};
  } else if (unit == QStringLiteral("mm")) {
    readings = {kUnitMillimetres};
  } else if (!unit.isEmpty() && unit != QStringLiteral("px")) {
    readings = {kUnitInches};
  } else if (unit.isEmpty()) {
    readings = {units, units == kUnitInches ? kUnitMillimetres : kUnitInches};
  }
  std::vector<TypedSize> sizes;
  for (int32_t reading : readings) {
    const auto width = InMillimetres(match.captured(1), reading);
    const auto height = InMillimetres(match.captured(2), reading);
    if (width && height) sizes.push_back({*width, *height});
  }
  return sizes;
}

bool NameContains(const QString& name, const QString& text) {
  const QString needle = Normalised(text);
  if (needle.isEmpty()) return true;
  const QString hay = Normalised(name);
  for (qsizetype at = hay.indexOf(needle); at >= 0; at = hay.indexOf(needle, at + 1)) {
    const qsizetype end = at + needle.size();
    const bool cutBefore = at > 0 && PartOfNumber(needle.front()) && PartOfNumber(hay[at - 1]);
    const bool cutAfter = end < hay.size() && PartOfNumber(needle.back()) && PartOfNumber(hay[end]);
    if (!cutBefore && !cutAfter) return true;
  }
  return false;
}

std::vector<int> SearchTemplates(int32_t units, int32_t kind, const QString& text) {
  const std::span<const TemplateEntry> entries = Catalogue(units, kind);
  const std::vector<TypedSize> sizes = ReadTypedSizes(text, units);
  const double tolerance = units == kUnitPixels ? kPixelTolerance : kMillimetreTolerance;
  const auto near = [tolerance](double a, double b) { return std::abs(a - b) <= tolerance; };
  std::vector<int> found;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TemplateEntry& entry = entries[i];
    bool hit = text.trimmed().isEmpty() || NameContains(entry.Name(), text);
    if (!hit && !sizes.empty()) {
      const bool paperOnly = entry.Text(kEntryItemWidth).isEmpty();
      const auto width =
          InMillimetres(entry.Text(paperOnly ? kEntryPaperWidth : kEntryItemWidth), units);
      const auto height =
          InMillimetres(entry.Text(paperOnly ? kEntryPaperHeight : kEntryItemHeight), units);
      for (const TypedSize& size : sizes) {
        if (!width || !height) break;
        hit = hit || (near(size.width, *width) && near(size.height, *height)) ||
              (near(size.width, *height) && near(size.height, *width));
      }
    }
    if (hit) found.push_back(static_cast<int>(i));
  }
  return found;
}

}  // namespace quillon
