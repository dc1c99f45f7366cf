// SPDX-License-Identifier: GPL-3.0-or-later
// The settings printing keeps beside the others in the settings store: the correction of each
// printer, under "PrinterCorrections", and the used cards of each sheet layout, under
// "UsedCards". Each key holds numbered slots 1 to kPrintingSlots; a slot is a name and its
// values, all strings, so that an entry edited by hand is read (or refused) like any other.
#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <string>

#include "output/PrinterCorrection.h"

namespace quillon {

inline constexpr char kPrinterCorrectionsKey[] = "PrinterCorrections";
inline constexpr char kUsedCardsKey[] = "UsedCards";
inline constexpr int kPrintingSlots = 32;

// The stored correction of the printer named as the system reports it; none when there is no
// entry. An entry that is not a usable correction is ignored and note says so.
PrinterCorrection ReadPrinterCorrection(QSettings& store, const QString& printer,
                                        std::string& note);
// Stores the printer's correction; "no correction" removes its entry. A correction that
// CorrectionProblem refuses is not stored (false).
bool WritePrinterCorrection(QSettings& store, const QString& printer,
                            const PrinterCorrection& correction);
// The printers that have a stored entry, in slot order.
QStringList CorrectedPrinters(QSettings& store);

// The used cards of the sheet layout (SheetLayoutName), one character per card; empty when
// none is remembered. An entry that does not fit a sheet of this many cards is ignored and note
// says so.
std::u16string ReadUsedCards(QSettings& store, const QString& sheet, int cards, std::string& note);
// Remembers the used cards of the sheet layout; a memory without a used card removes the entry.
void WriteUsedCards(QSettings& store, const QString& sheet, const std::u16string& used);

}  // namespace quillon
