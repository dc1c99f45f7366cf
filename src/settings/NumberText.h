// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers kept as text in the settings store and typed into the customization dialogs.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace quillon {

// A number string of the store: trimmed, every comma a point, every blank removed, then a
// decimal number. Empty gives nullopt with `empty` set; unparsable gives nullopt.
std::optional<double> ParseNumberString(QStringView text, bool* empty = nullptr);
// The store's rule for real-valued settings: an empty string keeps `previous`, an unparsable
// one gives 0.
double ReadNumberString(QStringView text, double previous);
// A real number as the store writes it: the shortest decimal text that reads back exactly,
// with a point.
QString FormatNumber(double value);

// A typed measure: trimmed, a final double quote dropped, commas as points; a decimal number,
// or a quotient "a/b" of two decimals (0 when either is zero). Nullopt when not a number.
std::optional<double> ParseMeasure(QStringView text);

}  // namespace quillon
