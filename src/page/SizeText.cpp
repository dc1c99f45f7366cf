// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/SizeText.h"

#include <QString>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "document/PageSetup.h"

namespace quillon {
namespace {

bool IsDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}

// Digits only, within 32 bits.
std::optional<int32_t> ParseDigits(QStringView text) {
  if (text.isEmpty()) return std::nullopt;
  int64_t value = 0;
  for (QChar c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c.unicode() - u'0');
    if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
  }
  return static_cast<int32_t>(value);
}

// A mixed fraction in inches once commas are points and the inch mark is gone.
std::optional<double> ParseInchFraction(QStringView text) {
  double sign = 1;
  if (text.startsWith(u'-')) {
    sign = -1;
    text = text.mid(1);
  }
  // Every further minus separates like a blank, so that 3-1/2 reads as 3 1/2.
  QString rest = text.toString().replace(u'-', u' ');
  int32_t whole = 0;
  if (const qsizetype blank = rest.indexOf(u' '); blank >= 0) {
    const auto wholePart = ParseDigits(QStringView(rest).left(blank));
    if (!wholePart) return std::nullopt;
    whole = *wholePart;
    rest = rest.mid(blank + 1).trimmed();
  }
  const qsizetype slash = rest.indexOf(u'/');
  if (slash < 0) {
    if (!rest.isEmpty()) return std::nullopt;
    return sign * whole;
  }
  const auto numerator = ParseDigits(QStringView(rest).left(slash));
  const auto denominator = ParseDigits(QStringView(rest).mid(slash + 1));
  if (!numerator || !denominator || *numerator == 0 || *denominator == 0) return std::nullopt;
  return sign * (static_cast<double>(*numerator) / *denominator + whole);
}

}  // namespace

std::optional<double> ParseDecimal(QStringView text) {
  // Checked by hand first: from_chars alone would also take "inf", "nan" and hexadecimal.
  std::string ascii;
  ascii.reserve(static_cast<std::size_t>(text.size()));
  qsizetype i = 0;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') ascii += '-';
    ++i;
  }
  int mantissaDigits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    const QChar c = text[i];
    if (IsDigit(c)) {
      ++mantissaDigits;
    } else if (c == u'.' && !point) {
      point = true;
    } else {
      break;
    }
    ascii += static_cast<char>(c.unicode());
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    ascii += 'e';
    ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
      ascii += static_cast<char>(text[i].unicode());
      ++i;
    }
    int exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits) {
      ascii += static_cast<char>(text[i].unicode());
    }
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  double value = 0;
  const char* end = ascii.data() + ascii.size();
  const auto [ptr, ec] = std::from_chars(ascii.data(), end, value);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int32_t> ParseWholeNumber(QStringView text) {
  text = text.trimmed();
  bool negative = false;
  if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
    negative = text[0] == u'-';
    text = text.mid(1);
  }
  if (text.isEmpty()) return std::nullopt;
  const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                 : int64_t{std::numeric_limits<int32_t>::max()};
  int64_t value = 0;
  for (QChar c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c.unicode() - u'0');
    if (value > limit) return std::nullopt;
  }
  return static_cast<int32_t>(negative ? -value : value);
}

std::optional<double> ParseSizeText(QStringView text, int32_t units) {
  QString s = text.trimmed().toString();
  if (s.isEmpty()) return 0.0;
  s.replace(u',', u'.');
  const bool inches = units == kUnitInches;
  if (inches && s.endsWith(u'"')) {
    s.chop(1);
    s = s.trimmed();
    if (s.isEmpty()) return std::nullopt;
  }
  if (const auto value = ParseDecimal(s)) return value;
  if (!inches) return std::nullopt;
  return ParseInchFraction(s);
}

}  // namespace quillon
