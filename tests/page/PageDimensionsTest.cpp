// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/PageDimensions.h"

#include <gtest/gtest.h>

#include "document/PageSetup.h"
#include "page/Catalogue.h"

namespace quillon {
namespace {

PageDimensions FormFor(int32_t kind, int32_t units) {
  PageDimensions form;
  pageset_t set = DefaultPageset(kind, units);
  set.units = units;
  form.Load(kind, set);
  return form;
}

QString Labels(const PageDimensions& form) {
  QStringList shown;
  for (int n = 1; n <= kPageDimensionEdits; ++n) {
    if (form.EditShown(n)) shown.append(form.EditLabel(n));
  }
  return shown.join(u'|');
}

TEST(PageDimensions, EditBoxesAndLabelsFollowTheKindAndUnit) {
  struct Case {
    int32_t kind;
    int32_t units;
    const char* labels;
    bool folds;
  };
  const Case cases[] = {
      {4, kUnitMillimetres,
       "Paper width|Paper height|Card width|Card height|Left margin|Top margin|Rows|Columns|"
       "Row gap|Column gap",
       true},
      {5, kUnitInches,
       "Paper width|Paper height|Label width|Label height|Left margin|Top margin|Rows|Columns|"
       "Row gap|Column gap",
       true},
      {10, kUnitInches,
       "Paper width|Paper height|Brochure width|Brochure height|Left margin|Top margin|"
       "Bottom margin|Right margin|Rows|Columns",
       true},
      {1, kUnitMillimetres,
       "Paper width|Paper height|Left margin|Top margin|Right margin|Bottom margin", false},
      {7, kUnitInches,
       "Paper width|Paper height|Left margin|Top margin|Right margin|Bottom margin|Rows|Columns|"
       "Row gap|Column gap",
       true},
      {4, kUnitPixels, "Image width|Image height", false},
      {9, kUnitPixels, "Image width|Image height", false},
  };
  for (const Case& c : cases) {
    const PageDimensions form = FormFor(c.kind, c.units);
    EXPECT_EQ(Labels(form), QString::fromLatin1(c.labels)) << c.kind << " in " << c.units;
    EXPECT_EQ(form.FoldBoxesShown(), c.folds) << c.kind << " in " << c.units;
  }
  const PageDimensions brochure = FormFor(10, kUnitInches);
  EXPECT_EQ(brochure.EditText(7), brochure.Store().current().bottomMargin);
  EXPECT_EQ(brochure.EditText(0), QString());
  EXPECT_EQ(brochure.QuickSelectNames().size(), 2);
}

// Every kind's default description in every unit applies as it stands; one text typed into a
// shown box is refused (or not) as the applying would treat it.
TEST(PageDimensions, ProblemsAreTheShownTextsThatCannotBeApplied) {
  for (int32_t kind = 1; kind <= kPageKindCount; ++kind) {
    for (int32_t units = 1; units <= 3; ++units)
      EXPECT_TRUE(FormFor(kind, units).Problems().empty()) << kind << " " << units;
  }
  struct Case {
    int32_t kind;
    int32_t units;
    int edit;
    const char* text;
    bool refused;
  };
  const Case cases[] = {
      {5, kUnitInches, 3, "1 1/4", false},
      {5, kUnitInches, 3, "1 1/0", true},
      {5, kUnitMillimetres, 3, "1 1/4", true},
      {5, kUnitMillimetres, 3, " 20,5 ", false},
      {5, kUnitMillimetres, 3, "0", true},
      {10, kUnitMillimetres, 4, "-148", true},  // the brochure's height
      {5, kUnitMillimetres, 5, "0", false},     // a margin of nothing is a margin
      {5, kUnitMillimetres, 5, "", false},
      {5, kUnitMillimetres, 9, "x", true},  // a gap
      {5, kUnitMillimetres, 7, "", true},   // rows of a card sheet
      {10, kUnitInches, 10, "1.5", true},   // columns of a brochure
      {6, kUnitMillimetres, 7, "", false},  // rows of a single sheet are not used
      {1, kUnitMillimetres, 2, "", true},
      {9, kUnitPixels, 1, "abc", true},
      {9, kUnitPixels, 2, "600", false},
      {9, kUnitPixels, 3, "abc", false},  // hidden in pixels
  };
  for (const Case& c : cases) {
    PageDimensions form = FormFor(c.kind, c.units);
    form.TypeText(c.edit, QString::fromLatin1(c.text));
    const std::vector<FieldProblem> problems = form.Problems();
    EXPECT_EQ(!problems.empty(), c.refused) << c.kind << " " << c.units << " " << c.text;
    if (!problems.empty()) {
      EXPECT_EQ(problems.size(), 1u);
      EXPECT_EQ(problems[0].edit, c.edit);
      EXPECT_TRUE(problems[0].why.startsWith(form.EditLabel(c.edit)))
          << problems[0].why.toStdString();
    }
  }
}

TEST(PageDimensions, TypingSelectsTheMatchingTemplate) {
  PageDimensions form = FormFor(1, kUnitInches);
  form.TypeText(1, QStringLiteral("8 1/2"));
  form.TypeText(2, QStringLiteral("14"));
  EXPECT_EQ(form.selectedTemplate(), 1);
  form.TypeText(2, QStringLiteral("11"));
  EXPECT_EQ(form.selectedTemplate(), 0);
  EXPECT_EQ(form.QuickSelectNames().at(0), QStringLiteral("Letter 8 1/2 x 11"));
  form.TypeText(1, QStringLiteral("9"));
  EXPECT_EQ(form.selectedTemplate(), -1);
  // A box the kind does not show takes no text.
  form.TypeText(7, QStringLiteral("3"));
  EXPECT_TRUE(form.Store().current().rows.isEmpty());
}

TEST(PageDimensions, SwitchingUnitsKeepsWhatWasTypedInEach) {
  PageDimensions form = FormFor(4, kUnitMillimetres);
  form.TypeText(3, QStringLiteral("74,5"));
  form.TypeText(5, QStringLiteral("abc"));
  const UnitBlock typed = form.Store().current();
  form.SetUnits(kUnitInches);
  EXPECT_EQ(form.EditText(1), QStringLiteral("8 1/2"));
  form.TypeText(1, QStringLiteral("8"));
  form.SetUnits(kUnitMillimetres);
  EXPECT_EQ(form.Store().current(), typed);
  EXPECT_EQ(form.EditText(3), QStringLiteral("74,5"));
  form.SetUnits(kUnitInches);
  EXPECT_EQ(form.EditText(1), QStringLiteral("8"));
  form.SetUnits(4);
  EXPECT_EQ(form.units(), kUnitInches);
}

TEST(PageDimensions, OrientationSwapsEveryPairOnce) {
  PageDimensions form = FormFor(4, kUnitMillimetres);
  form.ChooseTemplate(2);  // A8 fold business cards: 5 x 2 with a column fold
  const UnitBlock portrait = form.Store().current();
  form.SetOrientation(kPortrait);
  EXPECT_EQ(form.Store().current(), portrait);
  form.SetOrientation(kLandscape);
  const UnitBlock& landscape = form.Store().current();
  EXPECT_EQ(form.orientation(), kLandscape);
  EXPECT_EQ(landscape.paperWidth, QStringLiteral("297"));
  EXPECT_EQ(landscape.itemWidth, QStringLiteral("52"));
  EXPECT_EQ(landscape.leftMargin, QStringLiteral("18"));
  EXPECT_EQ(landscape.topMargin, QStringLiteral("31"));
  EXPECT_EQ(landscape.rows, QStringLiteral("2"));
  EXPECT_EQ(landscape.columns, QStringLiteral("5"));
  EXPECT_TRUE(form.rowFold());
  EXPECT_FALSE(form.columnFold());
  // The swapped sheet is the listed vertical fold entry.
  EXPECT_EQ(form.selectedTemplate(), 5);
  form.SetOrientation(kPortrait);
  UnitBlock back = form.Store().current();
  back.quickSelectIndex = portrait.quickSelectIndex;
  EXPECT_EQ(back, portrait);
}

TEST(PageDimensions, PhotoTemplatesFollowTheOrientation) {
  PageDimensions form = FormFor(9, kUnitPixels);
  ASSERT_EQ(form.orientation(), kLandscape);
  form.ChooseTemplate(0);
  EXPECT_EQ(form.EditText(1), QStringLiteral("350"));
  EXPECT_EQ(form.EditText(2), QStringLiteral("250"));
  form.SetOrientation(kPortrait);
  EXPECT_EQ(form.EditText(1), QStringLiteral("250"));
  EXPECT_EQ(form.selectedTemplate(), 0);
  form.ChooseTemplate(3);
  EXPECT_EQ(form.orientation(), kLandscape);
  EXPECT_EQ(form.EditText(1), QStringLiteral("728"));
  form.ChooseTemplate(99);
  EXPECT_EQ(form.selectedTemplate(), 3);
}

}  // namespace
}  // namespace quillon
