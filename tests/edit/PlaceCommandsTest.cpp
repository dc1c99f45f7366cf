// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit/PlaceCommands.h"

#include <gtest/gtest.h>

#include <QString>
#include <numbers>
#include <vector>

#include "document/EditCommands.h"
#include "document/History.h"
#include "document/PageSetup.h"
#include "render/Outlines.h"
#include "render/ShapeBounds.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

using Points = std::vector<Point>;

Points PointsOf(const ItemRecord& r) {
  Points points;
  for (const PointEntry& e : r.points)
    points.push_back(e.point);
  return points;
}

// A millimetre page at 96 dots per inch: 25.4 mm are 96 document pixels.
class PlaceCommandsTest : public ::testing::Test {
 public:
  void SetUp() override {
    page = &test::AddPage(list);
    SetModified(list, false);
  }

  ItemRecord& Shape(int32_t kind, const Points& points) {
    ItemRecord& r = NewItem(list, kind, observer);
    for (Point p : points) {
      PointEntry& e = NewPoint(r.points);
      e.point = e.pointAtDragStart = p;
    }
    r.setShapeStyle(2);
    RecomputeBounds(r, context);
    return r;
  }

  ItemRecord& Segment(int32_t kind, Point a, Point b) {
    ItemRecord& r = NewItem(list, kind, observer);
    r.setX1(a.x), r.setY1(a.y), r.setX2(b.x), r.setY2(b.y);
    r.setFontSize(10);
    BoundsAfterTransform(r, context);
    return r;
  }

  void Select(std::initializer_list<ItemRecord*> items) {
    SelectOnly(list, nullptr);
    for (ItemRecord* r : items)
      r->setSelected(255);
  }

  // The selected records that are not group frames, in list order.
  std::vector<ItemRecord*> Selected() {
    std::vector<ItemRecord*> items;
    for (ItemRecord* r : SelectedRecords(list)) {
      if (r->kind() != kKindGroupFrame) items.push_back(r);
    }
    return items;
  }

  QString Shown(PlaceField field) {
    const auto place = SelectionPlaceOf(list, context);
    if (!place) return QStringLiteral("none");
    const PlaceUnits units = PlaceUnitsOf(list);
    return FormatFieldValue(field, FieldValue(*place, field, units), units.units);
  }

  ItemList list;
  EditObserver observer;
  GeometryContext context;
  ItemRecord* page = nullptr;
};

const Points kRectangle{{100, 100}, {300, 100}, {300, 200}, {100, 200}};

struct ShapeCase {
  const char* name;
  PlaceField field;
  double value;  // millimetres or degrees
  Points expected;
};

TEST_F(PlaceCommandsTest, ARectangleMovesAndResizesToTheTypedMillimetresExactly) {
  const ShapeCase cases[] = {
      {"X", PlaceField::X, 25.4, {{96, 100}, {296, 100}, {296, 200}, {96, 200}}},
      {"Y", PlaceField::Y, 50.8, {{100, 192}, {300, 192}, {300, 292}, {100, 292}}},
      {"width about the left edge",
       PlaceField::Width,
       101.6,
       {{100, 100}, {484, 100}, {484, 200}, {100, 200}}},
      {"height about the top edge",
       PlaceField::Height,
       12.7,
       {{100, 100}, {300, 100}, {300, 148}, {100, 148}}},
      {"a quarter turn about the centre",
       PlaceField::Angle,
       90,
       {{150, 250}, {150, 50}, {250, 50}, {250, 250}}},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    list.Clear();
    SetUp();
    Select({&Shape(kKindRectangle, kRectangle)});
    const int32_t step = NextTransaction(list);
    EXPECT_TRUE(ApplyPlace(list, observer, c.field, c.value, context));
    EXPECT_EQ(NextTransaction(list), step + 1);
    EXPECT_TRUE(IsModified(list));
    ASSERT_EQ(Selected().size(), 1u);
    EXPECT_EQ(PointsOf(*Selected().front()), c.expected);
    Undo(list, observer);
    const ItemRecord* restored = FindVisibleByKind(list, kKindRectangle);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(PointsOf(*restored), kRectangle);
  }
}

