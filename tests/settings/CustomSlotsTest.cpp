// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/CustomSlots.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

const ScreenMetrics kScreen{96, 96};

TEST(CustomSlots, WeightsBecomeMillimetresAndPixels) {
  struct Case {
    const char* typed;
    int32_t units;
    bool inUse;
    double mm;
    int32_t pixels;
  };
  const Case cases[] = {
      {"1/2", 2, true, 0.5, 2},
      {"-1,5", 2, true, 1.5, 6},
      {"0.25", 3, true, 6.35, 24},
      {"3", 1, true, 3 / (96 / 25.4), 3},
      {"2.5", 1, true, 2 / (96 / 25.4), 2},
      {"0", 2, false, 0, 0},
      {"", 2, false, 0, 0},
      {"thin", 2, false, 0, 0},
      {"1", 4, false, 0, 0},
      {"1e308", 3, false, 0, 0},
      // The heaviest weight is 100 mm, in any unit.
      {"100", 2, true, 100, 378},
      {"-100", 2, true, 100, 378},
      {"100.01", 2, false, 0, 0},
      {"4", 3, false, 0, 0},
      {"3.9", 3, true, 99.06, 374},
      {"377", 1, true, 377 / (96 / 25.4), 377},
      {"378", 1, false, 0, 0},  // 100.0125 mm
      {"100000", 2, false, 0, 0},
  };
  for (const Case& c : cases) {
    custThicknessRec_t slot;
    slot.typed = QString::fromLatin1(c.typed);
    slot.units = c.units;
    ValidateThickness(slot, kScreen);
    EXPECT_EQ(slot.inUse != 0, c.inUse) << c.typed;
    if (c.inUse) {
      EXPECT_DOUBLE_EQ(slot.mm, c.mm) << c.typed;
      EXPECT_EQ(slot.pixels, c.pixels) << c.typed;
    }
  }
  // The dialog takes a value with inch marks as inches, whatever unit was chosen.
  custThicknessRec_t slot;
  EnterThickness(slot, QStringLiteral(" Fat "), QStringLiteral(" 3\" "), 1, kScreen);
  EXPECT_EQ(slot.name, QStringLiteral("Fat"));
  EXPECT_EQ(slot.typed, QStringLiteral("3"));
  EXPECT_EQ(slot.units, 3);
  EXPECT_DOUBLE_EQ(slot.mm, 76.2);
  EXPECT_EQ(slot.inUse, 1);
}

TEST(CustomSlots, PatternsCountLeadingSegments) {
  struct Case {
    std::vector<const char*> segments;
    int count;
    bool inUse;
  };
  const Case cases[] = {
      {{"2", "1", "0", "4"}, 2, true},
      {{"2", "1", "3", "1/2"}, 4, true},
      {{"0", "1", "3"}, 0, false},
      {{"2", "x", "3"}, 1, false},
      {{"2"}, 1, false},
      {{"-2", "-1"}, 2, true},
  };
  for (const Case& c : cases) {
    custPatternRec_t slot;
    for (std::size_t i = 0; i < c.segments.size(); ++i) {
      slot.typed[i] = QString::fromLatin1(c.segments[i]);
    }
    ValidatePattern(slot, kScreen);
    EXPECT_EQ(slot.count, c.count) << c.segments[0];
    EXPECT_EQ(slot.inUse != 0, c.inUse) << c.segments[0];
  }
  custPatternRec_t inches;
  inches.units = 3;
  inches.typed[0] = QStringLiteral("1/4");
  inches.typed[1] = QStringLiteral("1/8");
  ValidatePattern(inches, kScreen);
  EXPECT_DOUBLE_EQ(inches.mm[0], 6.35);
  EXPECT_EQ(inches.pixels[1], 12);
}

