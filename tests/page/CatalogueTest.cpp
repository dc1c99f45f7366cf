// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/Catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "page/ApplyPageset.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

constexpr int32_t P = kPortrait;
constexpr int32_t L = kLandscape;
enum Fold { kNone, kRows, kColumns };

// An entry as the catalogue lists it: paper, item, margins (left, top, right, bottom), rows,
// columns, row gap, column gap.
struct Listed {
  int32_t units;
  int32_t kind;
  int index;
  const char* name;
  int32_t orientation;
  std::array<const char*, 12> texts;
  Fold fold;
};

// clang-format off
#define A4 "210", "297"
#define A4L "297", "210"
#define ZERO4 "0", "0", "0", "0"
#define LETTER "8 1/2", "11"
#define LETTERL "11", "8 1/2"
#define NONE4 "", "", "", ""

const Listed kListed[] = {
    {2, 2, 0, "A5 postcards, 2 per A4 page", P, {A4, "210", "148", ZERO4, "2", "1", "0", "0"}, kNone},
    {2, 2, 1, "A6 postcards, 4 per A4 page", P, {A4, "105", "148", ZERO4, "2", "2", "0", "0"}, kNone},
    {2, 2, 2, "210 x 99 postcards, 3 per A4 page", P, {A4, "210", "99", ZERO4, "3", "1", "0", "0"}, kNone},
    {2, 3, 0, "A6 greeting cards, 2 per A4 page, vertical", P, {A4, "105", "148", ZERO4, "2", "2", "0", "0"}, kColumns},
    {2, 3, 1, "A6 greeting cards, 2 per A4 page, horizontal", L, {A4L, "148", "105", ZERO4, "2", "2", "0", "0"}, kRows},
    {2, 3, 2, "A6 greeting cards, 2 per A4 page, vertical", P, {A4, "105", "148", ZERO4, "2", "2", "0", "0"}, kRows},
    {2, 3, 3, "A6 greeting cards, 2 per A4 page, horizontal", L, {A4L, "148", "105", ZERO4, "2", "2", "0", "0"}, kColumns},
    {2, 4, 0, "A8 business cards, 8 per page", P, {A4, "74", "52", "26", "25", "0", "0", "4", "2", "10", "10"}, kNone},
    {2, 4, 1, "A8 business cards, 10 per page", P, {A4, "74", "52", "31", "18", "0", "0", "5", "2", "0", "0"}, kNone},
    {2, 4, 2, "A8 fold business cards, 5 per page", P, {A4, "74", "52", "31", "18", "0", "0", "5", "2", "0", "0"}, kColumns},
    {2, 4, 3, "A8 vertical cards, 8 per page", L, {A4L, "52", "74", "25", "26", "0", "0", "2", "4", "10", "10"}, kNone},
    {2, 4, 4, "A8 vertical cards, 10 per page", L, {A4L, "52", "74", "18", "31", "0", "0", "2", "5", "0", "0"}, kNone},
    {2, 4, 5, "A8 fold vertical cards, 5 per page", L, {A4L, "52", "74", "18", "31", "0", "0", "2", "5", "0", "0"}, kRows},
    {2, 4, 6, "85 \u00D7 54 business cards, 8 per page", P, {A4, "85", "54", "15", "25", "0", "0", "4", "2", "10", "10"}, kNone},
    {2, 4, 7, "85 \u00D7 54 business cards, 10 per page", P, {A4, "85", "54", "20", "14", "0", "0", "5", "2", "0", "0"}, kNone},
    {2, 4, 8, "85 \u00D7 54 fold business cards, 5 per page", P, {A4, "85", "54", "20", "14", "0", "0", "5", "2", "0", "0"}, kColumns},
    {2, 4, 9, "85 \u00D7 54 vertical cards, 8 per page", L, {A4L, "54", "85", "25", "15", "0", "0", "2", "4", "10", "10"}, kNone},
    {2, 4, 10, "85 \u00D7 54 vertical cards, 10 per page", L, {A4L, "54", "85", "14", "20", "0", "0", "2", "5", "0", "0"}, kNone},
    {2, 4, 11, "85 \u00D7 54 fold vertical cards, 5 per page", L, {A4L, "54", "85", "14", "20", "0", "0", "2", "5", "0", "0"}, kRows},
    {2, 5, 0, "20 x 10 labels, A4 paper", P, {A4, "20", "10", "5", "9", "5", "9", "28", "10", "0", "0"}, kNone},
    {2, 5, 1, "37 x 18 labels, A4 paper", P, {A4, "37", "18", "13", "5", "13", "5", "16", "5", "0", "0"}, kNone},
    {2, 5, 2, "40 x 20 labels, A4 paper", P, {A4, "40", "20", "5", "9", "5", "9", "14", "5", "0", "0"}, kNone},
    {2, 5, 3, "50 x 30 labels, A4 paper", P, {A4, "50", "30", "5", "14", "5", "14", "9", "4", "0", "0"}, kNone},
    {2, 5, 4, "60 x 40 labels, A4 paper", P, {A4, "60", "40", "15", "9", "15", "9", "7", "3", "0", "0"}, kNone},
    {2, 5, 5, "80 x 50 labels, A4 paper", P, {A4, "80", "50", "25", "24", "25", "24", "5", "2", "0", "0"}, kNone},
    {2, 5, 6, "100 x 60 labels, A4 paper", P, {A4, "100", "60", "5", "29", "5", "29", "4", "2", "0", "0"}, kNone},
    {2, 5, 7, "100 x 70 labels, A4 paper", P, {A4, "100", "70", "5", "9", "5", "9", "4", "2", "0", "0"}, kNone},
    {2, 5, 8, "100 x 80 labels, A4 paper", P, {A4, "100", "80", "5", "29", "5", "29", "3", "2", "0", "0"}, kNone},
    {2, 5, 9, "100 x 90 labels, A4 paper", P, {A4, "100", "90", "5", "14", "5", "14", "3", "2", "0", "0"}, kNone},
    {2, 10, 0, "Half-fold brochures, A4 paper", P, {A4, "210", "148", ZERO4, "3", "1", "0", "0"}, kRows},
    {2, 10, 1, "Tri-fold brochures, A4 paper", P, {A4, "210", "99", ZERO4, "3", "1", "0", "0"}, kRows},
    {2, 11, 0, "Tent Cards, 2 per A4 page", P, {A4, "190", "69", "10", "10", "10", "10", "4", "1", "0", "0"}, kRows},
    {2, 11, 1, "Tent Cards, 3 per A4 page", P, {A4, "190", "46", "10", "10", "10", "10", "6", "1", "0", "0"}, kRows},
    {3, 2, 0, "4 x 6 postcards, 2 per page", P, {LETTER, "6", "4", "1 1/4", "1", "1 1/4", "1", "2", "1", "1", ""}, kNone},
    {3, 2, 1, "5 1/2 x 4 1/4 postcards, 4 per page", L, {LETTERL, "5 1/2", "4 1/4", NONE4, "2", "2", "", ""}, kNone},
    {3, 3, 0, "4 1/4 x 5 1/2 greeting cards, 2 per page, vertical", P, {LETTER, "4 1/4", "5 1/2", NONE4, "2", "2", "", ""}, kColumns},
    {3, 3, 1, "5 1/2 x 4 1/4 greeting cards, 2 per page, horizontal", L, {LETTERL, "5 1/2", "4 1/4", NONE4, "2", "2", "", ""}, kRows},
    {3, 3, 2, "4 1/4 x 5 1/2 greeting cards, 2 per page, vertical", P, {LETTER, "4 1/4", "5 1/2", NONE4, "2", "2", "", ""}, kRows},
    {3, 3, 3, "5 1/2 x 4 1/4 greeting cards, 2 per page, horizontal", L, {LETTERL, "5 1/2", "4 1/4", NONE4, "2", "2", "", ""}, kColumns},
    {3, 4, 0, "Business Cards, 8 per page", P, {LETTER, "3 1/2", "2", "1/2", "3/4", "1/2", "3/4", "4", "2", "1/2", "1/2"}, kNone},
    {3, 4, 1, "Business Cards, 10 per page", P, {LETTER, "3 1/2", "2", "3/4", "1/2", "3/4", "3/4", "5", "2", "", ""}, kNone},
    {3, 4, 2, "Business Cards, 12 per page", L, {LETTERL, "3 1/2", "2", "1/4", "1/4", "1/4", "1/4", "4", "3", "", ""}, kNone},
    {3, 4, 3, "Vertical business cards, 8 per page", L, {LETTERL, "2", "3 1/2", "3/4", "1/2", "3/4", "1/2", "2", "4", "1/2", "1/2"}, kNone},
    {3, 4, 4, "Vertical business cards, 10 per page", L, {LETTERL, "2", "3 1/2", "1/2", "3/4", "3/4", "3/4", "2", "5", "", ""}, kNone},
    {3, 4, 5, "Vertical business cards, 12 per page", P, {LETTER, "2", "3 1/2", "1/4", "1/4", "1/4", "1/4", "3", "4", "", ""}, kNone},
    {3, 4, 6, "Fold business cards, 5 per page", P, {LETTER, "3 1/2", "2", "3/4", "1/2", "3/4", "3/4", "5", "2", "", ""}, kColumns},
    {3, 4, 7, "Fold vertical business cards, 5 per page", L, {LETTERL, "2", "3 1/2", "1/2", "3/4", "3/4", "3/4", "2", "5", "", ""}, kRows},
    {3, 5, 0, "1/2 x 1/4 labels, letter-size paper", P, {LETTER, "1/2", "1/4", "1/4", "1/4", "1/4", "1/4", "42", "16", "", ""}, kNone},
    {3, 5, 1, "3/4 x 1/4 labels, letter-size paper", P, {LETTER, "3/4", "1/4", "1/2", "1/4", "1/2", "1/4", "42", "10", "", ""}, kNone},
    {3, 5, 2, "1 x 1/2 labels, letter-size paper", P, {LETTER, "1", "1/2", "1/4", "1/4", "1/4", "1/4", "21", "8", "", ""}, kNone},
    {3, 5, 3, "1 1/4 x 3/4 labels, letter-size paper", P, {LETTER, "1 1/4", "3/4", "1/2", "1/4", "1/2", "1/4", "14", "6", "", ""}, kNone},
    {3, 5, 4, "1 1/2 x 3/4 labels, letter-size paper", P, {LETTER, "1 1/2", "3/4", "1/2", "1/4", "1/2", "1/4", "14", "5", "", ""}, kNone},
    {3, 5, 5, "1 3/4 x 3/4 labels, letter-size paper", P, {LETTER, "1 3/4", "3/4", "3/4", "1/4", "3/4", "1/4", "14", "4", "", ""}, kNone},
    {3, 5, 6, "2 x 1 labels, letter-size paper", P, {LETTER, "2", "1", "1/4", "1/2", "1/4", "1/2", "10", "4", "", ""}, kNone},
    {3, 5, 7, "2 1/2 x 1 1/4 labels, letter-size paper", P, {LETTER, "2 1/2", "1 1/4", "1/2", "1/2", "1/2", "1/2", "8", "3", "", ""}, kNone},
    {3, 5, 8, "3 x 1 1/2 labels, letter-size paper", P, {LETTER, "3", "1 1/2", "1 1/4", "1/4", "1 1/4", "1/4", "7", "2", "", ""}, kNone},
    {3, 10, 0, "Half-fold brochures, letter-size paper", P, {LETTER, "8 1/2", "5 1/2", NONE4, "2", "1", "", ""}, kRows},
    {3, 10, 1, "Tri-fold brochures, letter-size paper", P, {LETTER, "8 1/2", "3 2/3", NONE4, "3", "1", "", ""}, kRows},
    {3, 11, 0, "Tent Cards 8 1/2 x 2 1/2", P, {LETTER, "8 1/2", "2 1/2", "", "1/2", "", "1/2", "4", "1", "", ""}, kRows},
    {3, 11, 1, "Tent Cards 11 x 3 1/2", L, {LETTERL, "11", "3 1/2", "", "3/4", "", "3/4", "2", "1", "", ""}, kRows},
};

