// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a text or picture item made of any bytes into a small bitmap: whatever its fields, text
// and picture source, drawing ends without a crash, a hang or a leak.
//
// Input: 448 bytes of the item's record, one byte of switches (bit 0 picture rather than text,
// bits 1-2 the light, bit 3 the window rather than an output target, bit 4 dragging, bits 5-7
// the scale), one byte choosing the picture source's type, then the text as UTF-16 or the
// picture file's bytes.
#include <array>
#include <cstring>

#include "FontFuzzing.h"
#include "document/ItemList.h"
#include "document/PageSetup.h"
#include "render/RenderItem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  constexpr size_t kHeader = kPersistedSize + 2;
  if (size < kHeader) return 0;
  const uint8_t switches = data[kPersistedSize];
  const uint8_t sourceType = data[kPersistedSize + 1];
  const std::span<const uint8_t> payload(data + kHeader, size - kHeader);

  ItemList list(ScreenMetrics{96, 96});
  ItemRecord& page = NewRecord(list, kKindPageSetup);
  page.setRecordClass(kClassPageSetup);
  page.setLightDirection(static_cast<uint8_t>((switches >> 1) & 3));
  const bool picture = (switches & 1) != 0;
  ItemRecord& item = NewRecord(list, picture ? kKindPicture : kKindText);
  std::array<uint8_t, kPersistedSize> bytes;
  std::memcpy(bytes.data(), data, kPersistedSize);
  item.setPersisted(bytes);
  item.setKind(picture ? kKindPicture : kKindText);
  if (picture) {
    ItemRecord& source = NewRecord(list, kKindPictureSource);
    source.setRecordClass(6);
    source.setSourceNumber(item.sourceNumber());
    source.setClipShape(sourceType % 6);
    source.pictureData.assign(payload.begin(), payload.end());
  } else {
    std::u16string text(payload.size() / 2, u'\0');
    std::memcpy(text.data(), payload.data(), 2 * text.size());
    SetText(item, text);
  }

  constexpr double kScales[] = {1.0, 0.25, 0.5, 1.5, 2.0, 3.0, 200 / 96.0, 600 / 96.0};
  const double scale = kScales[(switches >> 5) & 7];
  RenderMode mode;
  mode.window = (switches & 8) != 0;
  mode.quick = (switches & 16) != 0;
  Bitmap target(64, 48);
  RenderItem(target, item, list, {-8, -8}, scale, scale, mode);
  // A window paint leaves a cache behind; a second paint takes it.
  if (mode.window) RenderItem(target, item, list, {-8, -8}, scale, scale, mode);
  return 0;
}
