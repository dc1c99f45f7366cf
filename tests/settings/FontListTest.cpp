// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FontList.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <algorithm>

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

}  // namespace
}  // namespace quillon
