// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/GridLines.h"

#include <gtest/gtest.h>

#include "canvas/CanvasFixtures.h"
#include "document/History.h"

namespace quillon {
namespace {

using test::Pt;

// A pixel page 400 x 300 at (left, 0) with both grids and anchors shown, lines every 100 pixels.
ItemRecord& GridPage(ItemList& list, int left = 0, double zoom = 1.0) {
  ItemRecord& page = test::AddPixelPage(list, 400, 300, left);
  test::ShowGridEvery(page, 100);
  page.setZoom(zoom);
  UpdatePageRect(page);
  SetDefaultAnchorLines(*FindVisibleByKind(list, kKindAnchors), page);
  return page;
}

ItemRecord& Anchors(ItemList& list) {
  return *FindVisibleByKind(list, kKindAnchors);
}

std::vector<int32_t> Positions(const std::vector<AnchorEntry>& lines) {
  std::vector<int32_t> positions;
  for (const AnchorEntry& a : lines) {
    if (a.deleted == 0) positions.push_back(a.position);
  }
  return positions;
}

CanvasTile Tile(Bitmap& bitmap, double zoom) {
  CanvasTile tile;
  tile.bitmap = &bitmap;
  tile.zoom = zoom;
  return tile;
}

TEST(GridLinesTest, LinesAreDrawnAcrossThePageUnderTheItems) {
  for (double zoom : {1.0, 0.5}) {
    SCOPED_TRACE(zoom);
    ItemList list(ScreenMetrics{96, 96});
    ItemRecord& page = GridPage(list, 0, zoom);
    Anchors(list).horizontalAnchors[2].deleted = 1;  // the line at 200 down
    test::AddShape(list, kKindRectangle, {{90, 40}, {150, 40}, {150, 80}, {90, 80}});
    Bitmap bitmap(page.boundWidth(), page.boundHeight());
    const CanvasTile tile = Tile(bitmap, zoom);
    PaintWindow(tile, list, tile.WholeTile());
    const auto at = [&](int x, int y) {
      const Point p = tile.ToCanvas({x, y});
      return bitmap.Pixel(p.x, p.y);
    };
    EXPECT_EQ(at(100, 10), kGridLineColour);
    EXPECT_EQ(at(300, 290), kGridLineColour);
    EXPECT_EQ(at(10, 100), kGridLineColour);
    EXPECT_EQ(at(20, 200), 0xFFFFFFu) << "a deleted line is not drawn";
    EXPECT_EQ(at(104, 10), 0xFFFFFFu);
    EXPECT_EQ(at(100, 60), 0u) << "the solid rectangle covers the line";
    // A region repaint draws the same lines as the full one.
    Bitmap again(bitmap.width(), bitmap.height());
    const CanvasTile second = Tile(again, zoom);
    PaintWindow(second, list, tile.WholeTile());
    PaintWindow(second, list, {95, 95, 105, 105});
    EXPECT_EQ(again.Pixel(tile.ToCanvas({100, 100}).x, tile.ToCanvas({100, 100}).y),
              kGridLineColour);

    // Each direction shows with its own switch.
    page.setGridHorizontal(0);
    PaintWindow(tile, list, tile.WholeTile());
    EXPECT_EQ(at(100, 10), 0xFFFFFFu);
    EXPECT_EQ(at(10, 100), kGridLineColour);
  }
}

TEST(GridLinesTest, ItemsOnALineAreThoseWithADefiningCoordinateWithinTwoPixels) {
  ItemList list(ScreenMetrics{96, 96});
  GridPage(list, 10);  // the page's edge is at position 10: position 110 is x 100
  ItemRecord& left =
      test::AddShape(list, kKindRectangle, {{102, 5}, {150, 5}, {150, 50}, {102, 50}});
  test::AddShape(list, kKindRectangle, {{103, 60}, {150, 60}, {150, 90}, {103, 90}});
  ItemRecord& line = test::AddItem(list, kKindLine, {20, 5}, {98, 40});
  ItemRecord& circle = test::AddShape(list, kKindCircle, {{70, 200}, {100, 200}});
  ItemRecord& ellipse = test::AddShape(list, kKindEllipse, {{100, 250}, {130, 250}, {100, 260}});
  test::AddShape(list, kKindEllipse, {{70, 250}, {100, 250}, {70, 260}});  // only its axis end
  ItemRecord& hidden = test::AddItem(list, kKindLine, {100, 5}, {100, 40});
  hidden.setHidden(255);
  EXPECT_EQ(ItemsOnLine(list, GridAxis::Vertical, 110),
            (std::vector<ItemRecord*>{&left, &line, &circle, &ellipse}));
  EXPECT_EQ(ItemsOnLine(list, GridAxis::Horizontal, 50), (std::vector<ItemRecord*>{&left}));
}

TEST(GridLinesTest, MovingALineMovesOnlyItsItemsInOneUndoStep) {
  ItemList list(ScreenMetrics{96, 96});
  GridPage(list);
  ItemRecord& onLine =
      test::AddShape(list, kKindRectangle, {{100, 10}, {160, 10}, {160, 50}, {100, 50}});
  test::AddShape(list, kKindRectangle, {{103, 60}, {160, 60}, {160, 90}, {103, 90}});
  ItemRecord& elsewhere =
      test::AddShape(list, kKindRectangle, {{250, 10}, {290, 10}, {290, 50}, {250, 50}});
  elsewhere.setSelected(255);
  const int32_t onLineId = onLine.itemId();
  EditObserver observer;

  ASSERT_TRUE(MoveGridLine(list, observer, GeometryContext{}, GridAxis::Vertical, 1, 130));
  EXPECT_EQ(Positions(Anchors(list).verticalAnchors),
            (std::vector<int32_t>{0, 130, 200, 300, 400}));
  std::vector<int32_t> lefts;
  for (const ItemRecord& r : list) {
    if (IsVisible(r) && r.kind() == kKindRectangle) lefts.push_back(r.points[0].point.x);
  }
  EXPECT_EQ(lefts, (std::vector<int32_t>{103, 250, 130})) << "only the item on the line moved";
  EXPECT_TRUE(IsSelected(elsewhere));
  EXPECT_EQ(CountSelected(list, false), 1);

  Undo(list, observer);
  EXPECT_EQ(Positions(Anchors(list).verticalAnchors),
            (std::vector<int32_t>{0, 100, 200, 300, 400}));
  EXPECT_TRUE(IsVisible(*FindById(list, onLineId)));
  Redo(list, observer);
  EXPECT_EQ(Anchors(list).verticalAnchors[1].position, 130);
  EXPECT_FALSE(IsVisible(*FindById(list, onLineId)));

  // Staying put is no step; hidden anchors move nothing.
  const std::size_t records = list.size();
  EXPECT_FALSE(MoveGridLine(list, observer, GeometryContext{}, GridAxis::Vertical, 1, 130));
  EXPECT_EQ(list.size(), records);
  list.PageRecord()->setAnchorsHorizontal(0);
  EXPECT_FALSE(MoveGridLine(list, observer, GeometryContext{}, GridAxis::Vertical, 1, 150));
}

TEST(GridLinesTest, DraggingThePageEdgeChangesTheDesignAreaAndFollowsWithTheGrid) {
  for (double zoom : {1.0, 0.5}) {
    SCOPED_TRACE(zoom);
    ItemList list(ScreenMetrics{96, 96});
    ItemRecord& page = GridPage(list, 0, zoom);
    EditObserver observer;
    // 100 zoomed pixels further: 100 page pixels at 100 %, 200 at 50 %.
    ASSERT_TRUE(DragPageEdge(list, observer, GridAxis::Vertical, PageEdge::Far, 100));
    const int32_t width = zoom == 1.0 ? 500 : 600;
    EXPECT_DOUBLE_EQ(page.designWidth(), width);
    EXPECT_EQ(page.boundWidth(), RoundToInt32(width * zoom));
    EXPECT_EQ(Positions(Anchors(list).verticalAnchors).back(), width);
    EXPECT_TRUE(IsModified(list));
    SetModified(list, false);
    // Not below 5 pixels.
    ASSERT_TRUE(DragPageEdge(list, observer, GridAxis::Horizontal, PageEdge::Far, -10000));
    EXPECT_EQ(page.boundHeight(), 5);
    EXPECT_TRUE(IsModified(list));
    SetModified(list, false);
    EXPECT_FALSE(DragPageEdge(list, observer, GridAxis::Horizontal, PageEdge::Far, 0));
    EXPECT_FALSE(IsModified(list));

    // The near edge moves the page and its lines with it, not before the desk's origin.
    ASSERT_TRUE(DragPageEdge(list, observer, GridAxis::Vertical, PageEdge::Near, 20));
    EXPECT_DOUBLE_EQ(page.designLeft(), 20 / zoom);
    EXPECT_EQ(Positions(Anchors(list).verticalAnchors).front(), RoundToInt32(20 / zoom));
    EXPECT_TRUE(DragPageEdge(list, observer, GridAxis::Vertical, PageEdge::Near, -500));
    EXPECT_DOUBLE_EQ(page.designLeft(), 0);
    EXPECT_EQ(Positions(Anchors(list).verticalAnchors).front(), 0);
  }
}

TEST(GridLinesTest, APageEdgeDragKeepsEarlierGridVersionsWithThePage) {
  ItemList list(ScreenMetrics{96, 96});
  GridPage(list);
  EditObserver observer;
  ASSERT_TRUE(InsertGridLine(list, observer, GridAxis::Vertical, 150));
  ASSERT_TRUE(DragPageEdge(list, observer, GridAxis::Vertical, PageEdge::Near, 30));
  Undo(list, observer);  // the insert, with the lines still where the page now is
  EXPECT_EQ(Positions(Anchors(list).verticalAnchors),
            (std::vector<int32_t>{30, 130, 230, 330, 430}));
}

}  // namespace
}  // namespace quillon
