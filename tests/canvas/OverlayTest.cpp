// SPDX-License-Identifier: GPL-3.0-or-later
// The handle marks over the canvas, without a window: the overlay saves what each item's marks
// cover and gives it back, and forgets what no longer belongs to the canvas.
#include "canvas/Overlay.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

class OverlayMarks : public ::testing::Test {
 protected:
  OverlayMarks() : canvas_(200, 120) {
    // A patterned canvas, so that pixels put back in the wrong place show.
    std::mt19937 random(5);
    for (int y = 0; y < canvas_.height(); ++y) {
      for (int x = 0; x < canvas_.width(); ++x)
        canvas_.SetPixel(x, y, random() & 0xFFFFFF);
    }
    overlay_.SetCanvas(&canvas_);
    test::AddPage(list_);
  }

  ItemRecord& Item() { return test::AddItem(list_, kKindLine, {0, 0}, {10, 10}); }

  // Marks at the given canvas points, one a rotation dot joined to the first.
  static std::vector<Handle> At(std::initializer_list<Point> points) {
    std::vector<Handle> handles;
    for (Point p : points)
      handles.push_back({1, p, false, {}, false});
    handles.push_back(
        {2, {points.begin()->x + 15, points.begin()->y}, true, *points.begin(), false});
    return handles;
  }

  bool Untouched(const Bitmap& before) const {
    return std::memcmp(before.Row(0), canvas_.Row(0),
                       static_cast<std::size_t>(before.stride()) * before.height()) == 0;
  }

  Bitmap canvas_;
  Overlay overlay_;
  ItemList list_;
};

TEST_F(OverlayMarks, OverlappingMarksComeOffLeavingTheCanvasAsItWas) {
  ItemRecord& a = Item();
  ItemRecord& b = Item();
  ItemRecord& c = Item();
  const Bitmap before = canvas_.Clone();
  // b's marks lie over a's, c's over both and over the canvas's edge.
  overlay_.MarkHandles(list_, a, At({{20, 20}, {60, 40}}), {});
  overlay_.MarkHandles(list_, b, At({{23, 22}, {62, 44}}), {});
  overlay_.MarkHandles(list_, c, At({{25, 25}, {198, 118}}), {});
  EXPECT_FALSE(Untouched(before));
  // Marking the top item again takes its old marks away first.
  overlay_.MarkHandles(list_, c, At({{100, 60}}), {});
  EXPECT_FALSE(overlay_.UnmarkAll(list_).empty());
  EXPECT_TRUE(Untouched(before));
  EXPECT_TRUE(overlay_.UnmarkAll(list_).empty()) << "nothing is put back twice";

  overlay_.MarkHandles(list_, a, At({{20, 20}}), {});
  EXPECT_FALSE(overlay_.UnmarkHandles(a).empty());
  EXPECT_TRUE(Untouched(before));
  EXPECT_TRUE(overlay_.UnmarkHandles(a).empty());
}

TEST_F(OverlayMarks, MarksOfRecordsFreedOrSupersededAreForgotten) {
  ItemRecord& kept = Item();
  ItemRecord& freed = Item();
  ItemRecord& superseded = Item();
  const Bitmap before = canvas_.Clone();
  overlay_.MarkHandles(list_, kept, At({{20, 20}}), {});
  overlay_.MarkHandles(list_, freed, At({{80, 20}}), {});
  overlay_.MarkHandles(list_, superseded, At({{140, 20}}), {});
  // The canvas is drawn again under the marks; an edit hid one record, another was freed.
  constexpr uint32_t kRepainted = 0x123456;
  canvas_.Fill(kRepainted);
  superseded.setHidden(255);
  RemoveRecord(list_, freed);
  EXPECT_EQ(overlay_.UnmarkAll(list_).size(), 3u) << "the kept item's square, dot and line";
  EXPECT_EQ(canvas_.Pixel(20, 20), before.Pixel(20, 20));
  EXPECT_EQ(canvas_.Pixel(80, 20), kRepainted);
  EXPECT_EQ(canvas_.Pixel(140, 20), kRepainted);

  // Pixels dropped after a full repaint are never put back.
  overlay_.MarkHandles(list_, kept, At({{20, 20}}), {});
  canvas_.Fill(kRepainted);
  overlay_.DropMarks();
  EXPECT_TRUE(overlay_.UnmarkAll(list_).empty());
  EXPECT_EQ(canvas_.Pixel(20, 20), kRepainted);
}

}  // namespace
}  // namespace quillon
