// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FontList.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <algorithm>
#include <vector>

namespace quillon {
namespace {

TEST(FontList, ScalableFamiliesWithTheirCharacterSets) {
  TParams params;
  params.fonts.push_back({QStringLiteral("stale"), 0, 0});
  EnumerateFonts(params);
  ASSERT_FALSE(params.fonts.empty());
  for (const FontEntry& font : params.fonts) {
    EXPECT_LE(font.name.size(), 32) << font.name.toStdString();
    EXPECT_EQ(font.name, font.name.trimmed());
    EXPECT_NE(font.name, QStringLiteral("stale"));
  }
  // Liberation Sans (installed with the program) stands in for Arial: Latin with the Central
  // European, Turkish and Baltic letters, Greek and Cyrillic.
  const auto sans = std::find_if(params.fonts.begin(), params.fonts.end(), [](const FontEntry& f) {
    return f.name == QStringLiteral("Liberation Sans");
  });
  ASSERT_NE(sans, params.fonts.end());
  for (int bit : {0, 1, 2, 3, 4, 7})
    EXPECT_TRUE(sans->signature & (1u << bit)) << bit;
  EXPECT_FALSE(sans->signature & (1u << 17));
  EXPECT_EQ(sans->charset, 0);
}

TEST(FontList, NamesAreTrimmedAndCutToThirtyTwoCharacters) {
  EXPECT_EQ(FontListName(QStringLiteral("  Short  ")), QStringLiteral("Short"));
  const QString longName = QString(40, u'x');
  EXPECT_EQ(FontListName(longName), QString(32, u'x'));
  // A character outside the basic plane is never cut in half.
  const QString pair = QString(31, u'a') + QString::fromUtf16(u"\U0001F600") + QStringLiteral("b");
  EXPECT_EQ(FontListName(pair), QString(31, u'a'));
}

TEST(FontList, FoundriesOfOneFamilyAreListedOnceUnlessTheyDiffer) {
  struct Case {
    const char* name;
    std::vector<FontEntry> families;
    std::vector<QString> listed;
  };
  const auto f = [](const char* name, uint32_t signature) {
    return FontEntry{QString::fromUtf8(name), signature, 0};
  };
  const Case cases[] = {
      {"two foundries alike",
       {f("Nimbus Sans [urw]", 1), f("Nimbus Sans [UKWN]", 1), f("Arial", 1)},
       {QStringLiteral("Nimbus Sans"), QStringLiteral("Arial")}},
      {"foundries that differ keep their tags",
       {f("Mono [a]", 1), f("Mono [b]", 5), f("Serif", 1)},
       {QStringLiteral("Mono [a]"), QStringLiteral("Mono [b]"), QStringLiteral("Serif")}},
      {"a tagged and an untagged name of one family",
       {f("Sans", 1), f("Sans [x]", 1)},
       {QStringLiteral("Sans")}},
      {"brackets that are part of a name",
       {f("[Odd]", 1), f("Name [", 1)},
       {QStringLiteral("[Odd]"), QStringLiteral("Name [")}},
      {"names alike once cut to 32 characters",
       {f("Extraordinarily Long Family Name One", 1), f("Extraordinarily Long Family Name Two", 1)},
       {QStringLiteral("Extraordinarily Long Family Name")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<QString> names;
    for (const FontEntry& entry : MergeFoundries(c.families))
      names.push_back(entry.name);
    EXPECT_EQ(names, c.listed);
  }
}

TEST(FontList, TheInstalledFontsAreListedOnceWithoutFoundryTags) {
  TParams params;
  EnumerateFonts(params);
  std::vector<QString> names;
  for (const FontEntry& font : params.fonts)
    names.push_back(font.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
  // A tag is left only where two foundries' families differ; then there are two of them.
  for (const QString& name : names) {
    if (!name.endsWith(u']')) continue;
    const QString plain = name.left(name.lastIndexOf(u'[')).trimmed();
    EXPECT_GE(std::count_if(names.begin(), names.end(),
                            [&](const QString& n) { return n.startsWith(plain + u' '); }),
              2)
        << name.toStdString();
  }
}

}  // namespace
}  // namespace quillon
