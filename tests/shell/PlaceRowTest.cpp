// SPDX-License-Identifier: GPL-3.0-or-later
// The side panel's "Position and size" row driven as a user drives it: an item clicked on the
// canvas, values typed into the fields and confirmed with Return or by leaving the field.
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStackedWidget>

#include "canvas/BitmapView.h"
#include "canvas/CanvasFixtures.h"
#include "canvas/SandboxView.h"
#include "document/DocumentFile.h"
#include "document/History.h"
#include "document/PageSetup.h"
#include "render/Coordinates.h"
#include "settings/ui/PlaceRow.h"
#include "settings/ui/PropertyPanels.h"
#include "shell/ShellFixture.h"
#include "shell/SidePanel.h"
#include "support/Wait.h"

namespace quillon {
namespace {

using Points = std::vector<Point>;

class PlaceRowTest : public test::ShellTest {
 protected:
  // A millimetre page (96 dots per inch: 25.4 mm are 96 pixels) with a square and a line.
  void OpenDrawing() {
    ItemList list(ScreenMetrics{96, 96});
    ItemRecord& page = test::AddPixelPage(list, 800, 600);
    page.setPageUnits(kUnitMillimetres);
    page.setPixelsPerUnitX(96 / 25.4);
    page.setPixelsPerUnitY(96 / 25.4);
    test::AddShape(list, kKindSquare, {{192, 96}, {288, 96}, {288, 192}, {192, 192}});
    ItemRecord& line = test::AddItem(list, kKindLine, {96, 400}, {288, 400});
    line.setDirection(-1);
    const QString path = Path("place.qlln");
    ASSERT_TRUE(WriteDocument(path, list).ok());
    form_->OpenDocumentWindow(path);
    window_ = form_->ActiveWindow();
    ASSERT_NE(window_, nullptr);
    canvas_ = window_->findChild<BitmapView*>(QStringLiteral("Image1"));
    ASSERT_NE(canvas_, nullptr);
    ASSERT_TRUE(test::WaitUntil([&] { return !window_->RenderingProgressively(); }));
    opened_ = NextTransaction(window_->GetItems());
  }

  void Click(Point document) {
    const Point p = ToWindowPoint(document, window_->GetZoom(), window_->View().TileOrigin());
    const QPointF local(p.x, p.y);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, local, canvas_->mapToGlobal(local), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                        Qt::NoModifier);
      QApplication::sendEvent(canvas_, &event);
    }
    test::RunQueued();
  }

  PlaceRow* Row() {
    auto* panel = qobject_cast<PropertyPanel*>(form_->Side().Stack()->currentWidget());
    return panel != nullptr ? panel->Place() : nullptr;
  }
  QLineEdit* Field(PlaceField field) { return Row()->Field(field); }
  QStringList Shown() {
    QStringList shown;
    for (PlaceField f :
         {PlaceField::X, PlaceField::Y, PlaceField::Width, PlaceField::Height, PlaceField::Angle})
      shown << Field(f)->text();
    return shown;
  }

  // Types into a field as the user does, then confirms with Return.
  void Type(PlaceField field, const QString& text) {
    QLineEdit* edit = Field(field);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    test::RunQueued();
  }

  const ItemRecord* Visible(int32_t kind) {
    for (const ItemRecord& r : window_->GetItems()) {
      if (IsVisible(r) && r.kind() == kind) return &r;
    }
    return nullptr;
  }
  // The square, which becomes a rectangle once it is stretched unevenly.
  const ItemRecord* Box() {
    const ItemRecord* square = Visible(kKindSquare);
    return square != nullptr ? square : Visible(kKindRectangle);
  }
  static Points PointsOf(const ItemRecord* r) {
    Points points;
    for (const PointEntry& e : r->points)
      points.push_back(e.point);
    return points;
  }
  // Edit steps made since the drawing was opened (undoing to count them would also drop the
  // selection the row shows).
  int Steps() { return NextTransaction(window_->GetItems()) - opened_; }

