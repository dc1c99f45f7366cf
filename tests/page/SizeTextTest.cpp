// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/SizeText.h"

#include <gtest/gtest.h>

#include <QString>
#include <optional>

#include "document/PageSetup.h"

namespace quillon {
namespace {

struct SizeCase {
  const char16_t* text;
  int32_t units;
  std::optional<double> expected;
};

TEST(SizeText, ParsesDecimalsFractionsAndInchMarks) {
  const SizeCase cases[] = {
      {u"8 1/2", kUnitInches, 8.5},
      {u"3 7/8", kUnitInches, 3.875},
      {u"1/4", kUnitInches, 0.25},
      {u"3 2/3", kUnitInches, 11.0 / 3.0},
      {u"3-1/2", kUnitInches, 3.5},
      {u"8-1/2", kUnitInches, 8.5},
      {u"-1 1/2", kUnitInches, -1.5},
      {u"8,5", kUnitInches, 8.5},
      {u"8,5", kUnitMillimetres, 8.5},
      {u"11\"", kUnitInches, 11.0},
      {u" 8 1/2 \" ", kUnitInches, 8.5},
      {u"  ", kUnitInches, 0.0},
      {u"", kUnitMillimetres, 0.0},
      {u"210", kUnitMillimetres, 210.0},
      {u"-7.25", kUnitPixels, -7.25},
      {u"1e3", kUnitMillimetres, 1000.0},
      {u"8  1/2", kUnitInches, 8.5},
      {u"0 1/2", kUnitInches, 0.5},
      // Failures.
      {u"0/4", kUnitInches, std::nullopt},
      {u"1/0", kUnitInches, std::nullopt},
      {u"8 1/2", kUnitMillimetres, std::nullopt},
      {u"1/4", kUnitPixels, std::nullopt},
      {u"11\"", kUnitMillimetres, std::nullopt},
      {u"\"", kUnitInches, std::nullopt},
      {u"8.5 1/2", kUnitInches, std::nullopt},
      {u"1/2/3", kUnitInches, std::nullopt},
      {u"8 1", kUnitInches, std::nullopt},
      {u"1 / 2", kUnitInches, std::nullopt},
      {u"a/b", kUnitInches, std::nullopt},
      {u"99999999999 1/2", kUnitInches, std::nullopt},
      {u"inf", kUnitMillimetres, std::nullopt},
      {u"nan", kUnitInches, std::nullopt},
      {u"1e999", kUnitMillimetres, std::nullopt},
      {u"0x10", kUnitPixels, std::nullopt},
      {u"12px", kUnitPixels, std::nullopt},
  };
  for (const SizeCase& c : cases) {
    const QString text = QString::fromUtf16(c.text);
    const auto value = ParseSizeText(text, c.units);
    ASSERT_EQ(value.has_value(), c.expected.has_value()) << text.toStdString() << " in " << c.units;
    if (value) {
      EXPECT_DOUBLE_EQ(*value, *c.expected) << text.toStdString();
    }
  }
}

TEST(SizeText, WholeNumbersReadCleanlyWithinThirtyTwoBits) {
  EXPECT_EQ(ParseWholeNumber(u" 42 "), 42);
  EXPECT_EQ(ParseWholeNumber(u"-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseWholeNumber(u"+7"), 7);
  EXPECT_EQ(ParseWholeNumber(u"00000000000000000012"), 12);
  for (const char16_t* bad : {u"", u"2147483648", u"4.0", u"1/2", u"-", u"5 5", u"x"}) {
    EXPECT_FALSE(ParseWholeNumber(QString::fromUtf16(bad)).has_value())
        << QString::fromUtf16(bad).toStdString();
  }
}

}  // namespace
}  // namespace quillon
