// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/Catalogue.h"

#include <cmath>
#include <optional>

#include "document/PageSetup.h"
#include "page/SizeText.h"

namespace quillon {
namespace {

constexpr auto K = EntryOrientation::Keep;
constexpr auto S = EntryOrientation::KeepSwapInLandscape;
constexpr auto P = EntryOrientation::Portrait;
constexpr auto L = EntryOrientation::Landscape;
constexpr auto N = EntryFold::None;
constexpr auto R = EntryFold::Rows;
constexpr auto C = EntryFold::Columns;

// A paper size with the same margin on all four sides and nothing else.
constexpr TemplateEntry Paper(const char* name, EntryOrientation orientation, const char* width,
                              const char* height, const char* margin) {
  return {name,
          orientation,
          {width, height, "", "", margin, margin, margin, margin, "", "", "", ""},
          N};
}

// A sheet of cards, labels or panels: paper, item, margins (left, top, right, bottom), rows,
// columns, row gap, column gap, fold.
constexpr TemplateEntry Sheet(const char* name, EntryOrientation orientation,
                              std::array<const char*, kEntryTextCount> texts, EntryFold fold) {
  return {name, orientation, texts, fold};
}

constexpr TemplateEntry kPixels[] = {
    Paper("Small Photo 250 x 350", S, "250", "350", ""),
    Paper("Medium Photo 350 x 500", S, "350", "500", ""),
    Paper("Large Photo 500 x 700", S, "500", "700", ""),
    Paper("Leaderboard 728 x 90", L, "728", "90", ""),
    Paper("Banner 468 x 60", L, "468", "60", ""),
    Paper("Half Banner 234 x 60", L, "234", "60", ""),
    Paper("Skyscraper 120 x 600", P, "120", "600", ""),
    Paper("Wide Skyscraper 160 x 600", P, "160", "600", ""),
    Paper("Vertical Banner 120 x 240", P, "120", "240", ""),
    Paper("Button 125 x 125", S, "125", "125", ""),
    Paper("Medium Rectangle 300 x 250", L, "300", "250", ""),
    Paper("Square 250 x 250", S, "250", "250", ""),
    Paper("Large Rectangle 336 x 280", L, "336", "280", ""),
    Paper("Small Rectangle 180 x 150", L, "180", "150", ""),
};

constexpr TemplateEntry kMmIllustrations[] = {
    Paper("A0 - drawings, posters", K, "841", "1189", "7"),
    Paper("A1 - drawings, posters, flip charts", K, "594", "841", "7"),
    Paper("A2 - flip charts, diagrams", K, "420", "594", "7"),
    Paper("A3 - newspapers, large tables", K, "297", "420", "7"),
    Paper("A4 - letters, magazines, forms, catalogs", K, "210", "297", "7"),
    Paper("A5 - note pads, books", K, "148", "210", "7"),
    Paper("A6 - books, postcards", K, "105", "148", "7"),
    Paper("A7 - index cards", K, "74", "105", "7"),
    Paper("C4 - envelopes for A4 letters unfolded", K, "229", "324", "7"),
    Paper("C5 - envelopes for A5 letters unfolded", K, "162", "229", "7"),
    Paper("C6 - envelopes for A6 postcards", K, "114", "162", "7"),
    Paper("C6/C5 - envelopes for A4 letters folded twice", K, "114", "229", "7"),
    Paper("DL - envelopes for A4 letters folded twice", K, "110", "220", "7"),
    Paper("B4 - newspapers, envelopes for C4", K, "250", "353", "7"),
    Paper("B5 - books, envelopes for C5", K, "176", "250", "7"),
    Paper("B6 - books, envelopes for C6", K, "125", "176", "7"),
    Paper("B7 - passports", K, "88", "125", "7"),
    Paper("B8 - playing cards", K, "62", "88", "7"),
    Paper("Photo - 90 x 130", K, "90", "130", ""),
    Paper("Photo - 130 x 180", K, "130", "180", ""),
};

constexpr TemplateEntry kMmPostcards[] = {
    Sheet("A5 postcards, 2 per A4 page", P,
          {"210", "297", "210", "148", "0", "0", "0", "0", "2", "1", "0", "0"}, N),
    Sheet("A6 postcards, 4 per A4 page", P,
          {"210", "297", "105", "148", "0", "0", "0", "0", "2", "2", "0", "0"}, N),
    Sheet("210 x 99 postcards, 3 per A4 page", P,
          {"210", "297", "210", "99", "0", "0", "0", "0", "3", "1", "0", "0"}, N),
};

constexpr std::array<const char*, kEntryTextCount> kMmGreetingVertical = {
    "210", "297", "105", "148", "0", "0", "0", "0", "2", "2", "0", "0"};
constexpr std::array<const char*, kEntryTextCount> kMmGreetingHorizontal = {
    "297", "210", "148", "105", "0", "0", "0", "0", "2", "2", "0", "0"};
constexpr TemplateEntry kMmGreetingCards[] = {
    Sheet("A6 greeting cards, 2 per A4 page, vertical", P, kMmGreetingVertical, C),
    Sheet("A6 greeting cards, 2 per A4 page, horizontal", L, kMmGreetingHorizontal, R),
    Sheet("A6 greeting cards, 2 per A4 page, vertical", P, kMmGreetingVertical, R),
    Sheet("A6 greeting cards, 2 per A4 page, horizontal", L, kMmGreetingHorizontal, C),
};

constexpr std::array<const char*, kEntryTextCount> kA8Ten = {"210", "297", "74", "52", "31", "18",
                                                             "0",   "0",   "5",  "2",  "0",  "0"};
constexpr std::array<const char*, kEntryTextCount> kA8VerticalTen = {
    "297", "210", "52", "74", "18", "31", "0", "0", "2", "5", "0", "0"};
constexpr std::array<const char*, kEntryTextCount> k85x54Ten = {
    "210", "297", "85", "54", "20", "14", "0", "0", "5", "2", "0", "0"};
constexpr std::array<const char*, kEntryTextCount> k85x54VerticalTen = {
    "297", "210", "54", "85", "14", "20", "0", "0", "2", "5", "0", "0"};
constexpr TemplateEntry kMmBusinessCards[] = {
    Sheet("A8 business cards, 8 per page", P,
          {"210", "297", "74", "52", "26", "25", "0", "0", "4", "2", "10", "10"}, N),
    Sheet("A8 business cards, 10 per page", P, kA8Ten, N),
    Sheet("A8 fold business cards, 5 per page", P, kA8Ten, C),
    Sheet("A8 vertical cards, 8 per page", L,
          {"297", "210", "52", "74", "25", "26", "0", "0", "2", "4", "10", "10"}, N),
    Sheet("A8 vertical cards, 10 per page", L, kA8VerticalTen, N),
    Sheet("A8 fold vertical cards, 5 per page", L, kA8VerticalTen, R),
    Sheet("85 \u00D7 54 business cards, 8 per page", P,
          {"210", "297", "85", "54", "15", "25", "0", "0", "4", "2", "10", "10"}, N),
    Sheet("85 \u00D7 54 business cards, 10 per page", P, k85x54Ten, N),
    Sheet("85 \u00D7 54 fold business cards, 5 per page", P, k85x54Ten, C),
    Sheet("85 \u00D7 54 vertical cards, 8 per page", L,
          {"297", "210", "54", "85", "25", "15", "0", "0", "2", "4", "10", "10"}, N),
    Sheet("85 \u00D7 54 vertical cards, 10 per page", L, k85x54VerticalTen, N),
    Sheet("85 \u00D7 54 fold vertical cards, 5 per page", L, k85x54VerticalTen, R),
    Sheet("85 x 55 business cards, 10 per A4 page (2 x 5)", P,
          {"210", "297", "85", "55", "20", "11", "20", "11", "5", "2", "0", "0"}, N),
};

// A4 portrait label sheets: equal left and right, equal top and bottom margins, no gaps.
constexpr TemplateEntry Labels(const char* name, const char* width, const char* height,
                               const char* side, const char* end, const char* rows,
                               const char* columns) {
  return Sheet(name, P,
               {"210", "297", width, height, side, end, side, end, rows, columns, "0", "0"}, N);
}

constexpr TemplateEntry kMmLabels[] = {
    Labels("20 x 10 labels, A4 paper", "20", "10", "5", "9", "28", "10"),
    Labels("37 x 18 labels, A4 paper", "37", "18", "13", "5", "16", "5"),
    Labels("40 x 20 labels, A4 paper", "40", "20", "5", "9", "14", "5"),
    Labels("50 x 30 labels, A4 paper", "50", "30", "5", "14", "9", "4"),
    Labels("60 x 40 labels, A4 paper", "60", "40", "15", "9", "7", "3"),
    Labels("80 x 50 labels, A4 paper", "80", "50", "25", "24", "5", "2"),
    Labels("100 x 60 labels, A4 paper", "100", "60", "5", "29", "4", "2"),
    Labels("100 x 70 labels, A4 paper", "100", "70", "5", "9", "4", "2"),
    Labels("100 x 80 labels, A4 paper", "100", "80", "5", "29", "3", "2"),
    Labels("100 x 90 labels, A4 paper", "100", "90", "5", "14", "3", "2"),
    // The common sheets, with the margins and gaps they are made with.
    Sheet("63.5 x 38.1 labels, 21 per A4 page (3 x 7)", P,
          {"210", "297", "63.5", "38.1", "7.25", "15.15", "7.25", "15.15", "7", "3", "0", "2.5"},
          N),
    Labels("70 x 37 labels, 24 per A4 page (3 x 8)", "70", "37", "0", "0.5", "8", "3"),
    Sheet("99.1 x 38.1 labels, 14 per A4 page (2 x 7)", P,
          {"210", "297", "99.1", "38.1", "4.65", "15.15", "4.65", "15.15", "7", "2", "0", "2.5"},
          N),
    Labels("48.5 x 25.4 labels, 40 per A4 page (4 x 10)", "48.5", "25.4", "8", "21.5", "10", "4"),
    Sheet("99.1 x 67.7 labels, 8 per A4 page (2 x 4)", P,
          {"210", "297", "99.1", "67.7", "4.65", "13.1", "4.65", "13.1", "4", "2", "0", "2.5"}, N),
    Labels("210 x 297 full-sheet labels, 1 per A4 page (1 x 1)", "210", "297", "0", "0", "1", "1"),
    Sheet("117 mm CD/DVD labels, 2 per A4 page (1 x 2)", P,
          {"210", "297", "117", "117", "46.5", "21.5", "46.5", "21.5", "2", "1", "20", "0"}, N),
};

constexpr TemplateEntry kMmBrochures[] = {
    Sheet("Half-fold brochures, A4 paper", P,
          {"210", "297", "210", "148", "0", "0", "0", "0", "3", "1", "0", "0"}, R),
    Sheet("Tri-fold brochures, A4 paper", P,
          {"210", "297", "210", "99", "0", "0", "0", "0", "3", "1", "0", "0"}, R),
};

constexpr TemplateEntry kMmTentCards[] = {
    Sheet("Tent Cards, 2 per A4 page", P,
          {"210", "297", "190", "69", "10", "10", "10", "10", "4", "1", "0", "0"}, R),
    Sheet("Tent Cards, 3 per A4 page", P,
          {"210", "297", "190", "46", "10", "10", "10", "10", "6", "1", "0", "0"}, R),
};

constexpr TemplateEntry kInchIllustrations[] = {
    Paper("Letter 8 1/2 x 11", K, "8 1/2", "11", "1/4"),
    Paper("Legal 8 1/2 x 14", K, "8 1/2", "14", "1/4"),
    Paper("Executive 7 1/4 x 10 1/2", K, "7 1/4", "10 1/2", "1/4"),
    Paper("Ledger/Tabloid 11 x 17", K, "11", "17", "1/4"),
    Paper("Envelope #10 4 1/8 x 9 1/2", K, "4 1/8", "9 1/2", "1/4"),
    Paper("Envelope Monarch 3 7/8 x 7 1/2", K, "3 7/8", "7 1/2", "1/4"),
    Paper("Photo 4 x 6", K, "4", "6", ""),
    Paper("Photo 5 x 7", K, "5", "7", ""),
};

constexpr TemplateEntry kInchPostcards[] = {
    Sheet("4 x 6 postcards, 2 per page", P,
          {"8 1/2", "11", "6", "4", "1 1/4", "1", "1 1/4", "1", "2", "1", "1", ""}, N),
    Sheet("5 1/2 x 4 1/4 postcards, 4 per page", L,
          {"11", "8 1/2", "5 1/2", "4 1/4", "", "", "", "", "2", "2", "", ""}, N),
};

constexpr std::array<const char*, kEntryTextCount> kInchGreetingVertical = {
    "8 1/2", "11", "4 1/4", "5 1/2", "", "", "", "", "2", "2", "", ""};
constexpr std::array<const char*, kEntryTextCount> kInchGreetingHorizontal = {
    "11", "8 1/2", "5 1/2", "4 1/4", "", "", "", "", "2", "2", "", ""};
constexpr TemplateEntry kInchGreetingCards[] = {
    Sheet("4 1/4 x 5 1/2 greeting cards, 2 per page, vertical", P, kInchGreetingVertical, C),
    Sheet("5 1/2 x 4 1/4 greeting cards, 2 per page, horizontal", L, kInchGreetingHorizontal, R),
    Sheet("4 1/4 x 5 1/2 greeting cards, 2 per page, vertical", P, kInchGreetingVertical, R),
    Sheet("5 1/2 x 4 1/4 greeting cards, 2 per page, horizontal", L, kInchGreetingHorizontal, C),
};

constexpr TemplateEntry kInchBusinessCards[] = {
    Sheet("Business Cards, 8 per page", P,
          {"8 1/2", "11", "3 1/2", "2", "1/2", "3/4", "1/2", "3/4", "4", "2", "1/2", "1/2"}, N),
    Sheet("Business Cards, 10 per page", P,
          {"8 1/2", "11", "3 1/2", "2", "3/4", "1/2", "3/4", "3/4", "5", "2", "", ""}, N),
    Sheet("Business Cards, 12 per page", L,
          {"11", "8 1/2", "3 1/2", "2", "1/4", "1/4", "1/4", "1/4", "4", "3", "", ""}, N),
    Sheet("Vertical business cards, 8 per page", L,
          {"11", "8 1/2", "2", "3 1/2", "3/4", "1/2", "3/4", "1/2", "2", "4", "1/2", "1/2"}, N),
    Sheet("Vertical business cards, 10 per page", L,
          {"11", "8 1/2", "2", "3 1/2", "1/2", "3/4", "3/4", "3/4", "2", "5", "", ""}, N),
    Sheet("Vertical business cards, 12 per page", P,
          {"8 1/2", "11", "2", "3 1/2", "1/4", "1/4", "1/4", "1/4", "3", "4", "", ""}, N),
    Sheet("Fold business cards, 5 per page", P,
          {"8 1/2", "11", "3 1/2", "2", "3/4", "1/2", "3/4", "3/4", "5", "2", "", ""}, C),
    Sheet("Fold vertical business cards, 5 per page", L,
          {"11", "8 1/2", "2", "3 1/2", "1/2", "3/4", "3/4", "3/4", "2", "5", "", ""}, R),
    Sheet("3 1/2 x 2 business cards, 10 per letter-size page (2 x 5)", P,
          {"8 1/2", "11", "3 1/2", "2", "3/4", "1/2", "3/4", "1/2", "5", "2", "0", "0"}, N),
};

// Letter portrait label sheets without gaps; margins left, top, right, bottom.
constexpr TemplateEntry LetterLabels(const char* name, const char* width, const char* height,
                                     std::array<const char*, 4> margins, const char* rows,
                                     const char* columns) {
  return Sheet(name, P,
               {"8 1/2", "11", width, height, margins[0], margins[1], margins[2], margins[3], rows,
                columns, "", ""},
               N);
}

constexpr TemplateEntry kInchLabels[] = {
    LetterLabels("1/2 x 1/4 labels, letter-size paper", "1/2", "1/4", {"1/4", "1/4", "1/4", "1/4"},
                 "42", "16"),
    LetterLabels("3/4 x 1/4 labels, letter-size paper", "3/4", "1/4", {"1/2", "1/4", "1/2", "1/4"},
                 "42", "10"),
    LetterLabels("1 x 1/2 labels, letter-size paper", "1", "1/2", {"1/4", "1/4", "1/4", "1/4"},
                 "21", "8"),
    LetterLabels("1 1/4 x 3/4 labels, letter-size paper", "1 1/4", "3/4",
                 {"1/2", "1/4", "1/2", "1/4"}, "14", "6"),
    LetterLabels("1 1/2 x 3/4 labels, letter-size paper", "1 1/2", "3/4",
                 {"1/2", "1/4", "1/2", "1/4"}, "14", "5"),
    LetterLabels("1 3/4 x 3/4 labels, letter-size paper", "1 3/4", "3/4",
                 {"3/4", "1/4", "3/4", "1/4"}, "14", "4"),
    LetterLabels("2 x 1 labels, letter-size paper", "2", "1", {"1/4", "1/2", "1/4", "1/2"}, "10",
                 "4"),
    LetterLabels("2 1/2 x 1 1/4 labels, letter-size paper", "2 1/2", "1 1/4",
                 {"1/2", "1/2", "1/2", "1/2"}, "8", "3"),
    LetterLabels("3 x 1 1/2 labels, letter-size paper", "3", "1 1/2",
                 {"1 1/4", "1/4", "1 1/4", "1/4"}, "7", "2"),
    // The common sheets, with the margins and gaps they are made with.
    Sheet("2 5/8 x 1 labels, 30 per letter-size page (3 x 10)", P,
          {"8 1/2", "11", "2 5/8", "1", "3/16", "1/2", "3/16", "1/2", "10", "3", "0", "1/8"}, N),
    Sheet("4 x 1 labels, 20 per letter-size page (2 x 10)", P,
          {"8 1/2", "11", "4", "1", "5/32", "1/2", "5/32", "1/2", "10", "2", "0", "3/16"}, N),
    Sheet("4 x 2 labels, 10 per letter-size page (2 x 5)", P,
          {"8 1/2", "11", "4", "2", "5/32", "1/2", "5/32", "1/2", "5", "2", "0", "3/16"}, N),
    Sheet("4 x 3 1/3 labels, 6 per letter-size page (2 x 3)", P,
          {"8 1/2", "11", "4", "3 1/3", "5/32", "1/2", "5/32", "1/2", "3", "2", "0", "3/16"}, N),
    LetterLabels("8 1/2 x 11 full-sheet labels, 1 per letter-size page (1 x 1)", "8 1/2", "11",
                 {"0", "0", "0", "0"}, "1", "1"),
    // 117 mm discs: 4.6063 inches, centred across, 1/2 inch from the top and bottom edges.
    Sheet("117 mm CD/DVD labels, 2 per letter-size page (1 x 2)", P,
          {"8 1/2", "11", "4.6063", "4.6063", "1.94685", "1/2", "1.94685", "1/2", "2", "1",
           "0.7874", "0"},
          N),
};

constexpr TemplateEntry kInchBrochures[] = {
    Sheet("Half-fold brochures, letter-size paper", P,
          {"8 1/2", "11", "8 1/2", "5 1/2", "", "", "", "", "2", "1", "", ""}, R),
    Sheet("Tri-fold brochures, letter-size paper", P,
          {"8 1/2", "11", "8 1/2", "3 2/3", "", "", "", "", "3", "1", "", ""}, R),
};

constexpr TemplateEntry kInchTentCards[] = {
    Sheet("Tent Cards 8 1/2 x 2 1/2", P,
          {"8 1/2", "11", "8 1/2", "2 1/2", "", "1/2", "", "1/2", "4", "1", "", ""}, R),
    Sheet("Tent Cards 11 x 3 1/2", L,
          {"11", "8 1/2", "11", "3 1/2", "", "3/4", "", "3/4", "2", "1", "", ""}, R),
};

template <std::size_t N>
std::span<const TemplateEntry> List(const TemplateEntry (&entries)[N]) {
  return entries;
}

// Lists of the millimetre and inch units by kind; kinds 6 to 9 have none.
std::span<const TemplateEntry> SheetList(bool inches, int32_t kind) {
  switch (kind) {
    case 1:
      return inches ? List(kInchIllustrations) : List(kMmIllustrations);
    case 2:
      return inches ? List(kInchPostcards) : List(kMmPostcards);
    case 3:
      return inches ? List(kInchGreetingCards) : List(kMmGreetingCards);
    case 4:
      return inches ? List(kInchBusinessCards) : List(kMmBusinessCards);
    case 5:
      return inches ? List(kInchLabels) : List(kMmLabels);
    case 10:
      return inches ? List(kInchBrochures) : List(kMmBrochures);
    case 11:
      return inches ? List(kInchTentCards) : List(kMmTentCards);
    default:
      return {};
  }
}

// An entry that sets nothing but the paper (and perhaps margins) is told by its paper size.
bool IsPaperOnly(const TemplateEntry& entry) {
  return entry.texts[kEntryItemWidth][0] == '\0' && entry.texts[kEntryRows][0] == '\0';
}

bool SameValue(const QString& typed, const char* entryText, int32_t units) {
  const auto a = ParseSizeText(typed, units);
  const auto b = ParseSizeText(QString::fromUtf8(entryText), units);
  return a && b && std::abs(*a - *b) < 1e-9;
}

bool SamePaper(const UnitBlock& block, const TemplateEntry& entry, int32_t units, bool swapped) {
  const char* width = entry.texts[swapped ? kEntryPaperHeight : kEntryPaperWidth];
  const char* height = entry.texts[swapped ? kEntryPaperWidth : kEntryPaperHeight];
  return SameValue(block.paperWidth, width, units) && SameValue(block.paperHeight, height, units);
}

// The block's fields in the order of an entry's texts.
constexpr std::array<QString UnitBlock::*, kEntryTextCount> kEntryFields = {
    &UnitBlock::paperWidth,  &UnitBlock::paperHeight,  &UnitBlock::itemWidth,
    &UnitBlock::itemHeight,  &UnitBlock::leftMargin,   &UnitBlock::topMargin,
    &UnitBlock::rightMargin, &UnitBlock::bottomMargin, &UnitBlock::rows,
    &UnitBlock::columns,     &UnitBlock::rowGap,       &UnitBlock::columnGap};

bool Matches(const UnitBlock& block, const TemplateEntry& entry, int32_t units) {
  if (IsPaperOnly(entry)) {
    return SamePaper(block, entry, units, false) ||
           (entry.orientation == EntryOrientation::KeepSwapInLandscape &&
            SamePaper(block, entry, units, true));
  }
  for (int i = 0; i < kEntryTextCount; ++i) {
    if (!SameValue(block.*kEntryFields[i], entry.texts[i], units)) return false;
  }
  return (block.rowFold != 0) == (entry.fold == EntryFold::Rows) &&
         (block.columnFold != 0) == (entry.fold == EntryFold::Columns);
}

// Writes an entry's texts and folds into a block, as for the given orientation.
void WriteEntry(UnitBlock& block, const TemplateEntry& entry, int32_t orientation) {
  for (int i = 0; i < kEntryTextCount; ++i)
    block.*kEntryFields[i] = entry.Text(EntryText(i));
  if (entry.orientation == EntryOrientation::KeepSwapInLandscape && orientation == kLandscape) {
    std::swap(block.paperWidth, block.paperHeight);
  }
  block.rowFold = entry.fold == EntryFold::Rows ? 1 : 0;
  block.columnFold = entry.fold == EntryFold::Columns ? 1 : 0;
}

bool IsStandardPaper(const TemplateEntry& entry, bool inches) {
  const QString width = entry.Text(kEntryPaperWidth);
  const QString height = entry.Text(kEntryPaperHeight);
  const QString shortSide = inches ? QStringLiteral("8 1/2") : QStringLiteral("210");
  const QString longSide = inches ? QStringLiteral("11") : QStringLiteral("297");
  return (width == shortSide && height == longSide) || (width == longSide && height == shortSide);
}

UnitBlock DefaultBlock(int32_t kind, int32_t units) {
  UnitBlock block;
  if (units == kUnitPixels) {
    block.paperWidth = QStringLiteral("800");
    block.paperHeight = QStringLiteral("600");
    return block;
  }
  const bool inches = units == kUnitInches;
  const std::span<const TemplateEntry> entries = SheetList(inches, kind);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (IsStandardPaper(entries[i], inches)) {
      WriteEntry(block, entries[i], kPortrait);
      block.quickSelectIndex = static_cast<int32_t>(i);
      return block;
    }
  }
  // Kinds without entries: the plain paper; the single-sheet kinds keep the usual margins.
  const TemplateEntry paper =
      kind == kKindDigitalImages
          ? Paper("", K, inches ? "11" : "297", inches ? "8 1/2" : "210", "")
          : Paper("", K, inches ? "8 1/2" : "210", inches ? "11" : "297", inches ? "1/4" : "7");
  WriteEntry(block, paper, kPortrait);
  return block;
}

}  // namespace

