// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/ClipEditor.h"

#include <gtest/gtest.h>

#include "document/ToolNumbers.h"
#include "output/PictureWriters.h"
#include "render/PictureItem.h"
#include "render/decoders/DecodePicture.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

TEST(ClipEditor, AJpegIsShownAtTheLargestScaleThatFits) {
  const struct {
    int viewWidth, viewHeight, eighthWidth, eighthHeight, denominator;
  } cases[] = {
      {700 - 17, 500 - 17, 80, 60, 1},  // 640 x 480 in 700 x 500: 8.05 times, full size
      {639, 479, 80, 60, 2},            // 7 times
      {320, 1000, 80, 60, 2},           // 4 times
      {319, 1000, 80, 60, 4},           // 3 times
      {160, 120, 80, 60, 4},            // twice
      {159, 120, 80, 60, 8},            // once
      {10, 10, 80, 60, 8},
      {700, 500, 0, 0, 8},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JpegScaleDenominator(c.viewWidth, c.viewHeight, c.eighthWidth, c.eighthHeight),
              c.denominator)
        << c.viewWidth << " x " << c.viewHeight;
  }
}

TEST(ClipEditor, TheFileNameChoosesTheDecoder) {
  const std::pair<std::u16string, int32_t> cases[] = {
      {u"/home/ada/Holiday.JPG ", kPictureJpeg}, {u"a.jpeg", kPictureJpeg},
      {u"x.Gif", kPictureGif},                   {u"y.bmp", kPictureBmp},
      {u"z.ICO", kPictureIco},                   {u"m.emf", kPictureMetafile},
      {u"n.WMF", kPictureMetafile},              {u"card.qlln", 0},
      {u"no extension", 0},                      {u"photo.jp\u00E9g", 0}};
  for (const auto& [name, type] : cases)
    EXPECT_EQ(PictureTypeOfName(name), type) << QString::fromStdU16String(name).toStdString();
}

// A 640 x 480 JPEG in a view of 700 x 500 less its scroll bars fits 8 times at an eighth: it is
// decoded again at full size. In a small view it stays an eighth, and knows its full size.
TEST(ClipEditor, PicturesAreDecodedAtTheScaleTheViewShows) {
  Bitmap photo(640, 480);
  photo.Fill(0x3080C0);
  const QByteArray jpeg = EncodeJpeg(photo, 96);
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(jpeg.data()),
                                       std::size_t(jpeg.size()));
  EditorPicture shown = DecodeForEditor(bytes, kPictureJpeg, 700 - 17, 500 - 17);
  ASSERT_TRUE(shown.ok());
  EXPECT_EQ(shown.scale, 1.0);
  EXPECT_EQ(shown.bitmap.width(), 640);
  shown = DecodeForEditor(bytes, kPictureJpeg, 100, 100);
  ASSERT_TRUE(shown.ok());
  EXPECT_EQ(shown.scale, 0.125);
  EXPECT_EQ(shown.bitmap.width(), 80);
  EXPECT_EQ(shown.width, 640);
  EXPECT_EQ(shown.height, 480);

  const std::vector<uint8_t> junk = {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'};
  EXPECT_FALSE(DecodeForEditor(junk, kPictureJpeg, 700, 500).ok());
  const QByteArray line = EncodeBmp(Bitmap(50, 1), 96);
  EXPECT_FALSE(DecodeForEditor(std::span<const uint8_t>(
                                   reinterpret_cast<const uint8_t*>(line.data()),
                                   std::size_t(line.size())),
                               kPictureBmp, 700, 500)
                   .ok())
      << "a picture one pixel high is refused";
}

