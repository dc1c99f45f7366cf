// SPDX-License-Identifier: GPL-3.0-or-later
// The item record: 448 persisted bytes shared by every kind of document content, plus the
// run-time data a record owns (text, outline points, anchor lines, picture bytes, caches).
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/Geometry.h"
#include "document/RecordFields.h"
#include "document/RenderCache.h"

namespace quillon {

static_assert(std::endian::native == std::endian::little,
              "records are stored little-endian and accessed in place");

class ItemList;
struct ScreenMetrics;

inline constexpr int kPersistedSize = 448;
inline constexpr uint32_t kMagic = 147483647;
inline constexpr int32_t kFormatVersion = 165;

// Record classes.
inline constexpr int32_t kClassContent = 0;
inline constexpr int32_t kClassLinePattern = 3;
inline constexpr int32_t kClassPictureSource = 6;
inline constexpr int32_t kClassPageSetup = 2000000;

// Kind codes.
inline constexpr int32_t kKindText = 1000100;
inline constexpr int32_t kKindLine = 1000200;
inline constexpr int32_t kKindTriangle = 1000300;
inline constexpr int32_t kKindSquare = 1000400;
inline constexpr int32_t kKindRectangle = 1000500;
inline constexpr int32_t kKindCircle = 1000600;
inline constexpr int32_t kKindEllipse = 1000700;
inline constexpr int32_t kKindPolygon = 1000800;
inline constexpr int32_t kKindStar = 1000900;
inline constexpr int32_t kKindPie = 1001000;
inline constexpr int32_t kKindArc = 1001100;
inline constexpr int32_t kKindSpline = 1001200;
inline constexpr int32_t kKindCurve = 1001400;
inline constexpr int32_t kKindPointListEnd = 1002000;
inline constexpr int32_t kKindClipImage = 1003000;
inline constexpr int32_t kKindRoundClipOutline = 1003001;
inline constexpr int32_t kKindUnadjustedClipImage = 1003100;
inline constexpr int32_t kKindPicture = 1004000;
inline constexpr int32_t kKindGroupFrame = 1005000;
inline constexpr int32_t kKindPageSetup = 2000000;
inline constexpr int32_t kKindDeletionMarker = 3000000;
inline constexpr int32_t kKindAnchors = 4000000;
inline constexpr int32_t kKindPictureSource = 5000000;

// Shapes that keep their outline in the point list.
constexpr bool IsPointListKind(int32_t kind) {
  return kind >= kKindTriangle && kind <= kKindPointListEnd;
}

// Text, lines, point-list shapes and pictures: the kinds that are drawn.
constexpr bool IsDrawableKind(int32_t kind) {
  return kind == kKindText || kind == kKindLine || IsPointListKind(kind) || kind == kKindPicture;
}

// The name of a kind code as a user reads it ("rectangle", "group frame"); "unknown kind" for
// codes that name no kind.
const char* KindName(int32_t kind);

// Text: UTF-16 code units with this unit between lines.
inline constexpr char16_t kLineSeparator = 0x07EC;
// The longest text a record holds, so that every text written is below the reader's
// payload limit of 1,024,000 bytes.
inline constexpr int kMaxTextUnits = 511999;
// Custom line patterns keep up to twelve segment lengths.
inline constexpr int kPatternSegments = 12;

// One entry of a shape's outline; its 56 bytes are also its stored form.
struct PointEntry {
  Point point;
  Point pointAtDragStart;
  Point handleIn;
  Point handleOut;
  Point handleInAtDragStart;
  Point handleOutAtDragStart;
  uint8_t pointFlagA = 0;
  uint8_t pointFlagB = 0;
  std::array<uint8_t, 6> reserved{};

  static constexpr int kStoredSize = 56;
  void Store(uint8_t* out) const;
  static PointEntry Load(const uint8_t* in);
};

// One anchor line of the anchors record, at a position in page pixels at 100 % zoom.
struct AnchorEntry {
  int32_t key = 0;
  uint8_t highlighted = 0;
  uint8_t deleted = 0;
  int32_t position = 0;
};

enum class FieldType { I32, U32, U8, F64, Name };

// One named field of the persisted part.
struct FieldInfo {
  const char* name;
  FieldType type;
  int offset;
  int size;
};

// The named fields of an item record and of the page setup record, in offset order.
std::span<const FieldInfo> ItemFields();
std::span<const FieldInfo> PageFields();
// Byte spans of the page setup record that are reserved (named by no field).
std::span<const FieldInfo> PageReservedSpans();

class ItemRecord {
 public:
  using Bytes = std::array<uint8_t, kPersistedSize>;

  ItemRecord();  // every persisted byte zero, nothing owned
  // The persisted part as read from a file, nothing owned.
  explicit ItemRecord(std::span<const uint8_t, kPersistedSize> bytes);
  ~ItemRecord();
  // Records live in chunks of many (RecordPool.h).
  static void* operator new(std::size_t size);
  static void operator delete(void* storage, std::size_t size) noexcept;
  ItemRecord(const ItemRecord&) = delete;
  ItemRecord& operator=(const ItemRecord&) = delete;