// The sheets users most often buy, added after the lists above: paper, label or card, margins
// (left, top, right, bottom), rows, columns, row gap, column gap as the sheets are made.
const Listed kCommonSheets[] = {
    {2, 4, 12, "85 x 55 business cards, 10 per A4 page (2 x 5)", P, {A4, "85", "55", "20", "11", "20", "11", "5", "2", "0", "0"}, kNone},
    {2, 5, 10, "63.5 x 38.1 labels, 21 per A4 page (3 x 7)", P, {A4, "63.5", "38.1", "7.25", "15.15", "7.25", "15.15", "7", "3", "0", "2.5"}, kNone},
    {2, 5, 11, "70 x 37 labels, 24 per A4 page (3 x 8)", P, {A4, "70", "37", "0", "0.5", "0", "0.5", "8", "3", "0", "0"}, kNone},
    {2, 5, 12, "99.1 x 38.1 labels, 14 per A4 page (2 x 7)", P, {A4, "99.1", "38.1", "4.65", "15.15", "4.65", "15.15", "7", "2", "0", "2.5"}, kNone},
    {2, 5, 13, "48.5 x 25.4 labels, 40 per A4 page (4 x 10)", P, {A4, "48.5", "25.4", "8", "21.5", "8", "21.5", "10", "4", "0", "0"}, kNone},
    {2, 5, 14, "99.1 x 67.7 labels, 8 per A4 page (2 x 4)", P, {A4, "99.1", "67.7", "4.65", "13.1", "4.65", "13.1", "4", "2", "0", "2.5"}, kNone},
    {2, 5, 15, "210 x 297 full-sheet labels, 1 per A4 page (1 x 1)", P, {A4, "210", "297", ZERO4, "1", "1", "0", "0"}, kNone},
    {2, 5, 16, "117 mm CD/DVD labels, 2 per A4 page (1 x 2)", P, {A4, "117", "117", "46.5", "21.5", "46.5", "21.5", "2", "1", "20", "0"}, kNone},
    {3, 4, 8, "3 1/2 x 2 business cards, 10 per letter-size page (2 x 5)", P, {LETTER, "3 1/2", "2", "3/4", "1/2", "3/4", "1/2", "5", "2", "0", "0"}, kNone},
    {3, 5, 9, "2 5/8 x 1 labels, 30 per letter-size page (3 x 10)", P, {LETTER, "2 5/8", "1", "3/16", "1/2", "3/16", "1/2", "10", "3", "0", "1/8"}, kNone},
    {3, 5, 10, "4 x 1 labels, 20 per letter-size page (2 x 10)", P, {LETTER, "4", "1", "5/32", "1/2", "5/32", "1/2", "10", "2", "0", "3/16"}, kNone},
    {3, 5, 11, "4 x 2 labels, 10 per letter-size page (2 x 5)", P, {LETTER, "4", "2", "5/32", "1/2", "5/32", "1/2", "5", "2", "0", "3/16"}, kNone},
    {3, 5, 12, "4 x 3 1/3 labels, 6 per letter-size page (2 x 3)", P, {LETTER, "4", "3 1/3", "5/32", "1/2", "5/32", "1/2", "3", "2", "0", "3/16"}, kNone},
    {3, 5, 13, "8 1/2 x 11 full-sheet labels, 1 per letter-size page (1 x 1)", P, {LETTER, "8 1/2", "11", ZERO4, "1", "1", "", ""}, kNone},
    {3, 5, 14, "117 mm CD/DVD labels, 2 per letter-size page (1 x 2)", P, {LETTER, "4.6063", "4.6063", "1.94685", "1/2", "1.94685", "1/2", "2", "1", "0.7874", "0"}, kNone},
};
// clang-format on