// The editor's idea of a turned, mirrored and flipped picture is the one the picture items are
// drawn from: every pixel lands where the orientation says, and back.
TEST(ClipEditor, OrientationMatchesThePictureItems) {
  Bitmap picture(6, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x)
      picture.SetPixel(x, y, ColourOf(40 * x, 60 * y, 7));
  }
  const QByteArray bmp = EncodeBmp(picture, 96);
  ItemList list;
  test::AddPage(list);
  ItemRecord& source = NewRecord(list, kKindPictureSource);
  source.setRecordClass(kClassPictureSource);
  source.setSourceNumber(5);
  source.setClipShape(kPictureBmp);
  source.pictureData.assign(bmp.begin(), bmp.end());
  ItemRecord& item = test::AddItem(list, kKindPicture, {0, 0}, {6, 4});
  item.setSourceNumber(5);
  for (int32_t angle : {0, 90, 180, 270}) {
    for (int mirror : {1, -1}) {
      for (int flip : {1, -1}) {
        item.setRightAngle(angle);
        item.setMirrorSign(mirror);
        item.setFlipSign(flip);
        const Bitmap oriented = DecodeSource(item, list);
        ASSERT_FALSE(oriented.empty());
        for (int y = 0; y < 4; ++y) {
          for (int x = 0; x < 6; ++x) {
            const Point a = OrientPoint({x, y}, 6, 4, angle, mirror, flip);
            const Point b = OrientPoint({x + 1, y + 1}, 6, 4, angle, mirror, flip);
            EXPECT_EQ(oriented.Pixel(std::min(a.x, b.x), std::min(a.y, b.y)),
                      picture.Pixel(x, y))
                << angle << " " << mirror << " " << flip << " at " << x << "," << y;
            EXPECT_EQ(UnorientPoint(a, 6, 4, angle, mirror, flip), (Point{x, y}));
          }
        }
      }
    }
  }
}

class ClipEditorTest : public ::testing::Test {
 protected:
  void SetUp() override { editor.Open(kToolNewPicture, 640, 480, 1.0); }

  void Click(Point p) {
    editor.Press(p);
    editor.Release(p);
  }
  std::vector<Rect> VisibleClips() const {
    std::vector<Rect> found;
    for (const ItemRecord& r : editor.Clips()) {
      if (IsVisible(r) && (r.kind() == kKindRectangularClip || r.kind() == kKindRoundClip))
        found.push_back({r.x1(), r.y1(), r.x2(), r.y2()});
    }
    return found;
  }

  ClipEditor editor;
};

TEST_F(ClipEditorTest, TurningAndMirroringCarryTheClips) {
  editor.OutlineTool(false);
  Click({100, 50});
  Click({300, 150});
  ASSERT_EQ(VisibleClips(), (std::vector<Rect>{{100, 50, 300, 150}}));
  for (int i = 0; i < 4; ++i)
    editor.RotateRight();
  EXPECT_EQ(editor.Rotation(), 0);
  EXPECT_EQ(VisibleClips(), (std::vector<Rect>{{100, 50, 300, 150}})) << "a full turn";
  editor.RotateRight();
  EXPECT_EQ(editor.Rotation(), 90);
  EXPECT_EQ(editor.Width(), 480);
  // Mirroring a picture turned by 90 degrees changes the vertical sign.
  editor.Mirror();
  EXPECT_EQ(editor.MirrorSign(), 1);
  EXPECT_EQ(editor.FlipSign(), -1);
  editor.Flip();
  EXPECT_EQ(editor.MirrorSign(), -1);
  editor.RotateLeft();
  EXPECT_EQ(editor.Rotation(), 0);
  // Back upright, mirrored and flipped: the clip is turned half way round the picture.
  EXPECT_EQ(VisibleClips(), (std::vector<Rect>{{540, 430, 340, 330}}));
  editor.RotateLeft();
  EXPECT_EQ(editor.Rotation(), 270);
}

