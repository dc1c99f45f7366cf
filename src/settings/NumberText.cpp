// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/NumberText.h"

#include <charconv>
#include <cmath>

#include "page/SizeText.h"

namespace quillon {

std::optional<double> ParseNumberString(QStringView text, bool* empty) {
  QString s = text.trimmed().toString();
  s.replace(u',', u'.');
  s.removeIf([](QChar c) { return c.isSpace(); });
  if (empty != nullptr) *empty = s.isEmpty();
  if (s.isEmpty()) return std::nullopt;
  return ParseDecimal(s);
}

double ReadNumberString(QStringView text, double previous) {
  bool empty = false;
  const auto value = ParseNumberString(text, &empty);
  if (empty) return previous;
  return value.value_or(0.0);
}

QString FormatNumber(double value) {
  // to_chars picks the shorter of plain and exponent notation: 100 stays "100".
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return QString::fromLatin1(digits, result.ptr - digits);
}

std::optional<double> ParseMeasure(QStringView text) {
  QString s = text.trimmed().toString();
  if (s.endsWith(u'"')) s.chop(1);
  s.replace(u',', u'.');
  const qsizetype slash = s.indexOf(u'/');
  if (slash < 0) return ParseDecimal(s.trimmed());
  const auto numerator = ParseDecimal(QStringView(s).left(slash).trimmed());
  const auto denominator = ParseDecimal(QStringView(s).mid(slash + 1).trimmed());
  if (!numerator || !denominator) return std::nullopt;
  if (*numerator == 0 || *denominator == 0) return 0.0;
  const double quotient = *numerator / *denominator;
  // Two finite decimals can still overflow; a measure is always a finite number.
  if (!std::isfinite(quotient)) return std::nullopt;
  return quotient;
}

}  // namespace quillon
