// SPDX-License-Identifier: GPL-3.0-or-later
// The grid-line drag and the page-edge drag on a desk of their own: the strips over a bare
// desk view, the rulers and the read-out as plain values, no drawing window.
#include "canvas/DeskGestures.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "canvas/BitmapView.h"
#include "canvas/CanvasFixtures.h"
#include "document/History.h"

namespace quillon {
namespace {

constexpr int kPageLeft = 30;  // the page lies 30 pixels into the desk both ways
constexpr int kDeskWidth = 600;
constexpr int kDeskHeight = 400;
constexpr uint32_t kDeskGrey = 0x808080;
constexpr uint32_t kRed = 255;
constexpr uint32_t kBlue = 16742981;

// What a drag told the document's listeners last.
class RecordingObserver : public EditObserver {
 public:
  void UndoAvailable(bool available) override { undo = available; }
  void RedoAvailable(bool available) override { redo = available; }
  std::optional<bool> undo;
  std::optional<bool> redo;
};

// A 400 x 300 pixel page 30 pixels into a 600 x 400 desk, lines every 100 pixels, at 100 %.
class FakeDesk : public DeskContext {
 public:
  FakeDesk() : view_(nullptr), strips_(view_) {
    page_ = &test::AddPixelPage(list_, 400, 300, kPageLeft, kPageLeft);
    test::ShowGridEvery(*page_, 100);
    UpdatePageRect(*page_);
    SetDefaultAnchorLines(*FindVisibleByKind(list_, kKindAnchors), *page_);
    Bitmap desk(kDeskWidth, kDeskHeight);
    desk.Fill(kDeskGrey);
    view_.SetBitmap(std::move(desk));
    view_.resize(kDeskWidth, kDeskHeight);
    rulers[0] = {.units = 1, .pixelsPerUnit = 1, .pageStart = kPageLeft, .pageLength = 400};
    rulers[1] = {.units = 1, .pixelsPerUnit = 1, .pageStart = kPageLeft, .pageLength = 300};
    RepaintStrips();
  }

  ItemList& Items() override { return list_; }
  EditObserver& Events() override { return observer; }
  GeometryContext Geometry() const override { return {}; }
  DeskScale Scale() const override {
    return {.canvasOffset = {page_->boundLeft(), page_->boundTop()}, .zoom = 1.0};
  }
  Point DeskSize() const override { return {kDeskWidth, kDeskHeight}; }
  DeskStrips& Strips() override { return strips_; }
  void RepaintStrips() override { strips_.Repaint(list_, Scale()); }
  void GridChanged() override {
    ++gridChanges;
    RepaintStrips();
  }
  RulerScale RulerShown(GridAxis axis) const override { return rulers[int(axis)]; }
  void ShowOnRuler(GridAxis axis, const RulerScale& scale) override { rulers[int(axis)] = scale; }
  void ShowReadout(GridAxis, QPoint, const QString& text) override { readout = text; }
  void HideReadout() override { readout.reset(); }
  void PageEdgeDropped(bool changed) override { dropped.push_back(changed); }

  ItemRecord& Page() { return *page_; }
  std::vector<int32_t> Live(GridAxis axis) {
    std::vector<int32_t> positions;
    for (const AnchorEntry& a : LinesOf(*FindVisibleByKind(list_, kKindAnchors), axis)) {
      if (a.deleted == 0) positions.push_back(a.position);
    }
    return positions;
  }
  uint32_t DeskPixel(Point p) const { return view_.bitmap().Pixel(p.x, p.y); }

  RecordingObserver observer;
  std::array<RulerScale, 2> rulers;
  std::optional<QString> readout;
  std::vector<bool> dropped;
  int gridChanges = 0;

