// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/NewDocument.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <cstring>

#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "page/Catalogue.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

std::vector<int32_t> Positions(const std::vector<AnchorEntry>& lines) {
  std::vector<int32_t> positions;
  for (const AnchorEntry& a : lines)
    positions.push_back(a.position);
  return positions;
}

std::vector<int32_t> Every(int32_t first, int32_t step, int count) {
  std::vector<int32_t> positions;
  for (int k = 0; k < count; ++k)
    positions.push_back(first + k * step);
  return positions;
}

int32_t AnglesCopy(const ItemRecord& page) {
  int32_t value;
  std::memcpy(&value, page.persisted().data() + 144, sizeof value);
  return value;
}

// With nothing stored, a new document is a Letter page for illustrations in inches whose kind
// is still marked as not chosen.
TEST(NewDocument, FromTheDefaultSettings) {
  TParams params;
  ItemList list;
  ItemRecord& page = NewDocument(list, params, 18601);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(&page, list.first());
  EXPECT_EQ(page.kind(), kKindPageSetup);
  EXPECT_EQ(page.recordClass(), kClassPageSetup);
  EXPECT_EQ(page.documentId(), 18601);
  EXPECT_EQ(page.pageKind(), -1);
  EXPECT_EQ(page.pageUnits(), kUnitInches);
  EXPECT_DOUBLE_EQ(page.pixelsPerUnitX(), 96);
  EXPECT_DOUBLE_EQ(page.zoom(), 1.0);
  EXPECT_EQ(AnglesCopy(page), 1);
  EXPECT_EQ(page.orientation(), kPortrait);
  EXPECT_EQ(page.quickSelectIndex(), 0);
  EXPECT_DOUBLE_EQ(page.pageWidth(), 8.5);
  EXPECT_DOUBLE_EQ(page.pageHeight(), 11);
  EXPECT_DOUBLE_EQ(page.marginLeft(), 0.25);
  EXPECT_DOUBLE_EQ(page.cardWidth(), 0);
  EXPECT_EQ(page.rows(), 0);
  EXPECT_DOUBLE_EQ(page.designLeft(), 0.2);
  EXPECT_DOUBLE_EQ(page.designTop(), 0.2);
  EXPECT_DOUBLE_EQ(page.designWidth(), 8.5);
  EXPECT_DOUBLE_EQ(page.designHeight(), 11);
  EXPECT_DOUBLE_EQ(page.gridDistanceX(), 0.25);
  EXPECT_EQ(page.anchorsHorizontal(), 1);
  EXPECT_EQ(page.anchorsVertical(), 1);
  EXPECT_EQ(
      page.gridHorizontal() + page.snapHorizontal() + page.gridVertical() + page.snapVertical(), 0);
  EXPECT_EQ(page.x1(), 19);
  EXPECT_EQ(page.boundWidth(), 816);
  EXPECT_EQ(LineText(page, 1), u"8 1/2");
  EXPECT_EQ(LineText(page, 5), u"1/4");
  EXPECT_EQ(LineCount(page), 15);
  EXPECT_EQ(page.modified(), 0);
  EXPECT_TRUE(IsPristine(list));

  const ItemRecord& anchors = *list.last();
  EXPECT_EQ(anchors.kind(), kKindAnchors);
  EXPECT_EQ(anchors.historyState(), 0);
  // Quarter inches are 24 pixels from the page's edge at 0.2 inch = 19 pixels: 34 and 44 steps.
  EXPECT_EQ(Positions(anchors.verticalAnchors), Every(19, 24, 35));
  EXPECT_EQ(Positions(anchors.horizontalAnchors), Every(19, 24, 45));
}

TEST(NewDocument, WithABusinessCardSheetChosenForNewFiles) {
  TParams params;
  params.SetNewDocumentUnits(kUnitMillimetres);
  params.pspage = 4;
  params.lgtdir = 2;
  params.defaults.gridVertical = 1;
  pageset_t& cards = params.pagesets[3];
  ASSERT_TRUE(ChooseTemplate(
      cards, 4,
      FindTemplate(kUnitMillimetres, 4, QStringLiteral("A8 business cards, 10 per page"))));
  ItemList list;
  ItemRecord& page = NewDocument(list, params, 18602);
  EXPECT_EQ(page.pageKind(), 4);
  EXPECT_EQ(page.pageUnits(), kUnitMillimetres);
  EXPECT_EQ(page.quickSelectIndex(), 1);
  EXPECT_DOUBLE_EQ(page.cardWidth(), 74);
  EXPECT_DOUBLE_EQ(page.marginLeft(), 31);
  EXPECT_EQ(page.rows(), 5);
  EXPECT_EQ(page.columns(), 2);
  EXPECT_DOUBLE_EQ(page.designLeft(), 10);
  EXPECT_DOUBLE_EQ(page.designWidth(), 74);
  EXPECT_DOUBLE_EQ(page.designHeight(), 52);
  EXPECT_DOUBLE_EQ(page.gridDistanceY(), 10);
  EXPECT_EQ(page.gridVertical(), 1);
  EXPECT_EQ(page.lightDirection(), 2);
  // 10 mm is 38 pixels at 96 dpi (37.8 rounded); 74 mm hold 7 of them, 52 mm 5.
  const ItemRecord& anchors = *list.last();
  EXPECT_EQ(Positions(anchors.verticalAnchors), Every(38, 38, 8));
  EXPECT_EQ(Positions(anchors.horizontalAnchors), Every(38, 38, 6));
  EXPECT_FALSE(IsModified(list));
}