// The values of the texts above, worked out by hand.
double ValueOf(const std::string& text) {
  static const std::map<std::string, double> kFractions = {
      {"", 0},          {"1/4", 0.25},         {"1/2", 0.5},     {"3/4", 0.75},
      {"1 1/4", 1.25},  {"1 1/2", 1.5},        {"1 3/4", 1.75},  {"2 1/2", 2.5},
      {"3 1/2", 3.5},   {"3 2/3", 11.0 / 3.0}, {"4 1/4", 4.25},  {"5 1/2", 5.5},
      {"8 1/2", 8.5},   {"1/8", 0.125},        {"3/16", 0.1875}, {"5/32", 0.15625},
      {"2 5/8", 2.625}, {"3 1/3", 10.0 / 3.0}};
  const auto found = kFractions.find(text);
  return found != kFractions.end() ? found->second : std::stod(text);
}

// Every listed entry, chosen and applied to a millimetre document, lands in the page setup
// record with its values, its fourteen texts and the design area of one (folded) card.
TEST(Catalogue, EveryListedEntryAppliedToADocument) {
  std::vector<Listed> entries(std::begin(kListed), std::end(kListed));
  entries.insert(entries.end(), std::begin(kCommonSheets), std::end(kCommonSheets));
  for (const Listed& e : entries) {
    SCOPED_TRACE(e.name);
    ItemList list;
    ItemRecord& page = test::AddPage(list);
    pageset_t set = DefaultPageset(e.kind, e.units);
    ASSERT_EQ(Catalogue(e.units, e.kind)[e.index].Name(), QString::fromUtf8(e.name));
    ASSERT_TRUE(ChooseTemplate(set, e.kind, e.index));
    const UnitGridDistances grids = {{{25, 25}, {10, 10}, {0.25, 0.5}}};
    ASSERT_TRUE(ApplyPagesetToRecord(list, set, e.kind, grids));

    EXPECT_EQ(page.orientation(), e.orientation);
    EXPECT_EQ(page.pageKind(), e.kind);
    EXPECT_EQ(page.quickSelectIndex(), e.index);
    EXPECT_EQ(page.pageUnits(), e.units);
    const double fields[] = {page.pageWidth(),   page.pageHeight(),  page.cardWidth(),
                             page.cardHeight(),  page.marginLeft(),  page.marginTop(),
                             page.marginRight(), page.marginBottom()};
    for (int i = 0; i < 8; ++i)
      EXPECT_DOUBLE_EQ(fields[i], ValueOf(e.texts[i])) << "field " << i;
    EXPECT_EQ(page.rows(), std::stoi(e.texts[8]));
    EXPECT_EQ(page.columns(), std::stoi(e.texts[9]));
    EXPECT_DOUBLE_EQ(page.gapVertical(), ValueOf(e.texts[10]));
    EXPECT_DOUBLE_EQ(page.gapHorizontal(), ValueOf(e.texts[11]));
    EXPECT_EQ(page.rowFold(), e.fold == kRows ? 1 : 0);
    EXPECT_EQ(page.columnFold(), e.fold == kColumns ? 1 : 0);
    EXPECT_EQ(page.modified(), 1);

    ASSERT_EQ(LineCount(page), 15);  // fourteen texts, each followed by a separator
    for (int i = 0; i < 12; ++i) {
      EXPECT_EQ(QString::fromStdU16String(LineText(page, i + 1)), QString::fromUtf8(e.texts[i]));
    }
    EXPECT_TRUE(LineText(page, 13).empty() && LineText(page, 14).empty());

    const bool sheetOfCards = e.kind != kKindBrochures;
    const double width = sheetOfCards ? ValueOf(e.texts[2]) : ValueOf(e.texts[0]);
    const double height = sheetOfCards ? ValueOf(e.texts[3]) : ValueOf(e.texts[1]);
    EXPECT_DOUBLE_EQ(page.designWidth(), (sheetOfCards && e.fold == kColumns ? 2 : 1) * width);
    EXPECT_DOUBLE_EQ(page.designHeight(), (sheetOfCards && e.fold == kRows ? 2 : 1) * height);
    EXPECT_DOUBLE_EQ(page.gridDistanceX(), grids[e.units - 1].x);
    EXPECT_DOUBLE_EQ(page.gridDistanceY(), grids[e.units - 1].y);
  }
}

