// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/SharedDecodes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "render/PictureFixtures.h"
#include "render/PictureItem.h"

namespace quillon {
namespace {

using test::AddPicture;
using test::AddSource;
using test::Quadrants;

bool SamePixels(const Bitmap& a, const Bitmap& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y) {
    if (std::memcmp(a.Row(y), b.Row(y), size_t(3) * a.width()) != 0) return false;
  }
  return true;
}

TEST(SharedDecodes, ASessionDecodesEachSourceOnceAndForgetsWhenItEnds) {
  ItemList list;
  const ItemRecord& source = AddSource(list, Quadrants(40, 30));
  const std::shared_ptr<const Bitmap> outside = DecodeShared(source.pictureData, kPictureBmp);
  ASSERT_TRUE(outside);
  EXPECT_NE(outside, DecodeShared(source.pictureData, kPictureBmp)) << "no session, no sharing";

  std::shared_ptr<const Bitmap> first;
  {
    const DecodeSession session;
    first = DecodeShared(source.pictureData, kPictureBmp);
    {
      const DecodeSession nested;
      EXPECT_EQ(first, DecodeShared(source.pictureData, kPictureBmp));
    }
    EXPECT_EQ(first, DecodeShared(source.pictureData, kPictureBmp)) << "the outer session keeps it";
    // Equal bytes elsewhere are the same picture; other bytes or another type are not.
    const std::vector<uint8_t> copy = source.pictureData;
    EXPECT_EQ(first, DecodeShared(copy, kPictureBmp));
    std::vector<uint8_t> changed = copy;
    changed.back() ^= 0xFF;
    EXPECT_NE(first, DecodeShared(changed, kPictureBmp));
    EXPECT_FALSE(DecodeShared(copy, kPictureGif)) << "BMP bytes read as a GIF decode to nothing";
    EXPECT_TRUE(SamePixels(*first, *outside));
  }
  const DecodeSession later;
  EXPECT_NE(first, DecodeShared(source.pictureData, kPictureBmp)) << "forgotten between sessions";
}

TEST(SharedDecodes, ThreadsAskingAtOnceGetOnePicture) {
  ItemList list;
  const ItemRecord& source = AddSource(list, Quadrants(300, 200));
  const DecodeSession session;
  std::vector<std::shared_ptr<const Bitmap>> got(6);
  std::vector<std::thread> threads;
  for (auto& picture : got) {
    threads.emplace_back([&] { picture = DecodeShared(source.pictureData, kPictureBmp); });
  }
  for (std::thread& t : threads)
    t.join();
  for (const auto& picture : got)
    EXPECT_EQ(picture, got.front());
  ASSERT_TRUE(got.front());
  EXPECT_TRUE(SamePixels(*got.front(), *DecodeShared(source.pictureData, kPictureBmp)));
}

// The shared picture is exactly what DecodeSource makes, for every orientation of the item, and
// only unturned items share the session's bitmap.
TEST(SharedDecodes, SourcePictureIsDecodeSourceInEveryOrientation) {
  ItemList list;
  AddSource(list, Quadrants(21, 10));
  ItemRecord& picture = AddPicture(list, {0, 0}, {10, 10}, 21, 10);
  const DecodeSession session;
  const std::shared_ptr<const Bitmap> plain = SourcePicture(picture, list);
  for (int32_t turn : {0, 90, 180, 270}) {
    for (int mirror : {1, -1}) {
      for (int flip : {1, -1}) {
        picture.setRightAngle(turn);
        picture.setMirrorSign(mirror);
        picture.setFlipSign(flip);
        const std::shared_ptr<const Bitmap> shared = SourcePicture(picture, list);
        ASSERT_TRUE(shared);
        EXPECT_TRUE(SamePixels(*shared, DecodeSource(picture, list)))
            << turn << " " << mirror << " " << flip;
        EXPECT_EQ(shared == plain, turn == 0 && mirror == 1 && flip == 1)
            << turn << " " << mirror << " " << flip;
      }
    }
  }
  EXPECT_TRUE(SamePixels(*plain, DecodeSource(AddPicture(list, {0, 0}, {9, 9}, 21, 10), list)))
      << "turning other items never touches the shared bitmap";
}

TEST(SharedDecodes, DrawingAheadDecodesTheSourcesItsItemsShow) {
  ItemList list;
  const ItemRecord& source = AddSource(list, Quadrants(64, 48));
  AddPicture(list, {0, 0}, {64, 48}, 64, 48);
  AddPicture(list, {70, 0}, {134, 48}, 64, 48);
  AddSource(list, Quadrants(8, 8), test::kSource + 1);  // shown by nothing
  std::vector<const ItemRecord*> order;
  for (const ItemRecord& r : list)
    order.push_back(&r);
  const DecodeSession session;
  std::shared_ptr<const Bitmap> ahead;
  {
    const DrawingAhead drawingAhead(list, order);
    ahead = DecodeShared(source.pictureData, kPictureBmp);
  }
  ASSERT_TRUE(ahead);
  EXPECT_EQ(ahead, DecodeShared(source.pictureData, kPictureBmp));
  // Nothing is left running or waiting when the drawing ends at once.
  for (int i = 0; i < 20; ++i)
    const DrawingAhead gone(list, order);
}

}  // namespace
}  // namespace quillon