// Digital images keep their own unit: the inch design origin is carried over into pixels.
TEST(NewDocument, DigitalImagesAreMeasuredInPixels) {
  TParams params;
  params.pspage = -9;
  ItemList list;
  ItemRecord& page = NewDocument(list, params, 18603);
  EXPECT_EQ(page.pageKind(), -9);
  EXPECT_EQ(page.pageUnits(), kUnitPixels);
  EXPECT_DOUBLE_EQ(page.pixelsPerUnitX(), 1);
  EXPECT_DOUBLE_EQ(page.designLeft(), 0.2 * 96);
  EXPECT_DOUBLE_EQ(page.designWidth(), 800);
  EXPECT_DOUBLE_EQ(page.designHeight(), 600);
  EXPECT_EQ(page.orientation(), kLandscape);
  EXPECT_DOUBLE_EQ(page.gridDistanceX(), 25);
  EXPECT_EQ(list.last()->verticalAnchors.size(), 33u);
}

TEST(NewDocument, WithoutAPageKindTheBuiltInPaperStays) {
  TParams params;
  params.pspage = 0;
  params.lgtdir = 7;
  ItemList list;
  ItemRecord& page = NewDocument(list, params, 18604);
  EXPECT_EQ(page.pageKind(), 0);
  EXPECT_DOUBLE_EQ(page.pageWidth(), 8.5);
  EXPECT_DOUBLE_EQ(page.pageHeight(), 11);
  EXPECT_DOUBLE_EQ(page.designWidth(), 8.5);
  EXPECT_EQ(page.rowFold(), 0);
  EXPECT_EQ(page.lightDirection(), 0);
  EXPECT_TRUE(page.text().empty());
  params.SetNewDocumentUnits(kUnitPixels);
  ItemList pixels;
  EXPECT_DOUBLE_EQ(NewDocument(pixels, params, 18605).pageWidth(), 200);
  EXPECT_DOUBLE_EQ(FindPageRecord(pixels)->designWidth(), 400);
}

TEST(NewDocument, IsWrittenAsThePageAndAnchorsRecordsOnly) {
  TParams params;
  ItemList list;
  NewDocument(list, params, 18601);
  QByteArray bytes;
  QBuffer out(&bytes);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  ASSERT_TRUE(WriteDocumentTo(out, list).ok());
  EXPECT_EQ(bytes.size(), 448 + 2 * (19 + 14) + 448 + 8 * (35 + 45));
  QBuffer in(&bytes);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  ItemList read;
  test::ScriptedPrompter prompter;
  ASSERT_TRUE(ReadDocumentFrom(in, read, prompter).ok());
  EXPECT_TRUE(prompter.asked.empty());
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read.last()->verticalAnchors.size(), 35u);
  EXPECT_EQ(LineText(*read.first(), 2), u"11");
}

// Apply for new files keeps the descriptions whatever they hold; only a paper size that parses
// to sizes above zero becomes the unit's new-file paper.
TEST(NewDocument, PageSetupForNewFilesTakesThePaperOnlyWhenItParses) {
  struct Case {
    const char* width;
    const char* height;
    bool taken;
    double value;
  };
  const Case cases[] = {{"8 1/2", "14", true, 8.5},
                        {"8 1/2", "", false, 0},
                        {"0", "11", false, 0},
                        {"8,5", "11\"", true, 8.5}};
  for (const Case& c : cases) {
    TParams params(ScreenMetrics{96, 96});
    params.SetNewDocumentUnits(kUnitMillimetres);
    const UnitDefaults before = params.defaults.perUnit[2];
    pagesetArr_t sets = DefaultPagesets(kUnitInches);
    sets[0].current().paperWidth = QString::fromLatin1(c.width);
    sets[0].current().paperHeight = QString::fromLatin1(c.height);
    ApplyPageSetupToNewFiles(params, sets, 1);
    EXPECT_TRUE(params.pagesets == sets);
    EXPECT_EQ(params.pspage, 1);
    const UnitDefaults& paper = params.defaults.perUnit[2];
    EXPECT_EQ(params.defaults.units, c.taken ? kUnitInches : kUnitMillimetres) << c.width;
    EXPECT_DOUBLE_EQ(paper.canvas[2], c.taken ? c.value : before.canvas[2]) << c.width;
    if (c.taken) {
      EXPECT_EQ(paper.canvasText[2], QStringLiteral("8.5"));
    }
  }
  TParams params;
  const TParams untouched = params;
  ApplyPageSetupToNewFiles(params, DefaultPagesets(kUnitInches), 0);
  EXPECT_EQ(params.pspage, untouched.pspage);
}

}  // namespace
}  // namespace quillon