TEST(Catalogue, ListsByUnitAndKind) {
  const int mm[12] = {0, 20, 3, 4, 13, 17, 0, 0, 0, 0, 2, 2};
  const int inches[12] = {0, 8, 2, 4, 9, 15, 0, 0, 0, 0, 2, 2};
  for (int32_t kind = 1; kind <= 11; ++kind) {
    EXPECT_EQ(Catalogue(kUnitPixels, kind).size(), 14u) << kind;
    EXPECT_EQ(Catalogue(kUnitMillimetres, kind).size(), std::size_t(mm[kind])) << kind;
    EXPECT_EQ(Catalogue(kUnitInches, kind).size(), std::size_t(inches[kind])) << kind;
  }
  EXPECT_TRUE(Catalogue(0, 1).empty());
  EXPECT_TRUE(Catalogue(kUnitInches, 12).empty());
  EXPECT_TRUE(Catalogue(kUnitPixels, 0).empty());
  EXPECT_EQ(FindTemplate(kUnitMillimetres, 4, QStringLiteral("A8 business cards, 10 per page")), 1);
  EXPECT_EQ(FindTemplate(kUnitMillimetres, 4, QStringLiteral("A8 business cards")), -1);
  EXPECT_EQ(FindTemplate(kUnitInches, 3,
                         QStringLiteral("5 1/2 x 4 1/4 greeting cards, 2 per page, horizontal")),
            1);
}

