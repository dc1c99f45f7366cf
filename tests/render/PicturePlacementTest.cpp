// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PicturePlacement.h"

#include <gtest/gtest.h>

#include "document/History.h"
#include "document/ToolNumbers.h"
#include "render/decoders/DecodePicture.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

// A clip list as the editor keeps it: rectangular clips by two corners, round ones by their
// centre and a rim point, in full-size pixels of the turned picture.
ItemRecord& AddClip(ItemList& clips, int32_t kind, Point a, Point b) {
  ItemRecord& clip = NewRecord(clips, kind);
  clip.setX1(a.x), clip.setY1(a.y), clip.setX2(b.x), clip.setY2(b.y);
  return clip;
}

PictureInsert Photo(int32_t code, int32_t clipKind) {
  PictureInsert insert;
  insert.code = code;
  insert.clipKind = clipKind;
  insert.width = 640;
  insert.height = 480;
  insert.displayScale = 0.5;
  insert.pictureType = kPictureJpeg;
  insert.fileName = u"/home/ada/Pictures/photo.jpg";
  insert.bytes = {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3};
  return insert;
}

struct Expected {
  int32_t clipShape;
  Rect box;   // x1, y1, x2, y2
  Rect clip;  // clipLeft, clipTop, clipRight, clipBottom
};

class PicturePlacementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::AddPage(list);
    context.screen = list.screen();
  }

  std::vector<const ItemRecord*> Pictures() const {
    std::vector<const ItemRecord*> found;
    for (const ItemRecord& r : list)
      if (r.kind() == kKindPicture && IsVisible(r)) found.push_back(&r);
    return found;
  }
  std::vector<const ItemRecord*> Sources() const {
    std::vector<const ItemRecord*> found;
    for (const ItemRecord& r : list)
      if (r.kind() == kKindPictureSource) found.push_back(&r);
    return found;
  }

  ItemList list;
  ItemList clips;
  GeometryContext context;
  EditObserver observer;
};

