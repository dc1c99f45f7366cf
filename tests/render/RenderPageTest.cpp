// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderPage.h"

#include <gtest/gtest.h>

#include <random>

#include "SceneFixtures.h"

namespace quillon {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlue = 0xFF0000;

TEST(RenderPage, AnEmptyPageIsWhite) {
  ItemList list;
  test::AddLightPage(list);
  Bitmap page(30, 20);
  page.Fill(0x123456);
  EXPECT_TRUE(RenderPage(list, page, {0, 0}, 1.0, 1.0));
  EXPECT_EQ(test::CountOther(page, 0, 0, 30, 20, kWhite), 0);
}

TEST(RenderPage, WithoutAPageSetupNothingIsDrawn) {
  ItemList list;
  test::Apply(test::AddBox(list, {2, 2}, {20, 15}), {-2, 0, 0.0});
  Bitmap page(30, 20);
  EXPECT_FALSE(RenderPage(list, page, {0, 0}, 1.0, 1.0));
  EXPECT_EQ(test::CountOther(page, 0, 0, 30, 20, kWhite), 0);
}

TEST(RenderPage, DrawsFromTheLowestLevelUpSkippingHiddenAndRepeatedLevels) {
  ItemList list;
  test::AddLightPage(list);
  ItemRecord& top = test::Apply(test::AddBox(list, {10, 0}, {20, 10}), {-2, int32_t(kRed), 0.0});
  ItemRecord& bottom = test::Apply(test::AddBox(list, {0, 0}, {15, 10}), {-2, int32_t(kBlue), 0.0});
  top.setStackLevel(2);
  bottom.setStackLevel(1);
  // A second record on level 1, later in the list, and a hidden record on top.
  test::Apply(test::AddBox(list, {0, 0}, {29, 19}), {-2, 0, 0.0}).setStackLevel(1);
  ItemRecord& hidden = test::Apply(test::AddBox(list, {0, 0}, {29, 19}), {-2, 0, 0.0});
  hidden.setHidden(255);
  Bitmap page(30, 20);
  RenderPage(list, page, {0, 0}, 1.0, 1.0);
  EXPECT_EQ(page.Pixel(5, 5), kBlue);
  EXPECT_EQ(page.Pixel(12, 5), kRed);  // level 2 covers level 1
  EXPECT_EQ(page.Pixel(25, 15), kWhite);
}

TEST(DrawingOrder, MatchesALevelByLevelScan) {
  std::mt19937 random(7);
  ItemList list;
  test::AddLightPage(list);
  for (int i = 0; i < 400; ++i) {
    ItemRecord& r = test::AddBox(list, {0, 0}, {5, 5});
    r.setStackLevel(static_cast<int32_t>(random() % 120) - 5);
    r.setHidden(random() % 7 == 0 ? 255 : 0);
    if (random() % 11 == 0) r.setRecordClass(kClassLinePattern);
  }
  std::vector<const ItemRecord*> scan;
  for (int32_t level = 1; level <= MaxLevel(list); ++level) {
    for (const ItemRecord& r : list) {
      if (r.recordClass() == kClassContent && r.hidden() == 0 && r.stackLevel() == level) {
        scan.push_back(&r);
        break;
      }
    }
  }
  EXPECT_EQ(DrawingOrder(list), scan);
}

}  // namespace
}  // namespace quillon