// Each common sheet adds up: margins, labels and the gaps between them fill the paper exactly,
// across and down, and no two labels overlap.
TEST(Catalogue, CommonSheetsFillTheirPaperExactly) {
  for (const Listed& e : kCommonSheets) {
    SCOPED_TRACE(e.name);
    const auto v = [&](int i) { return ValueOf(e.texts[i]); };
    const int rows = std::stoi(e.texts[8]);
    const int columns = std::stoi(e.texts[9]);
    EXPECT_NEAR(v(4) + columns * v(2) + (columns - 1) * v(11) + v(6), v(0), 1e-9);
    EXPECT_NEAR(v(5) + rows * v(3) + (rows - 1) * v(10) + v(7), v(1), 1e-9);
    EXPECT_EQ(v(4), v(6));  // centred across
    for (int i = 4; i < 12; ++i)
      EXPECT_GE(v(i), 0) << i;
    // Named by the layout across x down and by the item's size, never by a maker.
    const std::string layout = "(" + std::string(e.texts[9]) + " x " + e.texts[8] + ")";
    EXPECT_NE(std::string(e.name).find(layout), std::string::npos);
  }
  // 117 mm discs in inches.
  EXPECT_NEAR(ValueOf("4.6063") * 25.4, 117, 0.001);
}

