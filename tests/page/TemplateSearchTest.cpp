// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/TemplateSearch.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "document/PageSetup.h"
#include "page/Catalogue.h"

namespace quillon {
namespace {

QStringList Found(int32_t units, int32_t kind, const char* text) {
  QStringList names;
  for (int index : SearchTemplates(units, kind, QString::fromUtf8(text)))
    names.append(Catalogue(units, kind)[static_cast<std::size_t>(index)].Name());
  return names;
}

TEST(TemplateSearch, FindsSheetsByNameOrTypedSize) {
  struct Case {
    int32_t units;
    int32_t kind;
    const char* text;
    QStringList names;
  };
  const QString a4x21 = QStringLiteral("63.5 x 38.1 labels, 21 per A4 page (3 x 7)");
  const QString letter30 = QStringLiteral("2 5/8 x 1 labels, 30 per letter-size page (3 x 10)");
  const QString fourByOne = QStringLiteral("4 x 1 labels, 20 per letter-size page (2 x 10)");
  const Case cases[] = {
      {kUnitMillimetres, 5, "63.5 x 38.1", {a4x21}},
      {kUnitMillimetres, 5, "63,5x38,1", {a4x21}},
      {kUnitMillimetres, 5, "38.1 X 63.5", {a4x21}},  // either way round
      {kUnitMillimetres, 5, "63.5 \u00D7 38.1 mm", {a4x21}},
      {kUnitMillimetres, 5, "3 x 7", {a4x21}},             // the layout in the name
      {kUnitMillimetres, 5, "2 1/2 x 1 1/2 in", {a4x21}},  // 63.5 x 38.1 mm
      {kUnitInches, 5, "2 5/8 x 1", {letter30}},
      {kUnitInches, 5, "2 5/8\" x 1\"", {letter30}},
      {kUnitInches, 5, "66.7 x 25.4", {letter30}},  // millimetres, within 0.3 mm
      // A number is not found inside a longer one or a fraction ("3/4 x 1/4", "(2 x 10)").
      {kUnitInches, 5, "4 x 1", {fourByOne}},
      {kUnitMillimetres,
       5,
       "10",
       {QStringLiteral("20 x 10 labels, A4 paper"),
        QStringLiteral("48.5 x 25.4 labels, 40 per A4 page (4 x 10)")}},
      {kUnitMillimetres,
       5,
       "cd/DVD",
       {QStringLiteral("117 mm CD/DVD labels, 2 per A4 page (1 x 2)")}},
      {kUnitMillimetres,
       4,
       "85 x 55",
       {QStringLiteral("85 x 55 business cards, 10 per A4 page (2 x 5)")}},
      {kUnitPixels, 9, "60 x 468", {QStringLiteral("Banner 468 x 60")}},
      {kUnitPixels, 9, "728x90", {QStringLiteral("Leaderboard 728 x 90")}},
      {kUnitMillimetres, 5, "zzz", {}},
      {kUnitMillimetres, 5, "63.5 x", {a4x21}},  // while the height is still to come
      {kUnitMillimetres, 6, "117", {}},          // no sheets in that list
      {kUnitMillimetres, 5, "0 x 0", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Found(c.units, c.kind, c.text), c.names) << c.text << " in " << c.units;
  }
}

TEST(TemplateSearch, BlankTextShowsTheWholeListAndSizesMatchEveryEntryOfThatSize) {
  for (const char* blank : {"", "   "}) {
    EXPECT_EQ(SearchTemplates(kUnitMillimetres, 5, QString::fromLatin1(blank)).size(),
              Catalogue(kUnitMillimetres, 5).size());
  }
  // Every 85 x 54 card sheet, named with "×", and every 3 1/2 x 2 card either way round.
  EXPECT_EQ(SearchTemplates(kUnitMillimetres, 4, QStringLiteral("85 x 54")),
            (std::vector<int>{6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(SearchTemplates(kUnitInches, 4, QStringLiteral("3.5 x 2")).size(),
            Catalogue(kUnitInches, 4).size());
  // Plain paper sizes are found by their paper.
  EXPECT_EQ(Found(kUnitInches, 1, "8.5 x 11"), QStringList{QStringLiteral("Letter 8 1/2 x 11")});
}

TEST(TemplateSearch, ReadsTypedSizesInTheListsUnitAndTheOther) {
  const auto sizes = ReadTypedSizes(QStringLiteral("2 x 1"), kUnitInches);
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_DOUBLE_EQ(sizes[0].width, 50.8);
  EXPECT_DOUBLE_EQ(sizes[1].width, 2);
  EXPECT_EQ(ReadTypedSizes(QStringLiteral("2 x 1 mm"), kUnitInches).size(), 1u);
  EXPECT_EQ(ReadTypedSizes(QStringLiteral("2 1/2 x 1"), kUnitMillimetres).size(), 1u);
  EXPECT_TRUE(ReadTypedSizes(QStringLiteral("2 x 1 mm"), kUnitPixels).empty());
  EXPECT_TRUE(ReadTypedSizes(QStringLiteral("labels"), kUnitMillimetres).empty());
  EXPECT_TRUE(ReadTypedSizes(QStringLiteral("-2 x 1"), kUnitMillimetres).empty());
}

}  // namespace
}  // namespace quillon