TEST_F(PlaceCommandsTest, TheRowShowsTheOutlineBoxInTheDocumentsUnitWithoutHandleMargins) {
  Select({&Shape(kKindRectangle, kRectangle)});
  SetModified(list, false);
  // The shortest millimetres that read back to the same pixels.
  EXPECT_EQ(Shown(PlaceField::X), QStringLiteral("26.5"));  // 100 px
  EXPECT_EQ(Shown(PlaceField::Y), QStringLiteral("26.5"));
  EXPECT_EQ(Shown(PlaceField::Width), QStringLiteral("53"));  // 200 px
  EXPECT_EQ(Shown(PlaceField::Height), QStringLiteral("26.5"));
  EXPECT_EQ(Shown(PlaceField::Angle), QStringLiteral("0"));
  // What the row shows reads back to the same pixels: applying it records nothing.
  const int32_t step = NextTransaction(list);
  for (PlaceField field : {PlaceField::X, PlaceField::Y, PlaceField::Width, PlaceField::Height}) {
    const auto input = ParsePlaceField(field, Shown(field), kUnitMillimetres);
    ASSERT_TRUE(input.value.has_value());
    EXPECT_FALSE(ApplyPlace(list, observer, field, *input.value, context));
  }
  EXPECT_EQ(NextTransaction(list), step);
  EXPECT_FALSE(IsModified(list));

  page->setPageUnits(kUnitInches);
  page->setPixelsPerUnitX(96);
  page->setPixelsPerUnitY(96);
  EXPECT_EQ(Shown(PlaceField::Width), QStringLiteral("2.08"));
  page->setPageUnits(kUnitPixels);
  page->setPixelsPerUnitX(1);
  page->setPixelsPerUnitY(1);
  EXPECT_EQ(Shown(PlaceField::X), QStringLiteral("100"));

  // A typed value shows as typed, though it became whole pixels (20 mm are 75.6 pixels).
  page->setPageUnits(kUnitMillimetres);
  page->setPixelsPerUnitX(96 / 25.4);
  page->setPixelsPerUnitY(96 / 25.4);
  ASSERT_TRUE(ApplyPlace(list, observer, PlaceField::X, 20, context));
  EXPECT_EQ(FirstSelected(list)->points.at(0).point.x, 76);
  EXPECT_EQ(Shown(PlaceField::X), QStringLiteral("20"));
}

TEST_F(PlaceCommandsTest, TurnedItemsKeepTheirTurnAndShowIt) {
  ItemRecord& line = Segment(kKindLine, {100, 100}, {200, 100});
  Select({&line});
  ASSERT_TRUE(ApplyPlace(list, observer, PlaceField::Angle, 90, context));
  EXPECT_EQ(test::BoxOf(*Selected().front()), (test::Box{150, 150, 150, 50}));
  EXPECT_EQ(Shown(PlaceField::Angle), QStringLiteral("90"));

  ItemRecord& text = Segment(kKindText, {100, 300}, {200, 300});
  Select({&text});
  ASSERT_TRUE(ApplyPlace(list, observer, PlaceField::Angle, 45, context));
  EXPECT_EQ(Selected().front()->textAngle(), 450);
  EXPECT_EQ(Shown(PlaceField::Angle), QStringLiteral("45"));

  ItemRecord& picture = Segment(kKindPicture, {100, 400}, {200, 480});
  picture.setScaleX(1);
  picture.setScaleY(1);
  Select({&picture});
  ASSERT_TRUE(ApplyPlace(list, observer, PlaceField::Angle, 30, context));
  ItemRecord* turned = Selected().front();
  EXPECT_DOUBLE_EQ(turned->rotation(), 30 * std::numbers::pi / 180);
  EXPECT_EQ(test::BoxOf(*turned), (test::Box{100, 400, 200, 480}));
  EXPECT_EQ(Shown(PlaceField::Angle), QStringLiteral("30"));
  // A turned picture moves and is resized in its own box, keeping its turn.
  ASSERT_TRUE(ApplyPlace(list, observer, PlaceField::X, 50.8, context));
  ASSERT_TRUE(ApplyPlace(list, observer, PlaceField::Width, 52.92, context));
  turned = Selected().front();
  EXPECT_EQ(test::BoxOf(*turned), (test::Box{192, 400, 392, 480}));
  EXPECT_DOUBLE_EQ(turned->scaleX(), 2);
  EXPECT_DOUBLE_EQ(turned->scaleY(), 1);
  EXPECT_DOUBLE_EQ(turned->rotation(), 30 * std::numbers::pi / 180);
}