// Plain paper sizes set the paper and margins and keep whatever orientation is set.
TEST(Catalogue, PaperSizesKeepTheOrientation) {
  struct Case {
    int32_t units;
    int index;
    const char* name;
    const char* width;
    const char* height;
    const char* margin;
  };
  const Case cases[] = {
      {2, 0, "A0 - drawings, posters", "841", "1189", "7"},
      {2, 4, "A4 - letters, magazines, forms, catalogs", "210", "297", "7"},
      {2, 11, "C6/C5 - envelopes for A4 letters folded twice", "114", "229", "7"},
      {2, 12, "DL - envelopes for A4 letters folded twice", "110", "220", "7"},
      {2, 17, "B8 - playing cards", "62", "88", "7"},
      {2, 19, "Photo - 130 x 180", "130", "180", ""},
      {3, 0, "Letter 8 1/2 x 11", "8 1/2", "11", "1/4"},
      {3, 5, "Envelope Monarch 3 7/8 x 7 1/2", "3 7/8", "7 1/2", "1/4"},
      {3, 7, "Photo 5 x 7", "5", "7", ""},
  };
  for (const Case& c : cases) {
    for (int32_t orientation : {kPortrait, kLandscape}) {
      pageset_t set = DefaultPageset(1, c.units);
      set.orientation = orientation;
      set.current().rows = QStringLiteral("9");
      ASSERT_TRUE(ChooseTemplate(set, 1, c.index));
      const UnitBlock& b = set.current();
      EXPECT_EQ(Catalogue(c.units, 1)[c.index].Name(), QString::fromUtf8(c.name));
      EXPECT_EQ(set.orientation, orientation);
      EXPECT_EQ(b.paperWidth, QString::fromUtf8(c.width)) << c.name;
      EXPECT_EQ(b.paperHeight, QString::fromUtf8(c.height)) << c.name;
      for (const QString* m : {&b.leftMargin, &b.topMargin, &b.rightMargin, &b.bottomMargin}) {
        EXPECT_EQ(*m, QString::fromUtf8(c.margin)) << c.name;
      }
      EXPECT_TRUE(b.rows.isEmpty());
      EXPECT_EQ(b.quickSelectIndex, c.index);
    }
  }
}

