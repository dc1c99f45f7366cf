// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Handles.h"

#include <gtest/gtest.h>

#include <numbers>

#include "RenderFixtures.h"
#include "render/Outlines.h"

namespace quillon {
namespace {

using test::AddSegmentItem;
using test::AddShape;

struct Expected {
  int32_t code;
  Point position;
};

// Codes and positions, and which codes are rotation dots drawn from where.
void ExpectHandles(const ItemRecord& item, bool one, std::vector<Expected> expected,
                   double zoom = 1.0, Point scroll = {0, 0}) {
  GeometryContext context;
  context.zoom = zoom;
  std::vector<Handle> handles;
  HandleLayout(item, one, scroll, context, handles);
  ASSERT_EQ(handles.size(), expected.size());
  for (std::size_t k = 0; k < handles.size(); ++k) {
    EXPECT_EQ(handles[k].code, expected[k].code) << k;
    EXPECT_EQ(handles[k].position, expected[k].position) << "code " << handles[k].code;
    const bool dot =
        handles[k].code == kHandleTurn || handles[k].code == kHandleGroupTurn;
    EXPECT_EQ(handles[k].rotationDot, dot) << "code " << handles[k].code;
  }
}

TEST(HandleLayout, LinesShowTheirDotOnlyWhenAloneAndFree) {
  ItemList list;
  ItemRecord& line = AddSegmentItem(list, kKindLine, {10, 20}, {110, 20});
  ExpectHandles(line, true, {{1, {10, 20}}, {2, {110, 20}}, {3, {60, 20}}, {5, {60, 60}}});
  ExpectHandles(line, false, {{1, {10, 20}}, {2, {110, 20}}, {3, {60, 20}}});
  ExpectHandles(line, true, {{1, {15, 35}}, {2, {215, 35}}, {3, {115, 35}}, {5, {115, 75}}}, 2.0,
                {5, 5});
  line.setDirection(45);
  ExpectHandles(line, true, {{1, {10, 20}}, {2, {110, 20}}, {3, {60, 20}}});
  ItemRecord& text = AddSegmentItem(list, kKindText, {10, 20}, {110, 20});
  ExpectHandles(text, true, {{1, {10, 20}}, {2, {110, 20}}, {3, {60, 20}}});  // preset angle 0
  text.setPresetTextAngle(-1);
  ExpectHandles(text, true, {{1, {10, 20}}, {2, {110, 20}}, {3, {60, 20}}, {5, {60, 60}}});
}

TEST(HandleLayout, UprightBoxesHaveSideHandlesTiltedOnesDoNot) {
  ItemList list;
  ItemRecord& box = AddShape(list, kKindRectangle, {{0, 0}, {100, 0}, {100, 60}, {0, 60}}, 2);
  ExpectHandles(box, true,
                {{-1, {0, 0}},
                 {-2, {100, 0}},
                 {-3, {100, 60}},
                 {-4, {0, 60}},
                 {205, {50, 60}},
                 {206, {100, 30}},
                 {207, {50, 0}},
                 {208, {0, 30}},
                 {7, {50, 30}},
                 {5, {50, 70}}});
  // The dot would sit on handle 207: it moves down by two handle heights.
  ItemRecord& low = AddShape(list, kKindSquare, {{0, 80}, {100, 80}, {100, 0}, {0, 0}}, 2);
  ExpectHandles(low, true,
                {{-1, {0, 80}},
                 {-2, {100, 80}},
                 {-3, {100, 0}},
                 {-4, {0, 0}},
                 {205, {50, 0}},
                 {206, {100, 40}},
                 {207, {50, 80}},
                 {208, {0, 40}},
                 {7, {50, 40}},
                 {5, {50, 96}}});
  ItemRecord& tilted = AddShape(list, kKindRectangle, {{0, 0}, {30, 40}, {70, 10}, {40, -30}}, 2);
  ExpectHandles(tilted, false, {{-1, {0, 0}}, {-2, {30, 40}}, {-3, {70, 10}}, {-4, {40, -30}}});
}

TEST(HandleLayout, CentresAndDotsByKind) {
  ItemList list;
  ItemRecord& circle = AddShape(list, kKindCircle, {{100, 100}, {130, 140}});
  ExpectHandles(
      circle, true,
      {{1, {150, 100}}, {2, {100, 50}}, {3, {50, 100}}, {4, {100, 150}}, {7, {100, 100}}});
  ItemRecord& ellipse = AddShape(list, kKindEllipse, {{100, 100}, {200, 100}, {100, 50}});
  ExpectHandles(ellipse, true,
                {{1, {200, 100}},
                 {2, {100, 50}},
                 {3, {0, 100}},
                 {4, {100, 150}},
                 {7, {100, 100}},
                 {5, {140, 100}}});
  ItemRecord& pie = AddShape(list, kKindPie, {{100, 100}, {200, 100}, {100, 0}});
  ExpectHandles(pie, true,
                {{1, {100, 100}}, {2, {200, 100}}, {3, {100, 0}}, {7, {147, 53}}, {5, {128, 72}}});
  ItemRecord& triangle = AddShape(list, kKindTriangle, {{0, 0}, {90, 0}, {45, 90}}, 2);
  ExpectHandles(triangle, true,
                {{-1, {0, 0}}, {-2, {90, 0}}, {-3, {45, 90}}, {7, {45, 30}}, {5, {12, 8}}});
  ItemRecord& polygon = AddShape(list, kKindPolygon, {}, 0, 3);
  PolygonVertices({200, 200}, {250, 200}, 3, polygon.points);
  ExpectHandles(polygon, true,
                {{-1, {250, 200}},
                 {-2, {175, 157}},
                 {-3, {175, 243}},
                 {-4, {250, 200}},
                 {7, {200, 200}},
                 {5, {240, 200}}});
  std::vector<Handle> handles;
  HandleLayout(pie, true, {0, 0}, GeometryContext{}, handles);
  EXPECT_EQ(handles.back().lineFrom, (Point{100, 100}));  // the pie's dot hangs from its centre
}

TEST(HandleLayout, PicturesAndGroupFrames) {
  ItemList list;
  ItemRecord& picture = AddSegmentItem(list, kKindPicture, {100, 100}, {300, 180});
  ExpectHandles(picture, true,
                {{101, {100, 100}},
                 {102, {300, 100}},
                 {103, {300, 180}},
                 {104, {100, 180}},
                 {105, {200, 100}},
                 {106, {300, 140}},
                 {107, {200, 180}},
                 {108, {100, 140}},
                 {7, {200, 140}},
                 {5, {200, 196}}});
  picture.setRotation(std::numbers::pi / 2);
  ExpectHandles(picture, true,
                {{101, {160, 240}},
                 {102, {160, 40}},
                 {103, {240, 40}},
                 {104, {240, 240}},
                 {7, {200, 140}},
                 {5, {240, 140}}});
  ItemRecord& round = AddSegmentItem(list, kKindPicture, {100, 100}, {130, 140});
  round.setClipShape(2);
  ExpectHandles(round, false,
                {{105, {100, 150}}, {106, {150, 100}}, {107, {100, 50}}, {108, {50, 100}}});
  ItemRecord& frame = AddSegmentItem(list, kKindGroupFrame, {50, 60}, {50, 60});
  for (bool one : {false, true})
    ExpectHandles(frame, one, {{3, {50, 60}}, {500, {50, 100}}});
  EXPECT_EQ(HandleRect({10, 10}, {8, 8}), (BoundingBox{6, 6, 14, 14}));
  EXPECT_EQ(HandleRect({10, 10}, {7, 9}), (BoundingBox{7, 6, 13, 14}));
}

}  // namespace
}  // namespace quillon