std::span<const TemplateEntry> Catalogue(int32_t units, int32_t kind) {
  if (!IsPageKind(kind)) return {};
  switch (units) {
    case kUnitPixels:
      return kPixels;
    case kUnitMillimetres:
      return SheetList(false, kind);
    case kUnitInches:
      return SheetList(true, kind);
    default:
      return {};
  }
}

int FindTemplate(int32_t units, int32_t kind, const QString& name) {
  const std::span<const TemplateEntry> entries = Catalogue(units, kind);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].Name() == name) return static_cast<int>(i);
  }
  return -1;
}

bool ChooseTemplate(pageset_t& set, int32_t kind, int index) {
  const std::span<const TemplateEntry> entries = Catalogue(set.units, kind);
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return false;
  const TemplateEntry& entry = entries[static_cast<std::size_t>(index)];
  if (entry.orientation == EntryOrientation::Portrait) set.orientation = kPortrait;
  if (entry.orientation == EntryOrientation::Landscape) set.orientation = kLandscape;
  UnitBlock& block = set.current();
  WriteEntry(block, entry, set.orientation);
  block.quickSelectIndex = index;
  return true;
}

int MatchTemplate(const pageset_t& set, int32_t kind) {
  const std::span<const TemplateEntry> entries = Catalogue(set.units, kind);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (Matches(set.current(), entries[i], set.units)) return static_cast<int>(i);
  }
  return -1;
}

pageset_t DefaultPageset(int32_t kind, int32_t units) {
  pageset_t set;
  const bool images = kind == kKindDigitalImages;
  set.units = images ? kUnitPixels : (IsPageUnit(units) ? units : kUnitInches);
  set.orientation = images ? kLandscape : kPortrait;
  for (int32_t u = 1; u <= 3; ++u)
    set.block(u) = DefaultBlock(kind, u);
  return set;
}

pagesetArr_t DefaultPagesets(int32_t units) {
  pagesetArr_t sets;
  for (int32_t kind = 1; kind <= kPageKindCount; ++kind)
    sets[kind - 1] = DefaultPageset(kind, units);
  return sets;
}

}  // namespace quillon