TEST(Catalogue, PixelEntriesSetTheImageSizeAndTheirOrientation) {
  struct Case {
    const char* name;
    int width;
    int height;
    int32_t orientation;  // 0 = keeps the current one, swapping in landscape
  };
  const Case cases[] = {
      {"Small Photo", 250, 350, 0},
      {"Medium Photo", 350, 500, 0},
      {"Large Photo", 500, 700, 0},
      {"Leaderboard", 728, 90, L},
      {"Banner", 468, 60, L},
      {"Half Banner", 234, 60, L},
      {"Skyscraper", 120, 600, P},
      {"Wide Skyscraper", 160, 600, P},
      {"Vertical Banner", 120, 240, P},
      {"Button", 125, 125, 0},
      {"Medium Rectangle", 300, 250, L},
      {"Square", 250, 250, 0},
      {"Large Rectangle", 336, 280, L},
      {"Small Rectangle", 180, 150, L},
  };
  for (int kind : {1, 9, 11}) {
    const auto entries = Catalogue(kUnitPixels, kind);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      const Case& c = cases[i];
      EXPECT_EQ(
          entries[i].Name(),
          QStringLiteral("%1 %2 x %3").arg(QString::fromUtf8(c.name)).arg(c.width).arg(c.height));
      for (int32_t before : {kPortrait, kLandscape}) {
        pageset_t set = DefaultPageset(kind, kUnitPixels);
        set.units = kUnitPixels;
        set.orientation = before;
        set.current().leftMargin = QStringLiteral("3");
        ASSERT_TRUE(ChooseTemplate(set, kind, int(i)));
        const int32_t after = c.orientation != 0 ? c.orientation : before;
        const bool swapped = c.orientation == 0 && before == kLandscape;
        EXPECT_EQ(set.orientation, after) << c.name;
        EXPECT_EQ(set.current().paperWidth, QString::number(swapped ? c.height : c.width));
        EXPECT_EQ(set.current().paperHeight, QString::number(swapped ? c.width : c.height));
        EXPECT_TRUE(set.current().leftMargin.isEmpty());
      }
    }
  }
  pageset_t set = DefaultPageset(9, kUnitPixels);
  EXPECT_FALSE(ChooseTemplate(set, 9, 14));
  EXPECT_FALSE(ChooseTemplate(set, 9, -1));
}