TEST_F(ClipEditorTest, ClipsHaveTheirOwnUndoList) {
  editor.OutlineTool(false);
  // Two clicks, or a press held down and dragged.
  Click({10, 10});
  Click({60, 40});
  editor.Press({100, 100});
  editor.HoldElapsed();
  editor.Move({150, 180});
  ASSERT_TRUE(editor.RubberOutline().has_value());
  editor.Release({150, 180});
  EXPECT_EQ(VisibleClips(), (std::vector<Rect>{{10, 10, 60, 40}, {100, 100, 150, 180}}));
  editor.Undo();
  EXPECT_EQ(VisibleClips().size(), 1u);
  editor.Redo();
  EXPECT_EQ(VisibleClips().size(), 2u);

  // Selected and erased, then brought back.
  editor.SelectTool();
  Click({30, 20});
  ASSERT_NE(editor.SelectedClip(), nullptr);
  editor.EraseSelected();
  EXPECT_EQ(VisibleClips(), (std::vector<Rect>{{100, 100, 150, 180}}));
  editor.Undo();
  EXPECT_EQ(VisibleClips().size(), 2u);

  // A corner dragged moves that corner; the opposite one stays.
  Click({120, 120});
  editor.Press({150, 180});
  EXPECT_EQ(editor.State(), kClipCornerDrag);
  editor.Move({200, 220});
  editor.Release({200, 220});
  EXPECT_EQ(editor.State(), kClipSelect);
  EXPECT_EQ(VisibleClips(), (std::vector<Rect>{{10, 10, 60, 40}, {100, 100, 200, 220}}));
  editor.Undo();
  EXPECT_EQ(VisibleClips(), (std::vector<Rect>{{10, 10, 60, 40}, {100, 100, 150, 180}}));
}

TEST_F(ClipEditorTest, EscapeAfterTheCentreOfARoundClipCancelsIt) {
  editor.OutlineTool(true);
  Click({200, 200});
  ASSERT_TRUE(editor.RubberOutline().has_value());
  editor.Escape();
  EXPECT_EQ(editor.State(), kClipSelect);
  EXPECT_FALSE(editor.RubberOutline().has_value());
  Click({250, 250});
  EXPECT_TRUE(VisibleClips().empty());
  EXPECT_FALSE(editor.CanUndo());
}

// Two rectangular clips placed as a new picture give one source and two pictures at (20, 20).
TEST_F(ClipEditorTest, PlacedClipsBecomePictures) {
  editor.OutlineTool(false);
  Click({0, 0});
  Click({100, 60});
  Click({200, 100});
  Click({260, 300});
  ItemList document;
  test::AddPage(document);
  GeometryContext context;
  EditObserver observer;
  const PlacedPicture placed =
      InsertPicture(document, editor.Insert(), editor.Clips(), 77, context, observer);
  ASSERT_EQ(placed.items.size(), 2u);
  for (const ItemRecord* item : placed.items) {
    EXPECT_EQ(item->x1(), 20);
    EXPECT_EQ(item->y1(), 20);
    EXPECT_EQ(item->sourceNumber(), 77);
  }
  EXPECT_EQ(placed.items[1]->x2(), 80);
  EXPECT_EQ(placed.items[1]->y2(), 220);
}

// Editing a placed picture starts from its orientation and its clip, selected.
TEST_F(ClipEditorTest, EditingAPictureStartsFromItsClip) {
  ItemList document;
  ItemRecord& picture = test::AddItem(document, kKindPicture, {0, 0}, {10, 10});
  picture.setClipShape(kClipRound);
  picture.setClipLeft(320), picture.setClipTop(240), picture.setClipRight(400);
  picture.setClipBottom(240);
  picture.setRightAngle(90);
  picture.setMirrorSign(-1);
  editor.Open(kToolEditClip, 640, 480, 0.5);
  editor.EditItem(picture);
  EXPECT_EQ(editor.Rotation(), 90);
  EXPECT_EQ(editor.MirrorSign(), -1);
  EXPECT_EQ(editor.ClipKind(), kClipRound);
  ASSERT_NE(editor.SelectedClip(), nullptr);
  EXPECT_EQ(editor.SelectedClip()->kind(), kKindRoundClip);
  EXPECT_EQ(editor.SelectedClip()->x2(), 400);
  EXPECT_FALSE(editor.CanUndo());
}

}  // namespace
}  // namespace quillon
