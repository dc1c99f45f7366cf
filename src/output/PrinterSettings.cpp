// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PrinterSettings.h"

#include <algorithm>
#include <optional>

#include "output/UsedCards.h"
#include "settings/NumberText.h"

namespace quillon {
namespace {

QString ValueName(const char* field, int slot) {
  return QString::fromLatin1(field) + QString::number(slot);
}

// The slot holding the name under "nameField", or 0.
int SlotOf(QSettings& store, const char* nameField, const QString& name) {
  for (int slot = 1; slot <= kPrintingSlots; ++slot) {
    if (store.value(ValueName(nameField, slot)).toString() == name) return slot;
  }
  return 0;
}

// The slot for a new name: the first free one, else the last, which the new name takes over.
int SlotFor(QSettings& store, const char* nameField, const QString& name) {
  if (const int slot = SlotOf(store, nameField, name); slot != 0) return slot;
  for (int slot = 1; slot <= kPrintingSlots; ++slot) {
    if (store.value(ValueName(nameField, slot)).toString().isEmpty()) return slot;
  }
  return kPrintingSlots;
}

void RemoveSlot(QSettings& store, std::initializer_list<const char*> fields, int slot) {
  for (const char* field : fields)
    store.remove(ValueName(field, slot));
}

constexpr std::initializer_list<const char*> kCorrectionFields = {"printer", "offsetX", "offsetY",
                                                                  "scaleX", "scaleY"};
constexpr std::initializer_list<const char*> kUsedFields = {"sheet", "used"};

}  // namespace

PrinterCorrection ReadPrinterCorrection(QSettings& store, const QString& printer,
                                        std::string& note) {
  note.clear();
  if (printer.isEmpty()) return {};
  store.beginGroup(QString::fromLatin1(kPrinterCorrectionsKey));
  const int slot = SlotOf(store, "printer", printer);
  PrinterCorrection correction;
  bool readable = true;
  const auto read = [&](const char* field, double& value) {
    const std::optional<double> number =
        ParseNumberString(store.value(ValueName(field, slot)).toString());
    if (number) {
      value = *number;
    } else {
      readable = false;
    }
  };
  if (slot != 0) {
    read("offsetX", correction.offsetX);
    read("offsetY", correction.offsetY);
    read("scaleX", correction.scaleX);
    read("scaleY", correction.scaleY);
  }
  store.endGroup();
  if (slot == 0) return {};
  const std::string problem =
      readable ? CorrectionProblem(correction) : "A value is missing or not a number.";
  if (!problem.empty()) {
    note = "The stored correction of the printer \"" + printer.toStdString() +
           "\" was ignored: " + problem;
    return {};
  }
  return correction;
}

bool WritePrinterCorrection(QSettings& store, const QString& printer,
                            const PrinterCorrection& correction) {
  if (printer.isEmpty() || !CorrectionProblem(correction).empty()) return false;
  store.beginGroup(QString::fromLatin1(kPrinterCorrectionsKey));
  if (correction.IsNone()) {
    if (const int slot = SlotOf(store, "printer", printer); slot != 0) {
      RemoveSlot(store, kCorrectionFields, slot);
    }
  } else {
    const int slot = SlotFor(store, "printer", printer);
    store.setValue(ValueName("printer", slot), printer);
    store.setValue(ValueName("offsetX", slot), FormatNumber(correction.offsetX));
    store.setValue(ValueName("offsetY", slot), FormatNumber(correction.offsetY));
    store.setValue(ValueName("scaleX", slot), FormatNumber(correction.scaleX));
    store.setValue(ValueName("scaleY", slot), FormatNumber(correction.scaleY));
  }
  store.endGroup();
  store.sync();
  return true;
}

QStringList CorrectedPrinters(QSettings& store) {
  QStringList printers;
  store.beginGroup(QString::fromLatin1(kPrinterCorrectionsKey));
  for (int slot = 1; slot <= kPrintingSlots; ++slot) {
    const QString name = store.value(ValueName("printer", slot)).toString();
    if (!name.isEmpty()) printers << name;
  }
  store.endGroup();
  return printers;
}

std::u16string ReadUsedCards(QSettings& store, const QString& sheet, int cards, std::string& note) {
  note.clear();
  if (sheet.isEmpty()) return {};
  store.beginGroup(QString::fromLatin1(kUsedCardsKey));
  const int slot = SlotOf(store, "sheet", sheet);
  const QString used = slot != 0 ? store.value(ValueName("used", slot)).toString() : QString();
  store.endGroup();
  if (slot == 0) return {};
  const bool fits = used.size() <= cards && std::all_of(used.begin(), used.end(), [](QChar c) {
                      return c.unicode() == kUsedCard || c.unicode() == kFreeCard;
                    });
  if (!fits) {
    note = "The stored used cards of the sheet \"" + sheet.toStdString() +
           "\" do not fit this sheet and were ignored.";
    return {};
  }
  return used.toStdU16String();
}

void WriteUsedCards(QSettings& store, const QString& sheet, const std::u16string& used) {
  if (sheet.isEmpty()) return;
  store.beginGroup(QString::fromLatin1(kUsedCardsKey));
  if (used.find(kUsedCard) == std::u16string::npos) {
    if (const int slot = SlotOf(store, "sheet", sheet); slot != 0)
      RemoveSlot(store, kUsedFields, slot);
  } else {
    const int slot = SlotFor(store, "sheet", sheet);
    store.setValue(ValueName("sheet", slot), sheet);
    store.setValue(ValueName("used", slot), QString::fromStdU16String(used));
  }
  store.endGroup();
  store.sync();
}

}  // namespace quillon