TEST(Catalogue, MatchingFindsTheEntryTheTextsDescribe) {
  pageset_t letter = DefaultPageset(1, kUnitInches);
  letter.current().paperWidth = QStringLiteral("8.5");
  letter.current().paperHeight = QStringLiteral("11\"");
  letter.current().leftMargin.clear();
  EXPECT_EQ(MatchTemplate(letter, 1), 0);
  letter.current().paperHeight = QStringLiteral("14");
  EXPECT_EQ(MatchTemplate(letter, 1), 1);
  letter.current().paperHeight = QStringLiteral("12");
  EXPECT_EQ(MatchTemplate(letter, 1), -1);

  // Photos match in either orientation; banners only as listed.
  pageset_t image = DefaultPageset(9, kUnitPixels);
  image.current().paperWidth = QStringLiteral("350");
  image.current().paperHeight = QStringLiteral("250");
  EXPECT_EQ(MatchTemplate(image, 9), 0);
  image.current().paperWidth = QStringLiteral("90");
  image.current().paperHeight = QStringLiteral("728");
  EXPECT_EQ(MatchTemplate(image, 9), -1);

  // A card layout matches only with all its values: the fold tells the two pairs apart.
  pageset_t cards = DefaultPageset(3, kUnitMillimetres);
  ASSERT_TRUE(ChooseTemplate(cards, 3, 2));
  EXPECT_EQ(MatchTemplate(cards, 3), 2);
  cards.current().rowFold = 0;
  cards.current().columnFold = 1;
  EXPECT_EQ(MatchTemplate(cards, 3), 0);
  cards.current().rowGap = QStringLiteral("1");
  EXPECT_EQ(MatchTemplate(cards, 3), -1);
}

TEST(Catalogue, NewFilesStartFromSensiblePageDescriptions) {
  const pagesetArr_t sets = DefaultPagesets(kUnitMillimetres);
  for (int32_t kind = 1; kind <= 11; ++kind) {
    const pageset_t& set = sets[kind - 1];
    SCOPED_TRACE(kind);
    EXPECT_EQ(set.units, kind == 9 ? kUnitPixels : kUnitMillimetres);
    EXPECT_EQ(set.block(kUnitPixels).paperWidth, QStringLiteral("800"));
    EXPECT_EQ(set.block(kUnitPixels).paperHeight, QStringLiteral("600"));
    EXPECT_EQ(set.block(kUnitPixels).quickSelectIndex, -1);
    for (int32_t units : {kUnitMillimetres, kUnitInches}) {
      const UnitBlock& b = set.block(units);
      const int expected =
          kind == 1 && units == kUnitMillimetres ? 4 : (kind >= 6 && kind <= 9 ? -1 : 0);
      EXPECT_EQ(b.quickSelectIndex, expected) << units;
      const QString paper = b.paperWidth + QStringLiteral(" x ") + b.paperHeight;
      const bool a4 = units == kUnitMillimetres;
      EXPECT_EQ(paper, kind == 9
                           ? (a4 ? QStringLiteral("297 x 210") : QStringLiteral("11 x 8 1/2"))
                           : (a4 ? QStringLiteral("210 x 297") : QStringLiteral("8 1/2 x 11")));
    }
  }
  EXPECT_EQ(sets[0].block(kUnitInches).leftMargin, QStringLiteral("1/4"));
  EXPECT_EQ(sets[6].block(kUnitMillimetres).leftMargin, QStringLiteral("7"));
  EXPECT_EQ(sets[8].orientation, kLandscape);
  EXPECT_EQ(sets[3].block(kUnitMillimetres).itemWidth, QStringLiteral("74"));
}

}  // namespace
}  // namespace quillon
