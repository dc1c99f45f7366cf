// SPDX-License-Identifier: GPL-3.0-or-later
// The grid in a real drawing window: anchors on the desk's strips under the pointer, the
// Delete key, Shift-click, dragging an anchor and the page's edges on the rulers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "canvas/BitmapView.h"
#include "canvas/CanvasFixtures.h"
#include "canvas/Ruler.h"
#include "canvas/SandboxView.h"
#include "document/History.h"
#include "support/Wait.h"

namespace quillon {
namespace {

constexpr int kPageLeft = 30;  // the page lies 30 pixels into the desk both ways

class GridInteractionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ItemRecord& page = test::AddPixelPage(list_, 400, 300, kPageLeft, kPageLeft);
    test::ShowGridEvery(page, 100);
    UpdatePageRect(page);
    SetDefaultAnchorLines(*FindVisibleByKind(list_, kKindAnchors), page);
  }

  void Open() {
    const QString path = dir_.filePath(QStringLiteral("grid.qlln"));
    ASSERT_TRUE(WriteDocument(path, list_).ok());
    window_ = host_.Open(path);
    desk_ = window_->findChild<BitmapView*>(QStringLiteral("background1"));
    rulerX_ = window_->findChild<Ruler*>(QStringLiteral("rulerX"));
    ASSERT_NE(desk_, nullptr);
    ASSERT_NE(rulerX_, nullptr);
    Settle();
  }
  void Settle() {
    ASSERT_TRUE(test::WaitUntil([&] { return !window_->RenderingProgressively(); }));
  }

  static void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::KeyboardModifiers m = {}) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button,
                      type == QEvent::MouseMove ? Qt::NoButton : buttons, m);
    QApplication::sendEvent(target, &event);
  }
  void DeskMove(QPoint at) { Send(desk_, QEvent::MouseMove, at); }
  void DeskPress(QPoint at) { Send(desk_, QEvent::MouseButtonPress, at); }
  void DeskRelease(QPoint at, Qt::KeyboardModifiers m = {}) {
    Send(desk_, QEvent::MouseButtonRelease, at, m);
  }

  ItemList& Items() { return window_->GetItems(); }
  ItemRecord& Anchors() { return *FindVisibleByKind(Items(), kKindAnchors); }
  std::vector<int32_t> Live(GridAxis axis) {
    std::vector<int32_t> positions;
    for (const AnchorEntry& a : LinesOf(Anchors(), axis)) {
      if (a.deleted == 0) positions.push_back(a.position);
    }
    return positions;
  }
  std::vector<int32_t> RectangleLefts() {
    std::vector<int32_t> lefts;
    for (const ItemRecord& r : Items()) {
      if (IsVisible(r) && r.kind() == kKindRectangle) lefts.push_back(r.points[0].point.x);
    }
    return lefts;
  }

  QTemporaryDir dir_;
  test::FakeHost host_;
  ItemList list_{ScreenMetrics{96, 96}};
  TSandbox* window_ = nullptr;
  BitmapView* desk_ = nullptr;
  Ruler* rulerX_ = nullptr;
};

// At 100 % with no scrolling a line's mark sits at the desk x of its position.
TEST_F(GridInteractionTest, AnAnchorHighlightsUnderThePointerAndNotAfterItLeaves) {
  ItemRecord& box = test::AddRectangle(list_, {150, 150}, {200, 200});
  box.setSelected(255);
  Open();
  const uint32_t blue = desk_->bitmap().Pixel(130, 4);
  EXPECT_EQ(blue, 16742981u) << "every anchor shows its blue mark";
  DeskMove({131, 5});
  EXPECT_EQ(HighlightedAnchor(Anchors(), GridAxis::Vertical), 1);
  EXPECT_EQ(desk_->bitmap().Pixel(130, 4), 255u) << "the highlighted mark is red";
  DeskMove({5, 229});  // the left strip: the horizontal line at 230
  EXPECT_EQ(HighlightedAnchor(Anchors(), GridAxis::Vertical), -1);
  EXPECT_EQ(HighlightedAnchor(Anchors(), GridAxis::Horizontal), 2);
  DeskMove({300, 20});  // the desk below the strip
  EXPECT_EQ(HighlightedAnchor(Anchors(), GridAxis::Horizontal), -1);

  // Onto the canvas (the desk is left): Delete then takes the selection, not the grid line.
  DeskMove({131, 5});
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(desk_, &leave);
  EXPECT_EQ(HighlightedAnchor(Anchors(), GridAxis::Vertical), -1);
  EXPECT_NE(desk_->bitmap().Pixel(130, 4), 255u);
  window_->KeyDown(Qt::Key_Delete, {});
  EXPECT_EQ(Live(GridAxis::Vertical), (std::vector<int32_t>{30, 130, 230, 330, 430}));
  EXPECT_TRUE(RectangleLefts().empty());

  // Anchors hidden: nothing highlights, and the strip shows no marks.
  window_->SetGuides(Guides::Anchors, 0);
  DeskMove({131, 5});
  EXPECT_EQ(HighlightedAnchor(Anchors(), GridAxis::Vertical), -1);
  EXPECT_NE(desk_->bitmap().Pixel(130, 4), blue);
}

