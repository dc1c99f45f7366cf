// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quillon {
namespace {

TEST(NumberText, MeasuresAreDecimalsOrQuotients) {
  struct Case {
    const char16_t* text;
    std::optional<double> expected;
  };
  const Case cases[] = {
      {u"1/2", 0.5},
      {u" 3\" ", 3.0},
      {u"0,35", 0.35},
      {u"1,5/3", 0.5},
      {u" 3 / 4 ", 0.75},
      {u"0/7", 0.0},
      {u"7/0", 0.0},
      {u"-2", -2.0},
      {u"1/2/3", std::nullopt},
      {u"", std::nullopt},
      {u"a/2", std::nullopt},
      {u"2/b", std::nullopt},
      {u"1 1/2", std::nullopt},
      {u"3\"\"", std::nullopt},
      {u"1e300/1e-300", std::nullopt},
      {u"inf", std::nullopt},
  };
  for (const Case& c : cases) {
    const QString text = QString::fromUtf16(c.text);
    const auto value = ParseMeasure(text);
    ASSERT_EQ(value.has_value(), c.expected.has_value()) << text.toStdString();
    if (value) {
      EXPECT_DOUBLE_EQ(*value, *c.expected) << text.toStdString();
    }
  }
}

TEST(NumberText, StoreNumbersTakeCommasAndBlanks) {
  EXPECT_DOUBLE_EQ(ReadNumberString(u"0,35", 9), 0.35);
  EXPECT_DOUBLE_EQ(ReadNumberString(u"1 5", 9), 15);
  EXPECT_DOUBLE_EQ(ReadNumberString(u" 1\u00A0234,5 ", 9), 1234.5);
  EXPECT_DOUBLE_EQ(ReadNumberString(u"  ", 9), 9);
  EXPECT_DOUBLE_EQ(ReadNumberString(u"abc", 9), 0);
  EXPECT_DOUBLE_EQ(ReadNumberString(u"nan", 9), 0);
  for (double v : {0.35, 100.0, -1.0, 1e20, 1.0 / 3.0, 0.1 + 0.2, 5e-324}) {
    const QString text = FormatNumber(v);
    EXPECT_FALSE(text.contains(u',')) << text.toStdString();
    EXPECT_EQ(ReadNumberString(text, 9), v) << text.toStdString();
  }
  EXPECT_EQ(FormatNumber(100), QStringLiteral("100"));
  EXPECT_EQ(FormatNumber(0.25), QStringLiteral("0.25"));
}

}  // namespace
}  // namespace quillon