TEST_F(PlaceCommandsTest, AGroupIsScaledAndTurnedAsAWholeWithItsFrame) {
  Shape(kKindRectangle, {{100, 100}, {200, 100}, {200, 150}, {100, 150}}).setSelected(255);
  Shape(kKindRectangle, {{300, 200}, {400, 200}, {400, 250}, {300, 250}}).setSelected(255);
  JoinItems(list, observer);
  const ItemRecord* frame = LastSelectedFrame(list);
  ASSERT_NE(frame, nullptr);
  const Point centre{frame->x1(), frame->y1()};

  ASSERT_TRUE(ApplyPlace(list, observer, PlaceField::Width, 158.75, context));  // 600 px
  std::vector<ItemRecord*> members = Selected();
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(PointsOf(*members[0]), (Points{{100, 100}, {300, 100}, {300, 150}, {100, 150}}));
  EXPECT_EQ(PointsOf(*members[1]), (Points{{500, 200}, {700, 200}, {700, 250}, {500, 250}}));
  frame = LastSelectedFrame(list);
  EXPECT_EQ(frame->x1(), 100 + (centre.x - 100) * 2);
  EXPECT_EQ(frame->y1(), centre.y);

  ASSERT_TRUE(ApplyPlace(list, observer, PlaceField::Angle, 90, context));
  members = Selected();
  EXPECT_EQ(PointsOf(*members[0]), (Points{{325, 475}, {325, 275}, {375, 275}, {375, 475}}));
  EXPECT_DOUBLE_EQ(LastSelectedFrame(list)->angle(), std::numbers::pi / 2);
  EXPECT_EQ(Shown(PlaceField::Angle), QStringLiteral("90"));
  EXPECT_EQ(LastSelectedFrame(list)->groupNumber(), members[0]->groupNumber());
}

TEST_F(PlaceCommandsTest, UnevenStretchingMakesASquareARectangleAndACircleAnEllipse) {
  ItemRecord& square = Shape(kKindSquare, {{100, 100}, {200, 100}, {200, 200}, {100, 200}});
  Select({&square});
  ASSERT_TRUE(ApplyPlace(list, observer, PlaceField::Width, 52.92, context));  // 200 px
  EXPECT_EQ(Selected().front()->kind(), kKindRectangle);
  EXPECT_EQ(PointsOf(*Selected().front()),
            (Points{{100, 100}, {300, 100}, {300, 200}, {100, 200}}));

  ItemRecord& circle = NewItem(list, kKindCircle, observer);
  CircleFromClicks({400, 400}, {450, 400}, circle.points);
  RecomputeBounds(circle, context);
  Select({&circle});
  EXPECT_EQ(Shown(PlaceField::Width), QStringLiteral("26.5"));  // 100 px
  ASSERT_TRUE(ApplyPlace(list, observer, PlaceField::Height, 52.92, context));
  EXPECT_EQ(Selected().front()->kind(), kKindEllipse);
  EXPECT_EQ(Shown(PlaceField::Width), QStringLiteral("26.5"));
  EXPECT_EQ(Shown(PlaceField::Height), QStringLiteral("53"));
  EXPECT_EQ(Shown(PlaceField::Y), QStringLiteral("92.6"));  // 350 px, the top kept
}