// A new picture: one source holding the file, and one item per clip of the kind the last
// usable clip has (or the whole picture), at (20, 20), of the clip's size times the scale.
TEST_F(PicturePlacementTest, NewPicturesAreOneSourceAndAnItemPerClip) {
  struct Case {
    const char* name;
    int32_t clipKind;
    int32_t rotation;
    std::vector<std::tuple<int32_t, Point, Point>> clips;
    std::vector<Expected> items;
  };
  const Case cases[] = {
      {"whole picture", kClipNone, 0, {}, {{1, {20, 20, 340, 260}, {0, 0, 640, 480}}}},
      {"whole picture turned", kClipNone, 90, {}, {{1, {20, 20, 260, 340}, {0, 0, 480, 640}}}},
      {"clips ignored without a clip kind",
       kClipNone,
       0,
       {{kKindRectangularClip, {10, 10}, {50, 50}}},
       {{1, {20, 20, 340, 260}, {0, 0, 640, 480}}}},
      {"two rectangles, corners in any order",
       kClipRectangular,
       0,
       {{kKindRectangularClip, {100, 80}, {300, 200}}, {kKindRectangularClip, {61, 41}, {1, 1}}},
       {{1, {20, 20, 120, 80}, {100, 80, 300, 200}}, {1, {20, 20, 50, 40}, {1, 1, 61, 41}}}},
      {"round clips",
       kClipRound,
       0,
       {{kKindRoundClip, {320, 240}, {420, 240}}},
       {{2, {70, 70, 120, 70}, {320, 240, 420, 240}}}},
      {"the last usable clip decides the kind",
       kClipRectangular,
       0,
       {{kKindRoundClip, {300, 200}, {300, 260}},
        {kKindRectangularClip, {0, 0}, {100, 100}},
        {kKindRoundClip, {100, 100}, {130, 140}},
        {kKindRectangularClip, {5, 5}, {5, 90}}},
       {{2, {50, 50, 80, 50}, {300, 200, 300, 260}}, {2, {45, 45, 70, 45}, {100, 100, 130, 140}}}},
      {"no usable clip places the whole picture",
       kClipRound,
       0,
       {{kKindRoundClip, {10, 10}, {10, 10}}, {kKindRectangularClip, {5, 5}, {90, 5}}},
       {{1, {20, 20, 340, 260}, {0, 0, 640, 480}}}},
  };
  for (const Case& c : cases) {
    list.Clear();
    clips.Clear();
    test::AddPage(list);
    for (const auto& [kind, a, b] : c.clips)
      AddClip(clips, kind, a, b);
    PictureInsert insert = Photo(kToolNewPicture, c.clipKind);
    insert.rotation = c.rotation;
    insert.mirrorSign = -1;
    const PlacedPicture placed = InsertPicture(list, insert, clips, 1843, context, observer);
    EXPECT_EQ(placed.sourceNumber, 1843) << c.name;
    ASSERT_EQ(Sources().size(), 1u) << c.name;
    const ItemRecord& source = *Sources()[0];
    EXPECT_EQ(source.recordClass(), kClassPictureSource);
    EXPECT_EQ(source.historyState(), 0);
    EXPECT_EQ(source.sourceNumber(), 1843);
    EXPECT_EQ(source.clipShape(), kPictureJpeg);
    EXPECT_EQ(source.pictureData, insert.bytes);
    EXPECT_EQ(source.text(), insert.fileName);
    const std::vector<const ItemRecord*> pictures = Pictures();
    ASSERT_EQ(pictures.size(), c.items.size()) << c.name;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
      const ItemRecord& p = *pictures[i];
      const Expected& e = c.items[i];
      EXPECT_EQ(p.clipShape(), e.clipShape) << c.name << " " << i;
      EXPECT_EQ((Rect{p.x1(), p.y1(), p.x2(), p.y2()}), e.box) << c.name << " " << i;
      EXPECT_EQ((Rect{p.clipLeft(), p.clipTop(), p.clipRight(), p.clipBottom()}), e.clip)
          << c.name << " " << i;
      EXPECT_EQ(p.sourceNumber(), 1843);
      EXPECT_EQ(p.rightAngle(), c.rotation);
      EXPECT_EQ(p.mirrorSign(), -1);
      EXPECT_EQ(p.flipSign(), 1);
      EXPECT_DOUBLE_EQ(p.scaleX(), 0.5);
      EXPECT_EQ(p.selected(), 0);
      EXPECT_EQ(p.transaction(), pictures[0]->transaction()) << "one undo step";
      EXPECT_EQ(p.stackLevel(), pictures[0]->stackLevel() + int32_t(i)) << "stacked in order";
      EXPECT_GT(p.boundRight(), p.boundLeft());
    }
  }
}

// New pictures take the frame and shadow chosen for them; an edited picture keeps its own.
TEST_F(PicturePlacementTest, NewPicturesTakeTheirFrameAndShadow) {
  PictureInsert insert = Photo(kToolNewPicture, kClipNone);
  insert.frame = true;
  insert.frameWeight = 1.5;
  insert.frameColour = 0x0000FF;
  insert.frameSurface = 3;
  insert.shadowed = true;
  insert.shadow = 40 | (20 << 8) | (128 << 16);
  const PlacedPicture placed = InsertPicture(list, insert, clips, 9, context, observer);
  ASSERT_EQ(placed.items.size(), 1u);
  const ItemRecord& p = *placed.items[0];
  EXPECT_EQ(p.frame(), 1);
  EXPECT_DOUBLE_EQ(p.lineWeight(), 1.5);
  EXPECT_EQ(p.lineColor(), 0x0000FF);
  EXPECT_EQ(p.surface(), 3);
  EXPECT_EQ(p.shadowSize(), 40);
  EXPECT_EQ(p.shadowSoftness(), 20);
  EXPECT_EQ(p.shadowLightness(), 128);
  SelectOnly(list, placed.items[0]);
  const PlacedPicture edited =
      InsertPicture(list, Photo(kToolEditClip, kClipNone), clips, 0, context, observer);
  ASSERT_EQ(edited.items.size(), 1u);
  EXPECT_EQ(edited.items[0]->frame(), 1) << "editing the clip keeps the frame";
}

TEST_F(PicturePlacementTest, OneUndoTakesAllClipsAwayAndRedoBringsThemBack) {
  AddClip(clips, kKindRectangularClip, {0, 0}, {100, 100});
  AddClip(clips, kKindRectangularClip, {200, 200}, {300, 300});
  ASSERT_EQ(InsertPicture(list, Photo(kToolNewPicture, kClipRectangular), clips, 7, context,
                          observer)
                .items.size(),
            2u);
  Undo(list, observer);
  EXPECT_TRUE(Pictures().empty());
  Redo(list, observer);
  EXPECT_EQ(Pictures().size(), 2u);
}

