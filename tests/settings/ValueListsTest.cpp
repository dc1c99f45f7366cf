// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ValueLists.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace quillon {
namespace {

// A settings object with two custom entries in use in every list (slots C and J).
TParams WithCustomEntries() {
  TParams params;
  for (int slot : {2, 9}) {
    params.customWeights[slot].typed = QString::number(slot + 0.25);
    ValidateThickness(params.customWeights[slot], params.screen);
    params.customPatterns[slot].typed[0] = QStringLiteral("2");
    params.customPatterns[slot].typed[1] = QStringLiteral("1");
    ValidatePattern(params.customPatterns[slot], params.screen);
    for (DirectionSlots* list :
         {&params.customDirections, &params.customAngles, &params.customSizes}) {
      (*list)[slot].typed = QString::number(slot + 30);
      ValidateDirection((*list)[slot], list == &params.customSizes ? DirectionRole::FontSizes
                                                                   : DirectionRole::LineDirections);
    }
    params.customShadows[slot].shown = 1;
    params.userColours[slot] = 0x010101 * slot;
  }
  params.dialogColours[4] = 0x00ABCDEF;
  return params;
}

TEST(ValueLists, CustomEntriesFollowCustomizeInSlotOrder) {
  const TParams params = WithCustomEntries();
  struct Case {
    ValueListKind kind;
    int firstCustom;
    const char* last;
  };
  const Case cases[] = {
      {ValueListKind::Colours, 17, " "},
      {ValueListKind::FillColours, 19, " "},
      {ValueListKind::LineWeights, 7, "Weight J"},
      {ValueListKind::OutlineWeights, 8, "Weight J"},
      {ValueListKind::LinePatterns, 6, "Pattern J"},
      {ValueListKind::LineDirections, 6, "Angle J"},
      {ValueListKind::TextAngles, 6, "Angle J"},
      {ValueListKind::FontSizes, 17, "Size J"},
      {ValueListKind::Shadows, 5, "Shadow J"},
  };
  for (const Case& c : cases) {
    const ValueList list = FillValueList(c.kind, params);
    const int customize = c.firstCustom - 1;
    ASSERT_EQ(list.entries[customize].text, QStringLiteral("Customize...")) << int(c.kind);
    EXPECT_EQ(list.entries.back().text, QString::fromLatin1(c.last)) << int(c.kind);
    // Reading a selection past "Customize..." gives the n-th custom entry's slot.
    const bool colours = c.kind == ValueListKind::Colours || c.kind == ValueListKind::FillColours;
    const ListSelection first = ReadSelection(list, c.firstCustom);
    EXPECT_EQ(first.source, colours ? EntrySource::ChooserColour : EntrySource::CustomSlot);
    EXPECT_EQ(first.position, colours ? 5 : 3) << int(c.kind);
    EXPECT_EQ(ReadSelection(list, c.firstCustom + 1).position, colours ? 3 : 10);
    EXPECT_EQ(ReadSelection(list, customize).source, EntrySource::Customize);
    EXPECT_EQ(ReadSelection(list, 1).source, EntrySource::BuiltIn);
    EXPECT_EQ(ReadSelection(list, 1).position, 1);
    EXPECT_EQ(ReadSelection(list, -1).position, -1);
  }
}

TEST(ValueLists, BuiltInEntriesAsNamed) {
  const TParams params;
  auto texts = [&](ValueListKind kind) {
    QStringList names;
    for (const ValueListEntry& e : FillValueList(kind, params).entries)
      names.append(e.text);
    return names.join(u'|');
  };
  EXPECT_EQ(texts(ValueListKind::OutlineWeights),
            QStringLiteral("None|Thin|Medium |Thick|Heavy|Wide|Broad|Customize..."));
  EXPECT_EQ(texts(ValueListKind::LineDirections),
            QStringLiteral("Any angle|Horizontal|Vertical (right)|Vertical (left)|Upside down|"
                           "Customize..."));
  EXPECT_EQ(texts(ValueListKind::FontWeights),
            QStringLiteral("Thin|Extralight|Light|Normal|Medium|Semibold|Bold|Extrabold|Heavy"));
  EXPECT_EQ(texts(ValueListKind::Surfaces), QStringLiteral("Flat|Round"));
  EXPECT_EQ(FillValueList(ValueListKind::CharacterSets, params).entries.size(), 17u);
  EXPECT_EQ(FillValueList(ValueListKind::Colours, params).entries.size(), 17u);
}

TEST(ValueLists, SelectingAValue) {
  TParams params = WithCustomEntries();
  ValueList weights = FillValueList(ValueListKind::LineWeights, params);
  EXPECT_EQ(SelectValue(weights, 0.5), 1);
  EXPECT_EQ(SelectValue(weights, 0.50005), 1);
  EXPECT_EQ(SelectValue(weights, 0.6), -1);
  EXPECT_EQ(SelectValue(weights, 2.25), 7);  // slot C, 2.25 mm
  ValueList fills = FillValueList(ValueListKind::FillColours, params);
  EXPECT_EQ(SelectValue(fills, -2), 0);
  EXPECT_EQ(fills.entries[0].text, QStringLiteral("Solid"));
  EXPECT_EQ(SelectValue(fills, -1), 1);
  EXPECT_EQ(SelectValue(fills, 0xFF0000), 14);  // "Blue"
  EXPECT_EQ(SelectValue(fills, 0xABCDEF), 19);
  EXPECT_EQ(SelectValue(fills, 0x777777), -1);
  EXPECT_EQ(SelectValue(fills, 0x010101 * 9), 21);
  ValueList shadows = FillValueList(ValueListKind::Shadows, params);
  EXPECT_EQ(SelectShadow(shadows, {50, 20, 110}), 2);
  EXPECT_EQ(SelectShadow(shadows, {85, 85, 85}), 5);
  EXPECT_EQ(SelectShadow(shadows, {50, 20, 111}), -1);
  ValueList patterns = FillValueList(ValueListKind::LinePatterns, params);
  EXPECT_EQ(SelectPattern(patterns, 3, 0), 3);
  EXPECT_EQ(SelectPattern(patterns, 7, 10), 7);
  EXPECT_EQ(SelectPattern(patterns, 7, 5), -1);
}

TEST(ValueLists, AJustSavedSlotIsSelectedOnceByTheNextFill) {
  TParams params = WithCustomEntries();
  params.customSizes[9].justSaved = 1;
  ValueList sizes = FillValueList(ValueListKind::FontSizes, params);
  EXPECT_EQ(sizes.selected, 18);
  EXPECT_TRUE(sizes.selectedJustSaved);
  EXPECT_DOUBLE_EQ(sizes.entries[18].value, 39);
  ClearJustSaved(params, ValueListKind::FontSizes);
  EXPECT_EQ(FillValueList(ValueListKind::FontSizes, params).selected, -1);
}

TEST(ValueLists, CharacterSetsOfAFont) {
  const uint32_t latinAndCyrillic = 1u << 0 | 1u << 2;
  const ValueList sets = FillCharacterSets(latinAndCyrillic);
  ASSERT_EQ(sets.entries.size(), 2u);
  EXPECT_EQ(sets.entries[0].text, QStringLiteral("Western"));
  EXPECT_EQ(sets.entries[1].text, QStringLiteral("Cyrillic"));
  EXPECT_EQ(ReadSelection(sets, 1).position, 14);
  EXPECT_DOUBLE_EQ(sets.entries[1].value, 204);
  EXPECT_EQ(SignatureBitOf(238), 1);
  EXPECT_EQ(SignatureBitOf(5), -1);
}

}  // namespace
}  // namespace quillon