TEST_F(PlaceCommandsTest, UndoRestoresEveryByteOfTheEditedItems) {
  ItemRecord& rectangle = Shape(kKindRectangle, kRectangle);
  ItemRecord& text = Segment(kKindText, {100, 300}, {250, 300});
  // The drawable items as they are stored (Undo leaves them unselected, so both are selected
  // again before they are read).
  const auto stored = [&] {
    Select({&rectangle, &text});
    std::vector<ItemRecord::Bytes> bytes;
    for (const ItemRecord& r : list)
      if (IsVisible(r) && IsDrawableKind(r.kind())) bytes.push_back(r.persisted());
    return bytes;
  };
  const std::vector<ItemRecord::Bytes> before = stored();
  for (PlaceField field : {PlaceField::X, PlaceField::Height, PlaceField::Angle}) {
    SCOPED_TRACE(static_cast<int>(field));
    Select({&rectangle, &text});
    ASSERT_TRUE(ApplyPlace(list, observer, field, 33, context));
    EXPECT_NE(stored(), before);
    Undo(list, observer);
    EXPECT_EQ(stored(), before);
    PurgeRedo(list);
  }
}

TEST_F(PlaceCommandsTest, NothingSelectedOrNothingChangedRecordsNoStep) {
  Shape(kKindRectangle, kRectangle);
  SelectOnly(list, nullptr);
  const int32_t step = NextTransaction(list);
  EXPECT_FALSE(SelectionPlaceOf(list, context).has_value());
  EXPECT_FALSE(ApplyPlace(list, observer, PlaceField::X, 10, context));
  EXPECT_EQ(NextTransaction(list), step);
}

struct TextCase {
  PlaceField field;
  const char* text;
  int32_t units;
  const char* problem;  // empty: accepted
  double value;
};

TEST_F(PlaceCommandsTest, TypedTextIsReadLikePageSizesAndBadTextIsRefusedWithASentence) {
  const TextCase cases[] = {
      {PlaceField::X, "abc", kUnitMillimetres,
       "X: \"abc\" is not a position; type a number of millimetres, such as 85 or 85.5.", 0},
      {PlaceField::Width, "12mm", kUnitMillimetres,
       "Width: \"12mm\" is not a size; type a number of millimetres, such as 85 or 85.5.", 0},
      {PlaceField::Y, "  ", kUnitInches, "Y: type a number of inches, such as 3.5 or 3 1/2.", 0},
      {PlaceField::Width, "0", kUnitMillimetres, "Width must be more than 0.", 0},
      {PlaceField::Height, "-3", kUnitPixels, "Height must be more than 0.", 0},
      {PlaceField::Angle, "ninety", kUnitPixels,
       "Angle: \"ninety\" is not an angle; type a number of degrees, such as 90 or 22.5.", 0},
      {PlaceField::X, "1e12", kUnitPixels, "X: \"1e12\" is too large for a drawing.", 0},
      {PlaceField::X, "3 1/2", kUnitInches, "", 3.5},
      {PlaceField::X, "3 1/2\"", kUnitInches, "", 3.5},
      {PlaceField::Y, " 12,5 ", kUnitMillimetres, "", 12.5},
      {PlaceField::X, "-20", kUnitPixels, "", -20},
      {PlaceField::Angle, "-22.5", kUnitInches, "", -22.5},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.text);
    const PlaceInput input = ParsePlaceField(c.field, QString::fromUtf8(c.text), c.units);
    EXPECT_EQ(input.problem.toStdString(), c.problem);
    if (*c.problem == '\0') {
      ASSERT_TRUE(input.value.has_value());
      EXPECT_DOUBLE_EQ(*input.value, c.value);
    } else {
      EXPECT_FALSE(input.value.has_value());
    }
  }
  // The reach is measured in pixels: 9000 mm lie beyond 32000 pixels at 96 dpi, 8000 mm not.
  const double perMm = 96 / 25.4;
  EXPECT_EQ(ParsePlaceField(PlaceField::Width, u"9000", kUnitMillimetres, perMm).problem,
            QStringLiteral("Width: \"9000\" is too large for a drawing."));
  EXPECT_TRUE(ParsePlaceField(PlaceField::Width, u"8000", kUnitMillimetres, perMm).value);
}

}  // namespace
}  // namespace quillon