  TSandbox* window_ = nullptr;
  BitmapView* canvas_ = nullptr;
  int32_t opened_ = 0;
};

TEST_F(PlaceRowTest, TheRowShowsTheSelectionAndTypedValuesMoveResizeAndTurnIt) {
  OpenDrawing();
  Click({240, 96});
  ASSERT_NE(Row(), nullptr);
  EXPECT_EQ(Row()->title(), QStringLiteral("Position and size"));
  EXPECT_EQ(Shown(), (QStringList{"50.8", "25.4", "25.4", "25.4", "0"}));

  struct Step {
    PlaceField field;
    const char* text;
    Points expected;
    QStringList shown;
  };
  const Step steps[] = {
      {PlaceField::X,
       "25,4",
       {{96, 96}, {192, 96}, {192, 192}, {96, 192}},
       {"25.4", "25.4", "25.4", "25.4", "0"}},
      {PlaceField::Width,
       "50.8",
       {{96, 96}, {288, 96}, {288, 192}, {96, 192}},
       {"25.4", "25.4", "50.8", "25.4", "0"}},
      {PlaceField::Angle,
       "90",
       {{144, 240}, {144, 48}, {240, 48}, {240, 240}},
       {"38", "12.7", "25.4", "50.8", "90"}},
  };
  int made = 0;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.text);
    Type(s.field, QString::fromLatin1(s.text));
    ++made;
    const ItemRecord* shape = Box();
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(PointsOf(shape), s.expected);
    EXPECT_EQ(Shown(), s.shown);
    EXPECT_EQ(Steps(), made);
  }
  // One Undo takes back the turn alone.
  Trigger("Undo1");
  test::RunQueued();
  ASSERT_NE(Box(), nullptr);
  EXPECT_EQ(PointsOf(Box()), (Points{{96, 96}, {288, 96}, {288, 192}, {96, 192}}));
}

TEST_F(PlaceRowTest, LettersTurnTheFieldRedWithASentenceAndChangeNothing) {
  OpenDrawing();
  Click({200, 400});
  ASSERT_NE(Row(), nullptr);
  EXPECT_EQ(Shown(), (QStringList{"25.4", "105.8", "50.8", "0", "0"}));
  Type(PlaceField::Width, QStringLiteral("wide"));
  EXPECT_TRUE(Row()->Refused(PlaceField::Width));
  EXPECT_EQ(Row()->Problem(),
            QStringLiteral("Width: \"wide\" is not a size; type a number of millimetres, such as "
                           "85 or 85.5."));
  EXPECT_FALSE(Field(PlaceField::Width)->styleSheet().isEmpty());
  EXPECT_EQ(Steps(), 0);
  EXPECT_FALSE(IsModified(window_->GetItems()));
  // A level line has no height to scale.
  Type(PlaceField::Height, QStringLiteral("5"));
  EXPECT_TRUE(Row()->Refused(PlaceField::Height));
  EXPECT_EQ(Row()->Problem(),
            QStringLiteral("The selection has no height to scale; type its width instead."));
  EXPECT_EQ(Steps(), 0);
  // A good value clears the mark and is applied; leaving the field applies as Return does.
  Type(PlaceField::Width, QStringLiteral("76.2"));
  EXPECT_FALSE(Row()->Refused(PlaceField::Width));
  EXPECT_FALSE(Row()->Refused(PlaceField::Height));  // the row was filled afresh
  EXPECT_TRUE(Row()->Problem().isEmpty());
  EXPECT_EQ(test::BoxOf(*Visible(kKindLine)), (test::Box{96, 400, 384, 400}));
  QLineEdit* x = Field(PlaceField::X);
  x->selectAll();
  QTest::keyClicks(x, QStringLiteral("0"));
  QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(x, &leave);
  test::RunQueued();
  EXPECT_EQ(test::BoxOf(*Visible(kKindLine)), (test::Box{0, 400, 288, 400}));
  EXPECT_EQ(Steps(), 2);
}

}  // namespace
}  // namespace quillon
