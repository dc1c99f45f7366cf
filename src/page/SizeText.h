// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers typed as text: plain decimals with a point, whole numbers, and the size texts of a
// page description (inches also as mixed fractions such as 8 1/2).
#pragma once

#include <QStringView>
#include <cstdint>
#include <optional>

namespace quillon {

// An optional sign, digits with an optional point and an optional exponent, nothing else (no
// blanks); only finite results.
std::optional<double> ParseDecimal(QStringView text);
// An optional sign and decimal digits between optional blanks, within 32 bits.
std::optional<int32_t> ParseWholeNumber(QStringView text);
// A size typed in units (1 pixels, 2 millimetres, 3 inches): blanks trimmed, an empty text is
// 0, commas are points; inches may end in a double quote and may be a mixed fraction
// ("3 7/8", "3-1/2", "1/4", "-1 1/2") whose numerator and denominator are not zero.
std::optional<double> ParseSizeText(QStringView text, int32_t units);

}  // namespace quillon