TEST(CustomSlots, DirectionsComeIntoOneTurn) {
  struct Case {
    const char* typed;
    int32_t units;
    DirectionRole role;
    bool inUse;
    double value;
  };
  constexpr auto D = DirectionRole::LineDirections;
  constexpr auto S = DirectionRole::FontSizes;
  const Case cases[] = {
      {"45", 1, D, true, 45},      {"-90", 1, D, true, 270},  {"720", 1, D, true, 360},
      {"-360", 1, D, true, 0},     {"1000", 1, D, true, 280}, {"3,14159265358979", 2, D, true, 180},
      {"1e300", 1, D, true, 360},  // a whole number of turns, found without 1e298 steps
      {"1e307", 2, D, false, 0},   {"45", 3, D, false, 0},    {"", 1, D, false, 0},
      {"abc", 1, D, false, 0},     {"-14", 2, S, true, 14},   {"14.5", 1, S, false, 0},
      {"0", 1, S, false, 0},       {"1", 1, S, true, 1},      {"1638", 1, S, true, 1638},
      {"-1638", 1, S, true, 1638}, {"1639", 1, S, false, 0},  {"100000", 1, S, false, 0},
      {"12pt", 1, S, false, 0},
  };
  for (const Case& c : cases) {
    custDirectionRec_t slot;
    slot.name = QStringLiteral("Mine");
    slot.typed = QString::fromLatin1(c.typed);
    slot.units = c.units;
    ValidateDirection(slot, c.role);
    EXPECT_EQ(slot.inUse != 0, c.inUse) << c.typed;
    if (c.inUse) {
      EXPECT_NEAR(slot.value, c.value, 1e-9) << c.typed;
    }
  }
  custDirectionRec_t unnamed;
  unnamed.name = QStringLiteral("  ");
  unnamed.typed = QStringLiteral("30");
  ValidateDirection(unnamed, D);
  EXPECT_EQ(unnamed.inUse, 0);
}

TEST(CustomSlots, EmptySlotsAreNamedByTheirLetter) {
  EXPECT_EQ(EmptyThicknessSlots()[0].name, QStringLiteral("Weight A"));
  EXPECT_EQ(EmptyPatternSlots()[11].name, QStringLiteral("Pattern L"));
  EXPECT_EQ(EmptyDirectionSlots(DirectionRole::TextAngles, 2)[1].name, QStringLiteral("Angle B"));
  EXPECT_EQ(EmptyDirectionSlots(DirectionRole::TextAngles, 2)[1].units, 2);
  EXPECT_EQ(EmptyDirectionSlots(DirectionRole::FontSizes, 1)[2].name, QStringLiteral("Size C"));
  const custShadowRec_t shadow = EmptyShadowSlots()[3];
  EXPECT_EQ(shadow.name, QStringLiteral("Shadow D"));
  EXPECT_EQ(shadow.size, 85);
  EXPECT_EQ(shadow.softness, 85);
  EXPECT_EQ(shadow.lightness, 85);
  EXPECT_FALSE(ShadowInUse(shadow));
}

TEST(CustomSlots, UserColoursKeepOneSlotPerColour) {
  UserColours colours = EmptyUserColours();
  EXPECT_TRUE(AddUserColour(colours, 0x123456));
  EXPECT_FALSE(AddUserColour(colours, 0x123456));
  EXPECT_EQ(colours[0], 0x123456);
  EXPECT_EQ(colours[1], -1);
  EXPECT_FALSE(AddUserColour(colours, 0x3000000));
  EXPECT_FALSE(AddUserColour(colours, -5));
  EXPECT_TRUE(AddUserColour(colours, 0x2FFFFFF));
  for (int32_t c = 1; c <= 11; ++c)
    AddUserColour(colours, c);
  EXPECT_EQ(colours[0], 11);
  EXPECT_EQ(colours[10], 1);
  EXPECT_EQ(colours[11], 0x2FFFFFF);  // 0x123456 dropped out as the thirteenth
}

}  // namespace
}  // namespace quillon