  const Bytes& persisted() const { return bytes_; }
  // Where the record stands in its list: a later record has a larger number, never reused.
  uint64_t ordinal() const { return ordinal_; }
  void setPersisted(std::span<const uint8_t, kPersistedSize> bytes);
  // The new-record defaults for every persisted field.
  static const Bytes& DefaultBytes();

#define QUILLON_TYPE_I32 int32_t
#define QUILLON_TYPE_U32 uint32_t
#define QUILLON_TYPE_U8 uint8_t
#define QUILLON_TYPE_F64 double
#define QUILLON_ACCESSORS(name, setter, type, offset) \
  QUILLON_TYPE_##type name() const {                  \
    return Load<QUILLON_TYPE_##type>(offset);         \
  }                                                   \
  void setter(QUILLON_TYPE_##type value) {            \
    StoreField<offset>(value);                        \
  }
  QUILLON_ITEM_FIELDS(QUILLON_ACCESSORS)
  QUILLON_PAGE_FIELDS(QUILLON_ACCESSORS)
#undef QUILLON_ACCESSORS

  // fontName: a length byte (0 to 32) and 32 bytes of 8-bit characters at offset 148.
  std::string fontName() const;
  void setFontName(std::string_view name);  // longer names are cut at 32 characters

  // Custom line pattern records: segment lengths in mm at 116 + 8 i, the count in use at 212.
  double patternSegment(int i) const {
    return Load<double>(116 + 8 * i);
  }
  void setPatternSegment(int i, double mm) {
    Store(116 + 8 * i, mm);
  }
  int32_t patternCount() const {
    return Load<int32_t>(212);
  }
  void setPatternCount(int32_t n) {
    Store(212, n);
  }

  // Run-time part, never stored as such.
  ItemRecord* prev() const {
    return prev_;
  }
  ItemRecord* next() const {
    return next_;
  }
  const std::u16string& text() const {
    return text_;
  }
  std::vector<int32_t> selectionStamps;
  std::vector<AnchorEntry> verticalAnchors;
  std::vector<AnchorEntry> horizontalAnchors;
  std::vector<PointEntry> points;
  std::vector<uint8_t> pictureData;                  // empty = none
  mutable std::unique_ptr<RenderCache> renderCache;  // a cache: filled while drawing

 private:
  friend class ItemList;
  friend void SetText(ItemRecord& record, std::u16string_view text);
  friend void AddStamp(ItemRecord& record, int32_t stamp);
  friend void FreeStamps(ItemRecord& record);

  template <class T>
  T Load(int offset) const {
    T value;
    std::memcpy(&value, bytes_.data() + offset, sizeof value);
    return value;
  }
  template <class T>
  void Store(int offset, T value) {
    std::memcpy(bytes_.data() + offset, &value, sizeof value);
  }
  // Fields the owning list keeps aggregates of tell the list when they change.
  template <int Offset, class T>
  void StoreField(T value) {
    if constexpr (Offset == 0 || Offset == 4 || Offset == 64 || Offset == 67 || Offset == 68 ||
                  Offset == 229 || Offset == 237 || Offset == 241 || Offset == 393) {
      const T old = Load<T>(Offset);
      Store(Offset, value);
      if (owner_ != nullptr && old != value) NotifyOwner(Offset, old, value);
    } else {
      Store(Offset, value);
    }
  }
  void NotifyOwner(int offset, int32_t oldValue, int32_t newValue);

  Bytes bytes_{};
  ItemRecord* prev_ = nullptr;
  ItemRecord* next_ = nullptr;
  ItemList* owner_ = nullptr;
  uint64_t ordinal_ = 0;  // position in the owning list: larger is later
  std::u16string text_;
};

// Text of a record; lines are separated by kLineSeparator.
const std::u16string& GetText(const ItemRecord& record);
// Replaces the text, keeping at most kMaxTextUnits units (never half a surrogate pair).
void SetText(ItemRecord& record, std::u16string_view text);
// Sets the shadow from a packed setting: byte 0 its size, byte 1 its softness, byte 2 its
// lightness.
void SetPackedShadow(ItemRecord& record, int32_t packed);
int TextLength(const ItemRecord& record);
// 0 for an empty text, otherwise one more than the number of separators.
int LineCount(const ItemRecord& record);
// Line n counted from 1; empty when there is no such line.
std::u16string LineText(const ItemRecord& record, int n);
// Every line in order, viewing the record's text; none for an empty text.
std::vector<std::u16string_view> Lines(const ItemRecord& record);
// Code unit n counted from 0; 0 (the terminator) past the end.
char16_t CodeUnitAt(const ItemRecord& record, int n);

// Geometry kept consistent with the defining points x1..y2 (scales: screen pixels per mm).
void RecomputeFromReal(ItemRecord& record, const ScreenMetrics& screen);
void RecomputeDerived(ItemRecord& record, const ScreenMetrics& screen);
void RealFromPixels(ItemRecord& record, const ScreenMetrics& screen);

// Point entries of an outline.
PointEntry& NewPoint(std::vector<PointEntry>& points);
void ClearPoints(std::vector<PointEntry>& points);
int PointCount(const std::vector<PointEntry>& points);
// The vertex of entry n counted from 1, or (0, 0) when there are fewer entries.
Point PointAt(const std::vector<PointEntry>& points, int n);

// Sub-list helpers.
void AddStamp(ItemRecord& record, int32_t stamp);
void FreeStamps(ItemRecord& record);
void RemovePoint(ItemRecord& record, int index);

}  // namespace quillon