 private:
  ItemList list_{ScreenMetrics{96, 96}};
  ItemRecord* page_ = nullptr;
  BitmapView view_;
  DeskStrips strips_;
};

PointerInput At(Point p) {
  return {.raw = p, .snapped = p};
}

// A point on the strip of the axis, `along` pixels along it.
Point OnStrip(GridAxis axis, int32_t along) {
  return axis == GridAxis::Vertical ? Point{along, 4} : Point{4, along};
}

struct LineDragCase {
  const char* name;
  GridAxis axis;
  int32_t releaseAt;  // along the strip
  int32_t expected;   // the dragged line's position afterwards
};

TEST(DeskGesturesTest, AGridLineFollowsThePointerAndMovesOnRelease) {
  const LineDragCase cases[] = {
      {"vertical line", GridAxis::Vertical, 160, 160},
      {"horizontal line", GridAxis::Horizontal, 170, 170},
      {"vertical line past the desk", GridAxis::Vertical, 5000, kDeskWidth - 1},
      {"horizontal line past the desk", GridAxis::Horizontal, 5000, kDeskHeight - 1},
      {"before the desk", GridAxis::Horizontal, -40, 0},
  };
  for (const LineDragCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDesk desk;
    EXPECT_EQ(desk.DeskPixel(OnStrip(c.axis, 130)), kBlue) << "every anchor shows its mark";
    EXPECT_EQ(GridLineDragFor(desk), nullptr) << "no anchor is highlighted";
    ASSERT_TRUE(desk.Strips().Hover(desk.Items(), desk.Scale(), OnStrip(c.axis, 131)));
    std::unique_ptr<Gesture> drag = GridLineDragFor(desk);
    ASSERT_NE(drag, nullptr);
    drag->Press(At(OnStrip(c.axis, 130)));
    drag->Move(At(OnStrip(c.axis, 145)));
    EXPECT_EQ(desk.DeskPixel(OnStrip(c.axis, 145)), kRed) << "the mark follows the pointer";
    EXPECT_EQ(desk.DeskPixel(OnStrip(c.axis, 130)), kDeskGrey) << "and left its place";
    EXPECT_FALSE(drag->Finished());

    drag->Release(At(OnStrip(c.axis, c.releaseAt)));
    EXPECT_TRUE(drag->Finished());
    EXPECT_EQ(desk.Live(c.axis)[1], c.expected);
    EXPECT_EQ(desk.gridChanges, 1);
    EXPECT_EQ(desk.observer.undo, std::optional<bool>(true)) << "the step is announced";
    EXPECT_EQ(desk.DeskPixel(OnStrip(c.axis, 145)), kDeskGrey) << "no mark follows any more";
    Undo(desk.Items(), desk.observer);
    EXPECT_EQ(desk.Live(c.axis)[1], 130);
  }
}

TEST(DeskGesturesTest, EscapeOrCancelPutTheDraggedMarkBackAndChangeNothing) {
  for (bool escape : {true, false}) {
    SCOPED_TRACE(escape ? "Esc" : "cancelled");
    FakeDesk desk;
    desk.Strips().Hover(desk.Items(), desk.Scale(), OnStrip(GridAxis::Vertical, 131));
    std::unique_ptr<Gesture> drag = GridLineDragFor(desk);
    ASSERT_NE(drag, nullptr);
    drag->Press(At(OnStrip(GridAxis::Vertical, 130)));
    drag->Move(At(OnStrip(GridAxis::Vertical, 180)));
    const std::size_t records = desk.Items().size();
    escape ? drag->Escape() : drag->Cancel();
    EXPECT_TRUE(drag->Finished());
    EXPECT_EQ(desk.Live(GridAxis::Vertical), (std::vector<int32_t>{30, 130, 230, 330, 430}));
    EXPECT_EQ(desk.Items().size(), records) << "no step was opened";
    EXPECT_FALSE(CanUndo(desk.Items()));
    EXPECT_EQ(desk.gridChanges, 0);
    EXPECT_EQ(desk.DeskPixel(OnStrip(GridAxis::Vertical, 180)), kDeskGrey);
    EXPECT_EQ(desk.DeskPixel(OnStrip(GridAxis::Vertical, 130)), kRed)
        << "the line's own mark is back, still highlighted";
  }
}

struct EdgeCase {
  const char* name;
  GridAxis axis;
  int32_t press;  // along the ruler
  std::optional<PageEdge> edge;
};

TEST(DeskGesturesTest, APressWithinFivePixelsOfAPageEdgeGrabsIt) {
  // The page spans 30 .. 430 across and 30 .. 330 down.
  const EdgeCase cases[] = {
      {"far edge, right", GridAxis::Vertical, 435, PageEdge::Far},
      {"far edge, left", GridAxis::Vertical, 425, PageEdge::Far},
      {"beyond reach", GridAxis::Vertical, 436, std::nullopt},
      {"inside the page", GridAxis::Vertical, 200, std::nullopt},
      {"near edge", GridAxis::Vertical, 25, PageEdge::Near},
      {"near edge, inside", GridAxis::Vertical, 35, PageEdge::Near},
      {"bottom edge", GridAxis::Horizontal, 332, PageEdge::Far},
      {"bottom edge is not across", GridAxis::Horizontal, 432, std::nullopt},
      {"top edge", GridAxis::Horizontal, 28, PageEdge::Near},
  };
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDesk desk;
    EXPECT_EQ(PageEdgeNear(desk, c.axis, c.press), c.edge);
    const Point at = c.axis == GridAxis::Vertical ? Point{c.press, 5} : Point{5, c.press};
    EXPECT_EQ(PageEdgeDragFor(desk, c.axis, at) != nullptr, c.edge.has_value());
  }
  // A page narrower than the reach: the far edge wins.
  FakeDesk desk;
  desk.Page().setDesignWidth(4);
  UpdatePageRect(desk.Page());
  EXPECT_EQ(PageEdgeNear(desk, GridAxis::Vertical, 31), PageEdge::Far);
}

struct PageDragCase {
  const char* name;
  GridAxis axis;
  int32_t press;
  const char* readout;  // the read-out's start while dragging the far edge; null for none
  RulerScale shown;     // what the ruler shows 50 pixels further on
};

TEST(DeskGesturesTest, APageEdgeDragShowsTheNewExtentOnTheRulerAndChangesThePageOnRelease) {
  const PageDragCase cases[] = {
      {"width", GridAxis::Vertical, 432, "Width: ", {.pageStart = 30, .pageLength = 450}},
      {"height", GridAxis::Horizontal, 332, "Height: ", {.pageStart = 30, .pageLength = 350}},
      {"left", GridAxis::Vertical, 30, nullptr, {.pageStart = 80, .pageLength = 400}},
      {"top", GridAxis::Horizontal, 30, nullptr, {.pageStart = 80, .pageLength = 300}},
  };
  for (const PageDragCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDesk desk;
    const auto at = [&](int32_t along) {
      return At(c.axis == GridAxis::Vertical ? Point{along, 5} : Point{5, along});
    };
    std::unique_ptr<Gesture> drag = PageEdgeDragFor(desk, c.axis, at(c.press).raw);
    ASSERT_NE(drag, nullptr);
    drag->Press(at(c.press));
    EXPECT_EQ(desk.readout.has_value(), c.readout != nullptr) << "shown at the press";
    drag->Move(at(c.press + 50));
    const RulerScale& shown = desk.rulers[int(c.axis)];
    EXPECT_EQ(shown.pageStart, c.shown.pageStart);
    EXPECT_EQ(shown.pageLength, c.shown.pageLength);
    if (c.readout != nullptr) {
      ASSERT_TRUE(desk.readout.has_value());
      EXPECT_TRUE(desk.readout->startsWith(QLatin1String(c.readout)))
          << desk.readout->toStdString();
    } else {
      EXPECT_FALSE(desk.readout.has_value());
    }
    EXPECT_FALSE(IsModified(desk.Items())) << "the page changes on release only";

    drag->Release(at(c.press + 50));
    EXPECT_TRUE(drag->Finished());
    EXPECT_FALSE(desk.readout.has_value());
    EXPECT_EQ(desk.dropped, (std::vector<bool>{true}));
    EXPECT_TRUE(IsModified(desk.Items()));
    EXPECT_EQ(desk.observer.redo, std::optional<bool>(false)) << "the redo history went";
    const ItemRecord& page = desk.Page();
    const Point far{page.boundLeft() + page.boundWidth(), page.boundTop() + page.boundHeight()};
    const Point near{page.boundLeft(), page.boundTop()};
    const Point expected{c.shown.pageStart + c.shown.pageLength, c.shown.pageStart};
    EXPECT_EQ(AlongAxis(c.axis, far), expected.x);
    EXPECT_EQ(AlongAxis(c.axis, near), expected.y);
  }
}

TEST(DeskGesturesTest, EscapeOrCancelGiveTheRulerBackItsScaleAndKeepThePage) {
  for (bool escape : {true, false}) {
    SCOPED_TRACE(escape ? "Esc" : "cancelled");
    FakeDesk desk;
    const RulerScale before = desk.rulers[0];
    std::unique_ptr<Gesture> drag = PageEdgeDragFor(desk, GridAxis::Vertical, {430, 5});
    ASSERT_NE(drag, nullptr);
    drag->Press(At({430, 5}));
    drag->Move(At({480, 5}));
    ASSERT_TRUE(desk.readout.has_value());
    escape ? drag->Escape() : drag->Cancel();
    EXPECT_TRUE(drag->Finished());
    EXPECT_FALSE(desk.readout.has_value());
    EXPECT_EQ(desk.rulers[0].pageLength, before.pageLength);
    EXPECT_EQ(desk.Page().boundWidth(), 400);
    EXPECT_FALSE(IsModified(desk.Items()));
    EXPECT_TRUE(desk.dropped.empty());
  }
}

}  // namespace
}  // namespace quillon