// Adding clips of the selected picture's source places new items of that source; editing
// gives the selected picture the last clip in place, as one undo step.
TEST_F(PicturePlacementTest, AddingAndEditingClipsUseTheSelectedPicture) {
  ASSERT_EQ(InsertPicture(list, Photo(kToolNewPicture, kClipNone), clips, 99, context, observer)
                .items.size(),
            1u);
  ItemRecord* picture = const_cast<ItemRecord*>(Pictures()[0]);
  SelectOnly(list, picture);
  AddClip(clips, kKindRoundClip, {320, 240}, {320, 280});
  PlacedPicture added =
      InsertPicture(list, Photo(kToolAddClip, kClipRound), clips, 0, context, observer);
  ASSERT_EQ(added.items.size(), 1u);
  EXPECT_EQ(added.items[0]->sourceNumber(), 99);
  EXPECT_EQ(Sources().size(), 1u) << "no second source";
  EXPECT_EQ(Pictures().size(), 2u);

  // The whole picture shown at half size takes a 200 x 100 clip at the same size and place.
  SelectOnly(list, picture);
  clips.Clear();
  AddClip(clips, kKindRectangularClip, {0, 0}, {50, 50});
  AddClip(clips, kKindRectangularClip, {100, 50}, {300, 150});
  PictureInsert edit = Photo(kToolEditClip, kClipRectangular);
  edit.flipSign = -1;
  const PlacedPicture edited = InsertPicture(list, edit, clips, 0, context, observer);
  ASSERT_EQ(edited.items.size(), 1u);
  const ItemRecord& now = *edited.items[0];
  EXPECT_EQ((Rect{now.x1(), now.y1(), now.x2(), now.y2()}), (Rect{20, 20, 120, 70}));
  EXPECT_EQ((Rect{now.clipLeft(), now.clipTop(), now.clipRight(), now.clipBottom()}),
            (Rect{100, 50, 300, 150}));
  EXPECT_EQ(now.flipSign(), -1);
  EXPECT_EQ(Pictures().size(), 2u);
  Undo(list, observer);
  const ItemRecord* back = nullptr;
  for (const ItemRecord* p : Pictures())
    if (p->clipRight() == 640) back = p;
  ASSERT_NE(back, nullptr) << "Undo brings the whole picture back";
  EXPECT_EQ(back->flipSign(), 1);
}

// Nothing is placed for a picture that was not decoded, nor for adding or editing clips
// without a selected picture that has a source.
TEST_F(PicturePlacementTest, NothingIsPlacedWithoutAPictureOrASelection) {
  PictureInsert tiny = Photo(kToolNewPicture, kClipNone);
  tiny.height = 1;
  EXPECT_TRUE(InsertPicture(list, tiny, clips, 5, context, observer).items.empty());
  PictureInsert none = Photo(kToolNewPicture, kClipNone);
  none.width = none.height = 0;
  EXPECT_TRUE(InsertPicture(list, none, clips, 5, context, observer).items.empty());
  EXPECT_TRUE(InsertPicture(list, Photo(kToolAddClip, kClipNone), clips, 0, context, observer)
                  .items.empty());
  EXPECT_TRUE(InsertPicture(list, Photo(kToolEditClip, kClipNone), clips, 0, context, observer)
                  .items.empty());
  EXPECT_FALSE(CanUndo(list));
  ItemRecord& line = test::AddItem(list, kKindLine, {0, 0}, {5, 5});
  SelectOnly(list, &line);
  EXPECT_TRUE(InsertPicture(list, Photo(kToolEditClip, kClipNone), clips, 0, context, observer)
                  .items.empty());
  EXPECT_TRUE(Pictures().empty());
  EXPECT_TRUE(Sources().empty());
}

TEST(NewSourceNumber, DrawsANumberNotInUse) {
  std::mt19937 random(3);
  int calls = 0;
  const int32_t n = NewSourceNumber(random, [&](int32_t) { return ++calls < 4; });
  EXPECT_EQ(calls, 4);
  EXPECT_GE(n, 1);
  EXPECT_LE(n, 2147483646);
}

}  // namespace
}  // namespace quillon
