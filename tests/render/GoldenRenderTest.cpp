// SPDX-License-Identifier: GPL-3.0-or-later
// The look of every drawn kind against stored renders: flat, with a soft shadow, with the
// "Round" surface, and clear with a surface and a broad shadow. A change that is meant to alter
// the look regenerates them with scripts/regenerate-golden-renders.sh, which sets
// QUILLON_GOLDEN_OUT to the folder to write to.
#include <gtest/gtest.h>

#include <string>

#include "GoldenCheck.h"
#include "SceneFixtures.h"
#include "render/RenderPage.h"

namespace quillon {
namespace {

constexpr int kCell = 120;

// The four looks, one per cell from left to right.
constexpr test::Look kLooks[] = {
    {0x40C0F0, 0x800000, 1.0, 0, 0, 0, 0},      // flat, outlined, filled
    {0x40C0F0, 0x800000, 1.0, 0, 50, 20, 110},  // with the "Medium" shadow
    {0x40C0F0, 0x800000, 1.0, 127, 0, 0, 0},    // "Round"
    {-1, 0x2060C0, 2.0, 127, 70, 30, 120},      // clear, "Round", "Broad" shadow
};

Bitmap RenderKind(int32_t kind) {
  Bitmap image(kCell * 4, kCell);
  for (int column = 0; column < 4; ++column) {
    ItemList list;
    test::AddLightPage(list, 0);
    ItemRecord& item = test::Apply(test::AddSample(list, kind), kLooks[column]);
    if (kind == kKindLine) {
      // Lines keep their own weight; the look's weight sets the outline weight.
      item.setLineWeight(3.0);
      item.setLineOutlineWeight(kLooks[column].weight / 2);
    }
    RenderItem(image, item, list, {column * kCell, 0}, 1.0, 1.0);
  }
  return image;
}

// A small page at 200 dots per inch on a 96-dpi screen: the print scale stretches the blur.
Bitmap RenderPrintPage() {
  ItemList list;
  test::AddLightPage(list, 3);
  test::Apply(test::AddBox(list, {10, 10}, {70, 50}), {0x30A030, 0, 0.5, 0, 50, 20, 110});
  test::Apply(test::AddCircle(list, {95, 45}, 30), {0xC04040, 0x404040, 0.5, 127, 70, 30, 120});
  test::Apply(test::AddLine(list, {10, 95}, {140, 70}, 2.0, 0.0, 3),
              {-2, 0x101010, 2.0, 0, 30, 10, 100});
  Bitmap page(RoundToInt32(150 * 200 / 96.0), RoundToInt32(110 * 200 / 96.0));
  RenderPage(list, page, {0, 0}, 200 / 96.0, 200 / 96.0);
  return page;
}

std::string NameOf(int32_t kind) {
  return KindName(kind);
}

TEST(GoldenRender, EveryKindLooksAsStored) {
  for (int32_t kind : test::kDrawnKinds) {
    SCOPED_TRACE(NameOf(kind));
    test::CheckGolden(NameOf(kind), RenderKind(kind));
  }
}

TEST(GoldenRender, PrintPageLooksAsStored) {
  test::CheckGolden("print-page", RenderPrintPage());
}

}  // namespace
}  // namespace quillon