TEST_F(GridInteractionTest, DeleteRemovesTheHighlightedLineAndShiftClickAddsOne) {
  ItemRecord& box = test::AddRectangle(list_, {150, 150}, {200, 200});
  box.setSelected(255);
  Open();
  DeskMove({230, 3});
  window_->KeyDown(Qt::Key_Delete, {});
  EXPECT_EQ(Live(GridAxis::Vertical), (std::vector<int32_t>{30, 130, 330, 430}));
  EXPECT_EQ(RectangleLefts(), (std::vector<int32_t>{150})) << "the selection stays";
  EXPECT_TRUE(host_.undo);

  DeskMove({175, 3});
  DeskRelease({175, 3}, Qt::ShiftModifier);
  EXPECT_EQ(Live(GridAxis::Vertical), (std::vector<int32_t>{30, 130, 330, 430, 175}));
  DeskRelease({4, 80}, Qt::ShiftModifier);
  EXPECT_EQ(Live(GridAxis::Horizontal), (std::vector<int32_t>{30, 130, 230, 330, 80}));
  DeskRelease({60, 4});  // without Shift nothing is added
  EXPECT_EQ(Live(GridAxis::Vertical).size(), 5u);

  window_->Run(Undo);
  window_->Run(Undo);
  window_->Run(Undo);
  EXPECT_EQ(Live(GridAxis::Vertical), (std::vector<int32_t>{30, 130, 230, 330, 430}));

  // The horizontal grid hidden: Shift-click on the top strip adds nothing.
  window_->SetGuides(Guides::Grid, 2);
  DeskRelease({175, 3}, Qt::ShiftModifier);
  EXPECT_EQ(Live(GridAxis::Vertical).size(), 5u);
}

TEST_F(GridInteractionTest, DraggingAnAnchorMovesItsLineAndTheItemsOnIt) {
  test::AddRectangle(list_, {100, 20}, {160, 60});    // its left side lies on the line at 130
  test::AddRectangle(list_, {103, 100}, {160, 140});  // 3 pixels off: stays
  ItemRecord& other = test::AddRectangle(list_, {250, 20}, {290, 60});
  other.setSelected(255);
  Open();
  DeskMove({130, 4});
  DeskPress({130, 4});
  DeskMove({145, 4});
  EXPECT_EQ(desk_->bitmap().Pixel(145, 4), 255u) << "the red mark follows the pointer";
  DeskMove({160, 4});
  DeskRelease({160, 4});
  EXPECT_EQ(Live(GridAxis::Vertical), (std::vector<int32_t>{30, 160, 230, 330, 430}));
  EXPECT_EQ(RectangleLefts(), (std::vector<int32_t>{103, 250, 130}));
  EXPECT_EQ(CountSelected(Items(), false), 1);
  EXPECT_EQ(window_->View().Canvas().Pixel(130, 80), kGridLineColour) << "canvas x 130 is position 160";

  window_->Run(Undo);
  EXPECT_EQ(Live(GridAxis::Vertical), (std::vector<int32_t>{30, 130, 230, 330, 430}));
  EXPECT_EQ(RectangleLefts(), (std::vector<int32_t>{100, 103, 250}));

  // Released far outside the strip, the line stays within the strip's span.
  DeskMove({130, 4});
  DeskPress({130, 4});
  DeskRelease({5000, 4});
  EXPECT_EQ(Live(GridAxis::Vertical)[1], desk_->width() - 1);
}

TEST_F(GridInteractionTest, DraggingThePageEdgeOnTheRulerStretchesThePageAndMarksItModified) {
  Open();
  for (double zoom : {1.0, 0.5}) {
    SCOPED_TRACE(zoom);
    host_.params.zoom = zoom;
    window_->ZoomChanged();
    Settle();
    ItemRecord& page = *Items().PageRecord();
    const double before = page.designWidth();
    const int far = window_->View().CanvasOffset().x + page.boundWidth();
    Send(rulerX_, QEvent::MouseMove, {far + 2, 5});
    EXPECT_EQ(rulerX_->cursor().shape(), Qt::SizeHorCursor);
    Send(rulerX_, QEvent::MouseButtonPress, {far + 2, 5});
    Send(rulerX_, QEvent::MouseMove, {far + 52, 5});
    auto* readout = window_->findChild<QLabel*>(QStringLiteral("Hint1"));
    ASSERT_NE(readout, nullptr);
    EXPECT_TRUE(readout->isVisible());
    EXPECT_TRUE(readout->text().startsWith(QStringLiteral("Width: ")))
        << readout->text().toStdString();
    EXPECT_FALSE(IsModified(Items()));
    Send(rulerX_, QEvent::MouseButtonRelease, {far + 52, 5});
    EXPECT_FALSE(readout->isVisible());
    EXPECT_DOUBLE_EQ(page.designWidth(), before + 50 / zoom);
    EXPECT_TRUE(IsModified(Items()));
    EXPECT_EQ(Live(GridAxis::Vertical).back(),
              kPageLeft + static_cast<int>(page.designWidth()) / 100 * 100);
    EXPECT_EQ(window_->View().Canvas().width(), page.boundWidth());
    SetModified(Items(), false);
  }
}

TEST_F(GridInteractionTest, PointsRoundToPagePixelsWithSnappingOffAndSnapWithItOn) {
  Open();
  host_.params.zoom = 2.0;
  window_->ZoomChanged();
  Settle();
  const Point off = window_->SnapPoint({101, 53});
  EXPECT_EQ(off.x % 2, 0);
  EXPECT_EQ(off.y % 2, 0);
  window_->SetGuides(Guides::Snap, 3);
  // Position 130 is document 100, canvas 200 at 200 %.
  EXPECT_EQ(window_->SnapPoint({201 - window_->View().TileOrigin().x, 170}),
            (Point{200 - window_->View().TileOrigin().x, 200 - window_->View().TileOrigin().y}));
}

}  // namespace
}  // namespace quillon
